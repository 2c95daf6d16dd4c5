// OwnedString: one owned, NUL-terminated narrow byte string. The policy file,
// the update policy and the file manager pass names and paths in it; paths are
// UTF-8. Free of Windows headers, so the byte-level parsers that use it also
// build natively for fuzzing.
#pragma once

#include <cstddef>
#include <string>

class OwnedString {
  public:
    // Empty.
    OwnedString() = default;
    // A copy of the NUL-terminated `text`; a null `text` gives an empty string.
    OwnedString(const char* text);  // NOLINT(google-explicit-constructor): a text is a string
    // A copy of `length` bytes at `data`, which may hold any byte values.
    OwnedString(const char* data, std::size_t length);

    // Copies duplicate the bytes; allocation failure throws std::bad_alloc.
    OwnedString(const OwnedString&) = default;
    OwnedString& operator=(const OwnedString&) = default;
    OwnedString(OwnedString&&) noexcept = default;
    OwnedString& operator=(OwnedString&&) noexcept = default;

    // Always NUL-terminated; valid until the string is changed or destroyed.
    const char* c_str() const { return bytes_.c_str(); }
    std::size_t length() const { return bytes_.size(); }
    bool empty() const { return bytes_.empty(); }

    void append(const char* data, std::size_t length) { bytes_.append(data, length); }
    void append(const OwnedString& other) { bytes_ += other.bytes_; }
    void clear() { bytes_.clear(); }

    // Byte-for-byte equality over the whole length.
    friend bool operator==(const OwnedString& a, const OwnedString& b) {
        return a.bytes_ == b.bytes_;
    }
    friend bool operator!=(const OwnedString& a, const OwnedString& b) { return !(a == b); }

  private:
    std::string bytes_;
};
