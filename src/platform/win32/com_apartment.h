#pragma once
// COM for the calling thread for as long as the object lives: a
// single-threaded apartment, left again only when it was entered here.
#include <objbase.h>

namespace fw::win32 {

class ComApartment {
public:
    explicit ComApartment(DWORD flags = COINIT_APARTMENTTHREADED)
        : entered_(SUCCEEDED(::CoInitializeEx(nullptr, flags))) {}
    ~ComApartment() {
        if (entered_) {
            ::CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool Entered() const { return entered_; }

private:
    bool entered_;
};

}  // namespace fw::win32
