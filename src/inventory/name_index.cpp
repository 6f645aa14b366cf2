// Linear probing over a power-of-two slot table, kept at most half full.
#include "inventory/name_index.h"

#include <functional>

namespace kelvaro {
namespace {

constexpr size_t kMinimumSlots = 512;

size_t SlotCountFor(size_t keys) {
    size_t slots = kMinimumSlots;
    while (slots < keys * 2) slots *= 2;
    return slots;
}

}  // namespace

uint64_t NameIndex::Hash(std::string_view key) {
    return std::hash<std::string_view>{}(key);
}

void NameIndex::Reserve(size_t count) {
    keys_.reserve(count);
    if (slots_.size() < SlotCountFor(count)) Rehash(SlotCountFor(count));
}

void NameIndex::Clear() {
    slots_.clear();
    slots_.shrink_to_fit();
    keys_.clear();
    keys_.shrink_to_fit();
}

size_t NameIndex::FindSlot(std::string_view key, uint64_t hash) const {
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.key < 0 || (slot.hash == hash && keys_[slot.key] == key)) return i;
    }
}

void NameIndex::Set(std::string key, int32_t position) {
    if (slots_.size() < SlotCountFor(keys_.size() + 1)) Rehash(SlotCountFor(keys_.size() + 1));
    const uint64_t hash = Hash(key);
    Slot& slot = slots_[FindSlot(key, hash)];
    if (slot.key < 0) {
        slot.hash = hash;
        slot.key = static_cast<int32_t>(keys_.size());
        keys_.push_back(std::move(key));
    }
    slot.position = position;
}

int32_t NameIndex::Get(std::string_view key) const {
    if (slots_.empty()) return 0;
    const Slot& slot = slots_[FindSlot(key, Hash(key))];
    return slot.key < 0 ? 0 : slot.position;
}

void NameIndex::Rehash(size_t slotCount) {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(slotCount, Slot{});
    const size_t mask = slotCount - 1;
    for (const Slot& slot : old) {
        if (slot.key < 0) continue;
        size_t i = slot.hash & mask;
        while (slots_[i].key >= 0) i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

}  // namespace kelvaro
