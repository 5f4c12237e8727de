#include "app/win32/debug_chart_action.h"

namespace fw::win32 {

void DebugChartAction() {
    // "Chart" has no action of its own.
}

}  // namespace fw::win32
