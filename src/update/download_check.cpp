#include "update/download_check.h"

#include "common/text.h"

namespace fw {

DownloadCheck::DownloadCheck(std::string_view expectedSha256, std::uint64_t maxBytes)
    : expected_(ToLowerAscii(expectedSha256)), maxBytes_(maxBytes) {}

bool DownloadCheck::Add(std::string_view piece) {
    if (overCap_ || piece.size() > maxBytes_ - size_) {
        overCap_ = true;
        return false;
    }
    size_ += piece.size();
    hash_.Update(piece);
    return true;
}

bool DownloadCheck::Verify() {
    std::string actual = HexDigest(hash_.Finish());
    return !overCap_ && actual == expected_;
}

}  // namespace fw
