#pragma once
// Addresses the updater is willing to fetch from: HTTPS anywhere, plain HTTP
// only to this machine (127.0.0.1 or localhost), which is what test servers use.
// Anything a server or a proxy might read differently from us is refused:
// credentials, blanks, control or non-ASCII bytes, backslashes, fragments.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fw {

struct UpdateAddress {
    bool secure = true;  // https
    std::string host;    // lower case
    std::uint16_t port = 443;
    std::string path;  // starts with "/", query included
};

inline constexpr std::size_t kMaxUpdateAddressLength = 2048;

std::optional<UpdateAddress> ParseUpdateAddress(std::string_view text);

bool IsLoopbackHost(std::string_view host);

// "https://host:port/path", the port always written.
std::string AddressText(const UpdateAddress& address);

// Where a redirect from `from` leads: an absolute address, or a path on the same
// server ("/..."). Each step is checked by the same rules before anything is
// sent to it. Nothing for anything else, and nothing for a step down from HTTPS
// to plain HTTP, even to this machine.
std::optional<UpdateAddress> ResolveRedirect(const UpdateAddress& from, std::string_view location);

}  // namespace fw
