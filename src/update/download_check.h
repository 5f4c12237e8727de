#pragma once
// Watches a download as it arrives: counts it against the size cap and hashes
// it, so that nothing over the cap is kept and nothing unverified is run.
#include <cstdint>
#include <string>
#include <string_view>

#include "update/sha256.h"

namespace fw {

inline constexpr std::uint64_t kMaxDownloadBytes = 512ull * 1024 * 1024;

class DownloadCheck {
public:
    // expectedSha256: 64 hexadecimal digits, either case.
    DownloadCheck(std::string_view expectedSha256, std::uint64_t maxBytes);

    // False once the download has grown past the cap; the piece is not hashed then.
    bool Add(std::string_view piece);
    // Ends the check: true when every piece stayed within the cap and the bytes
    // hash to the expected value. Call once, after the last piece.
    bool Verify();

    std::uint64_t Size() const { return size_; }

private:
    std::string expected_;
    std::uint64_t maxBytes_;
    std::uint64_t size_ = 0;
    bool overCap_ = false;
    Sha256 hash_;
};

}  // namespace fw
