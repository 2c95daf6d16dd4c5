#include "policy/policy_settings.h"

#define VIREO_WIDEN2(text) L##text
#define VIREO_WIDEN(text) VIREO_WIDEN2(text)

const wchar_t kPrimaryDownloadHost[] = VIREO_WIDEN(VIREO_PRIMARY_DOWNLOAD_HOST);
const wchar_t kSecondaryDownloadHost[] = VIREO_WIDEN(VIREO_SECONDARY_DOWNLOAD_HOST);

bool silentAutoUpdateEnable = false;
bool autoUpdateDisable = false;
std::wstring manifestHost = kPrimaryDownloadHost;
std::wstring packageHost = kSecondaryDownloadHost;
