#pragma once
// Where the information file is fetched from. It can be moved without a new
// build: the environment variable FRAMEWRIGHT_UPDATE_URL wins, then the first
// non-blank line of the file "update.url" beside the program, then the address
// built in. A blank setting counts as no setting; any other value is taken as
// it stands, even when it is not a usable address, so that a mistyped test
// address fails the check instead of quietly reaching the real server.
#include <optional>
#include <string>
#include <string_view>

namespace fw {

inline constexpr std::string_view kDefaultUpdateInfoAddress =
    "https://www.brimvale.example/benchmarks/framewright.inf";
inline constexpr std::string_view kUpdateAddressVariable = "FRAMEWRIGHT_UPDATE_URL";
inline constexpr std::string_view kUpdateAddressFileName = "update.url";

// environment: the variable's value, nothing when it is not set; fileText: the
// whole content of "update.url", nothing when there is no such file.
std::string ChooseUpdateInfoAddress(std::optional<std::string_view> environment,
                                    std::optional<std::string_view> fileText);

}  // namespace fw
