#pragma once
// What one update check needs from the outside world: a way to fetch an
// address and a place to keep the downloaded installer until it is started.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "update/update_address.h"

namespace fw {

enum class FetchResult {
    Ok,
    Unreachable,  // no name resolution, no connection, a timeout, a broken transfer
    HttpError,    // the server answered with anything but 200
    TooLarge,     // more than the allowed bytes were announced or sent
    Refused,      // the sink refused a piece, or a redirect led to an unusable address
    Cancelled,
};

class UpdateTransport {
public:
    virtual ~UpdateTransport() = default;
    // GET of `address`; the body is handed to `sink` piece by piece as it arrives.
    virtual FetchResult Fetch(const UpdateAddress& address, std::uint64_t maxBytes,
                              const std::function<bool(std::string_view)>& sink) = 0;
};

// The downloaded installer on disk. One store serves one download.
class DownloadStore {
public:
    virtual ~DownloadStore() = default;
    // A new, empty file under `fileName` in a place of its own.
    virtual bool Create(const std::string& fileName) = 0;
    virtual bool Write(std::string_view piece) = 0;
    // Ends writing and holds the file so that nobody can change it any more;
    // returns the SHA-256 (lower-case hex) of the bytes as they now lie on disk.
    virtual std::optional<std::string> SealAndHash() = 0;
    // The shell's "open" of the sealed file; true when it started.
    virtual bool Run() = 0;
    // Removes whatever was written.
    virtual void Discard() = 0;
};

}  // namespace fw
