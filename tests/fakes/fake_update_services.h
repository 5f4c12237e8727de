#pragma once
// Stand-ins for the network and the download folder of an update check.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "update/update_services.h"

namespace fw {

struct FakeResponse {
    FetchResult result = FetchResult::Ok;
    std::string body;
    // The body is handed over in pieces of this size, as a network would.
    std::size_t pieceSize = 7;
    // A server that lies about its size: the cap is left to the caller.
    bool ignoresCap = false;
};

class FakeUpdateTransport : public UpdateTransport {
public:
    // Keyed by "host:port/path" with "https://" or "http://" in front.
    std::map<std::string, FakeResponse> responses;
    std::vector<std::string> fetched;

    FetchResult Fetch(const UpdateAddress& address, std::uint64_t maxBytes,
                      const std::function<bool(std::string_view)>& sink) override;
};

class FakeDownloadStore : public DownloadStore {
public:
    bool createFails = false;
    bool writeFails = false;
    bool runFails = false;
    // What SealAndHash finds on disk when something changed the file after writing.
    std::optional<std::string> swappedContent;
    // Called after every written piece.
    std::function<void()> onWrite;

    std::optional<std::string> createdName;
    std::string content;
    bool sealed = false;
    bool ran = false;
    bool discarded = false;

    bool Create(const std::string& fileName) override;
    bool Write(std::string_view piece) override;
    std::optional<std::string> SealAndHash() override;
    bool Run() override;
    void Discard() override;
};

}  // namespace fw
