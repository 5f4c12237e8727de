#pragma once
// SHA-256, fed piece by piece so that a download can be hashed while it arrives.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fw {

class Sha256 {
public:
    using Digest = std::array<std::uint8_t, 32>;

    Sha256() { Reset(); }

    void Update(std::string_view bytes);
    // The digest of everything fed since the last reset; starts afresh afterwards.
    Digest Finish();

private:
    void Reset();
    void Compress(const std::uint8_t* block);

    std::array<std::uint32_t, 8> state_{};
    std::array<std::uint8_t, 64> buffer_{};
    std::size_t buffered_ = 0;
    std::uint64_t totalBytes_ = 0;
};

// Lower-case hexadecimal, 64 digits.
std::string HexDigest(const Sha256::Digest& digest);
std::string Sha256Hex(std::string_view bytes);

}  // namespace fw
