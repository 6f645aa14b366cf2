// The search of the definitions by part of a name, free of any window: which definitions
// a search text finds, and what a result row shows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/definitions.h"

namespace kelvaro {

// One row of the search results: the definition's 0-based position in the definitions
// list, its name, its verdict's label and colour (0 when the verdict has none).
struct SearchResultRow {
    int32_t position = 0;
    std::string name;
    std::string label;
    uint32_t colour = 0;
};

// The definitions whose Name contains `text`, byte for byte with letter case significant,
// in list order. An empty text, or an empty Name, never matches.
std::vector<SearchResultRow> FindDefinitionsContaining(const std::vector<DefinitionRecord>& list,
                                                       std::string_view text);

// The description of the definition at a 0-based position, or none when the position is
// not in the list (a row left from an earlier definitions list).
const std::string* DefinitionDescriptionAt(const std::vector<DefinitionRecord>& list,
                                           int64_t position);

}  // namespace kelvaro
