// Every message code the updater logs, with its level, in numeric order.
// The install log is read by administrators and by support tools that know
// these numbers: a number, its level and the shape of its detail never change.
//
// Shapes: "code" alone; "code detail" where the detail is, unless noted, the
// thread's last-error value right after the failed step; "code text" for the
// two host-name messages.
#pragma once

#include "log/log_level.h"

struct MessageCode {
    int number;
    LogLevel level;
};

namespace msg {

constexpr MessageCode code(int number, LogLevel level) { return MessageCode{number, level}; }
constexpr LogLevel kInfo = LogLevel::info;
constexpr LogLevel kWarning = LogLevel::warning;
constexpr LogLevel kError = LogLevel::error;

// Errors, 1200 to 1301 (1273-1275 and 1282-1283 are errors after which the
// task creation goes on).
constexpr MessageCode kDownloadUnknownFlavour = code(1200, kError);  // no detail
constexpr MessageCode kDownloadTempFolderUnknown = code(1201, kError);
constexpr MessageCode kDownloadNoTempFileName = code(1203, kError);
constexpr MessageCode kDownloadPlaceholderNotDeleted = code(1205, kError);
constexpr MessageCode kDownloadFolderNotCreated = code(1206, kError);
constexpr MessageCode kDownloadFileNotCreated = code(1207, kError);
constexpr MessageCode kDownloadQueryDataFailed = code(1209, kError);
constexpr MessageCode kDownloadReadFailed = code(1211, kError);
constexpr MessageCode kDownloadWriteFailed = code(1212, kError);
constexpr MessageCode kDownloadRequestFailed = code(1214, kError);
constexpr MessageCode kInstallerFileNotCreated = code(1215, kError);
constexpr MessageCode kInstallerFileWriteFailed = code(1216, kError);
constexpr MessageCode kPackageNotVerified = code(1217, kError);
constexpr MessageCode kInstallerStartFailed = code(1218, kError);
constexpr MessageCode kStartOpenManagerFailed = code(1221, kError);
constexpr MessageCode kStartOpenServiceFailed = code(1222, kError);
constexpr MessageCode kStartServiceFailed = code(1223, kError);
constexpr MessageCode kPolicyLoadFailed = code(1233, kError);
constexpr MessageCode kActiveXUpdateFailed = code(1234, kError);
constexpr MessageCode kLaunchOutOfMemory = code(1235, kError);
constexpr MessageCode kDownloadOutOfMemory = code(1236, kError);
constexpr MessageCode kPackageHostConversionFailed = code(1237, kError);
constexpr MessageCode kManifestHostConversionFailed = code(1238, kError);
constexpr MessageCode kMainOutOfMemory = code(1239, kError);
constexpr MessageCode kControlHandlerNotRegistered = code(1240, kError);
constexpr MessageCode kNoUpdatePolicy = code(1241, kError);
constexpr MessageCode kTs1SchedulerNotCreated = code(1242, kError);
constexpr MessageCode kTs1ComInitFailed = code(1243, kError);
constexpr MessageCode kTs1LookupFailed = code(1244, kError);
constexpr MessageCode kTs1TriggerCountFailed = code(1245, kError);
constexpr MessageCode kTs1NoTrigger = code(1246, kError);
constexpr MessageCode kTs1TriggerFetchFailed = code(1247, kError);
constexpr MessageCode kTs1TriggerReadFailed = code(1248, kError);
constexpr MessageCode kTs1TriggerWriteFailed = code(1249, kError);
constexpr MessageCode kTs1ExistingPersistFailed = code(1250, kError);
constexpr MessageCode kTs1ExistingSaveFailed = code(1251, kError);
constexpr MessageCode kTs1WorkItemNotCreated = code(1252, kError);
constexpr MessageCode kTs1AccountNotSet = code(1253, kError);
constexpr MessageCode kTs1TriggerNotCreated = code(1254, kError);
constexpr MessageCode kTs1TriggerNotSet = code(1255, kError);
constexpr MessageCode kTs1NewPersistFailed = code(1256, kError);
constexpr MessageCode kTs1NewSaveFailed = code(1257, kError);
constexpr MessageCode kTs2ComInitFailed = code(1258, kError);
constexpr MessageCode kTs2ComSecurityFailed = code(1259, kError);
constexpr MessageCode kTs2ServiceNotCreated = code(1260, kError);
constexpr MessageCode kTs2ConnectFailed = code(1261, kError);
constexpr MessageCode kTs2RootFolderFailed = code(1262, kError);
constexpr MessageCode kTs2DefinitionReadFailed = code(1263, kError);
constexpr MessageCode kTs2TriggersReadFailed = code(1264, kError);
constexpr MessageCode kTs2TriggerCountFailed = code(1265, kError);
constexpr MessageCode kTs2NoTrigger = code(1266, kError);
constexpr MessageCode kTs2TriggerFetchFailed = code(1267, kError);
constexpr MessageCode kTs2RepetitionReadFailed = code(1268, kError);
constexpr MessageCode kTs2IntervalSetFailed = code(1269, kError);
constexpr MessageCode kTs2ExistingRegisterFailed = code(1270, kError);
constexpr MessageCode kTs2DefinitionNotCreated = code(1271, kError);
constexpr MessageCode kTs2SettingsReadFailed = code(1272, kError);
constexpr MessageCode kTs2CompatibilityNotSet = code(1273, kError);
constexpr MessageCode kTs2BatteriesNotSet = code(1274, kError);
constexpr MessageCode kTs2NetworkNotSet = code(1275, kError);
constexpr MessageCode kTs2RegistrationInfoFailed = code(1276, kError);
constexpr MessageCode kTs2AuthorNotSet = code(1277, kError);
constexpr MessageCode kTs2DescriptionNotSet = code(1278, kError);
constexpr MessageCode kTs2TriggerCollectionFailed = code(1279, kError);
constexpr MessageCode kTs2DailyTriggerNotCreated = code(1280, kError);
constexpr MessageCode kTs2DailyTriggerInterfaceFailed = code(1281, kError);
constexpr MessageCode kTs2TriggerIdNotSet = code(1282, kError);
constexpr MessageCode kTs2StartBoundaryNotSet = code(1283, kError);
constexpr MessageCode kTs2DayIntervalNotSet = code(1284, kError);
constexpr MessageCode kTs2NewRepetitionReadFailed = code(1285, kError);
constexpr MessageCode kTs2DurationNotSet = code(1286, kError);
constexpr MessageCode kTs2NewIntervalNotSet = code(1287, kError);
constexpr MessageCode kTs2ActionCollectionFailed = code(1288, kError);
constexpr MessageCode kTs2ActionNotCreated = code(1289, kError);
constexpr MessageCode kTs2ActionInterfaceFailed = code(1290, kError);
constexpr MessageCode kTs2ProgramPathNotSet = code(1291, kError);
constexpr MessageCode kTs2NewRegisterFailed = code(1292, kError);
constexpr MessageCode kTs1DeleteSchedulerNotCreated = code(1293, kError);
constexpr MessageCode kTs1DeleteComInitFailed = code(1294, kError);
constexpr MessageCode kTs2DeleteComInitFailed = code(1295, kError);
constexpr MessageCode kTs2DeleteComSecurityFailed = code(1296, kError);
constexpr MessageCode kTs2DeleteServiceNotCreated = code(1297, kError);
constexpr MessageCode kTs2DeleteConnectFailed = code(1298, kError);
constexpr MessageCode kTs2DeleteRootFolderFailed = code(1299, kError);
constexpr MessageCode kPluginUpdateFailed = code(1300, kError);
constexpr MessageCode kAttemptLimitReached = code(1301, kError);  // no detail

// Warnings, 1400 to 1426.
constexpr MessageCode kManifestSessionFailed = code(1400, kWarning);
constexpr MessageCode kManifestNoConnection = code(1401, kWarning);
constexpr MessageCode kManifestNoRequest = code(1402, kWarning);
constexpr MessageCode kManifestNotSent = code(1403, kWarning);
constexpr MessageCode kManifestQueryDataFailed = code(1404, kWarning);
constexpr MessageCode kManifestNoBuffer = code(1405, kWarning);  // no detail
constexpr MessageCode kManifestReadFailed = code(1406, kWarning);
constexpr MessageCode kManifestNoResponse = code(1407, kWarning);
constexpr MessageCode kManifestNothingReceived = code(1408, kWarning);  // no detail
constexpr MessageCode kManifestNotInterpreted = code(1409, kWarning);   // no detail
constexpr MessageCode kManifestNotWellFormed = code(1410, kWarning);    // no detail
constexpr MessageCode kManifestOutOfMemory = code(1411, kWarning);      // no detail
constexpr MessageCode kDownloadCloseFailed = code(1413, kWarning);
constexpr MessageCode kDownloadDeleteFailed = code(1414, kWarning);
constexpr MessageCode kDownloadFolderNotRemoved = code(1415, kWarning);
constexpr MessageCode kInstallerFileCloseFailed = code(1417, kWarning);
constexpr MessageCode kSetModeOutOfMemory = code(1418, kWarning);     // no detail
constexpr MessageCode kQueryModeOutOfMemory = code(1419, kWarning);   // no detail
constexpr MessageCode kLoadPolicyOutOfMemory = code(1420, kWarning);  // no detail
constexpr MessageCode kTs1CreatorNotSet = code(1421, kWarning);
constexpr MessageCode kTs1CommentNotSet = code(1422, kWarning);
constexpr MessageCode kTs1ProgramNotSet = code(1423, kWarning);
constexpr MessageCode kTs1FlagsNotSet = code(1424, kWarning);
constexpr MessageCode kGuidNotText = code(1425, kWarning);   // no detail
constexpr MessageCode kNoGuidFolder = code(1426, kWarning);  // no detail

// Informational, 1600 to 1629 (1619 and 1622 carry a detail).
constexpr MessageCode kActiveXDownloadBegins = code(1600, kInfo);
constexpr MessageCode kPluginDownloadBegins = code(1601, kInfo);
constexpr MessageCode kInstallerStarted = code(1602, kInfo);
constexpr MessageCode kServiceStartRequested = code(1604, kInfo);
constexpr MessageCode kPolicySilentEnabled = code(1607, kInfo);
constexpr MessageCode kCycleBegins = code(1608, kInfo);
constexpr MessageCode kActiveXUpdated = code(1609, kInfo);
constexpr MessageCode kPluginUpdated = code(1610, kInfo);
constexpr MessageCode kCycleEnds = code(1612, kInfo);
constexpr MessageCode kAutoUpdateDisableOn = code(1613, kInfo);
constexpr MessageCode kAutoUpdateDisableOff = code(1614, kInfo);
constexpr MessageCode kSilentAutoUpdateOn = code(1615, kInfo);
constexpr MessageCode kSilentAutoUpdateOff = code(1616, kInfo);
constexpr MessageCode kStartupMarker = code(1617, kInfo);
constexpr MessageCode kDispatcherStarting = code(1618, kInfo);
constexpr MessageCode kDispatcherNotStarted = code(1619, kInfo);  // last error
constexpr MessageCode kDispatcherReturned = code(1620, kInfo);
constexpr MessageCode kServiceMainEnds = code(1621, kInfo);
constexpr MessageCode kControlReceived = code(1622, kInfo);  // the control code
constexpr MessageCode kStopRequested = code(1623, kInfo);
constexpr MessageCode kTs1ExistingUpdated = code(1624, kInfo);
constexpr MessageCode kTs1Created = code(1625, kInfo);
constexpr MessageCode kTs2ExistingUpdated = code(1626, kInfo);
constexpr MessageCode kTs2Created = code(1627, kInfo);
constexpr MessageCode kPackageHostFromPolicy = code(1628, kInfo);   // the host name
constexpr MessageCode kManifestHostFromPolicy = code(1629, kInfo);  // the host name

}  // namespace msg
