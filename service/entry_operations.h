// The operations the entry point dispatches to. The entry point owns the
// decisions (which switch, in which order, what the exit code is); these carry
// the commands out. The product's set is `productEntryOperations()`; tests
// give their own to watch the dispatch.
#pragma once

#include <cstdint>
#include <string>

#include "service/service_host.h"

class EntryOperations {
  public:
    virtual ~EntryOperations() = default;

    // Update state in the registry. Each gives true on success.
    virtual bool deleteUpdateState() = 0;
    virtual bool writeUpdateAttempts(std::uint32_t count) = 0;
    // Stores 0 as the last check, so the next service run checks at once.
    virtual bool resetLastUpdateCheck() = 0;
    // Stores the default check frequency (1 day).
    virtual bool writeDefaultCheckFrequency() = 0;

    // The scheduled task. Each gives true when the task was stored or deleted.
    virtual bool createDefaultTask(std::wstring programPath) = 0;
    virtual bool deleteDefaultTask() = 0;

    // The update policy: 0 silent, 1 notify, 2 disabled.
    virtual void setUpdateMode(int mode) = 0;
    virtual bool isSilentAutoUpdateEnabled() = 0;

    // The service path: builds the update policy object (which loads the
    // policy) and makes it the active one, and releases it again.
    virtual void activateUpdatePolicy(std::wstring programPath) = 0;
    virtual void releaseUpdatePolicy() = 0;
    // True when the process ran as the service and the service has stopped;
    // false when the dispatcher could not start.
    virtual bool runServiceDispatcher() = 0;
    // Asks the service control manager to start the service of `host`.
    virtual bool requestServiceStart(const ServiceHost& host) = 0;
};

// The product's operations.
EntryOperations& productEntryOperations();
