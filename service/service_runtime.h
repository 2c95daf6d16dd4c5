// The updater as a Windows service of its own process: it hands the main
// thread to the service control dispatcher, reports its status through one
// short life (start pending, running, stopped), answers stop requests, and
// runs one piece of work, the update cycle, on the service thread.
//
// Two threads share the state here: the service thread (serviceMain, the
// worker, the cycle) and the thread the control handler is called on. Status
// reports are serialised by one lock.
#pragma once

#include <windows.h>

// The work of one service run; the product's is the update cycle.
using ServiceWork = void (*)();

// Runs the dispatcher on the calling thread until the service has stopped,
// with `work` as the service's work. True when the process ran as the
// service; false (1619 logged with the error) when the dispatcher could not
// start, as when the process was not started by the service control manager.
bool runServiceDispatcher(ServiceWork work);

// The service's main function, entered by the dispatcher on a thread of its
// own. Runs nothing for a service name other than the updater's.
void WINAPI serviceMain(DWORD argc, LPWSTR* argv);

// The control handler: logs every request (1622 with the control code) and
// acts on stop alone, which the service reports as pending until its work is
// done.
void WINAPI controlHandler(DWORD control);

// Fills and sends the service status: `state`, the controls accepted in it,
// its check point (0 for running and stopped, else the next of the counter
// that starts at 1 in each process) and `waitHint`. A failed report is
// ignored.
void reportStatus(DWORD state, DWORD waitHint);

// Creates the stop event, reports running and runs the work (when an update
// policy is active; 1241 when none is). Gives false without running anything
// when the stop event cannot be created.
bool runServiceWorker();
