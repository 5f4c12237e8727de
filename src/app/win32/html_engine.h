#pragma once
// Whether the system's HTML engine (the one the WebBrowser control draws
// with) can be used on this machine.

namespace fw::win32 {

// Creates and drops one HTML document in a COM apartment of the calling
// thread. Loading the engine can take a while (or, under Wine without its
// HTML engine installed, wait on Wine's own installer), so this runs on a
// background thread, never on a window's.
bool HtmlEngineUsable();

}  // namespace fw::win32
