#include "delivery/version_manifest.h"

#include <windows.h>

#include <cstring>
#include <new>
#include <string>

#include "delivery/version_manifest_parser.h"
#include "log/install_log.h"
#include "platform/winhttp.h"
#include "policy/policy_settings.h"

const wchar_t kVersionManifestPath[] = L"/pub/vireoplayer/update/current/sau/11/xml/version.xml";

namespace {

const wchar_t kUserAgent[] = L"Get Vireo Player version xml/1.0";
const INTERNET_PORT kHttpsPort = 443;

// Collects the body of `request` into `text`: pass after pass, as long as the
// pass before announced data. A failed query or read is logged and does not
// discard what came before.
void receiveText(platform::WinHttp& http, HINTERNET request, std::string& text) {
    DWORD announced = 0;
    do {
        announced = 0;
        if (!http.queryDataAvailable(request, &announced)) {
            const DWORD lastError = ::GetLastError();
            announced = 0;
            logLastError(msg::kManifestQueryDataFailed, lastError);
        }
        if (announced == 0) break;

        // One byte more than asked for, zero-filled, so the chunk's text always
        // ends in a zero byte. A chunk never needs more than the bound.
        const DWORD toRead = announced < kVersionManifestMaximumLength
                                 ? announced
                                 : static_cast<DWORD>(kVersionManifestMaximumLength);
        std::unique_ptr<char[]> buffer(new (std::nothrow) char[toRead + 1]);
        if (!buffer) {
            logMessage(msg::kManifestNoBuffer);
            return;
        }
        std::memset(buffer.get(), 0, toRead + 1);
        DWORD read = 0;
        if (!http.readData(request, buffer.get(), toRead, &read)) {
            logLastError(msg::kManifestReadFailed, ::GetLastError());
            continue;
        }
        // The chunk's text ends at its first zero byte.
        std::size_t length = std::strlen(buffer.get());
        bool full = false;
        if (length > kVersionManifestMaximumLength - text.size()) {
            length = kVersionManifestMaximumLength - text.size();
            full = true;
        }
        try {
            text.append(buffer.get(), length);
        } catch (const std::bad_alloc&) {
            full = true;
        }
        if (full) {
            // No manifest is that large: stop taking more, parse what came.
            logMessage(msg::kManifestNoBuffer);
            return;
        }
    } while (announced > 0);
}

}  // namespace

bool fetchVersionManifest(std::unique_ptr<ComponentVersion>& activeX,
                          std::unique_ptr<ComponentVersion>& plugin,
                          std::unique_ptr<std::uint32_t>& checkFrequency) {
    platform::WinHttp& http = platform::use<platform::WinHttp>();
    std::string text;
    bool responded = false;
    {
        // Each step needs the one before; a step that cannot run logs its own
        // code with the last error of the step that failed first.
        DWORD lastError = ERROR_SUCCESS;
        platform::UniqueInternetHandle session(
            http.open(kUserAgent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                      WINHTTP_NO_PROXY_BYPASS, 0));
        if (!session) {
            lastError = ::GetLastError();
            logLastError(msg::kManifestSessionFailed, lastError);
        }

        platform::UniqueInternetHandle connection;
        if (session) {
            connection.reset(http.connect(session.get(), manifestHost.c_str(), kHttpsPort));
            if (!connection) lastError = ::GetLastError();
        }
        if (!connection) logLastError(msg::kManifestNoConnection, lastError);

        platform::UniqueInternetHandle request;
        if (connection) {
            request.reset(http.openRequest(connection.get(), L"GET", kVersionManifestPath, nullptr,
                                           WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                           WINHTTP_FLAG_SECURE));
            if (!request) lastError = ::GetLastError();
        }
        if (!request) logLastError(msg::kManifestNoRequest, lastError);

        bool sent = false;
        if (request) {
            sent = http.sendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                                    WINHTTP_NO_REQUEST_DATA, 0, 0) != FALSE;
            if (!sent) lastError = ::GetLastError();
        }
        if (!sent) logLastError(msg::kManifestNotSent, lastError);

        if (sent) {
            responded = http.receiveResponse(request.get()) != FALSE;
            if (!responded) lastError = ::GetLastError();
        }
        if (!responded) {
            logLastError(msg::kManifestNoResponse, lastError);
        } else {
            receiveText(http, request.get(), text);
        }

        request.reset();
        connection.reset();
        session.reset();
    }
    if (!responded) {
        logMessage(msg::kManifestNothingReceived);
        return false;
    }
    if (!parseVersionManifest(&text[0], activeX, plugin, checkFrequency)) {
        logMessage(msg::kManifestNotInterpreted);
        return false;
    }
    return true;
}

bool fetchVersionManifest(VersionManifest& manifest) {
    return fetchVersionManifest(manifest.activeX, manifest.plugin, manifest.checkFrequency);
}
