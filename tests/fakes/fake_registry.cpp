#include "tests/fakes/fake_registry.h"

#include <cstdio>
#include <cstring>
#include <cwctype>
#include <utility>

namespace fakes {
namespace {

std::wstring upper(const std::wstring& text) {
    std::wstring result = text;
    for (wchar_t& unit : result) unit = static_cast<wchar_t>(std::towupper(unit));
    return result;
}

const wchar_t* rootName(HKEY root) {
    if (root == HKEY_LOCAL_MACHINE) return L"HKLM";
    if (root == HKEY_CURRENT_USER) return L"HKCU";
    if (root == HKEY_CLASSES_ROOT) return L"HKCR";
    if (root == HKEY_USERS) return L"HKU";
    return nullptr;
}

std::wstring accessName(REGSAM access) {
    if (access == KEY_READ) return L"KEY_READ";
    if (access == KEY_SET_VALUE) return L"KEY_SET_VALUE";
    if (access == KEY_WRITE) return L"KEY_WRITE";
    wchar_t text[16];
    std::swprintf(text, 16, L"0x%lX", static_cast<unsigned long>(access));
    return text;
}

std::wstring typeName(DWORD type) {
    switch (type) {
        case REG_NONE:
            return L"REG_NONE";
        case REG_SZ:
            return L"REG_SZ";
        case REG_EXPAND_SZ:
            return L"REG_EXPAND_SZ";
        case REG_BINARY:
            return L"REG_BINARY";
        case REG_DWORD:
            return L"REG_DWORD";
        case REG_MULTI_SZ:
            return L"REG_MULTI_SZ";
        case REG_QWORD:
            return L"REG_QWORD";
        default:
            return L"type " + std::to_wstring(type);
    }
}

std::wstring nameText(const wchar_t* name) { return name == nullptr ? L"" : name; }

// The parent part of a full path, or empty for a root.
std::wstring parentOf(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

}  // namespace

void FakeRegistry::putValue(const std::wstring& keyPath, const std::wstring& name, DWORD type,
                            std::vector<BYTE> data) {
    std::lock_guard<std::mutex> lock(mutex_);
    createKeyPathLocked(keyPath);
    keys_[upper(keyPath)][upper(name)] = StoredValue{type, std::move(data)};
}

void FakeRegistry::putDword(const std::wstring& keyPath, const std::wstring& name,
                            std::uint32_t value) {
    std::vector<BYTE> data;
    for (int i = 0; i < 4; ++i) data.push_back(static_cast<BYTE>(value >> (8 * i)));
    putValue(keyPath, name, REG_DWORD, data);
}

void FakeRegistry::putQword(const std::wstring& keyPath, const std::wstring& name,
                            std::uint64_t value) {
    std::vector<BYTE> data;
    for (int i = 0; i < 8; ++i) data.push_back(static_cast<BYTE>(value >> (8 * i)));
    putValue(keyPath, name, REG_QWORD, data);
}

void FakeRegistry::putString(const std::wstring& keyPath, const std::wstring& name,
                             const std::wstring& text, DWORD type, bool terminated) {
    std::vector<BYTE> data;
    for (wchar_t unit : text) {
        data.push_back(static_cast<BYTE>(unit & 0xFF));
        data.push_back(static_cast<BYTE>((static_cast<unsigned>(unit) >> 8) & 0xFF));
    }
    if (terminated) data.insert(data.end(), 2, 0);
    putValue(keyPath, name, type, data);
}

void FakeRegistry::createKeyPath(const std::wstring& keyPath) {
    std::lock_guard<std::mutex> lock(mutex_);
    createKeyPathLocked(keyPath);
}

void FakeRegistry::createKeyPathLocked(const std::wstring& keyPath) {
    for (std::wstring path = keyPath; path.find(L'\\') != std::wstring::npos;
         path = parentOf(path)) {
        keys_[upper(path)];
    }
}

bool FakeRegistry::hasKey(const std::wstring& keyPath) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return keys_.count(upper(keyPath)) != 0;
}

std::optional<FakeRegistry::StoredValue> FakeRegistry::value(const std::wstring& keyPath,
                                                             const std::wstring& name) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto key = keys_.find(upper(keyPath));
    if (key == keys_.end()) return std::nullopt;
    auto found = key->second.find(upper(name));
    if (found == key->second.end()) return std::nullopt;
    return found->second;
}

std::vector<std::wstring> FakeRegistry::valueNames(const std::wstring& keyPath) const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::wstring> names;
    auto key = keys_.find(upper(keyPath));
    if (key != keys_.end()) {
        for (const auto& entry : key->second) names.push_back(entry.first);
    }
    return names;
}

std::vector<std::wstring> FakeRegistry::trace() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return trace_;
}

void FakeRegistry::clearTrace() {
    std::lock_guard<std::mutex> lock(mutex_);
    trace_.clear();
}

int FakeRegistry::openKeys() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(open_.size());
}

int FakeRegistry::invalidCloses() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return invalidCloses_;
}

LSTATUS FakeRegistry::plannedFailure(const char* call) {
    const DWORD previous = ::GetLastError();
    if (!script.shouldFail(call)) return ERROR_SUCCESS;
    const LSTATUS status = static_cast<LSTATUS>(::GetLastError());
    ::SetLastError(previous);
    return status;
}

bool FakeRegistry::childPath(HKEY parent, const wchar_t* subkey, std::wstring& path) const {
    std::wstring base;
    if (const wchar_t* root = rootName(parent)) {
        base = root;
    } else if (const OpenKey* open = findOpen(parent)) {
        base = open->path;
    } else {
        return false;
    }
    path = (subkey == nullptr || *subkey == L'\0') ? base : base + L"\\" + subkey;
    return true;
}

const FakeRegistry::OpenKey* FakeRegistry::findOpen(HKEY key) const {
    auto found = open_.find(key);
    return found == open_.end() ? nullptr : &found->second;
}

HKEY FakeRegistry::newHandle(const std::wstring& path, REGSAM access) {
    HKEY handle = reinterpret_cast<HKEY>(nextHandle_);
    nextHandle_ += 4;
    open_[handle] = OpenKey{path, access};
    return handle;
}

LSTATUS FakeRegistry::openKey(HKEY parent, const wchar_t* subkey, REGSAM access, HKEY* key) {
    const LSTATUS planned = plannedFailure("RegOpenKeyExW");
    std::lock_guard<std::mutex> lock(mutex_);
    *key = nullptr;
    std::wstring path;
    const bool known = childPath(parent, subkey, path);
    trace_.push_back(L"RegOpenKeyExW " + path + L" " + accessName(access));
    if (planned != ERROR_SUCCESS) return planned;
    if (!known) return ERROR_INVALID_HANDLE;
    if (keys_.count(upper(path)) == 0) return ERROR_FILE_NOT_FOUND;
    *key = newHandle(path, access);
    return ERROR_SUCCESS;
}

LSTATUS FakeRegistry::createKey(HKEY parent, const wchar_t* subkey, REGSAM access, HKEY* key,
                                DWORD* disposition) {
    const LSTATUS planned = plannedFailure("RegCreateKeyExW");
    std::lock_guard<std::mutex> lock(mutex_);
    *key = nullptr;
    std::wstring path;
    const bool known = childPath(parent, subkey, path);
    trace_.push_back(L"RegCreateKeyExW " + path + L" " + accessName(access));
    if (planned != ERROR_SUCCESS) return planned;
    if (!known) return ERROR_INVALID_HANDLE;
    const bool existed = keys_.count(upper(path)) != 0;
    createKeyPathLocked(path);
    if (disposition != nullptr) {
        *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    }
    *key = newHandle(path, access);
    return ERROR_SUCCESS;
}

LSTATUS FakeRegistry::queryValue(HKEY key, const wchar_t* name, DWORD* type, void* data,
                                 DWORD* size) {
    const LSTATUS planned = plannedFailure("RegQueryValueExW");
    std::lock_guard<std::mutex> lock(mutex_);
    const DWORD bufferSize = size == nullptr ? 0 : *size;
    trace_.push_back(L"RegQueryValueExW " + nameText(name) + L" " +
                     (data == nullptr ? std::wstring(L"size") : std::to_wstring(bufferSize)));
    if (planned != ERROR_SUCCESS) return planned;
    const OpenKey* open = findOpen(key);
    if (open == nullptr) return ERROR_INVALID_HANDLE;
    if ((open->access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
    if (data != nullptr && size == nullptr) return ERROR_INVALID_PARAMETER;
    const Values& values = keys_[upper(open->path)];
    auto found = values.find(upper(nameText(name)));
    if (found == values.end()) return ERROR_FILE_NOT_FOUND;
    const StoredValue& stored = found->second;
    const DWORD storedSize = static_cast<DWORD>(stored.data.size());
    if (type != nullptr) *type = stored.type;
    if (data == nullptr) {
        if (size != nullptr) *size = storedSize;
        return ERROR_SUCCESS;
    }
    BYTE* bytes = static_cast<BYTE*>(data);
    if (bufferSize < storedSize) {
        std::memset(bytes, 0xCD, bufferSize);
        *size = storedSize;
        return ERROR_MORE_DATA;
    }
    if (storedSize != 0) std::memcpy(bytes, stored.data.data(), storedSize);
    // The rest of the buffer becomes UTF-16 dots: a text read past its end
    // grows extra parts, a number read past its end grows high bytes.
    for (DWORD i = storedSize; i < bufferSize; ++i) bytes[i] = (i % 2 == 0) ? 0x2E : 0x00;
    *size = storedSize;
    return ERROR_SUCCESS;
}

LSTATUS FakeRegistry::setValue(HKEY key, const wchar_t* name, DWORD type, const void* data,
                               DWORD size) {
    const LSTATUS planned = plannedFailure("RegSetValueExW");
    std::lock_guard<std::mutex> lock(mutex_);
    trace_.push_back(L"RegSetValueExW " + nameText(name) + L" " + typeName(type) + L" " +
                     std::to_wstring(size));
    if (planned != ERROR_SUCCESS) return planned;
    const OpenKey* open = findOpen(key);
    if (open == nullptr) return ERROR_INVALID_HANDLE;
    if ((open->access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
    const BYTE* bytes = static_cast<const BYTE*>(data);
    keys_[upper(open->path)][upper(nameText(name))] =
        StoredValue{type, std::vector<BYTE>(bytes, bytes + size)};
    return ERROR_SUCCESS;
}

LSTATUS FakeRegistry::deleteValue(HKEY key, const wchar_t* name) {
    const LSTATUS planned = plannedFailure("RegDeleteValueW");
    std::lock_guard<std::mutex> lock(mutex_);
    trace_.push_back(L"RegDeleteValueW " + nameText(name));
    if (planned != ERROR_SUCCESS) return planned;
    const OpenKey* open = findOpen(key);
    if (open == nullptr) return ERROR_INVALID_HANDLE;
    if ((open->access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
    Values& values = keys_[upper(open->path)];
    if (values.erase(upper(nameText(name))) == 0) return ERROR_FILE_NOT_FOUND;
    return ERROR_SUCCESS;
}

LSTATUS FakeRegistry::closeKey(HKEY key) {
    // The key is closed even when the call is made to report failure, so a
    // failing close never counts as a key left open.
    const LSTATUS planned = plannedFailure("RegCloseKey");
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = open_.find(key);
    if (found == open_.end()) {
        trace_.push_back(L"RegCloseKey ?");
        ++invalidCloses_;
        return ERROR_INVALID_HANDLE;
    }
    trace_.push_back(L"RegCloseKey " + found->second.path);
    open_.erase(found);
    return planned;
}

}  // namespace fakes
