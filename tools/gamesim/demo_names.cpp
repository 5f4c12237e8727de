#include "gamesim/demo_names.h"

#include "common/text.h"

namespace fw::gamesim {

bool IsPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    return name.find_first_of("/\\:") == std::string_view::npos;
}

std::optional<DemoFileNames> DemoFileNamesFor(std::string_view demoName) {
    if (!IsPlainFileName(demoName)) {
        return std::nullopt;
    }
    constexpr std::string_view kDemoExtension = ".tmd";
    std::string_view stem = demoName;
    if (stem.size() > kDemoExtension.size() &&
        EqualsIgnoreCase(stem.substr(stem.size() - kDemoExtension.size()), kDemoExtension)) {
        stem.remove_suffix(kDemoExtension.size());
        return DemoFileNames{std::string(demoName), std::string(stem) + ".log"};
    }
    return DemoFileNames{std::string(stem) + ".tmd", std::string(stem) + ".log"};
}

}  // namespace fw::gamesim
