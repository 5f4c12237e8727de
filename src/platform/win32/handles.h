#pragma once
// Owners of Windows handles: each closes its handle exactly once, moves but never copies.
#include <windows.h>

#include <utility>

namespace fw::win32 {

// `Traits` gives the empty value, the test for a usable handle and the release call.
template <typename Handle, typename Traits>
class UniqueResource {
public:
    UniqueResource() = default;
    explicit UniqueResource(Handle handle) : handle_(handle) {}
    ~UniqueResource() { Reset(); }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : handle_(other.Release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    Handle Get() const { return handle_; }
    bool Valid() const { return Traits::IsValid(handle_); }
    explicit operator bool() const { return Valid(); }

    // Gives up ownership without closing.
    Handle Release() { return std::exchange(handle_, Traits::Empty()); }
    void Reset(Handle handle = Traits::Empty()) {
        Handle old = std::exchange(handle_, handle);
        if (Traits::IsValid(old)) {
            Traits::Close(old);
        }
    }

private:
    Handle handle_ = Traits::Empty();
};

// Kernel handles: some calls report failure as null, others as INVALID_HANDLE_VALUE.
struct KernelHandleTraits {
    static HANDLE Empty() { return nullptr; }
    static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
using UniqueHandle = UniqueResource<HANDLE, KernelHandleTraits>;

struct RegistryKeyTraits {
    static HKEY Empty() { return nullptr; }
    static bool IsValid(HKEY k) { return k != nullptr; }
    static void Close(HKEY k) { ::RegCloseKey(k); }
};
using UniqueHKey = UniqueResource<HKEY, RegistryKeyTraits>;

struct LibraryTraits {
    static HMODULE Empty() { return nullptr; }
    static bool IsValid(HMODULE m) { return m != nullptr; }
    static void Close(HMODULE m) { ::FreeLibrary(m); }
};
using UniqueLibrary = UniqueResource<HMODULE, LibraryTraits>;

struct WindowTraits {
    static HWND Empty() { return nullptr; }
    static bool IsValid(HWND w) { return w != nullptr; }
    static void Close(HWND w) { ::DestroyWindow(w); }
};
using UniqueWindow = UniqueResource<HWND, WindowTraits>;

}  // namespace fw::win32
