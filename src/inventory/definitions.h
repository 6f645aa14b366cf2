// The classification definitions: the definitions file format, the definitions list in
// file order, the index from upper-cased names to list positions, and the verdict labels.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/name_index.h"

namespace kelvaro {

// Verdicts 0-4 are the five classes; -1 marks a process that no definition matches. A
// definition may carry any other number from its file, which is kept unchanged.
enum Verdict : int32_t {
    VerdictNone = -1,
    VerdictSystem = 0,
    VerdictUnneeded = 1,
    VerdictPotentiallyDangerous = 2,
    VerdictDangerous = 3,
    VerdictImportant = 4,
};

struct DefinitionRecord {
    std::string Name;         // letter case as in the file
    std::string Description;  // each description line followed by CR LF
    int32_t Verdict = 0;
};

// The file's name in the working directory.
inline constexpr const char* kDefinitionsFileName = "Kelvaro";

// The label of a verdict, "" for numbers outside 0-4. For 0-4 the verdict's text colour
// (0x00BBGGRR) is written into `colour`; otherwise `colour` keeps what the caller set.
std::string_view DescribeVerdict(int32_t verdict, uint32_t& colour);

// The definitions list with its index. Records are only ever appended as a whole file or
// cleared as a whole, never changed one by one.
class DefinitionTable {
public:
    // Parses the bytes of a definitions file and appends its records.
    void AppendFile(std::string_view bytes);
    void Clear();

    // The record that the index names for an upper-cased process name, or null. When
    // several definitions share an upper-cased name the last of them wins.
    const DefinitionRecord* Find(std::string_view upperName) const;

    int32_t Count() const { return static_cast<int32_t>(records_.size()); }
    const std::vector<DefinitionRecord>& Records() const { return records_; }

private:
    std::vector<DefinitionRecord> records_;
    NameIndex index_;  // upper-cased name -> 1-based position in records_
};

// The program's one definitions list, from start to end.
DefinitionTable& ProgramDefinitions();

// Reads the definitions file "Kelvaro" of the working directory (created empty when it is
// missing) and appends its records. When it cannot be opened the list stays as it is.
void LoadDefinitions();
void ClearDefinitions();
const DefinitionRecord* FindDefinition(std::string_view upperName);
int32_t DefinitionsCount();

}  // namespace kelvaro
