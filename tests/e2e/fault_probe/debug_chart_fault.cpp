// The fault probe's "Chart" button: an error escapes the click handler, as an
// unforeseen fault would, and the program's error report must catch it.
#include <stdexcept>

#include "app/win32/debug_chart_action.h"

namespace fw::win32 {

void DebugChartAction() {
    throw std::runtime_error("Fault probe: the Chart button raised an error on purpose.");
}

}  // namespace fw::win32
