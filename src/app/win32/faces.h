#pragma once
// How the owner-drawn controls look: check boxes, radio items and the kinds of
// buttons the window has.
#include <windows.h>

#include <string>

#include "app/win32/controls_view.h"
#include "app/win32/drawing.h"

namespace fw::win32 {

class Theme;

// A check box or radio item with its caption, over the background already drawn.
void PaintCheckItem(HDC dc, const RECT& area, const ButtonLook& look, const std::string& text,
                    const Theme& theme, bool radio);
// Only the box of a check item, `size` pixels square at (left, top).
void PaintCheckBox(HDC dc, int left, int top, int size, const ButtonLook& look, bool radio);

// A plain push button with a caption ("Possibilities", "Add", "Save To C").
ButtonPainter PushFace(const Theme& theme);
// A small square tool button showing a glyph, or its caption when it has no glyph.
ButtonPainter ToolFace(const Theme& theme, Glyph glyph);
// The start panel's glossy silver buttons with white text.
ButtonPainter GlassFace(const Theme& theme);
// The borderless Minimize and Exit buttons.
ButtonPainter FlatFace(const Theme& theme, Glyph glyph);
// A round picture button at the top of the window.
ButtonPainter RoundIconFace(const Theme& theme, Glyph glyph);
// The run button.
ButtonPainter BenchFace(const Theme& theme);
// A web address shown as a link.
ButtonPainter LinkFace(const Theme& theme);
// An item of the group bar: a glyph and its text in `font`.
ButtonPainter GroupItemFace(const Theme& theme, Glyph glyph, HFONT font);
// Where the text of a group bar item starts, in design pixels.
inline constexpr int kGroupItemTextLeft = 23;
// The one page tab the page control may show.
ButtonPainter TabFace(const Theme& theme);

}  // namespace fw::win32
