// The table of a policy file: 16 fixed buckets whose entries are also chained
// into one doubly linked list, ordered by bucket and, within a bucket, newest
// first. The list order is the order in which the file is written back, so
// administrators see a stable line order whatever order they wrote.
// Free of Windows headers: the reader that fills it is fuzzed natively.
#pragma once

#include <cstdint>
#include <memory>

#include "common/owned_string.h"

struct StringMapEntry {
    OwnedString key;
    OwnedString value;
    // 0 to 15; 16 marks the end sentinel.
    std::uint32_t bucket = 0;
    StringMapEntry* next = nullptr;
    // Null for the first entry of the list.
    StringMapEntry* previous = nullptr;
};

class StringMap {
  public:
    static constexpr std::uint32_t kBucketCount = 16;

    // An empty table: the list holds only the end sentinel. Allocation
    // failure throws std::bad_alloc.
    StringMap();
    // Frees every entry and the sentinel.
    ~StringMap();
    StringMap(const StringMap&) = delete;
    StringMap& operator=(const StringMap&) = delete;

    // The bucket of `key`: the sum of its bytes, each taken as a signed 8-bit
    // value, in 32-bit arithmetic, modulo 16.
    static std::uint32_t bucketOf(const OwnedString& key);

    // The entry whose key equals `key` byte for byte, or the sentinel.
    StringMapEntry* find(const OwnedString& key);
    const StringMapEntry* find(const OwnedString& key) const;

    // Replaces the value of the entry with `key` (which keeps its place), or
    // inserts a new entry as the first of its bucket. Gives the entry.
    // Allocation failure throws std::bad_alloc and leaves the table as it was.
    StringMapEntry* insertOrAssign(const OwnedString& key, const OwnedString& value);

    // Iteration: from first() along `next` until the sentinel, end().
    const StringMapEntry* first() const { return first_; }
    const StringMapEntry* end() const { return sentinel_.get(); }
    // The first entry of `bucket` in the list, or null when it has none.
    const StringMapEntry* bucketHead(std::uint32_t bucket) const { return buckets_[bucket]; }

  private:
    void linkBefore(StringMapEntry* entry, StringMapEntry* successor);

    StringMapEntry* buckets_[kBucketCount] = {};
    std::unique_ptr<StringMapEntry> sentinel_;
    StringMapEntry* first_ = nullptr;
};
