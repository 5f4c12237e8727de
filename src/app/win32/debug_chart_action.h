#pragma once
// What the Debug page's "Chart" button does. The program's own build gives it
// no action; the end-to-end tests link a version that raises an error, so that
// the error report can be seen at work in a real window.

namespace fw::win32 {

void DebugChartAction();

}  // namespace fw::win32
