// The root certificate built into the program (DER): every installer package
// must chain to it. The build embeds the file that the CMake setting
// VIREO_TRUSTED_ROOT_DER names, by default the development root.
#pragma once

#include <cstdint>

extern const unsigned char kTrustedRootCertificate[];
extern const std::uint32_t kTrustedRootCertificateLength;
