// Bases for the fake Task Scheduler objects (both generations): every method
// of the interface answers E_NOTIMPL and reports itself through `notUsed`, so
// that a fake overrides only the methods the updater calls and any other call
// shows up as a fault of the test. IUnknown is left to the fake.
#pragma once

#include <windows.h>

#include <mstask.h>
#include <objidl.h>
#include <taskschd.h>

namespace fakes {

// Every method of ITaskScheduler answers E_NOTIMPL and reports the call as unexpected.
class NotUsedTaskScheduler : public ITaskScheduler {
  public:
    virtual HRESULT notUsed(const char* method) = 0;

    HRESULT STDMETHODCALLTYPE SetTargetComputer(LPCWSTR) override {
        return notUsed("ITaskScheduler::SetTargetComputer");
    }
    HRESULT STDMETHODCALLTYPE GetTargetComputer(LPWSTR*) override {
        return notUsed("ITaskScheduler::GetTargetComputer");
    }
    HRESULT STDMETHODCALLTYPE Enum(IEnumWorkItems**) override {
        return notUsed("ITaskScheduler::Enum");
    }
    HRESULT STDMETHODCALLTYPE Activate(LPCWSTR, REFIID, IUnknown**) override {
        return notUsed("ITaskScheduler::Activate");
    }
    HRESULT STDMETHODCALLTYPE Delete(LPCWSTR) override { return notUsed("ITaskScheduler::Delete"); }
    HRESULT STDMETHODCALLTYPE NewWorkItem(LPCWSTR, REFCLSID, REFIID, IUnknown**) override {
        return notUsed("ITaskScheduler::NewWorkItem");
    }
    HRESULT STDMETHODCALLTYPE AddWorkItem(LPCWSTR, IScheduledWorkItem*) override {
        return notUsed("ITaskScheduler::AddWorkItem");
    }
    HRESULT STDMETHODCALLTYPE IsOfType(LPCWSTR, REFIID) override {
        return notUsed("ITaskScheduler::IsOfType");
    }
};

// Every method of ITask answers E_NOTIMPL and reports the call as unexpected.
class NotUsedTask : public ITask {
  public:
    virtual HRESULT notUsed(const char* method) = 0;

    HRESULT STDMETHODCALLTYPE CreateTrigger(WORD*, ITaskTrigger**) override {
        return notUsed("IScheduledWorkItem::CreateTrigger");
    }
    HRESULT STDMETHODCALLTYPE DeleteTrigger(WORD) override {
        return notUsed("IScheduledWorkItem::DeleteTrigger");
    }
    HRESULT STDMETHODCALLTYPE GetTriggerCount(WORD*) override {
        return notUsed("IScheduledWorkItem::GetTriggerCount");
    }
    HRESULT STDMETHODCALLTYPE GetTrigger(WORD, ITaskTrigger**) override {
        return notUsed("IScheduledWorkItem::GetTrigger");
    }
    HRESULT STDMETHODCALLTYPE GetTriggerString(WORD, LPWSTR*) override {
        return notUsed("IScheduledWorkItem::GetTriggerString");
    }
    HRESULT STDMETHODCALLTYPE GetRunTimes(const LPSYSTEMTIME, const LPSYSTEMTIME, WORD*,
                                          LPSYSTEMTIME*) override {
        return notUsed("IScheduledWorkItem::GetRunTimes");
    }
    HRESULT STDMETHODCALLTYPE GetNextRunTime(SYSTEMTIME*) override {
        return notUsed("IScheduledWorkItem::GetNextRunTime");
    }
    HRESULT STDMETHODCALLTYPE SetIdleWait(WORD, WORD) override {
        return notUsed("IScheduledWorkItem::SetIdleWait");
    }
    HRESULT STDMETHODCALLTYPE GetIdleWait(WORD*, WORD*) override {
        return notUsed("IScheduledWorkItem::GetIdleWait");
    }
    HRESULT STDMETHODCALLTYPE Run() override { return notUsed("IScheduledWorkItem::Run"); }
    HRESULT STDMETHODCALLTYPE Terminate() override {
        return notUsed("IScheduledWorkItem::Terminate");
    }
    HRESULT STDMETHODCALLTYPE EditWorkItem(HWND, DWORD) override {
        return notUsed("IScheduledWorkItem::EditWorkItem");
    }
    HRESULT STDMETHODCALLTYPE GetMostRecentRunTime(SYSTEMTIME*) override {
        return notUsed("IScheduledWorkItem::GetMostRecentRunTime");
    }
    HRESULT STDMETHODCALLTYPE GetStatus(HRESULT*) override {
        return notUsed("IScheduledWorkItem::GetStatus");
    }
    HRESULT STDMETHODCALLTYPE GetExitCode(DWORD*) override {
        return notUsed("IScheduledWorkItem::GetExitCode");
    }
    HRESULT STDMETHODCALLTYPE SetComment(LPCWSTR) override {
        return notUsed("IScheduledWorkItem::SetComment");
    }
    HRESULT STDMETHODCALLTYPE GetComment(LPWSTR*) override {
        return notUsed("IScheduledWorkItem::GetComment");
    }
    HRESULT STDMETHODCALLTYPE SetCreator(LPCWSTR) override {
        return notUsed("IScheduledWorkItem::SetCreator");
    }
    HRESULT STDMETHODCALLTYPE GetCreator(LPWSTR*) override {
        return notUsed("IScheduledWorkItem::GetCreator");
    }
    HRESULT STDMETHODCALLTYPE SetWorkItemData(WORD, BYTE[]) override {
        return notUsed("IScheduledWorkItem::SetWorkItemData");
    }
    HRESULT STDMETHODCALLTYPE GetWorkItemData(WORD*, BYTE**) override {
        return notUsed("IScheduledWorkItem::GetWorkItemData");
    }
    HRESULT STDMETHODCALLTYPE SetErrorRetryCount(WORD) override {
        return notUsed("IScheduledWorkItem::SetErrorRetryCount");
    }
    HRESULT STDMETHODCALLTYPE GetErrorRetryCount(WORD*) override {
        return notUsed("IScheduledWorkItem::GetErrorRetryCount");
    }
    HRESULT STDMETHODCALLTYPE SetErrorRetryInterval(WORD) override {
        return notUsed("IScheduledWorkItem::SetErrorRetryInterval");
    }
    HRESULT STDMETHODCALLTYPE GetErrorRetryInterval(WORD*) override {
        return notUsed("IScheduledWorkItem::GetErrorRetryInterval");
    }
    HRESULT STDMETHODCALLTYPE SetFlags(DWORD) override {
        return notUsed("IScheduledWorkItem::SetFlags");
    }
    HRESULT STDMETHODCALLTYPE GetFlags(DWORD*) override {
        return notUsed("IScheduledWorkItem::GetFlags");
    }
    HRESULT STDMETHODCALLTYPE SetAccountInformation(LPCWSTR, LPCWSTR) override {
        return notUsed("IScheduledWorkItem::SetAccountInformation");
    }
    HRESULT STDMETHODCALLTYPE GetAccountInformation(LPWSTR*) override {
        return notUsed("IScheduledWorkItem::GetAccountInformation");
    }
    HRESULT STDMETHODCALLTYPE SetApplicationName(LPCWSTR) override {
        return notUsed("ITask::SetApplicationName");
    }
    HRESULT STDMETHODCALLTYPE GetApplicationName(LPWSTR*) override {
        return notUsed("ITask::GetApplicationName");
    }
    HRESULT STDMETHODCALLTYPE SetParameters(LPCWSTR) override {
        return notUsed("ITask::SetParameters");
    }
    HRESULT STDMETHODCALLTYPE GetParameters(LPWSTR*) override {
        return notUsed("ITask::GetParameters");
    }
    HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCWSTR) override {
        return notUsed("ITask::SetWorkingDirectory");
    }
    HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPWSTR*) override {
        return notUsed("ITask::GetWorkingDirectory");
    }
    HRESULT STDMETHODCALLTYPE SetPriority(DWORD) override { return notUsed("ITask::SetPriority"); }
    HRESULT STDMETHODCALLTYPE GetPriority(DWORD*) override { return notUsed("ITask::GetPriority"); }
    HRESULT STDMETHODCALLTYPE SetTaskFlags(DWORD) override {
        return notUsed("ITask::SetTaskFlags");
    }
    HRESULT STDMETHODCALLTYPE GetTaskFlags(DWORD*) override {
        return notUsed("ITask::GetTaskFlags");
    }
    HRESULT STDMETHODCALLTYPE SetMaxRunTime(DWORD) override {
        return notUsed("ITask::SetMaxRunTime");
    }
    HRESULT STDMETHODCALLTYPE GetMaxRunTime(DWORD*) override {
        return notUsed("ITask::GetMaxRunTime");
    }
};

// Every method of ITaskTrigger answers E_NOTIMPL and reports the call as unexpected.
class NotUsedTaskTrigger : public ITaskTrigger {
  public:
    virtual HRESULT notUsed(const char* method) = 0;

    HRESULT STDMETHODCALLTYPE SetTrigger(const PTASK_TRIGGER) override {
        return notUsed("ITaskTrigger::SetTrigger");
    }
    HRESULT STDMETHODCALLTYPE GetTrigger(PTASK_TRIGGER) override {
        return notUsed("ITaskTrigger::GetTrigger");
    }
    HRESULT STDMETHODCALLTYPE GetTriggerString(LPWSTR*) override {
        return notUsed("ITaskTrigger::GetTriggerString");
    }
};

// Every method of IPersistFile answers E_NOTIMPL and reports the call as unexpected.
class NotUsedPersistFile : public IPersistFile {
  public:
    virtual HRESULT notUsed(const char* method) = 0;

    HRESULT STDMETHODCALLTYPE GetClassID(CLSID*) override {
        return notUsed("IPersist::GetClassID");
    }
    HRESULT STDMETHODCALLTYPE IsDirty() override { return notUsed("IPersistFile::IsDirty"); }
    HRESULT STDMETHODCALLTYPE Load(LPCOLESTR, DWORD) override {
        return notUsed("IPersistFile::Load");
    }
    HRESULT STDMETHODCALLTYPE Save(LPCOLESTR, WINBOOL) override {
        return notUsed("IPersistFile::Save");
    }
    HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR) override {
        return notUsed("IPersistFile::SaveCompleted");
    }
    HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR*) override {
        return notUsed("IPersistFile::GetCurFile");
    }
};

// Every method of ITaskService answers E_NOTIMPL and reports the call as unexpected.
class NotUsedTaskService : public ITaskService {
  public:
    virtual HRESULT notUsed(const char* method) = 0;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override {
        return notUsed("IDispatch::GetTypeInfoCount");
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        return notUsed("IDispatch::GetTypeInfo");
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return notUsed("IDispatch::GetIDsOfNames");
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return notUsed("IDispatch::Invoke");
    }
    HRESULT STDMETHODCALLTYPE GetFolder(BSTR, ITaskFolder**) override {
        return notUsed("ITaskService::GetFolder");
    }
    HRESULT STDMETHODCALLTYPE GetRunningTasks(LONG, IRunningTaskCollection**) override {
        return notUsed("ITaskService::GetRunningTasks");
    }
    HRESULT STDMETHODCALLTYPE NewTask(DWORD, ITaskDefinition**) override {
        return notUsed("ITaskService::NewTask");
    }
    HRESULT STDMETHODCALLTYPE Connect(VARIANT, VARIANT, VARIANT, VARIANT) override {
        return notUsed("ITaskService::Connect");
    }
    HRESULT STDMETHODCALLTYPE get_Connected(VARIANT_BOOL*) override {
        return notUsed("ITaskService::get_Connected");
    }
    HRESULT STDMETHODCALLTYPE get_TargetServer(BSTR*) override {
        return notUsed("ITaskService::get_TargetServer");
    }
    HRESULT STDMETHODCALLTYPE get_ConnectedUser(BSTR*) override {
        return notUsed("ITaskService::get_ConnectedUser");
    }
    HRESULT STDMETHODCALLTYPE get_ConnectedDomain(BSTR*) override {
        return notUsed("ITaskService::get_ConnectedDomain");
    }
    HRESULT STDMETHODCALLTYPE get_HighestVersion(DWORD*) override {
        return notUsed("ITaskService::get_HighestVersion");
    }
};

// Every method of ITaskFolder answers E_NOTIMPL and reports the call as unexpected.
class NotUsedTaskFolder : public ITaskFolder {
  public:
    virtual HRESULT notUsed(const char* method) = 0;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override {
        return notUsed("IDispatch::GetTypeInfoCount");
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        return notUsed("IDispatch::GetTypeInfo");
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return notUsed("IDispatch::GetIDsOfNames");
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return notUsed("IDispatch::Invoke");
    }
    HRESULT STDMETHODCALLTYPE get_Name(BSTR*) override { return notUsed("ITaskFolder::get_Name"); }
    HRESULT STDMETHODCALLTYPE get_Path(BSTR*) override { return notUsed("ITaskFolder::get_Path"); }
    HRESULT STDMETHODCALLTYPE GetFolder(BSTR, ITaskFolder**) override {
        return notUsed("ITaskFolder::GetFolder");
    }
    HRESULT STDMETHODCALLTYPE GetFolders(LONG, ITaskFolderCollection**) override {
        return notUsed("ITaskFolder::GetFolders");
    }
    HRESULT STDMETHODCALLTYPE CreateFolder(BSTR, VARIANT, ITaskFolder**) override {
        return notUsed("ITaskFolder::CreateFolder");
    }
    HRESULT STDMETHODCALLTYPE DeleteFolder(BSTR, LONG) override {
        return notUsed("ITaskFolder::DeleteFolder");
    }
    HRESULT STDMETHODCALLTYPE GetTask(BSTR, IRegisteredTask**) override {
        return notUsed("ITaskFolder::GetTask");
    }
    HRESULT STDMETHODCALLTYPE GetTasks(LONG, IRegisteredTaskCollection**) override {
        return notUsed("ITaskFolder::GetTasks");
    }
    HRESULT STDMETHODCALLTYPE DeleteTask(BSTR, LONG) override {
        return notUsed("ITaskFolder::DeleteTask");
    }
    HRESULT STDMETHODCALLTYPE RegisterTask(BSTR, BSTR, LONG, VARIANT, VARIANT, TASK_LOGON_TYPE,
                                           VARIANT, IRegisteredTask**) override {
        return notUsed("ITaskFolder::RegisterTask");
    }
    HRESULT STDMETHODCALLTYPE RegisterTaskDefinition(BSTR, ITaskDefinition*, LONG, VARIANT, VARIANT,
                                                     TASK_LOGON_TYPE, VARIANT,
                                                     IRegisteredTask**) override {
        return notUsed("ITaskFolder::RegisterTaskDefinition");
    }
    HRESULT STDMETHODCALLTYPE GetSecurityDescriptor(LONG, BSTR*) override {
        return notUsed("ITaskFolder::GetSecurityDescriptor");
    }
    HRESULT STDMETHODCALLTYPE SetSecurityDescriptor(BSTR, LONG) override {
        return notUsed("ITaskFolder::SetSecurityDescriptor");
    }
};

// Every method of IRegisteredTask answers E_NOTIMPL and reports the call as unexpected.
class NotUsedRegisteredTask : public IRegisteredTask {
  public:
    virtual HRESULT notUsed(const char* method) = 0;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override {
        return notUsed("IDispatch::GetTypeInfoCount");
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        return notUsed("IDispatch::GetTypeInfo");
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return notUsed("IDispatch::GetIDsOfNames");
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return notUsed("IDispatch::Invoke");
    }
    HRESULT STDMETHODCALLTYPE get_Name(BSTR*) override {
        return notUsed("IRegisteredTask::get_Name");
    }
    HRESULT STDMETHODCALLTYPE get_Path(BSTR*) override {
        return notUsed("IRegisteredTask::get_Path");
    }
    HRESULT STDMETHODCALLTYPE get_State(TASK_STATE*) override {
        return notUsed("IRegisteredTask::get_State");
    }
    HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL*) override {
        return notUsed("IRegisteredTask::get_Enabled");
    }
    HRESULT STDMETHODCALLTYPE put_Enabled(VARIANT_BOOL) override {
        return notUsed("IRegisteredTask::put_Enabled");
    }
    HRESULT STDMETHODCALLTYPE Run(VARIANT, IRunningTask**) override {
        return notUsed("IRegisteredTask::Run");
    }
    HRESULT STDMETHODCALLTYPE RunEx(VARIANT, LONG, LONG, BSTR, IRunningTask**) override {
        return notUsed("IRegisteredTask::RunEx");
    }
    HRESULT STDMETHODCALLTYPE GetInstances(LONG, IRunningTaskCollection**) override {
        return notUsed("IRegisteredTask::GetInstances");
    }
    HRESULT STDMETHODCALLTYPE get_LastRunTime(DATE*) override {
        return notUsed("IRegisteredTask::get_LastRunTime");
    }
    HRESULT STDMETHODCALLTYPE get_LastTaskResult(LONG*) override {
        return notUsed("IRegisteredTask::get_LastTaskResult");
    }
    HRESULT STDMETHODCALLTYPE get_NumberOfMissedRuns(LONG*) override {
        return notUsed("IRegisteredTask::get_NumberOfMissedRuns");
    }
    HRESULT STDMETHODCALLTYPE get_NextRunTime(DATE*) override {
        return notUsed("IRegisteredTask::get_NextRunTime");
    }
    HRESULT STDMETHODCALLTYPE get_Definition(ITaskDefinition**) override {
        return notUsed("IRegisteredTask::get_Definition");
    }
    HRESULT STDMETHODCALLTYPE get_Xml(BSTR*) override {
        return notUsed("IRegisteredTask::get_Xml");
    }
    HRESULT STDMETHODCALLTYPE GetSecurityDescriptor(LONG, BSTR*) override {
        return notUsed("IRegisteredTask::GetSecurityDescriptor");
    }
    HRESULT STDMETHODCALLTYPE SetSecurityDescriptor(BSTR, LONG) override {
        return notUsed("IRegisteredTask::SetSecurityDescriptor");
    }
    HRESULT STDMETHODCALLTYPE Stop(LONG) override { return notUsed("IRegisteredTask::Stop"); }
    HRESULT STDMETHODCALLTYPE GetRunTimes(const LPSYSTEMTIME, const LPSYSTEMTIME, DWORD*,
                                          LPSYSTEMTIME*) override {
        return notUsed("IRegisteredTask::GetRunTimes");
    }
};

// Every method of ITaskDefinition answers E_NOTIMPL and reports the call as unexpected.
class NotUsedTaskDefinition : public ITaskDefinition {
  public:
    virtual HRESULT notUsed(const char* method) = 0;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override {
        return notUsed("IDispatch::GetTypeInfoCount");
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        return notUsed("IDispatch::GetTypeInfo");
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return notUsed("IDispatch::GetIDsOfNames");
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return notUsed("IDispatch::Invoke");
    }
    HRESULT STDMETHODCALLTYPE get_RegistrationInfo(IRegistrationInfo**) override {
        return notUsed("ITaskDefinition::get_RegistrationInfo");
    }
    HRESULT STDMETHODCALLTYPE put_RegistrationInfo(IRegistrationInfo*) override {
        return notUsed("ITaskDefinition::put_RegistrationInfo");
    }
    HRESULT STDMETHODCALLTYPE get_Triggers(ITriggerCollection**) override {
        return notUsed("ITaskDefinition::get_Triggers");
    }
    HRESULT STDMETHODCALLTYPE put_Triggers(ITriggerCollection*) override {
        return notUsed("ITaskDefinition::put_Triggers");
    }
    HRESULT STDMETHODCALLTYPE get_Settings(ITaskSettings**) override {
        return notUsed("ITaskDefinition::get_Settings");
    }
    HRESULT STDMETHODCALLTYPE put_Settings(ITaskSettings*) override {
        return notUsed("ITaskDefinition::put_Settings");
    }
    HRESULT STDMETHODCALLTYPE get_Data(BSTR*) override {
        return notUsed("ITaskDefinition::get_Data");
    }
    HRESULT STDMETHODCALLTYPE put_Data(BSTR) override {
        return notUsed("ITaskDefinition::put_Data");
    }
    HRESULT STDMETHODCALLTYPE get_Principal(IPrincipal**) override {
        return notUsed("ITaskDefinition::get_Principal");
    }
    HRESULT STDMETHODCALLTYPE put_Principal(IPrincipal*) override {
        return notUsed("ITaskDefinition::put_Principal");
    }
    HRESULT STDMETHODCALLTYPE get_Actions(IActionCollection**) override {
        return notUsed("ITaskDefinition::get_Actions");
    }
    HRESULT STDMETHODCALLTYPE put_Actions(IActionCollection*) override {
        return notUsed("ITaskDefinition::put_Actions");
    }
    HRESULT STDMETHODCALLTYPE get_XmlText(BSTR*) override {
        return notUsed("ITaskDefinition::get_XmlText");
    }
    HRESULT STDMETHODCALLTYPE put_XmlText(BSTR) override {
        return notUsed("ITaskDefinition::put_XmlText");
    }
};

// Every method of ITaskSettings answers E_NOTIMPL and reports the call as unexpected.
class NotUsedTaskSettings : public ITaskSettings {
  public:
    virtual HRESULT notUsed(const char* method) = 0;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override {
        return notUsed("IDispatch::GetTypeInfoCount");
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        return notUsed("IDispatch::GetTypeInfo");
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return notUsed("IDispatch::GetIDsOfNames");
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return notUsed("IDispatch::Invoke");
    }
    HRESULT STDMETHODCALLTYPE get_AllowDemandStart(VARIANT_BOOL*) override {
        return notUsed("ITaskSettings::get_AllowDemandStart");
    }
    HRESULT STDMETHODCALLTYPE put_AllowDemandStart(VARIANT_BOOL) override {
        return notUsed("ITaskSettings::put_AllowDemandStart");
    }
    HRESULT STDMETHODCALLTYPE get_RestartInterval(BSTR*) override {
        return notUsed("ITaskSettings::get_RestartInterval");
    }
    HRESULT STDMETHODCALLTYPE put_RestartInterval(BSTR) override {
        return notUsed("ITaskSettings::put_RestartInterval");
    }
    HRESULT STDMETHODCALLTYPE get_RestartCount(INT*) override {
        return notUsed("ITaskSettings::get_RestartCount");
    }
    HRESULT STDMETHODCALLTYPE put_RestartCount(INT) override {
        return notUsed("ITaskSettings::put_RestartCount");
    }
    HRESULT STDMETHODCALLTYPE get_MultipleInstances(TASK_INSTANCES_POLICY*) override {
        return notUsed("ITaskSettings::get_MultipleInstances");
    }
    HRESULT STDMETHODCALLTYPE put_MultipleInstances(TASK_INSTANCES_POLICY) override {
        return notUsed("ITaskSettings::put_MultipleInstances");
    }
    HRESULT STDMETHODCALLTYPE get_StopIfGoingOnBatteries(VARIANT_BOOL*) override {
        return notUsed("ITaskSettings::get_StopIfGoingOnBatteries");
    }
    HRESULT STDMETHODCALLTYPE put_StopIfGoingOnBatteries(VARIANT_BOOL) override {
        return notUsed("ITaskSettings::put_StopIfGoingOnBatteries");
    }
    HRESULT STDMETHODCALLTYPE get_DisallowStartIfOnBatteries(VARIANT_BOOL*) override {
        return notUsed("ITaskSettings::get_DisallowStartIfOnBatteries");
    }
    HRESULT STDMETHODCALLTYPE put_DisallowStartIfOnBatteries(VARIANT_BOOL) override {
        return notUsed("ITaskSettings::put_DisallowStartIfOnBatteries");
    }
    HRESULT STDMETHODCALLTYPE get_AllowHardTerminate(VARIANT_BOOL*) override {
        return notUsed("ITaskSettings::get_AllowHardTerminate");
    }
    HRESULT STDMETHODCALLTYPE put_AllowHardTerminate(VARIANT_BOOL) override {
        return notUsed("ITaskSettings::put_AllowHardTerminate");
    }
    HRESULT STDMETHODCALLTYPE get_StartWhenAvailable(VARIANT_BOOL*) override {
        return notUsed("ITaskSettings::get_StartWhenAvailable");
    }
    HRESULT STDMETHODCALLTYPE put_StartWhenAvailable(VARIANT_BOOL) override {
        return notUsed("ITaskSettings::put_StartWhenAvailable");
    }
    HRESULT STDMETHODCALLTYPE get_XmlText(BSTR*) override {
        return notUsed("ITaskSettings::get_XmlText");
    }
    HRESULT STDMETHODCALLTYPE put_XmlText(BSTR) override {
        return notUsed("ITaskSettings::put_XmlText");
    }
    HRESULT STDMETHODCALLTYPE get_RunOnlyIfNetworkAvailable(VARIANT_BOOL*) override {
        return notUsed("ITaskSettings::get_RunOnlyIfNetworkAvailable");
    }
    HRESULT STDMETHODCALLTYPE put_RunOnlyIfNetworkAvailable(VARIANT_BOOL) override {
        return notUsed("ITaskSettings::put_RunOnlyIfNetworkAvailable");
    }
    HRESULT STDMETHODCALLTYPE get_ExecutionTimeLimit(BSTR*) override {
        return notUsed("ITaskSettings::get_ExecutionTimeLimit");
    }
    HRESULT STDMETHODCALLTYPE put_ExecutionTimeLimit(BSTR) override {
        return notUsed("ITaskSettings::put_ExecutionTimeLimit");
    }
    HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL*) override {
        return notUsed("ITaskSettings::get_Enabled");
    }
    HRESULT STDMETHODCALLTYPE put_Enabled(VARIANT_BOOL) override {
        return notUsed("ITaskSettings::put_Enabled");
    }
    HRESULT STDMETHODCALLTYPE get_DeleteExpiredTaskAfter(BSTR*) override {
        return notUsed("ITaskSettings::get_DeleteExpiredTaskAfter");
    }
    HRESULT STDMETHODCALLTYPE put_DeleteExpiredTaskAfter(BSTR) override {
        return notUsed("ITaskSettings::put_DeleteExpiredTaskAfter");
    }
    HRESULT STDMETHODCALLTYPE get_Priority(INT*) override {
        return notUsed("ITaskSettings::get_Priority");
    }
    HRESULT STDMETHODCALLTYPE put_Priority(INT) override {
        return notUsed("ITaskSettings::put_Priority");
    }
    HRESULT STDMETHODCALLTYPE get_Compatibility(TASK_COMPATIBILITY*) override {
        return notUsed("ITaskSettings::get_Compatibility");
    }
    HRESULT STDMETHODCALLTYPE put_Compatibility(TASK_COMPATIBILITY) override {
        return notUsed("ITaskSettings::put_Compatibility");
    }
    HRESULT STDMETHODCALLTYPE get_Hidden(VARIANT_BOOL*) override {
        return notUsed("ITaskSettings::get_Hidden");
    }
    HRESULT STDMETHODCALLTYPE put_Hidden(VARIANT_BOOL) override {
        return notUsed("ITaskSettings::put_Hidden");
    }
    HRESULT STDMETHODCALLTYPE get_IdleSettings(IIdleSettings**) override {
        return notUsed("ITaskSettings::get_IdleSettings");
    }
    HRESULT STDMETHODCALLTYPE put_IdleSettings(IIdleSettings*) override {
        return notUsed("ITaskSettings::put_IdleSettings");
    }
    HRESULT STDMETHODCALLTYPE get_RunOnlyIfIdle(VARIANT_BOOL*) override {
        return notUsed("ITaskSettings::get_RunOnlyIfIdle");
    }
    HRESULT STDMETHODCALLTYPE put_RunOnlyIfIdle(VARIANT_BOOL) override {
        return notUsed("ITaskSettings::put_RunOnlyIfIdle");
    }
    HRESULT STDMETHODCALLTYPE get_WakeToRun(VARIANT_BOOL*) override {
        return notUsed("ITaskSettings::get_WakeToRun");
    }
    HRESULT STDMETHODCALLTYPE put_WakeToRun(VARIANT_BOOL) override {
        return notUsed("ITaskSettings::put_WakeToRun");
    }
    HRESULT STDMETHODCALLTYPE get_NetworkSettings(INetworkSettings**) override {
        return notUsed("ITaskSettings::get_NetworkSettings");
    }
    HRESULT STDMETHODCALLTYPE put_NetworkSettings(INetworkSettings*) override {
        return notUsed("ITaskSettings::put_NetworkSettings");
    }
};

// Every method of IRegistrationInfo answers E_NOTIMPL and reports the call as unexpected.
class NotUsedRegistrationInfo : public IRegistrationInfo {
  public:
    virtual HRESULT notUsed(const char* method) = 0;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override {
        return notUsed("IDispatch::GetTypeInfoCount");
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        return notUsed("IDispatch::GetTypeInfo");
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return notUsed("IDispatch::GetIDsOfNames");
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return notUsed("IDispatch::Invoke");
    }
    HRESULT STDMETHODCALLTYPE get_Description(BSTR*) override {
        return notUsed("IRegistrationInfo::get_Description");
    }
    HRESULT STDMETHODCALLTYPE put_Description(BSTR) override {
        return notUsed("IRegistrationInfo::put_Description");
    }
    HRESULT STDMETHODCALLTYPE get_Author(BSTR*) override {
        return notUsed("IRegistrationInfo::get_Author");
    }
    HRESULT STDMETHODCALLTYPE put_Author(BSTR) override {
        return notUsed("IRegistrationInfo::put_Author");
    }
    HRESULT STDMETHODCALLTYPE get_Version(BSTR*) override {
        return notUsed("IRegistrationInfo::get_Version");
    }
    HRESULT STDMETHODCALLTYPE put_Version(BSTR) override {
        return notUsed("IRegistrationInfo::put_Version");
    }
    HRESULT STDMETHODCALLTYPE get_Date(BSTR*) override {
        return notUsed("IRegistrationInfo::get_Date");
    }
    HRESULT STDMETHODCALLTYPE put_Date(BSTR) override {
        return notUsed("IRegistrationInfo::put_Date");
    }
    HRESULT STDMETHODCALLTYPE get_Documentation(BSTR*) override {
        return notUsed("IRegistrationInfo::get_Documentation");
    }
    HRESULT STDMETHODCALLTYPE put_Documentation(BSTR) override {
        return notUsed("IRegistrationInfo::put_Documentation");
    }
    HRESULT STDMETHODCALLTYPE get_XmlText(BSTR*) override {
        return notUsed("IRegistrationInfo::get_XmlText");
    }
    HRESULT STDMETHODCALLTYPE put_XmlText(BSTR) override {
        return notUsed("IRegistrationInfo::put_XmlText");
    }
    HRESULT STDMETHODCALLTYPE get_URI(BSTR*) override {
        return notUsed("IRegistrationInfo::get_URI");
    }
    HRESULT STDMETHODCALLTYPE put_URI(BSTR) override {
        return notUsed("IRegistrationInfo::put_URI");
    }
    HRESULT STDMETHODCALLTYPE get_SecurityDescriptor(VARIANT*) override {
        return notUsed("IRegistrationInfo::get_SecurityDescriptor");
    }
    HRESULT STDMETHODCALLTYPE put_SecurityDescriptor(VARIANT) override {
        return notUsed("IRegistrationInfo::put_SecurityDescriptor");
    }
    HRESULT STDMETHODCALLTYPE get_Source(BSTR*) override {
        return notUsed("IRegistrationInfo::get_Source");
    }
    HRESULT STDMETHODCALLTYPE put_Source(BSTR) override {
        return notUsed("IRegistrationInfo::put_Source");
    }
};

// Every method of ITriggerCollection answers E_NOTIMPL and reports the call as unexpected.
class NotUsedTriggerCollection : public ITriggerCollection {
  public:
    virtual HRESULT notUsed(const char* method) = 0;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override {
        return notUsed("IDispatch::GetTypeInfoCount");
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        return notUsed("IDispatch::GetTypeInfo");
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return notUsed("IDispatch::GetIDsOfNames");
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return notUsed("IDispatch::Invoke");
    }
    HRESULT STDMETHODCALLTYPE get_Count(LONG*) override {
        return notUsed("ITriggerCollection::get_Count");
    }
    HRESULT STDMETHODCALLTYPE get_Item(LONG, ITrigger**) override {
        return notUsed("ITriggerCollection::get_Item");
    }
    HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown**) override {
        return notUsed("ITriggerCollection::get__NewEnum");
    }
    HRESULT STDMETHODCALLTYPE Create(TASK_TRIGGER_TYPE2, ITrigger**) override {
        return notUsed("ITriggerCollection::Create");
    }
    HRESULT STDMETHODCALLTYPE Remove(VARIANT) override {
        return notUsed("ITriggerCollection::Remove");
    }
    HRESULT STDMETHODCALLTYPE Clear() override { return notUsed("ITriggerCollection::Clear"); }
};

// Every method of IDailyTrigger answers E_NOTIMPL and reports the call as unexpected.
class NotUsedDailyTrigger : public IDailyTrigger {
  public:
    virtual HRESULT notUsed(const char* method) = 0;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override {
        return notUsed("IDispatch::GetTypeInfoCount");
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        return notUsed("IDispatch::GetTypeInfo");
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return notUsed("IDispatch::GetIDsOfNames");
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return notUsed("IDispatch::Invoke");
    }
    HRESULT STDMETHODCALLTYPE get_Type(TASK_TRIGGER_TYPE2*) override {
        return notUsed("ITrigger::get_Type");
    }
    HRESULT STDMETHODCALLTYPE get_Id(BSTR*) override { return notUsed("ITrigger::get_Id"); }
    HRESULT STDMETHODCALLTYPE put_Id(BSTR) override { return notUsed("ITrigger::put_Id"); }
    HRESULT STDMETHODCALLTYPE get_Repetition(IRepetitionPattern**) override {
        return notUsed("ITrigger::get_Repetition");
    }
    HRESULT STDMETHODCALLTYPE put_Repetition(IRepetitionPattern*) override {
        return notUsed("ITrigger::put_Repetition");
    }
    HRESULT STDMETHODCALLTYPE get_ExecutionTimeLimit(BSTR*) override {
        return notUsed("ITrigger::get_ExecutionTimeLimit");
    }
    HRESULT STDMETHODCALLTYPE put_ExecutionTimeLimit(BSTR) override {
        return notUsed("ITrigger::put_ExecutionTimeLimit");
    }
    HRESULT STDMETHODCALLTYPE get_StartBoundary(BSTR*) override {
        return notUsed("ITrigger::get_StartBoundary");
    }
    HRESULT STDMETHODCALLTYPE put_StartBoundary(BSTR) override {
        return notUsed("ITrigger::put_StartBoundary");
    }
    HRESULT STDMETHODCALLTYPE get_EndBoundary(BSTR*) override {
        return notUsed("ITrigger::get_EndBoundary");
    }
    HRESULT STDMETHODCALLTYPE put_EndBoundary(BSTR) override {
        return notUsed("ITrigger::put_EndBoundary");
    }
    HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL*) override {
        return notUsed("ITrigger::get_Enabled");
    }
    HRESULT STDMETHODCALLTYPE put_Enabled(VARIANT_BOOL) override {
        return notUsed("ITrigger::put_Enabled");
    }
    HRESULT STDMETHODCALLTYPE get_DaysInterval(short*) override {
        return notUsed("IDailyTrigger::get_DaysInterval");
    }
    HRESULT STDMETHODCALLTYPE put_DaysInterval(short) override {
        return notUsed("IDailyTrigger::put_DaysInterval");
    }
    HRESULT STDMETHODCALLTYPE get_RandomDelay(BSTR*) override {
        return notUsed("IDailyTrigger::get_RandomDelay");
    }
    HRESULT STDMETHODCALLTYPE put_RandomDelay(BSTR) override {
        return notUsed("IDailyTrigger::put_RandomDelay");
    }
};

// Every method of IRepetitionPattern answers E_NOTIMPL and reports the call as unexpected.
class NotUsedRepetitionPattern : public IRepetitionPattern {
  public:
    virtual HRESULT notUsed(const char* method) = 0;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override {
        return notUsed("IDispatch::GetTypeInfoCount");
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        return notUsed("IDispatch::GetTypeInfo");
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return notUsed("IDispatch::GetIDsOfNames");
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return notUsed("IDispatch::Invoke");
    }
    HRESULT STDMETHODCALLTYPE get_Interval(BSTR*) override {
        return notUsed("IRepetitionPattern::get_Interval");
    }
    HRESULT STDMETHODCALLTYPE put_Interval(BSTR) override {
        return notUsed("IRepetitionPattern::put_Interval");
    }
    HRESULT STDMETHODCALLTYPE get_Duration(BSTR*) override {
        return notUsed("IRepetitionPattern::get_Duration");
    }
    HRESULT STDMETHODCALLTYPE put_Duration(BSTR) override {
        return notUsed("IRepetitionPattern::put_Duration");
    }
    HRESULT STDMETHODCALLTYPE get_StopAtDurationEnd(VARIANT_BOOL*) override {
        return notUsed("IRepetitionPattern::get_StopAtDurationEnd");
    }
    HRESULT STDMETHODCALLTYPE put_StopAtDurationEnd(VARIANT_BOOL) override {
        return notUsed("IRepetitionPattern::put_StopAtDurationEnd");
    }
};

// Every method of IActionCollection answers E_NOTIMPL and reports the call as unexpected.
class NotUsedActionCollection : public IActionCollection {
  public:
    virtual HRESULT notUsed(const char* method) = 0;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override {
        return notUsed("IDispatch::GetTypeInfoCount");
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        return notUsed("IDispatch::GetTypeInfo");
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return notUsed("IDispatch::GetIDsOfNames");
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return notUsed("IDispatch::Invoke");
    }
    HRESULT STDMETHODCALLTYPE get_Count(LONG*) override {
        return notUsed("IActionCollection::get_Count");
    }
    HRESULT STDMETHODCALLTYPE get_Item(LONG, IAction**) override {
        return notUsed("IActionCollection::get_Item");
    }
    HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown**) override {
        return notUsed("IActionCollection::get__NewEnum");
    }
    HRESULT STDMETHODCALLTYPE get_XmlText(BSTR*) override {
        return notUsed("IActionCollection::get_XmlText");
    }
    HRESULT STDMETHODCALLTYPE put_XmlText(BSTR) override {
        return notUsed("IActionCollection::put_XmlText");
    }
    HRESULT STDMETHODCALLTYPE Create(TASK_ACTION_TYPE, IAction**) override {
        return notUsed("IActionCollection::Create");
    }
    HRESULT STDMETHODCALLTYPE Remove(VARIANT) override {
        return notUsed("IActionCollection::Remove");
    }
    HRESULT STDMETHODCALLTYPE Clear() override { return notUsed("IActionCollection::Clear"); }
    HRESULT STDMETHODCALLTYPE get_Context(BSTR*) override {
        return notUsed("IActionCollection::get_Context");
    }
    HRESULT STDMETHODCALLTYPE put_Context(BSTR) override {
        return notUsed("IActionCollection::put_Context");
    }
};

// Every method of IExecAction answers E_NOTIMPL and reports the call as unexpected.
class NotUsedExecAction : public IExecAction {
  public:
    virtual HRESULT notUsed(const char* method) = 0;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override {
        return notUsed("IDispatch::GetTypeInfoCount");
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        return notUsed("IDispatch::GetTypeInfo");
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return notUsed("IDispatch::GetIDsOfNames");
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return notUsed("IDispatch::Invoke");
    }
    HRESULT STDMETHODCALLTYPE get_Id(BSTR*) override { return notUsed("IAction::get_Id"); }
    HRESULT STDMETHODCALLTYPE put_Id(BSTR) override { return notUsed("IAction::put_Id"); }
    HRESULT STDMETHODCALLTYPE get_Type(TASK_ACTION_TYPE*) override {
        return notUsed("IAction::get_Type");
    }
    HRESULT STDMETHODCALLTYPE get_Path(BSTR*) override { return notUsed("IExecAction::get_Path"); }
    HRESULT STDMETHODCALLTYPE put_Path(BSTR) override { return notUsed("IExecAction::put_Path"); }
    HRESULT STDMETHODCALLTYPE get_Arguments(BSTR*) override {
        return notUsed("IExecAction::get_Arguments");
    }
    HRESULT STDMETHODCALLTYPE put_Arguments(BSTR) override {
        return notUsed("IExecAction::put_Arguments");
    }
    HRESULT STDMETHODCALLTYPE get_WorkingDirectory(BSTR*) override {
        return notUsed("IExecAction::get_WorkingDirectory");
    }
    HRESULT STDMETHODCALLTYPE put_WorkingDirectory(BSTR) override {
        return notUsed("IExecAction::put_WorkingDirectory");
    }
};

}  // namespace fakes
