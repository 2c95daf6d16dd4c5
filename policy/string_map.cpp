#include "policy/string_map.h"

StringMap::StringMap() : sentinel_(new StringMapEntry) {
    sentinel_->bucket = kBucketCount;
    first_ = sentinel_.get();
}

StringMap::~StringMap() {
    StringMapEntry* entry = first_;
    while (entry != sentinel_.get()) {
        StringMapEntry* next = entry->next;
        delete entry;
        entry = next;
    }
}

std::uint32_t StringMap::bucketOf(const OwnedString& key) {
    std::uint32_t sum = 0;
    const char* bytes = key.c_str();
    for (std::size_t i = 0; i < key.length(); ++i) {
        // Unsigned arithmetic wraps exactly as the 32-bit signed sum would.
        sum += static_cast<std::uint32_t>(
            static_cast<std::int32_t>(static_cast<signed char>(bytes[i])));
    }
    return sum % kBucketCount;
}

StringMapEntry* StringMap::find(const OwnedString& key) {
    const std::uint32_t bucket = bucketOf(key);
    for (StringMapEntry* entry = buckets_[bucket]; entry != nullptr && entry->bucket == bucket;
         entry = entry->next) {
        if (entry->key == key) return entry;
    }
    return sentinel_.get();
}

const StringMapEntry* StringMap::find(const OwnedString& key) const {
    return const_cast<StringMap*>(this)->find(key);
}

StringMapEntry* StringMap::insertOrAssign(const OwnedString& key, const OwnedString& value) {
    StringMapEntry* found = find(key);
    if (found != sentinel_.get()) {
        found->value = value;
        return found;
    }
    auto entry = std::make_unique<StringMapEntry>();
    entry->key = key;
    entry->value = value;
    entry->bucket = bucketOf(key);

    // Newest first within its bucket. An empty bucket goes where the list
    // stays ordered by bucket: before the first entry of the nearest
    // non-empty higher bucket, which is also right after the last entry of
    // the nearest non-empty lower one, or else before the sentinel.
    StringMapEntry* successor = buckets_[entry->bucket];
    for (std::uint32_t higher = entry->bucket + 1; successor == nullptr; ++higher) {
        successor = higher < kBucketCount ? buckets_[higher] : sentinel_.get();
    }
    StringMapEntry* inserted = entry.release();
    linkBefore(inserted, successor);
    buckets_[inserted->bucket] = inserted;
    return inserted;
}

void StringMap::linkBefore(StringMapEntry* entry, StringMapEntry* successor) {
    entry->next = successor;
    entry->previous = successor->previous;
    if (successor->previous != nullptr) {
        successor->previous->next = entry;
    } else {
        first_ = entry;
    }
    successor->previous = entry;
}
