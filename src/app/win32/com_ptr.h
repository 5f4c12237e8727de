#pragma once
// Owner of one reference to a COM object: released exactly once, moved but
// never copied without its own AddRef.
#include <objbase.h>

#include <utility>

namespace fw::win32 {

template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already holds.
    explicit ComPtr(Interface* owned) : pointer_(owned) {}
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr& other) : pointer_(other.pointer_) {
        if (pointer_ != nullptr) {
            pointer_->AddRef();
        }
    }
    ComPtr& operator=(const ComPtr& other) {
        ComPtr copy(other);
        std::swap(pointer_, copy.pointer_);
        return *this;
    }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }

    Interface* Get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    // For calls that hand out a new reference: the old one is released first.
    Interface** Receive() {
        Reset();
        return &pointer_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

    void Reset() {
        if (Interface* old = std::exchange(pointer_, nullptr)) {
            old->Release();
        }
    }

    // Another interface of the same object; empty when it has none.
    template <typename Other>
    ComPtr<Other> As(REFIID id) const {
        ComPtr<Other> other;
        if (pointer_ != nullptr) {
            pointer_->QueryInterface(id, other.ReceiveVoid());
        }
        return other;
    }

private:
    Interface* pointer_ = nullptr;
};

}  // namespace fw::win32
