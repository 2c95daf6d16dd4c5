#include "policy/policy_file_reader.h"

#include <cstring>

namespace {

constexpr std::size_t kInitialLineCapacity = 1024;

// Control bytes and the space. Bytes 80 to FF belong to UTF-8 text and are
// never blank.
bool isBlank(char byte) { return static_cast<unsigned char>(byte) <= 0x20; }

// Trims blanks at both ends of [begin, end) in place.
void trimBlanks(const char*& begin, const char*& end) {
    while (begin != end && isBlank(*begin)) ++begin;
    while (end != begin && isBlank(end[-1])) --end;
}

void parseLine(const char* line, std::size_t length, StringMap& table) {
    const void* nul = std::memchr(line, '\0', length);
    if (nul != nullptr) length = static_cast<std::size_t>(static_cast<const char*>(nul) - line);
    const void* equals = std::memchr(line, '=', length);
    if (equals == nullptr) return;

    const char* keyBegin = line;
    const char* keyEnd = static_cast<const char*>(equals);
    const char* valueBegin = keyEnd + 1;
    const char* valueEnd = line + length;
    trimBlanks(keyBegin, keyEnd);
    trimBlanks(valueBegin, valueEnd);
    if (keyBegin == keyEnd || valueBegin == valueEnd) return;
    table.insertOrAssign(OwnedString(keyBegin, static_cast<std::size_t>(keyEnd - keyBegin)),
                         OwnedString(valueBegin, static_cast<std::size_t>(valueEnd - valueBegin)));
}

}  // namespace

PolicyFileReader::PolicyFileReader(StringMap& table) : table_(table) {}

void PolicyFileReader::feed(const char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        switch (stage_) {
            case Stage::examiningStart:
                start_[startCount_++] = bytes[i];
                if (startCount_ == sizeof start_) examineStart();
                break;
            case Stage::readingLines:
                takeByte(bytes[i]);
                break;
            case Stage::skipping:
                return;
        }
    }
}

bool PolicyFileReader::startsWithUtf16Mark() const {
    if (startCount_ < 2) return false;
    const auto* start = reinterpret_cast<const unsigned char*>(start_);
    return (start[0] == 0xFF && start[1] == 0xFE) || (start[0] == 0xFE && start[1] == 0xFF);
}

void PolicyFileReader::examineStart() {
    if (startsWithUtf16Mark()) {
        stage_ = Stage::skipping;
        return;
    }
    stage_ = Stage::readingLines;
    line_.reserve(kInitialLineCapacity);
    const auto* start = reinterpret_cast<const unsigned char*>(start_);
    const bool utf8Mark = start[0] == 0xEF && start[1] == 0xBB && start[2] == 0xBF;
    for (std::size_t i = utf8Mark ? 3 : 0; i < sizeof start_; ++i) takeByte(start_[i]);
}

void PolicyFileReader::takeByte(char byte) {
    if (afterCr_) {
        afterCr_ = false;
        if (byte == '\n') return;
    }
    if (byte == '\n') {
        endLine();
    } else if (byte == '\r') {
        endLine();
        afterCr_ = true;
    } else {
        line_.push_back(byte);
    }
}

void PolicyFileReader::endLine() {
    parseLine(line_.data(), line_.size(), table_);
    line_.clear();
}

void PolicyFileReader::finish() {
    if (stage_ == Stage::examiningStart) {
        // Fewer than four bytes hold no entry worth reading; a short file
        // that starts with a UTF-16 mark is still a UTF-16 file.
        if (startsWithUtf16Mark()) stage_ = Stage::skipping;
        return;
    }
    if (stage_ == Stage::readingLines) endLine();
}

bool readPolicyFileImage(const char* bytes, std::size_t count, StringMap& table) {
    PolicyFileReader reader(table);
    reader.feed(bytes, count);
    reader.finish();
    return !reader.skippedAsUtf16();
}
