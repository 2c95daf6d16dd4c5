// The policy file "nws.cfg" as an in-memory table: read whole when the object
// is made, looked up and changed in memory, written back whole by save(). An
// object lives for one operation of the update policy; nothing is cached.
#pragma once

#include "common/owned_string.h"
#include "policy/string_map.h"

class PolicyFile {
  public:
    // Reads the file at `path` (UTF-8). Never fails visibly: a file that is
    // missing, cannot be opened or is not read leaves the table empty (or
    // holding what was read before a read error). Allocation failure throws
    // std::bad_alloc.
    explicit PolicyFile(const OwnedString& path);
    PolicyFile(const PolicyFile&) = delete;
    PolicyFile& operator=(const PolicyFile&) = delete;

    // The value stored for `key`, or the empty string. Refers into the table:
    // valid until the table changes.
    const OwnedString& getValue(const OwnedString& key) const;
    // Replaces the value of `key`, which keeps its line, or adds the key.
    // Only the table changes.
    void setValue(const OwnedString& key, const OwnedString& value);

    // Writes the whole table over the file, one "key=value" CR LF line per
    // entry, creating the file but never its folder. True when every byte was
    // written. False for an empty path, a file that cannot be opened for
    // writing or written, and for a file that exists but was not read whole
    // (one that starts with a UTF-16 byte-order mark, could not be opened for
    // reading or broke off while being read): that file is left exactly as it
    // is, because rewriting it would lose what the administrator wrote.
    bool save();

    const StringMap& table() const { return table_; }

  private:
    void read();

    OwnedString path_;
    StringMap table_;
    // The file was read whole, or there was no file: save() may replace it.
    bool mayReplaceFile_ = false;
};
