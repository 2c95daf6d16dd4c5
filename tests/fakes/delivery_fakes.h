// The fakes a download test needs, each in force for the life of the object:
// WinHTTP, files, GUIDs, crypt32 (as the loaded library) and the shell that
// names the system folder. Test fixtures of the delivery code derive from it.
#pragma once

#include "platform/facility.h"
#include "tests/fakes/fake_crypt32.h"
#include "tests/fakes/fake_delivery_files.h"
#include "tests/fakes/fake_guids.h"
#include "tests/fakes/fake_winhttp.h"

namespace fakes {

class DeliveryFakes {
  protected:
    FakeWinHttp http;
    DeliveryFiles files;
    FakeGuids guids;
    FakeCrypt32 crypt;
    FakeSystemFolderShell shell;

  private:
    platform::ScopedFacility<platform::WinHttp> httpInForce_{http};
    platform::ScopedFacility<platform::Files> filesInForce_{files};
    platform::ScopedFacility<platform::Guids> guidsInForce_{guids};
    platform::ScopedFacility<platform::Libraries> cryptInForce_{crypt};
    platform::ScopedFacility<platform::Shell> shellInForce_{shell};
};

}  // namespace fakes
