#include "app/win32/faces.h"

#include <algorithm>

#include "app/win32/gdi.h"
#include "app/win32/theme.h"

namespace fw::win32 {

namespace {

constexpr Rgb kWhiteRgb{255, 255, 255};

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

COLORREF TextColour(const ButtonLook& look) {
    return look.enabled ? colours::kSilver : colours::kDisabledText;
}

// A dotted focus frame in the hot colour, readable on black.
void PaintFocus(HDC dc, RECT area) {
    LOGBRUSH dots{BS_SOLID, colours::kHot, 0};
    Pen pen(::ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &dots, 0, nullptr));
    ScopedSelect selectPen(dc, pen.Get());
    ScopedSelect selectBrush(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, area.left, area.top, area.right, area.bottom);
}

Rgb BorderFor(const ButtonLook& look) {
    if (!look.enabled) {
        return {50, 56, 66};
    }
    if (look.pressed) {
        return ToRgb(colours::kHighlight);
    }
    return look.hot ? ToRgb(colours::kHot) : ToRgb(colours::kFrame);
}

// A dark rounded face with a one-pixel border, the base of push and tool buttons.
void PaintDarkFace(HDC dc, const RECT& area, const ButtonLook& look, const Theme& theme) {
    PixelCanvas canvas(Width(area), Height(area));
    const double w = canvas.Width();
    const double h = canvas.Height();
    const double radius = theme.Scale(3);
    canvas.RoundRect(0, 0, w, h, radius, BorderFor(look));
    const Rgb top = look.pressed ? Rgb{22, 26, 32} : look.hot ? Rgb{50, 57, 70} : Rgb{40, 45, 55};
    const Rgb bottom = look.pressed ? Rgb{34, 39, 48}
                       : look.hot   ? Rgb{30, 35, 44}
                                    : Rgb{22, 25, 31};
    canvas.RoundRectGradient(1, 1, w - 1, h - 1, std::max(0.0, radius - 1),
                             look.enabled ? top : Rgb{24, 26, 30},
                             look.enabled ? bottom : Rgb{18, 20, 24});
    DrawCanvas(dc, area.left, area.top, canvas);
}

}  // namespace

void PaintCheckBox(HDC dc, int left, int top, int size, const ButtonLook& look, bool radio) {
    PixelCanvas canvas(size + 1, size + 1);
    const double s = size;
    const Rgb border = !look.enabled ? Rgb{52, 58, 68}
                       : look.hot    ? ToRgb(colours::kHot)
                                     : ToRgb(colours::kFrame);
    const Rgb fill = look.enabled ? Rgb{18, 21, 27} : Rgb{14, 15, 18};
    const Rgb mark = look.enabled ? ToRgb(colours::kHighlight) : Rgb{60, 80, 60};
    if (radio) {
        canvas.FillCircle(s / 2, s / 2, s / 2, border);
        canvas.FillCircle(s / 2, s / 2, s / 2 - 1.2, fill);
        if (look.checked) {
            canvas.FillCircle(s / 2, s / 2, s / 4, mark);
        }
    } else {
        canvas.RoundRect(0, 0, s, s, s / 6, border);
        canvas.RoundRect(1.2, 1.2, s - 1.2, s - 1.2, s / 8, fill);
        if (look.checked) {
            const double stroke = std::max(1.6, s / 7);
            canvas.Line({s * 0.24, s * 0.52}, {s * 0.43, s * 0.72}, stroke, mark);
            canvas.Line({s * 0.43, s * 0.72}, {s * 0.78, s * 0.28}, stroke, mark);
        }
    }
    DrawCanvas(dc, left, top, canvas);
}

void PaintCheckItem(HDC dc, const RECT& area, const ButtonLook& look, const std::string& text,
                    const Theme& theme, bool radio) {
    const int box = theme.Scale(13);
    const int top = area.top + (Height(area) - box) / 2;
    PaintCheckBox(dc, area.left + 1, top, box, look, radio);
    RECT label = area;
    label.left += box + theme.Scale(6);
    DrawTextIn(
        dc, text, label, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, theme.Normal(),
        look.enabled ? (look.hot ? colours::kWhite : colours::kSilver) : colours::kDisabledText);
    if (look.focused) {
        const SIZE extent = MeasureText(theme.Normal(), text);
        RECT focus{label.left - 2, top - 2, std::min<LONG>(label.right, label.left + extent.cx + 2),
                   top + box + 2};
        PaintFocus(dc, focus);
    }
}

ButtonPainter PushFace(const Theme& theme) {
    return [&theme](HDC dc, const RECT& area, const ButtonLook& look, const std::string& text) {
        PaintDarkFace(dc, area, look, theme);
        RECT label = area;
        if (look.pressed) {
            ::OffsetRect(&label, 1, 1);
        }
        DrawTextIn(dc, text, label, DT_CENTER | DT_VCENTER | DT_SINGLELINE, theme.Normal(),
                   look.enabled ? (look.hot ? colours::kWhite : colours::kSilver)
                                : colours::kDisabledText);
        if (look.focused) {
            RECT focus = area;
            ::InflateRect(&focus, -theme.Scale(3), -theme.Scale(3));
            PaintFocus(dc, focus);
        }
    };
}

ButtonPainter ToolFace(const Theme& theme, Glyph glyph) {
    return
        [&theme, glyph](HDC dc, const RECT& area, const ButtonLook& look, const std::string& text) {
            PaintDarkFace(dc, area, look, theme);
            if (glyph == Glyph::None) {
                RECT label = area;
                if (look.pressed) {
                    ::OffsetRect(&label, 1, 1);
                }
                DrawTextIn(dc, text, label, DT_CENTER | DT_VCENTER | DT_SINGLELINE, theme.Normal(),
                           TextColour(look));
            } else {
                PixelCanvas canvas(Width(area), Height(area));
                const Rgb colour = !look.enabled            ? Rgb{80, 84, 92}
                                   : glyph == Glyph::Folder ? Rgb{236, 190, 80}
                                   : look.hot               ? kWhiteRgb
                                                            : ToRgb(colours::kSilver);
                const double shift = look.pressed ? 1 : 0;
                DrawGlyph(canvas, glyph, canvas.Width() / 2.0 + shift,
                          canvas.Height() / 2.0 + shift, theme.Scale(13), colour);
                DrawCanvas(dc, area.left, area.top, canvas);
            }
            if (look.focused) {
                RECT focus = area;
                ::InflateRect(&focus, -theme.Scale(3), -theme.Scale(3));
                PaintFocus(dc, focus);
            }
        };
}

ButtonPainter GlassFace(const Theme& theme) {
    return [&theme](HDC dc, const RECT& area, const ButtonLook& look, const std::string& text) {
        PixelCanvas canvas(Width(area), Height(area));
        const double w = canvas.Width();
        const double h = canvas.Height();
        const double radius = theme.Scale(7);
        const double lift = look.pressed ? -18 : look.hot ? 14 : 0;
        auto tone = [lift](int base) {
            const int value = std::clamp(base + static_cast<int>(lift), 0, 255);
            return Rgb{static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value),
                       static_cast<std::uint8_t>(std::min(255, value + 6))};
        };
        // Border, then the lower body, then the glossy upper half.
        canvas.RoundRect(0, 0, w, h, radius, look.hot ? ToRgb(colours::kHot) : Rgb{70, 74, 82});
        canvas.RoundRectGradient(1, 1, w - 1, h - 1, radius - 1, tone(128), tone(178));
        canvas.Fill(
            1, 1, w - 1, h / 2,
            [&](double x, double y) {
                return PixelCanvas::InsideRoundRect(x, y, 1, 1, w - 1, h - 1, radius - 1);
            },
            [&](double, double y) { return Mix(tone(222), tone(168), (y - 1) / (h / 2)); });
        DrawCanvas(dc, area.left, area.top, canvas);
        RECT label = area;
        if (look.pressed) {
            ::OffsetRect(&label, 1, 1);
        }
        RECT shadow = label;
        ::OffsetRect(&shadow, 1, 1);
        const HFONT font = theme.Tahoma(16);
        DrawTextIn(dc, text, shadow, DT_CENTER | DT_VCENTER | DT_SINGLELINE, font, RGB(70, 72, 78));
        DrawTextIn(dc, text, label, DT_CENTER | DT_VCENTER | DT_SINGLELINE, font, colours::kWhite);
        if (look.focused) {
            RECT focus = area;
            ::InflateRect(&focus, -theme.Scale(4), -theme.Scale(4));
            PaintFocus(dc, focus);
        }
    };
}

ButtonPainter FlatFace(const Theme& theme, Glyph glyph) {
    return [&theme, glyph](HDC dc, const RECT& area, const ButtonLook& look, const std::string&) {
        PixelCanvas canvas(Width(area), Height(area));
        if (look.hot || look.pressed) {
            canvas.RoundRect(0, 0, canvas.Width(), canvas.Height(), theme.Scale(3),
                             look.pressed ? ToRgb(colours::kFrame) : Rgb{255, 255, 255},
                             look.pressed ? 0.9 : 0.12);
        }
        const Rgb colour = look.hot
                               ? (glyph == Glyph::Close ? Rgb{255, 120, 110} : ToRgb(colours::kHot))
                               : ToRgb(colours::kSilver);
        DrawGlyph(canvas, glyph, canvas.Width() / 2.0, canvas.Height() / 2.0, canvas.Width() * 0.8,
                  colour);
        DrawCanvas(dc, area.left, area.top, canvas);
    };
}

ButtonPainter RoundIconFace(const Theme& theme, Glyph glyph) {
    return [&theme, glyph](HDC dc, const RECT& area, const ButtonLook& look, const std::string&) {
        PixelCanvas canvas(Width(area), Height(area));
        const double size = std::min(canvas.Width(), canvas.Height());
        const double c = size / 2.0;
        canvas.FillCircle(c, c, c - 0.5, look.hot ? ToRgb(colours::kHot) : ToRgb(colours::kFrame));
        const Rgb top = look.pressed ? Rgb{8, 20, 34} : Rgb{30, 52, 78};
        const Rgb bottom = look.pressed ? Rgb{20, 44, 70} : Rgb{6, 12, 20};
        canvas.Fill(
            0, 0, size, size,
            [&](double x, double y) { return std::hypot(x - c, y - c) <= c - 1.8; },
            [&](double, double y) { return Mix(top, bottom, y / size); });
        DrawGlyph(canvas, glyph, c + (look.pressed ? 1 : 0), c + (look.pressed ? 1 : 0),
                  size * 0.56, look.hot ? kWhiteRgb : ToRgb(colours::kSilver));
        DrawCanvas(dc, area.left, area.top, canvas);
        (void)theme;
    };
}

ButtonPainter BenchFace(const Theme& theme) {
    return [&theme](HDC dc, const RECT& area, const ButtonLook& look, const std::string&) {
        PixelCanvas canvas(Width(area), Height(area));
        const double w = canvas.Width();
        const double h = canvas.Height();
        const double radius = theme.Scale(8);
        canvas.RoundRect(0, 0, w, h, radius,
                         !look.enabled ? Rgb{44, 48, 54}
                         : look.hot    ? ToRgb(colours::kHot)
                                       : ToRgb(colours::kFrame));
        canvas.RoundRectGradient(1, 1, w - 1, h - 1, radius - 1, {26, 30, 38}, {8, 9, 12});
        // The round green "play" face on the left.
        const double d = h - theme.Scale(14);
        const double cx = theme.Scale(8) + d / 2 + (look.pressed ? 1 : 0);
        const double cy = h / 2 + (look.pressed ? 1 : 0);
        const Rgb green = look.enabled ? ToRgb(colours::kHighlight) : Rgb{70, 74, 80};
        const Rgb light = look.enabled ? Rgb{150, 230, 140} : Rgb{120, 124, 130};
        if (look.enabled && (look.hot || look.pressed)) {
            canvas.Glow(cx, cy, d * 0.85, ToRgb(colours::kHighlight), 0.5);
        }
        canvas.Fill(
            cx - d / 2, cy - d / 2, cx + d / 2, cy + d / 2,
            [&](double x, double y) { return std::hypot(x - cx, y - cy) <= d / 2; },
            [&](double, double y) {
                return Mix(light, Mix(green, {0, 0, 0}, 0.35), (y - (cy - d / 2)) / d);
            });
        canvas.Fill(
            cx - d / 2, cy - d / 2, cx + d / 2, cy,
            [&](double x, double y) {
                return std::hypot(x - cx, (y - (cy - d * 0.12)) * 1.5) <= d * 0.40;
            },
            [&](double, double) { return kWhiteRgb; }, 0.22);
        DrawGlyph(canvas, Glyph::Play, cx + d * 0.05, cy, d * 0.5,
                  look.enabled ? kWhiteRgb : Rgb{170, 170, 170});
        DrawCanvas(dc, area.left, area.top, canvas);
        RECT label = area;
        label.left += static_cast<LONG>(theme.Scale(8) + d + theme.Scale(6));
        label.right -= theme.Scale(4);
        if (look.pressed) {
            ::OffsetRect(&label, 1, 1);
        }
        RECT upper = label;
        upper.bottom = label.top + Height(label) / 2 + theme.Scale(2);
        RECT lower = label;
        lower.top = upper.bottom - theme.Scale(1);
        DrawTextIn(dc, "START", upper, DT_LEFT | DT_BOTTOM | DT_SINGLELINE, theme.Tahoma(17, true),
                   look.enabled ? (look.hot ? colours::kWhite : RGB(225, 228, 232))
                                : colours::kDisabledText);
        DrawTextIn(dc, "benchmark", lower, DT_LEFT | DT_TOP | DT_SINGLELINE, theme.Normal(),
                   look.enabled ? colours::kSilver : colours::kDisabledText);
        if (look.focused) {
            RECT focus = area;
            ::InflateRect(&focus, -theme.Scale(3), -theme.Scale(3));
            PaintFocus(dc, focus);
        }
    };
}

ButtonPainter LinkFace(const Theme& theme) {
    return [&theme](HDC dc, const RECT& area, const ButtonLook& look, const std::string& text) {
        LOGFONTW base{};
        ::GetObjectW(theme.Normal(), sizeof base, &base);
        base.lfUnderline = look.hot ? TRUE : FALSE;
        Font font(::CreateFontIndirectW(&base));
        DrawTextIn(dc, text, area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, font.Get(),
                   look.hot ? colours::kHot : RGB(96, 160, 224));
        if (look.focused) {
            PaintFocus(dc, area);
        }
    };
}

ButtonPainter GroupItemFace(const Theme& theme, Glyph glyph, HFONT font) {
    return [&theme, glyph, font](HDC dc, const RECT& area, const ButtonLook& look,
                                 const std::string& text) {
        PixelCanvas canvas(Width(area), Height(area));
        if (look.hot || look.pressed || look.checked) {
            canvas.RoundRect(0, 0, canvas.Width(), canvas.Height(), theme.Scale(3),
                             ToRgb(colours::kFrame),
                             look.pressed   ? 0.85
                             : look.checked ? 0.6
                                            : 0.35);
        }
        if (look.checked) {
            // The open page's item carries a green mark on its left edge.
            canvas.RoundRect(0, 2, theme.Scale(3), canvas.Height() - 2, 1.0,
                             ToRgb(colours::kHighlight));
        }
        const double icon = theme.Scale(13);
        const Rgb colour = look.hot ? ToRgb(colours::kHot) : Rgb{120, 160, 200};
        DrawGlyph(canvas, glyph, theme.Scale(4) + icon / 2, canvas.Height() / 2.0, icon, colour);
        DrawCanvas(dc, area.left, area.top, canvas);
        RECT label = area;
        label.left += theme.Scale(kGroupItemTextLeft);
        // The stored text doubles its ampersands so that one shows.
        DrawTextIn(dc, text, label, DT_LEFT | DT_VCENTER | DT_SINGLELINE, font,
                   look.hot       ? colours::kHot
                   : look.checked ? colours::kWhite
                                  : colours::kSilver);
        if (look.focused) {
            PaintFocus(dc, area);
        }
    };
}

ButtonPainter TabFace(const Theme& theme) {
    return [&theme](HDC dc, const RECT& area, const ButtonLook& look, const std::string& text) {
        PixelCanvas canvas(Width(area), Height(area) + theme.Scale(4));
        const double w = canvas.Width();
        const double h = canvas.Height();
        canvas.RoundRect(0, 0, w, h, theme.Scale(4),
                         look.hot ? ToRgb(colours::kHot) : ToRgb(colours::kFrame));
        // The open page's tab joins the page; otherwise it sits back, darker.
        canvas.RoundRect(1, 1, w - 1, h, theme.Scale(3),
                         look.checked ? ToRgb(colours::kPage) : Rgb{4, 5, 8});
        DrawCanvas(dc, area.left, area.top, canvas);
        DrawTextIn(dc, text, area, DT_CENTER | DT_VCENTER | DT_SINGLELINE, theme.Bold(),
                   look.hot       ? colours::kHot
                   : look.checked ? colours::kWhite
                                  : RGB(120, 124, 132));
    };
}

}  // namespace fw::win32
