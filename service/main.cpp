// VireoPlayerUpdater.exe: the update service, the hourly starter and the
// command-line tool in one program.
#include "common/allocation_failure.h"
#include "service/entry_point.h"

int wmain(int argc, wchar_t** argv) {
    installAllocationFailureRecorder();
    return runEntryPoint(argc, argv, productEntryOperations());
}
