#pragma once
// Owners of GDI objects and device contexts: each releases its handle exactly
// once, moves but never copies.
#include <windows.h>

#include <utility>

namespace fw::win32 {

// A font, brush, pen or bitmap, deleted with DeleteObject.
template <typename Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.handle_, nullptr));
        }
        return *this;
    }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(Handle handle = nullptr) {
        if (Handle old = std::exchange(handle_, handle); old != nullptr) {
            ::DeleteObject(old);
        }
    }

private:
    Handle handle_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Bitmap = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;

// Selects an object into a DC for one scope and puts the old one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~ScopedSelect() { ::SelectObject(dc_, old_); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A DC's whole drawing state, restored at the end of a scope.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {}
    ~SavedDcState() { ::RestoreDC(dc_, saved_); }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;

private:
    HDC dc_;
    int saved_;
};

// GetDC / ReleaseDC (null window: the screen).
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) {
            ::ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &paint_); }
    ~PaintScope() { ::EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Get() const { return dc_; }
    const RECT& Dirty() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

// A memory DC compatible with another, deleted with DeleteDC.
class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : dc_(::CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDc() {
        if (dc_ != nullptr) {
            ::DeleteDC(dc_);
        }
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// Draws into an off-screen bitmap of `area` and copies the result onto the
// target when the scope ends, so a control never flickers while it is drawn.
// Coordinates inside are those of the target.
class BufferedDraw {
public:
    BufferedDraw(HDC target, const RECT& area)
        : target_(target),
          area_(area),
          memory_(target),
          bitmap_(::CreateCompatibleBitmap(target, Width(), Height())),
          select_(memory_.Get(), bitmap_.Get()) {
        ::SetViewportOrgEx(memory_.Get(), -area.left, -area.top, nullptr);
    }
    ~BufferedDraw() {
        ::SetViewportOrgEx(memory_.Get(), 0, 0, nullptr);
        ::BitBlt(target_, area_.left, area_.top, Width(), Height(), memory_.Get(), 0, 0, SRCCOPY);
    }
    BufferedDraw(const BufferedDraw&) = delete;
    BufferedDraw& operator=(const BufferedDraw&) = delete;
    HDC Get() const { return memory_.Get(); }

private:
    int Width() const { return area_.right - area_.left; }
    int Height() const { return area_.bottom - area_.top; }

    HDC target_;
    RECT area_;
    MemoryDc memory_;
    Bitmap bitmap_;
    ScopedSelect select_;
};

// WM_PAINT of the whole client area through an off-screen buffer, copied to
// the window in one piece before the paint ends.
class BufferedClientPaint {
public:
    explicit BufferedClientPaint(HWND window)
        : paint_(window), client_(ClientOf(window)), buffer_(paint_.Get(), client_) {}
    BufferedClientPaint(const BufferedClientPaint&) = delete;
    BufferedClientPaint& operator=(const BufferedClientPaint&) = delete;
    HDC Get() const { return buffer_.Get(); }
    const RECT& Client() const { return client_; }

private:
    static RECT ClientOf(HWND window) {
        RECT client{};
        ::GetClientRect(window, &client);
        return client;
    }

    PaintScope paint_;
    RECT client_;
    BufferedDraw buffer_;
};

}  // namespace fw::win32
