#include "update/update_decision.h"

#include "update/update_info.h"
#include "update/version_compare.h"

namespace fw {

UpdateDecision DecideUpdate(std::string_view infoText, std::string_view installedVersion) {
    UpdateInfoParse parsed = ParseUpdateInfo(infoText);
    if (!parsed.info) {
        return InvalidUpdate{};
    }
    auto order = CompareVersions(parsed.info->version, installedVersion);
    if (!order) {
        return InvalidUpdate{};
    }
    if (*order != std::strong_ordering::greater) {
        return NoUpdate{};
    }
    UpdateInfo& info = *parsed.info;
    return NewerVersion{std::move(info.version), std::move(info.url), std::move(info.address),
                        std::move(info.sha256)};
}

}  // namespace fw
