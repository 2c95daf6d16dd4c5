// Fuzz target of the policy-file reader. The input is a whole policy file; it
// goes through the reader the product uses, whole and in pieces, and the
// table it gives must hold only well-formed entries, the same however the
// bytes were split, and read back the same from its written form.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "policy/policy_file_reader.h"
#include "policy/policy_file_writer.h"
#include "policy/string_map.h"
#include "policy/truth_value.h"

namespace {

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "policy_file: %s\n", what);
    std::abort();
}

bool isBlank(char byte) { return static_cast<unsigned char>(byte) <= 0x20; }

std::string bytesOf(const OwnedString& text) { return std::string(text.c_str(), text.length()); }

void requireWellFormed(const StringMap& table) {
    const StringMapEntry* previous = nullptr;
    const StringMapEntry* entry = table.first();
    for (; entry != table.end(); entry = entry->next) {
        const std::string key = bytesOf(entry->key);
        const std::string value = bytesOf(entry->value);
        require(!key.empty() && !value.empty(), "an empty key or value was stored");
        require(!isBlank(key.front()) && !isBlank(key.back()), "a key was not trimmed");
        require(!isBlank(value.front()) && !isBlank(value.back()), "a value was not trimmed");
        require(key.find_first_of(std::string("=\r\n\0", 4)) == std::string::npos,
                "a key holds '=', a line end or NUL");
        require(value.find_first_of(std::string("\r\n\0", 3)) == std::string::npos,
                "a value holds a line end or NUL");
        require(entry->previous == previous, "a broken backward link");
        require(entry->bucket == StringMap::bucketOf(entry->key), "an entry in the wrong bucket");
        require(previous == nullptr || previous->bucket <= entry->bucket, "buckets out of order");
        if (previous == nullptr || previous->bucket != entry->bucket) {
            require(table.bucketHead(entry->bucket) == entry, "a wrong bucket head");
        }
        require(table.find(entry->key) == entry, "an entry that find() misses");
        isTrueValue(entry->value);
        previous = entry;
    }
    require(entry->previous == previous && entry->bucket == StringMap::kBucketCount,
            "a broken sentinel");
}

std::map<std::string, std::string> entriesOf(const StringMap& table) {
    std::map<std::string, std::string> entries;
    for (const StringMapEntry* entry = table.first(); entry != table.end(); entry = entry->next) {
        entries[bytesOf(entry->key)] = bytesOf(entry->value);
    }
    return entries;
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    StringMap whole;
    const bool read = readPolicyFileImage(bytes, size, whole);
    requireWellFormed(whole);
    const std::map<std::string, std::string> entries = entriesOf(whole);
    require(read || entries.empty(), "a UTF-16 file gave entries");

    // The disk hands the file over in pieces; their size must not matter.
    const std::size_t piece = size == 0 ? 1 : 1 + data[0] % 7;
    StringMap pieces;
    PolicyFileReader reader(pieces);
    for (std::size_t offset = 0; offset < size; offset += piece) {
        reader.feed(bytes + offset, piece < size - offset ? piece : size - offset);
    }
    reader.finish();
    require(entriesOf(pieces) == entries, "reading in pieces gave other entries");
    require(reader.skippedAsUtf16() == !read, "reading in pieces saw another start");

    // What save() writes reads back as the same entries, unless the first
    // key itself begins like a byte-order mark.
    const std::string text = policyFileText(whole);
    if (!startsWith(text, "\xEF\xBB\xBF") && !startsWith(text, "\xFF\xFE") &&
        !startsWith(text, "\xFE\xFF")) {
        StringMap again;
        readPolicyFileImage(text.data(), text.size(), again);
        require(entriesOf(again) == entries, "the written form reads back differently");
    }
    return 0;
}
