#pragma once
// A plain container window: a page, a group with its frame and caption, the
// start panel, the progress panel. It paints its background, hands its
// controls' notifications back to their views and tells whether the pointer
// left it.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/win32/controls_view.h"
#include "app/win32/drawing.h"
#include "app/win32/window_class.h"

namespace fw::win32 {

class Theme;

struct PanelStyle {
    COLORREF background = RGB(0, 0, 0);
    // Paints the whole client area instead of the plain background.
    std::function<void(HDC dc, const RECT& client)> painter;
    // The painter's picture is kept and copied; Refresh draws it anew.
    bool cachePainter = false;
    // A group frame with this caption along its top edge (may be empty).
    bool groupFrame = false;
    std::string caption;
    // Without a caption: a gap this wide (design pixels) in the frame's top
    // edge, for a control that heads the group.
    int headingWidth = 0;
};

class Panel : public Window {
public:
    Panel(const Theme& theme, std::string name) : theme_(theme), name_(std::move(name)) {}

    // `bounds` in pixels of the parent's client area.
    void Create(HWND parent, int id, const RECT& bounds, PanelStyle style);
    COLORREF Background() const { return style_.background; }
    // The background of a panel, or black for any other window.
    static COLORREF BackgroundOf(HWND window);

    // The pointer left the panel and every control on it; `onLeave` runs.
    void WatchLeave(std::function<void()> onLeave);
    const GroupLeaveWatch* LeaveWatch() const { return watch_.get(); }
    // A mouse button went down on the panel itself (not on one of its controls).
    std::function<void(UINT message, POINT where)> OnMouseDown;

    // Draws the panel's picture anew and repaints it.
    void Refresh();

    // The top of the area inside a group frame, below its caption.
    int CaptionHeight() const;

    static void RegisterClass();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::string Describe() const override { return name_; }

private:
    void Paint(HDC dc);

    const Theme& theme_;
    std::string name_;
    PanelStyle style_;
    std::unique_ptr<GroupLeaveWatch> watch_;
    CachedPicture picture_;
    bool tracking_ = false;
};

}  // namespace fw::win32
