// The update policy object of the running service: set by the entry point
// before the service dispatcher starts and cleared after it has returned;
// null at every other time. The service runs an update cycle only while it is
// set.
#pragma once

class UpdatePolicy;

extern UpdatePolicy* activeUpdatePolicy;
