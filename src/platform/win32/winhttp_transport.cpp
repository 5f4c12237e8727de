#include "platform/win32/winhttp_transport.h"

#include <windows.h>

#include <winhttp.h>

#include <cwchar>
#include <string>
#include <vector>

#include "common/text.h"
#include "platform/win32/handles.h"

namespace fw::win32 {

namespace {

struct InternetHandleTraits {
    static HINTERNET Empty() { return nullptr; }
    static bool IsValid(HINTERNET h) { return h != nullptr; }
    static void Close(HINTERNET h) { ::WinHttpCloseHandle(h); }
};
using UniqueInternet = UniqueResource<HINTERNET, InternetHandleTraits>;

constexpr int kResolveTimeoutMs = 5000;
constexpr int kConnectTimeoutMs = 5000;
constexpr int kSendTimeoutMs = 5000;
constexpr int kReceiveTimeoutMs = 10000;
constexpr DWORD kPieceBytes = 64 * 1024;
constexpr int kMaxRedirects = 5;

void SetDword(HINTERNET handle, DWORD option, DWORD value) {
    ::WinHttpSetOption(handle, option, &value, sizeof(value));
}

void RestrictToCurrentTls(HINTERNET session) {
    // Windows 7 offers only TLS 1.0 unless told otherwise; older Windows knows
    // neither flag and keeps its defaults.
    DWORD modern = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2 | WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_3;
    if (!::WinHttpSetOption(session, WINHTTP_OPTION_SECURE_PROTOCOLS, &modern, sizeof(modern))) {
        SetDword(session, WINHTTP_OPTION_SECURE_PROTOCOLS, WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2);
    }
}

std::optional<DWORD> StatusCode(HINTERNET request) {
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!::WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                               WINHTTP_HEADER_NAME_BY_INDEX, &status, &size,
                               WINHTTP_NO_HEADER_INDEX)) {
        return std::nullopt;
    }
    return status;
}

// The announced length, when there is one that can be read.
std::optional<std::uint64_t> ContentLength(HINTERNET request) {
    wchar_t text[32] = {};
    DWORD size = sizeof(text);
    if (!::WinHttpQueryHeaders(request, WINHTTP_QUERY_CONTENT_LENGTH, WINHTTP_HEADER_NAME_BY_INDEX,
                               text, &size, WINHTTP_NO_HEADER_INDEX)) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    bool any = false;
    for (const wchar_t* p = text; *p != L'\0'; ++p) {
        if (*p < L'0' || *p > L'9' || value > (UINT64_MAX - 9) / 10) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(*p - L'0');
        any = true;
    }
    return any ? std::optional<std::uint64_t>(value) : std::nullopt;
}

bool IsRedirect(DWORD status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The redirect's target as narrow text; characters outside ASCII are turned
// into a byte the address rules refuse.
std::string LocationHeader(HINTERNET request) {
    // Longer than any address the rules accept, so one query is enough.
    std::vector<wchar_t> buffer(kMaxUpdateAddressLength + 2, L'\0');
    auto size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (!::WinHttpQueryHeaders(request, WINHTTP_QUERY_LOCATION, WINHTTP_HEADER_NAME_BY_INDEX,
                               buffer.data(), &size, WINHTTP_NO_HEADER_INDEX)) {
        return {};
    }
    std::string narrow;
    for (const wchar_t* p = buffer.data(); *p != L'\0'; ++p) {
        narrow += (*p < 0x80) ? static_cast<char>(*p) : '\x80';
    }
    return narrow;
}

}  // namespace

WinHttpTransport::WinHttpTransport(bool direct, std::stop_token stop)
    : direct_(direct), stop_(std::move(stop)) {}

FetchResult WinHttpTransport::Fetch(const UpdateAddress& address, std::uint64_t maxBytes,
                                    const std::function<bool(std::string_view)>& sink) {
    UniqueInternet session(
        ::WinHttpOpen(L"Framewright-Updater/1.0",
                      direct_ ? WINHTTP_ACCESS_TYPE_NO_PROXY : WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                      WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session) {
        return FetchResult::Unreachable;
    }
    ::WinHttpSetTimeouts(session.Get(), kResolveTimeoutMs, kConnectTimeoutMs, kSendTimeoutMs,
                         kReceiveTimeoutMs);
    RestrictToCurrentTls(session.Get());

    UpdateAddress current = address;
    for (int hop = 0;; ++hop) {
        UniqueInternet connection(
            ::WinHttpConnect(session.Get(), WideFromCp1252(current.host).c_str(), current.port, 0));
        if (!connection) {
            return FetchResult::Unreachable;
        }
        UniqueInternet request(::WinHttpOpenRequest(
            connection.Get(), L"GET", WideFromCp1252(current.path).c_str(), nullptr,
            WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
            WINHTTP_FLAG_REFRESH | (current.secure ? WINHTTP_FLAG_SECURE : 0)));
        if (!request) {
            return FetchResult::Unreachable;
        }
        // Redirects are followed here, one by one, so that every step is checked
        // by the address rules before anything is sent to it. Nothing of the
        // user's goes to the update server: no cookies, no Windows logon.
        SetDword(request.Get(), WINHTTP_OPTION_DISABLE_FEATURE,
                 WINHTTP_DISABLE_REDIRECTS | WINHTTP_DISABLE_COOKIES);
        SetDword(request.Get(), WINHTTP_OPTION_AUTOLOGON_POLICY,
                 WINHTTP_AUTOLOGON_SECURITY_LEVEL_HIGH);

        if (!::WinHttpSendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                                  WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
            !::WinHttpReceiveResponse(request.Get(), nullptr)) {
            return stop_.stop_requested() ? FetchResult::Cancelled : FetchResult::Unreachable;
        }
        if (stop_.stop_requested()) {
            return FetchResult::Cancelled;
        }
        DWORD status = StatusCode(request.Get()).value_or(0);
        if (IsRedirect(status)) {
            auto next = ResolveRedirect(current, LocationHeader(request.Get()));
            if (!next || hop + 1 >= kMaxRedirects) {
                return FetchResult::Refused;
            }
            current = *next;
            continue;
        }
        if (status != 200) {
            return FetchResult::HttpError;
        }
        return ReadBody(request.Get(), maxBytes, sink);
    }
}

FetchResult WinHttpTransport::ReadBody(void* request, std::uint64_t maxBytes,
                                       const std::function<bool(std::string_view)>& sink) {
    if (auto announced = ContentLength(request); announced && *announced > maxBytes) {
        return FetchResult::TooLarge;
    }
    std::vector<char> piece(kPieceBytes);
    std::uint64_t received = 0;
    for (;;) {
        if (stop_.stop_requested()) {
            return FetchResult::Cancelled;
        }
        DWORD read = 0;
        if (!::WinHttpReadData(request, piece.data(), kPieceBytes, &read)) {
            return FetchResult::Unreachable;
        }
        if (read == 0) {
            return FetchResult::Ok;
        }
        received += read;
        if (received > maxBytes) {
            return FetchResult::TooLarge;
        }
        if (!sink(std::string_view(piece.data(), read))) {
            return FetchResult::Refused;
        }
    }
}

}  // namespace fw::win32
