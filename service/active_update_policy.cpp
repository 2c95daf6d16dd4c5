#include "service/active_update_policy.h"

UpdatePolicy* activeUpdatePolicy = nullptr;
