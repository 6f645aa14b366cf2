// Parsing of the definitions file and the lookup by upper-cased process name.
#include "inventory/definitions.h"

#include <array>
#include <cstring>

#include "common/ansi_text.h"
#include "common/file_io.h"
#include "common/number_reader.h"

namespace kelvaro {
namespace {

// "µ" (byte 0xB5 in Windows-1252) ends each line of a description.
constexpr char kDescriptionLineEnd = '\xB5';

struct VerdictStyle {
    std::string_view label;
    uint32_t colour;  // 0x00BBGGRR
};

const std::array<VerdictStyle, 5> kVerdictStyles = {{
    {"Systemprozess", 0x00FF8D74},
    {"Unnötig", 0x00BABABA},
    {"Potentiell gefährlich", 0x0000A5FF},
    {"Gefährlich", 0x000000FF},
    {"Wichtig", 0x00F48D74},
}};

// Reads a file line by line. A line ends at CR LF, LF, CR or a zero byte; reading past
// the end gives empty lines, so a short last record is still complete in form.
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

    bool AtEnd() const { return pos_ >= bytes_.size(); }

    std::string_view Next() {
        if (AtEnd()) return {};
        const size_t start = pos_;
        size_t end = start;
        while (end < bytes_.size() && !IsLineEnd(bytes_[end])) ++end;
        pos_ = end;
        if (end < bytes_.size()) {
            const bool crlf =
                bytes_[end] == '\r' && end + 1 < bytes_.size() && bytes_[end + 1] == '\n';
            pos_ = end + (crlf ? 2 : 1);
        }
        return bytes_.substr(start, end - start);
    }

private:
    // One comparison rejects almost every byte: all three line ends are below 14.
    static bool IsLineEnd(char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= '\r' && (byte == '\r' || byte == '\n' || byte == '\0');
    }

    std::string_view bytes_;
    size_t pos_ = 0;
};

// Each "µ"-ended field of the line becomes one description line ended by CR LF; text
// after the last "µ" is not part of the description.
std::string DescriptionFromLine(std::string_view line) {
    std::string description;
    const size_t last = line.rfind(kDescriptionLineEnd);
    if (last == std::string_view::npos) return description;
    description.reserve(last + 16);
    size_t start = 0;
    while (start <= last) {
        const size_t end = line.find(kDescriptionLineEnd, start);
        description.append(line.substr(start, end - start));
        description.append("\r\n");
        start = end + 1;
    }
    return description;
}

// About one record per three line feeds; only a size hint, so CR-only files merely grow.
// memchr runs vectorised, where a plain byte count does not.
size_t EstimateRecordCount(std::string_view bytes) {
    size_t lineFeeds = 0;
    const char* pos = bytes.data();
    const char* const end = bytes.data() + bytes.size();
    while ((pos = static_cast<const char*>(std::memchr(pos, '\n', end - pos))) != nullptr) {
        ++lineFeeds;
        ++pos;
    }
    return lineFeeds / 3 + 1;
}

}  // namespace

std::string_view DescribeVerdict(int32_t verdict, uint32_t& colour) {
    if (verdict < 0 || verdict >= static_cast<int32_t>(kVerdictStyles.size())) return {};
    colour = kVerdictStyles[verdict].colour;
    return kVerdictStyles[verdict].label;
}

void DefinitionTable::AppendFile(std::string_view bytes) {
    // Sizing the list and the index once up front saves the repeated regrowth and
    // rehashing that dominate the load of a large file.
    const size_t expected = records_.size() + EstimateRecordCount(bytes);
    records_.reserve(expected);
    index_.Reserve(expected);
    LineReader reader(bytes);
    while (!reader.AtEnd()) {
        DefinitionRecord& record = records_.emplace_back();
        record.Verdict = ReadNumber(reader.Next());
        record.Name = std::string(reader.Next());
        record.Description = DescriptionFromLine(reader.Next());
        index_.Set(UpperAnsi(record.Name), Count());
    }
}

void DefinitionTable::Clear() {
    records_.clear();
    records_.shrink_to_fit();
    index_.Clear();
}

const DefinitionRecord* DefinitionTable::Find(std::string_view upperName) const {
    const int32_t position = index_.Get(upperName);
    if (position < 1) return nullptr;
    return &records_[position - 1];
}

DefinitionTable& ProgramDefinitions() {
    static DefinitionTable table;
    return table;
}

void LoadDefinitions() {
    std::string bytes;
    if (!ReadFileCreatingIfMissing(kDefinitionsFileName, bytes)) return;
    ProgramDefinitions().AppendFile(bytes);
}

void ClearDefinitions() {
    ProgramDefinitions().Clear();
}

const DefinitionRecord* FindDefinition(std::string_view upperName) {
    return ProgramDefinitions().Find(upperName);
}

int32_t DefinitionsCount() {
    return ProgramDefinitions().Count();
}

}  // namespace kelvaro
