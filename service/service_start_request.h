// The scheduled task's run: asks the service control manager to start the
// updater's service and returns without waiting for it.
#pragma once

#include "service/service_host.h"

// Starts the service named by `host`. True when the manager accepted the
// start (1604); false after logging 1221 (no manager), 1222 (no such
// service or no access) or 1223 (the start was refused, for instance because
// the service runs already), each with the last error.
bool requestServiceStart(const ServiceHost& host);
