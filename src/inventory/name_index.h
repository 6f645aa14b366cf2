// The definition index: an open-addressing hash map from upper-cased names to 1-based
// positions in the definitions list. Flat slots keep a large index in few cache lines,
// which matters when a 100,000-definition file is loaded.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

class NameIndex {
public:
    void Reserve(size_t count);
    void Clear();
    // Maps the key to the position, replacing an earlier position of the same key.
    void Set(std::string key, int32_t position);
    // The position stored for the key, or 0 when the key is absent.
    int32_t Get(std::string_view key) const;
    size_t Size() const { return keys_.size(); }

private:
    struct Slot {
        uint64_t hash = 0;
        int32_t key = -1;  // index into keys_, -1 for an empty slot
        int32_t position = 0;
    };

    static uint64_t Hash(std::string_view key);
    size_t FindSlot(std::string_view key, uint64_t hash) const;
    void Rehash(size_t slotCount);

    std::vector<Slot> slots_;
    std::vector<std::string> keys_;
};

}  // namespace kelvaro
