// A lookup by text key where the first value stored under a key is the one
// found, as a scan from the first row or line would find it, but without the
// scan: the runs build one per table or file and look up every row in it.
//
// Benchmarks build with THT_BENCH_PLAIN_SCANS to measure the scan it
// replaces; nothing else does.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tht {

template <class Value>
class FirstMatch {
 public:
  // Stores `value` under `key` unless the key already has one. Returns
  // whether it was stored.
  bool add(std::string_view key, Value value) {
#ifdef THT_BENCH_PLAIN_SCANS
    if (find(key)) return false;
    entries_.push_back({std::string(key), std::move(value)});
    return true;
#else
    if ((entries_.size() + 1) * 2 > slots_.size()) grow();
    const uint64_t hash = hashOf(key);
    size_t slot = home(hash);
    for (; slots_[slot] != 0; slot = (slot + 1) & mask())
      if (sameKey(slots_[slot], hash, key)) return false;
    entries_.push_back({std::string(key), std::move(value)});
    slots_[slot] = slotValue(hash, entries_.size() - 1);
    return true;
#endif
  }

  // Hints that `key` is about to be looked up: starts bringing in the slot
  // where its search begins. A batch of look-ups that hints every key first,
  // then entryHint() each, then finds each, waits for memory about once a
  // batch rather than twice a key.
  void slotHint(std::string_view key) const {
#ifndef THT_BENCH_PLAIN_SCANS
    if (!slots_.empty()) __builtin_prefetch(&slots_[home(hashOf(key))]);
#else
    (void)key;
#endif
  }
  // Starts bringing in the entry that the key's first slot names, when that
  // slot's hash bits match.
  void entryHint(std::string_view key) const {
#ifndef THT_BENCH_PLAIN_SCANS
    if (slots_.empty()) return;
    const uint64_t hash = hashOf(key);
    const uint64_t slot = slots_[home(hash)];
    if (slot != 0 && (slot & ~kIndexBits) == (hash & ~kIndexBits))
      __builtin_prefetch(&entries_[(slot & kIndexBits) - 1]);
#else
    (void)key;
#endif
  }

  // The value of the first entry stored under `key`; null when none.
  Value* find(std::string_view key) { return const_cast<Value*>(std::as_const(*this).find(key)); }
  const Value* find(std::string_view key) const {
#ifdef THT_BENCH_PLAIN_SCANS
    for (const auto& entry : entries_)
      if (entry.key == key) return &entry.value;
    return nullptr;
#else
    if (entries_.empty()) return nullptr;
    const uint64_t hash = hashOf(key);
    for (size_t slot = home(hash); slots_[slot] != 0; slot = (slot + 1) & mask())
      if (sameKey(slots_[slot], hash, key)) return &entries_[(slots_[slot] & kIndexBits) - 1].value;
    return nullptr;
#endif
  }

 private:
  struct Entry {
    std::string key;
    Value value;
  };
  // Entries in the order they were stored; a deque, so that growing never
  // moves them.
  std::deque<Entry> entries_;

#ifndef THT_BENCH_PLAIN_SCANS
  // Open addressing with linear probing over a power-of-two table kept at
  // most half full. A slot holds the upper half of the key's hash, which
  // also gives the slot's place, and the entry's position plus one (0:
  // empty): most probes that do not match never touch the entry, and the
  // table grows without reading any entry again.
  static constexpr uint64_t kIndexBits = 0xFFFFFFFFu;
  std::vector<uint64_t> slots_;

  static uint64_t hashOf(std::string_view key) { return std::hash<std::string_view>{}(key); }
  size_t mask() const { return slots_.size() - 1; }
  size_t home(uint64_t hashOrSlot) const { return (hashOrSlot >> 32) & mask(); }
  static uint64_t slotValue(uint64_t hash, size_t index) { return (hash & ~kIndexBits) | (index + 1); }
  bool sameKey(uint64_t slot, uint64_t hash, std::string_view key) const {
    return (slot & ~kIndexBits) == (hash & ~kIndexBits) && entries_[(slot & kIndexBits) - 1].key == key;
  }
  void grow() {
    std::vector<uint64_t> larger(slots_.empty() ? 16 : slots_.size() * 2, 0);
    slots_.swap(larger);
    for (const uint64_t taken : larger) {
      if (taken == 0) continue;
      size_t slot = home(taken);
      while (slots_[slot] != 0) slot = (slot + 1) & mask();
      slots_[slot] = taken;
    }
  }
#endif
};

}  // namespace tht
