// A lookup by text key where the first value stored under a key is the one
// found, as a scan from the first row or line would find it, but without the
// scan: the runs build one per table or file and look up every row in it.
//
// Benchmarks build with THT_BENCH_PLAIN_SCANS to measure the scan it
// replaces; nothing else does.
#pragma once

#include <string>
#include <utility>
#include <vector>
#ifndef THT_BENCH_PLAIN_SCANS
#include <unordered_map>
#endif

namespace tht {

template <class Value>
class FirstMatch {
 public:
  // Stores `value` under `key` unless the key already has one. Returns
  // whether it was stored.
  bool add(const std::string& key, Value value) {
#ifdef THT_BENCH_PLAIN_SCANS
    if (find(key)) return false;
    entries_.emplace_back(key, std::move(value));
    return true;
#else
    return entries_.emplace(key, std::move(value)).second;
#endif
  }

  // The value of the first entry stored under `key`; null when none.
  const Value* find(const std::string& key) const {
#ifdef THT_BENCH_PLAIN_SCANS
    for (const auto& entry : entries_)
      if (entry.first == key) return &entry.second;
    return nullptr;
#else
    const auto found = entries_.find(key);
    return found == entries_.end() ? nullptr : &found->second;
#endif
  }

 private:
#ifdef THT_BENCH_PLAIN_SCANS
  std::vector<std::pair<std::string, Value>> entries_;
#else
  std::unordered_map<std::string, Value> entries_;
#endif
};

}  // namespace tht
