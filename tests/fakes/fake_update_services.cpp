#include "fakes/fake_update_services.h"

#include <algorithm>

#include "update/sha256.h"

namespace fw {

FetchResult FakeUpdateTransport::Fetch(const UpdateAddress& address, std::uint64_t maxBytes,
                                       const std::function<bool(std::string_view)>& sink) {
    std::string key = std::string(address.secure ? "https://" : "http://") + address.host + ":" +
                      std::to_string(address.port) + address.path;
    fetched.push_back(key);
    auto found = responses.find(key);
    if (found == responses.end()) {
        return FetchResult::Unreachable;
    }
    const FakeResponse& response = found->second;
    if (response.result != FetchResult::Ok) {
        return response.result;
    }
    if (!response.ignoresCap && response.body.size() > maxBytes) {
        return FetchResult::TooLarge;
    }
    std::string_view rest = response.body;
    while (!rest.empty()) {
        std::size_t take = std::min(rest.size(), std::max<std::size_t>(response.pieceSize, 1));
        if (!sink(rest.substr(0, take))) {
            return FetchResult::Refused;
        }
        rest.remove_prefix(take);
    }
    return FetchResult::Ok;
}

bool FakeDownloadStore::Create(const std::string& fileName) {
    if (createFails) {
        return false;
    }
    createdName = fileName;
    return true;
}

bool FakeDownloadStore::Write(std::string_view piece) {
    if (writeFails || sealed) {
        return false;
    }
    content.append(piece);
    if (onWrite) {
        onWrite();
    }
    return true;
}

std::optional<std::string> FakeDownloadStore::SealAndHash() {
    sealed = true;
    return Sha256Hex(swappedContent ? *swappedContent : content);
}

bool FakeDownloadStore::Run() {
    if (!sealed || runFails) {
        return false;
    }
    ran = true;
    return true;
}

void FakeDownloadStore::Discard() {
    discarded = true;
    content.clear();
}

}  // namespace fw
