// Ids of the updater's string resources, shared by the resource script and the
// code that loads them. Plain macros, so that the resource compiler reads them.
#pragma once

// The scheduled task's description, in 16 languages.
#define IDS_TASK_DESCRIPTION 110
// The service's description, in the same languages; nothing in the updater
// loads it (the service is registered outside the updater).
#define IDS_SERVICE_DESCRIPTION 120
