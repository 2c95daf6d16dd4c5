// The platform's secure random source.
#pragma once

namespace platform {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    static RandomSource& win32();

    // rand_s: stores a random value of the whole unsigned range in `value`
    // and answers 0, or answers an error number (errno_t) and leaves `value`
    // undefined.
    virtual int randS(unsigned int* value) = 0;
};

}  // namespace platform
