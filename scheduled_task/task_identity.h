// The fixed values of the updater's scheduled task that creation and removal
// share.
#pragma once

// The task's name, in the root folder of the scheduler.
inline constexpr wchar_t kTaskName[] = L"Tessaly Vireo Player Updater";
// The author (Task Scheduler 2.0) or creator (1.0) recorded with a new task.
inline constexpr wchar_t kTaskAuthor[] = L"Tessaly Systems Incorporated";
// The Task Scheduler 2.0 folder the task lives in: the root.
inline constexpr wchar_t kTaskRootFolder[] = L"\\";
