#include "results/quality_names.h"

namespace fw {

std::string_view QualityName(int qualityLevel) {
    switch (qualityLevel) {
        case 1:
            return "Low";
        case 2:
            return "Medium";
        case 3:
            return "High";
        case 4:
            return "Very High (with tweaks)";
        default:
            return {};
    }
}

}  // namespace fw
