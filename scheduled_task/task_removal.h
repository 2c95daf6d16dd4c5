// Deleting the task "Tessaly Vireo Player Updater" from the scheduler, through
// the same generation of the Task Scheduler interfaces creation uses.
#pragma once

// Deletes the task outright. The steps leading up to the deletion log their
// failures; the deletion itself logs nothing. True exactly when the delete
// call answered S_OK; false when a step failed or the delete call answered
// anything else, a missing task included.
bool deleteDefaultTask();
