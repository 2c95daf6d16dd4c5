// The owner of one COM interface pointer: released once, when the holder goes
// or is reset, without changing the thread's last-error value.
#pragma once

#include <windows.h>

#include <unknwn.h>

namespace platform {

template <class Interface>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(ComPtr&& other) noexcept : pointer_(other.pointer_) { other.pointer_ = nullptr; }
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            pointer_ = other.pointer_;
            other.pointer_ = nullptr;
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    // Releases what is held and gives the slot to an out parameter, which
    // hands this holder a reference it then owns.
    Interface** put() {
        reset();
        return &pointer_;
    }
    // The same slot for calls that take a `void**` (QueryInterface,
    // CoCreateInstance) or an `IUnknown**` (the 1.0 scheduler).
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    IUnknown** putUnknown() { return reinterpret_cast<IUnknown**>(put()); }

    // Releases the interface now, if one is held.
    void reset() {
        if (pointer_ == nullptr) return;
        Interface* pointer = pointer_;
        pointer_ = nullptr;
        const DWORD lastError = ::GetLastError();
        pointer->Release();
        ::SetLastError(lastError);
    }

  private:
    Interface* pointer_ = nullptr;
};

}  // namespace platform
