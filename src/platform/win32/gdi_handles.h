#pragma once
// Owners of GDI objects and device contexts, and a guard that puts back what
// a device context had selected before.
#include <windows.h>

#include <utility>

#include "platform/win32/handles.h"

namespace fw::win32 {

struct MemoryDcTraits {
    static HDC Empty() { return nullptr; }
    static bool IsValid(HDC dc) { return dc != nullptr; }
    static void Close(HDC dc) { ::DeleteDC(dc); }
};
// A device context made by CreateCompatibleDC, released with DeleteDC.
using UniqueMemoryDc = UniqueResource<HDC, MemoryDcTraits>;

struct GdiObjectTraits {
    static HGDIOBJ Empty() { return nullptr; }
    static bool IsValid(HGDIOBJ object) { return object != nullptr; }
    static void Close(HGDIOBJ object) { ::DeleteObject(object); }
};
// A bitmap, font, pen or brush; it must not be selected when it goes.
using UniqueGdiObject = UniqueResource<HGDIOBJ, GdiObjectTraits>;

// Selects an object into a device context for the guard's lifetime.
class SelectionGuard {
public:
    SelectionGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectionGuard() {
        if (dc_ != nullptr && previous_ != nullptr && previous_ != HGDI_ERROR) {
            ::SelectObject(dc_, previous_);
        }
    }
    SelectionGuard(const SelectionGuard&) = delete;
    SelectionGuard& operator=(const SelectionGuard&) = delete;
    SelectionGuard(SelectionGuard&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)),
          previous_(std::exchange(other.previous_, nullptr)) {}
    SelectionGuard& operator=(SelectionGuard&&) = delete;

    bool Selected() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace fw::win32
