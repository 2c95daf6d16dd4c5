// How the product reaches the operating system. Each facility (clock, files,
// registry, ...) is a small interface whose Win32 side only passes calls
// through. The product calls `platform::use<Facility>()`; a test installs its
// own implementation for a scope with `platform::ScopedFacility`, so that any
// single platform call can be made to fail with a chosen last-error value.
//
// Every facility interface declares `static Facility& win32();`, defined in
// platform/win32/, which is the implementation in force when nothing else is.
#pragma once

namespace platform {

template <class Facility>
Facility*& facilitySlot() {
    static Facility* current = &Facility::win32();
    return current;
}

// The implementation of `Facility` in force. Never null.
template <class Facility>
Facility& use() {
    return *facilitySlot<Facility>();
}

// Puts `replacement` in force until the end of the scope, then restores the
// previous implementation. Meant for tests; not thread-safe against product
// threads that are already calling the facility.
template <class Facility>
class ScopedFacility {
  public:
    explicit ScopedFacility(Facility& replacement) : previous_(facilitySlot<Facility>()) {
        facilitySlot<Facility>() = &replacement;
    }
    ~ScopedFacility() { facilitySlot<Facility>() = previous_; }
    ScopedFacility(const ScopedFacility&) = delete;
    ScopedFacility& operator=(const ScopedFacility&) = delete;

  private:
    Facility* previous_;
};

}  // namespace platform
