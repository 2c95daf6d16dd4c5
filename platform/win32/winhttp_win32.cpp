#include "platform/winhttp.h"

namespace platform {
namespace {

class Win32WinHttp final : public WinHttp {
  public:
    HINTERNET open(const wchar_t* userAgent, DWORD accessType, const wchar_t* proxyName,
                   const wchar_t* proxyBypass, DWORD flags) override {
        return ::WinHttpOpen(userAgent, accessType, proxyName, proxyBypass, flags);
    }
    HINTERNET connect(HINTERNET session, const wchar_t* serverName,
                      INTERNET_PORT serverPort) override {
        return ::WinHttpConnect(session, serverName, serverPort, 0);
    }
    HINTERNET openRequest(HINTERNET connection, const wchar_t* verb, const wchar_t* objectName,
                          const wchar_t* version, const wchar_t* referrer,
                          const wchar_t** acceptTypes, DWORD flags) override {
        return ::WinHttpOpenRequest(connection, verb, objectName, version, referrer, acceptTypes,
                                    flags);
    }
    BOOL sendRequest(HINTERNET request, const wchar_t* headers, DWORD headersLength, void* optional,
                     DWORD optionalLength, DWORD totalLength) override {
        return ::WinHttpSendRequest(request, headers, headersLength, optional, optionalLength,
                                    totalLength, 0);
    }
    BOOL receiveResponse(HINTERNET request) override {
        return ::WinHttpReceiveResponse(request, nullptr);
    }
    BOOL queryDataAvailable(HINTERNET request, DWORD* available) override {
        return ::WinHttpQueryDataAvailable(request, available);
    }
    BOOL readData(HINTERNET request, void* buffer, DWORD toRead, DWORD* read) override {
        return ::WinHttpReadData(request, buffer, toRead, read);
    }
    BOOL closeHandle(HINTERNET handle) override { return ::WinHttpCloseHandle(handle); }
};

}  // namespace

WinHttp& WinHttp::win32() {
    static Win32WinHttp winHttp;
    return winHttp;
}

}  // namespace platform
