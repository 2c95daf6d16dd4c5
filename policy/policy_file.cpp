#include "policy/policy_file.h"

#include <windows.h>

#include <string>

#include "common/wide_text.h"
#include "platform/facility.h"
#include "platform/files.h"
#include "policy/policy_file_reader.h"
#include "policy/policy_file_writer.h"

namespace {

constexpr DWORD kReadChunkSize = 4096;

// Another process (the service, a command-line switch) may read or write the
// file at the same moment; the last writer wins.
constexpr DWORD kShareMode = FILE_SHARE_READ | FILE_SHARE_WRITE;

}  // namespace

PolicyFile::PolicyFile(const OwnedString& path) : path_(path) { read(); }

void PolicyFile::read() {
    std::wstring widePath;
    if (path_.empty() || !utf8ToWide(path_.c_str(), widePath)) return;

    platform::Files& files = platform::use<platform::Files>();
    platform::UniqueFile file(files.createFile(widePath.c_str(), GENERIC_READ, kShareMode,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
    if (!file) {
        const DWORD lastError = ::GetLastError();
        // Only a file that is not there may be created by save(); one that is
        // there but cannot be read holds entries nobody has seen.
        mayReplaceFile_ = lastError == ERROR_FILE_NOT_FOUND || lastError == ERROR_PATH_NOT_FOUND;
        return;
    }

    PolicyFileReader reader(table_);
    char chunk[kReadChunkSize];
    for (;;) {
        DWORD got = 0;
        if (!files.readFile(file.get(), chunk, sizeof chunk, &got)) return;
        if (got == 0) break;
        reader.feed(chunk, got);
    }
    reader.finish();
    mayReplaceFile_ = !reader.skippedAsUtf16();
}

const OwnedString& PolicyFile::getValue(const OwnedString& key) const {
    return table_.find(key)->value;
}

void PolicyFile::setValue(const OwnedString& key, const OwnedString& value) {
    table_.insertOrAssign(key, value);
}

bool PolicyFile::save() {
    if (path_.empty() || !mayReplaceFile_) return false;
    std::wstring widePath;
    if (!utf8ToWide(path_.c_str(), widePath)) return false;
    // Built before the file is opened: running out of memory must not leave
    // a truncated file behind.
    const std::string text = policyFileText(table_);

    platform::Files& files = platform::use<platform::Files>();
    platform::UniqueFile file(files.createFile(widePath.c_str(), GENERIC_WRITE, kShareMode,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL));
    if (!file) return false;
    std::size_t offset = 0;
    while (offset < text.size()) {
        const std::size_t remaining = text.size() - offset;
        const DWORD size = remaining > MAXDWORD ? MAXDWORD : static_cast<DWORD>(remaining);
        DWORD written = 0;
        if (!files.writeFile(file.get(), text.data() + offset, size, &written) || written == 0) {
            return false;
        }
        offset += written;
    }
    return true;
}
