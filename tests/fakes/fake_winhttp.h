// A WinHTTP that talks to nobody: it records the session, connection and
// request it was asked for, serves a body given as a list of chunks, fails any
// single call on request, and counts the handles left open.
#pragma once

#include <algorithm>
#include <cstring>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "common/allocation_failure.h"
#include "platform/winhttp.h"
#include "tests/fakes/call_script.h"

namespace fakes {

class FakeWinHttp : public platform::WinHttp {
  public:
    CallScript script;

    // The body, served chunk by chunk: each query announces what is left of
    // the current chunk, each read takes from it.
    std::deque<std::string> chunks;
    // Amounts the queries announce instead, first to last, before the chunks
    // speak for themselves.
    std::deque<DWORD> announcements;
    // When set, the n-th read (from 1) runs out of memory as an allocation
    // does, after setting this last error.
    int readThatRunsOutOfMemory = 0;
    DWORD lastErrorOfMemory = ERROR_NOT_ENOUGH_MEMORY;

    // What was asked for.
    std::wstring userAgent;
    DWORD accessType = 0xFFFFFFFF;
    bool proxyGiven = true;
    DWORD sessionFlags = 0xFFFFFFFF;
    std::wstring host;
    INTERNET_PORT port = 0;
    std::wstring verb;
    std::wstring objectName;
    bool versionOrReferrerGiven = true;
    bool acceptTypesGiven = true;
    DWORD requestFlags = 0xFFFFFFFF;
    bool headersOrBodyGiven = true;
    std::vector<DWORD> readSizes;
    // The handles closed, in order: "request", "connection", "session".
    std::vector<std::string> closed;

    int openHandles() const { return static_cast<int>(open_.size()); }

    HINTERNET open(const wchar_t* agent, DWORD access, const wchar_t* proxyName,
                   const wchar_t* proxyBypass, DWORD flags) override {
        if (script.shouldFail("WinHttpOpen")) return nullptr;
        userAgent = agent;
        accessType = access;
        proxyGiven = proxyName != nullptr || proxyBypass != nullptr;
        sessionFlags = flags;
        return opened(kSession);
    }
    HINTERNET connect(HINTERNET session, const wchar_t* serverName,
                      INTERNET_PORT serverPort) override {
        if (script.shouldFail("WinHttpConnect")) return nullptr;
        if (session != kSession) return wrongHandle();
        host = serverName;
        port = serverPort;
        return opened(kConnection);
    }
    HINTERNET openRequest(HINTERNET connection, const wchar_t* requestVerb, const wchar_t* object,
                          const wchar_t* version, const wchar_t* referrer,
                          const wchar_t** acceptTypes, DWORD flags) override {
        if (script.shouldFail("WinHttpOpenRequest")) return nullptr;
        if (connection != kConnection) return wrongHandle();
        verb = requestVerb;
        objectName = object;
        versionOrReferrerGiven = version != nullptr || referrer != nullptr;
        acceptTypesGiven = acceptTypes != nullptr;
        requestFlags = flags;
        return opened(kRequest);
    }
    BOOL sendRequest(HINTERNET request, const wchar_t* headers, DWORD headersLength, void* optional,
                     DWORD optionalLength, DWORD totalLength) override {
        if (script.shouldFail("WinHttpSendRequest")) return FALSE;
        if (request != kRequest) return wrongHandle() != nullptr;
        headersOrBodyGiven = headers != nullptr || headersLength != 0 || optional != nullptr ||
                             optionalLength != 0 || totalLength != 0;
        return TRUE;
    }
    BOOL receiveResponse(HINTERNET request) override {
        if (script.shouldFail("WinHttpReceiveResponse")) return FALSE;
        return request == kRequest;
    }
    BOOL queryDataAvailable(HINTERNET request, DWORD* available) override {
        if (script.shouldFail("WinHttpQueryDataAvailable")) return FALSE;
        if (request != kRequest) return FALSE;
        if (!announcements.empty()) {
            *available = announcements.front();
            announcements.pop_front();
            return TRUE;
        }
        while (!chunks.empty() && chunks.front().empty()) chunks.pop_front();
        *available = chunks.empty() ? 0 : static_cast<DWORD>(chunks.front().size());
        return TRUE;
    }
    BOOL readData(HINTERNET request, void* buffer, DWORD toRead, DWORD* read) override {
        readSizes.push_back(toRead);
        if (static_cast<int>(readSizes.size()) == readThatRunsOutOfMemory) {
            ::SetLastError(lastErrorOfMemory);
            recordAllocationFailure();
        }
        if (script.shouldFail("WinHttpReadData")) {
            // A failed read loses the data it would have read.
            if (!chunks.empty()) chunks.pop_front();
            return FALSE;
        }
        if (request != kRequest) return FALSE;
        *read = 0;
        if (chunks.empty()) return TRUE;
        std::string& chunk = chunks.front();
        const size_t count = std::min<size_t>(toRead, chunk.size());
        std::memcpy(buffer, chunk.data(), count);
        chunk.erase(0, count);
        if (chunk.empty()) chunks.pop_front();
        *read = static_cast<DWORD>(count);
        return TRUE;
    }
    BOOL closeHandle(HINTERNET handle) override {
        open_.erase(handle);
        closed.push_back(handle == kSession      ? "session"
                         : handle == kConnection ? "connection"
                         : handle == kRequest    ? "request"
                                                 : "unknown");
        if (script.shouldFail("WinHttpCloseHandle")) return FALSE;
        return TRUE;
    }

  private:
    static inline char session_, connection_, request_;
    static inline const HINTERNET kSession = &session_;
    static inline const HINTERNET kConnection = &connection_;
    static inline const HINTERNET kRequest = &request_;

    HINTERNET opened(HINTERNET handle) {
        open_.insert(handle);
        return handle;
    }
    static HINTERNET wrongHandle() {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }

    std::set<HINTERNET> open_;
};

}  // namespace fakes
