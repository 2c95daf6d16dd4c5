// WinHTTP, used synchronously: a session, a connection to one host and port,
// one request on it, and the calls that send it and receive the body.
#pragma once

#include <windows.h>
#include <winhttp.h>

#include "platform/facility.h"
#include "platform/unique_handle.h"

namespace platform {

class WinHttp {
  public:
    virtual ~WinHttp() = default;
    static WinHttp& win32();

    // WinHttpOpen: a session handle, or null.
    virtual HINTERNET open(const wchar_t* userAgent, DWORD accessType, const wchar_t* proxyName,
                           const wchar_t* proxyBypass, DWORD flags) = 0;
    // WinHttpConnect: a connection handle, or null.
    virtual HINTERNET connect(HINTERNET session, const wchar_t* serverName,
                              INTERNET_PORT serverPort) = 0;
    // WinHttpOpenRequest: a request handle, or null.
    virtual HINTERNET openRequest(HINTERNET connection, const wchar_t* verb,
                                  const wchar_t* objectName, const wchar_t* version,
                                  const wchar_t* referrer, const wchar_t** acceptTypes,
                                  DWORD flags) = 0;
    // WinHttpSendRequest without a context value.
    virtual BOOL sendRequest(HINTERNET request, const wchar_t* headers, DWORD headersLength,
                             void* optional, DWORD optionalLength, DWORD totalLength) = 0;
    // WinHttpReceiveResponse.
    virtual BOOL receiveResponse(HINTERNET request) = 0;
    // WinHttpQueryDataAvailable.
    virtual BOOL queryDataAvailable(HINTERNET request, DWORD* available) = 0;
    // WinHttpReadData.
    virtual BOOL readData(HINTERNET request, void* buffer, DWORD toRead, DWORD* read) = 0;
    // WinHttpCloseHandle of a session, connection or request handle.
    virtual BOOL closeHandle(HINTERNET handle) = 0;
};

struct InternetHandleTraits {
    using Handle = HINTERNET;
    static Handle invalid() { return nullptr; }
    static void close(Handle handle) { use<WinHttp>().closeHandle(handle); }
};

// A WinHTTP session, connection or request, closed through the facility.
using UniqueInternetHandle = UniqueHandle<InternetHandleTraits>;

}  // namespace platform
