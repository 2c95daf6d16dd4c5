// The update policy of the running service: set by the entry point before the
// service dispatcher starts and cleared after it returns, null at all other
// times. The service worker runs the update cycle only while it is set.
#pragma once

class UpdatePolicy;

extern UpdatePolicy* activeUpdatePolicy;
