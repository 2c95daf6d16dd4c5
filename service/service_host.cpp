#include "service/service_host.h"

const wchar_t kServiceName[] = L"TessalyVireoPlayerUpdateSvc";
const wchar_t kServiceDisplayName[] = L"Tessaly Vireo Player Update Service";
