#include "update/update_address.h"

#include "common/text.h"

namespace fw {

namespace {

bool IsAsciiAlnum(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Visible ASCII only, without the characters that have no business in an
// address and that some parsers treat specially.
bool IsAllowedCharacter(char c) {
    auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F) {
        return false;
    }
    constexpr std::string_view kRefused = "\\#\"<>^`{|}";
    return kRefused.find(c) == std::string_view::npos;
}

bool IsValidHost(std::string_view host) {
    if (host.empty() || host.size() > 253) {
        return false;
    }
    std::size_t labelLength = 0;
    char previous = '.';
    for (char c : host) {
        if (c == '.') {
            if (labelLength == 0 || previous == '-') {
                return false;
            }
            labelLength = 0;
        } else if (IsAsciiAlnum(c) || c == '-') {
            if (c == '-' && labelLength == 0) {
                return false;
            }
            if (++labelLength > 63) {
                return false;
            }
        } else {
            return false;
        }
        previous = c;
    }
    return labelLength > 0 && previous != '-';
}

std::optional<std::uint16_t> ParsePort(std::string_view text) {
    if (text.empty() || text.size() > 5) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (value == 0 || value > 65535) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(value);
}

}  // namespace

bool IsLoopbackHost(std::string_view host) {
    return EqualsIgnoreCase(host, "localhost") || host == "127.0.0.1";
}

std::optional<UpdateAddress> ParseUpdateAddress(std::string_view text) {
    if (text.empty() || text.size() > kMaxUpdateAddressLength) {
        return std::nullopt;
    }
    for (char c : text) {
        if (!IsAllowedCharacter(c)) {
            return std::nullopt;
        }
    }
    UpdateAddress address;
    constexpr std::string_view kHttps = "https://";
    constexpr std::string_view kHttp = "http://";
    std::string_view rest;
    if (text.size() >= kHttps.size() && EqualsIgnoreCase(text.substr(0, kHttps.size()), kHttps)) {
        address.secure = true;
        address.port = 443;
        rest = text.substr(kHttps.size());
    } else if (text.size() >= kHttp.size() &&
               EqualsIgnoreCase(text.substr(0, kHttp.size()), kHttp)) {
        address.secure = false;
        address.port = 80;
        rest = text.substr(kHttp.size());
    } else {
        return std::nullopt;
    }

    std::size_t authorityEnd = rest.find_first_of("/?");
    std::string_view authority = rest.substr(0, authorityEnd);
    std::string_view path =
        authorityEnd == std::string_view::npos ? std::string_view{} : rest.substr(authorityEnd);
    // A user name or password in the address would be sent along; a bracketed
    // host is an IPv6 literal, which the updater does not need.
    if (authority.find_first_of("@[]") != std::string_view::npos) {
        return std::nullopt;
    }
    std::size_t colon = authority.find(':');
    std::string_view host = authority.substr(0, colon);
    if (colon != std::string_view::npos) {
        auto port = ParsePort(authority.substr(colon + 1));
        if (!port) {
            return std::nullopt;
        }
        address.port = *port;
    }
    if (!IsValidHost(host)) {
        return std::nullopt;
    }
    address.host = ToLowerAscii(host);
    if (!address.secure && !IsLoopbackHost(address.host)) {
        return std::nullopt;
    }
    if (path.empty()) {
        address.path = "/";
    } else if (path.front() == '?') {
        address.path = "/" + std::string(path);
    } else {
        address.path = std::string(path);
    }
    return address;
}

std::string AddressText(const UpdateAddress& address) {
    return std::string(address.secure ? "https://" : "http://") + address.host + ":" +
           std::to_string(address.port) + address.path;
}

std::optional<UpdateAddress> ResolveRedirect(const UpdateAddress& from, std::string_view location) {
    std::optional<UpdateAddress> next;
    if (location.starts_with("/") && !location.starts_with("//")) {
        UpdateAddress sameServer = from;
        sameServer.path.clear();
        next = ParseUpdateAddress(AddressText(sameServer) + std::string(location));
    } else {
        next = ParseUpdateAddress(location);
    }
    if (next && from.secure && !next->secure) {
        return std::nullopt;
    }
    return next;
}

}  // namespace fw
