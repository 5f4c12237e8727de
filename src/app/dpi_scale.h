#pragma once
// Window layout is designed at 96 dots per inch and scaled once for the screen.

namespace fw {

inline constexpr int kDesignDpi = 96;

// `value` design pixels at `dpi`, rounded to the nearest pixel (halves away
// from zero, so a layout and its mirror image scale alike). A dpi that is not
// positive leaves the value as designed.
int ScaleForDpi(int value, int dpi);

}  // namespace fw
