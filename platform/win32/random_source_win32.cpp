// rand_s is declared only when this is defined before the runtime's headers.
#define _CRT_RAND_S
#include <stdlib.h>

#include "platform/random_source.h"

namespace platform {
namespace {

class Win32RandomSource final : public RandomSource {
  public:
    int randS(unsigned int* value) override { return ::rand_s(value); }
};

}  // namespace

RandomSource& RandomSource::win32() {
    static Win32RandomSource source;
    return source;
}

}  // namespace platform
