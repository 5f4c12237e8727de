#pragma once
// Fetches update files with WinHTTP, synchronously, on the calling (background)
// thread. Every wait is bounded by a timeout of a few seconds, and the stop
// token is looked at between pieces, so a fetch ends soon after it is no longer
// wanted.
#include <stop_token>

#include "update/update_services.h"

namespace fw::win32 {

class WinHttpTransport final : public UpdateTransport {
public:
    // direct: no proxy at all; otherwise the machine's configured WinHTTP proxy.
    WinHttpTransport(bool direct, std::stop_token stop);

    FetchResult Fetch(const UpdateAddress& address, std::uint64_t maxBytes,
                      const std::function<bool(std::string_view)>& sink) override;

private:
    // request: the WinHTTP request handle whose response has arrived.
    FetchResult ReadBody(void* request, std::uint64_t maxBytes,
                         const std::function<bool(std::string_view)>& sink);

    bool direct_;
    std::stop_token stop_;
};

}  // namespace fw::win32
