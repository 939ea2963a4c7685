// A lookup by text key where the first value stored under a key is the one
// found, as a scan from the first row or line would find it, but without the
// scan: the runs build one per table or file and look up every row in it.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <utility>

namespace tht {

template <class Value>
class FirstMatch {
 public:
  // Stores `value` under `key` unless the key already has one. Returns
  // whether it was stored.
  bool add(std::string key, Value value) { return map_.try_emplace(std::move(key), std::move(value)).second; }

  // Room for `count` keys without growing on the way.
  void reserve(size_t count) { map_.reserve(count); }

  // The value of the first entry stored under `key`; null when none.
  const Value* find(const std::string& key) const {
    const auto found = map_.find(key);
    return found == map_.end() ? nullptr : &found->second;
  }

 private:
  std::unordered_map<std::string, Value> map_;
};

}  // namespace tht
