#pragma once
// Our update information file: lines "key=value" with the keys version, url and
// sha256, for example
//
//   version=1.2.0.0
//   url=https://www.brimvale.example/benchmarks/framewright-setup.exe
//   sha256=<64 hexadecimal digits of the download>
//
// Keys are matched without regard to case; blanks around keys and values, blank
// lines and lines starting with "#" or ";" are ignored, and so are unknown keys,
// so that later versions of the file can say more. The file comes from the
// network and is treated as hostile: any doubt rejects the whole file.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "update/update_address.h"

namespace fw {

inline constexpr std::size_t kMaxUpdateInfoBytes = 64 * 1024;

struct UpdateInfo {
    std::string version;
    std::string url;
    UpdateAddress address;  // of url
    std::string sha256;     // lower case
};

enum class UpdateInfoError {
    None,
    TooLarge,
    NotText,        // control bytes other than tab, CR and LF
    MalformedLine,  // no "=", or a key that is not a plain word
    DuplicateKey,
    MissingKey,
    BadVersion,
    BadAddress,
    BadHash,
};

struct UpdateInfoParse {
    std::optional<UpdateInfo> info;
    UpdateInfoError error = UpdateInfoError::None;
};

UpdateInfoParse ParseUpdateInfo(std::string_view text);

// Exactly 64 hexadecimal digits, either case.
bool IsSha256Hex(std::string_view text);

}  // namespace fw
