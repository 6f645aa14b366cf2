// The search of the definitions by part of a name.
#include "inventory/definition_search.h"

namespace kelvaro {

std::vector<SearchResultRow> FindDefinitionsContaining(const std::vector<DefinitionRecord>& list,
                                                       std::string_view text) {
    std::vector<SearchResultRow> rows;
    if (text.empty()) return rows;
    for (size_t i = 0; i < list.size(); ++i) {
        const DefinitionRecord& definition = list[i];
        if (definition.Name.find(text) == std::string::npos) continue;
        SearchResultRow& row = rows.emplace_back();
        row.position = static_cast<int32_t>(i);
        row.name = definition.Name;
        row.label = std::string(DescribeVerdict(definition.Verdict, row.colour));
    }
    return rows;
}

const std::string* DefinitionDescriptionAt(const std::vector<DefinitionRecord>& list,
                                           int64_t position) {
    if (position < 0 || static_cast<uint64_t>(position) >= list.size()) return nullptr;
    return &list[static_cast<size_t>(position)].Description;
}

}  // namespace kelvaro
