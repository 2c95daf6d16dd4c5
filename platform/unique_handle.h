// One move-only owner for every kind of OS handle. A small traits type per kind
// names the handle type, its invalid value and how it is closed:
//
//   struct FileHandleTraits {
//       using Handle = HANDLE;
//       static Handle invalid() { return INVALID_HANDLE_VALUE; }
//       static void close(Handle h);
//   };
//   using UniqueFile = UniqueHandle<FileHandleTraits>;
//
// Closing never changes the thread's last-error value, so a holder that goes
// out of scope on a failure path does not disturb the code being logged.
#pragma once

#include <windows.h>

#include <utility>

namespace platform {

template <class Traits>
class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() : handle_(Traits::invalid()) {}
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    bool valid() const { return handle_ != Traits::invalid(); }
    explicit operator bool() const { return valid(); }
    Handle get() const { return handle_; }

    // Gives up ownership without closing.
    Handle release() {
        Handle handle = handle_;
        handle_ = Traits::invalid();
        return handle;
    }

    // Closes the handle held, if any, and takes `handle`.
    void reset(Handle handle = Traits::invalid()) {
        if (valid()) {
            const DWORD lastError = ::GetLastError();
            Traits::close(handle_);
            ::SetLastError(lastError);
        }
        handle_ = handle;
    }

  private:
    Handle handle_;
};

}  // namespace platform
