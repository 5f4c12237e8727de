#pragma once
// Owners of the Windows handles the driver opens: each releases its handle
// once, can be moved, and cannot be copied.
#include <windows.h>

#include <utility>

namespace fw::uidriver {

class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle)
        : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
        }
    }
    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    HANDLE handle_ = nullptr;
};

// A device context of a window (or of the screen for a null window).
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(WindowDc&& other) noexcept
        : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDc& operator=(WindowDc&&) = delete;
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    MemoryDc(MemoryDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    MemoryDc& operator=(MemoryDc&&) = delete;
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() {
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
    }
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

class Bitmap {
public:
    explicit Bitmap(HBITMAP bitmap) : bitmap_(bitmap) {}
    Bitmap(Bitmap&& other) noexcept : bitmap_(std::exchange(other.bitmap_, nullptr)) {}
    Bitmap& operator=(Bitmap&&) = delete;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    ~Bitmap() {
        if (bitmap_ != nullptr) {
            DeleteObject(bitmap_);
        }
    }
    HBITMAP get() const { return bitmap_; }

private:
    HBITMAP bitmap_;
};

// Selects a GDI object into a DC for the owner's lifetime.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    Selection(Selection&&) = delete;
    Selection& operator=(Selection&&) = delete;
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() { SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Memory inside another process, for messages whose pointers Windows does
// not carry across processes.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, size_t size)
        : process_(process),
          address_(
              VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    RemoteMemory(RemoteMemory&& other) noexcept
        : process_(other.process_), address_(std::exchange(other.address_, nullptr)) {}
    RemoteMemory& operator=(RemoteMemory&&) = delete;
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    ~RemoteMemory() {
        if (address_ != nullptr) {
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        }
    }
    void* get() const { return address_; }

private:
    HANDLE process_;
    void* address_;
};

// Shares this thread's input state with another thread, so focus can be set
// on that thread's windows.
class InputAttachment {
public:
    InputAttachment(DWORD ownThread, DWORD otherThread)
        : own_(ownThread),
          other_(otherThread),
          attached_(ownThread != otherThread && AttachThreadInput(ownThread, otherThread, TRUE)) {}
    InputAttachment(InputAttachment&&) = delete;
    InputAttachment& operator=(InputAttachment&&) = delete;
    InputAttachment(const InputAttachment&) = delete;
    InputAttachment& operator=(const InputAttachment&) = delete;
    ~InputAttachment() {
        if (attached_) {
            AttachThreadInput(own_, other_, FALSE);
        }
    }

private:
    DWORD own_;
    DWORD other_;
    bool attached_;
};

}  // namespace fw::uidriver
