#pragma once
// What a fetched information file means for the version installed here.
#include <string>
#include <string_view>
#include <variant>

#include "update/update_address.h"

namespace fw {

// The file offers the installed version, an older one, or nothing newer.
struct NoUpdate {};

struct NewerVersion {
    std::string version;
    std::string url;
    UpdateAddress address;  // of url
    std::string sha256;     // lower case
};

// The file cannot be trusted, or the installed version is not a version at all
// (a program without version information): nothing can be offered safely.
struct InvalidUpdate {};

using UpdateDecision = std::variant<NoUpdate, NewerVersion, InvalidUpdate>;

UpdateDecision DecideUpdate(std::string_view infoText, std::string_view installedVersion);

}  // namespace fw
