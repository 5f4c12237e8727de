#include "app/dpi_scale.h"

namespace fw {

int ScaleForDpi(int value, int dpi) {
    if (dpi <= 0) {
        return value;
    }
    const long long scaled = static_cast<long long>(value) * dpi;
    const long long half = kDesignDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kDesignDpi
                                        : -((-scaled + half) / kDesignDpi));
}

}  // namespace fw
