// The byte-level reader of the policy file "nws.cfg": name=value lines into a
// StringMap. It takes the file's bytes in pieces of any size, as they arrive
// from the disk, and gives the same table however the bytes are split.
// Free of Windows headers, so it also builds natively for fuzzing.
//
// The format:
// - The first four bytes decide how the file is read: fewer than four, no
//   entries; EF BB BF (the UTF-8 byte-order mark) is skipped; FF FE or FE FF
//   (UTF-16 byte-order marks) means nothing is read at all.
// - CR LF, LF and a lone CR each end a line; the byte after a lone CR starts
//   the next line. The end of the file ends the last line.
// - A line's first "=" splits it into key and value; both are trimmed of the
//   blank bytes 00 to 20 at both ends and kept as bytes otherwise. A line
//   without "=", or with an empty key or value, is skipped. A NUL byte ends
//   what is parsed of its line.
// - Keys are case-sensitive; when a key repeats, its last line wins.
#pragma once

#include <cstddef>
#include <string>

#include "policy/string_map.h"

class PolicyFileReader {
  public:
    // Reads into `table`, which must outlive the reader.
    explicit PolicyFileReader(StringMap& table);

    // Takes the next `count` bytes of the file. Entries are inserted as
    // their lines end. Allocation failure throws std::bad_alloc.
    void feed(const char* bytes, std::size_t count);
    // The end of the file: parses the last line. Without it the unfinished
    // last line is dropped, as for a file whose reading broke off.
    void finish();

    // True when the file starts with a UTF-16 byte-order mark, so that none of
    // it was read.
    bool skippedAsUtf16() const { return stage_ == Stage::skipping; }

  private:
    enum class Stage { examiningStart, readingLines, skipping };

    bool startsWithUtf16Mark() const;
    void examineStart();
    void takeByte(char byte);
    void endLine();

    StringMap& table_;
    Stage stage_ = Stage::examiningStart;
    char start_[4] = {};
    std::size_t startCount_ = 0;
    // Reused for every line.
    std::string line_;
    // The previous byte was a CR: an LF now completes that same line end.
    bool afterCr_ = false;
};

// Reads a whole file image into `table`; gives false when the image starts
// with a UTF-16 byte-order mark and nothing was read.
bool readPolicyFileImage(const char* bytes, std::size_t count, StringMap& table);
