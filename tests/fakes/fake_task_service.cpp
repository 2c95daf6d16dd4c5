#include "tests/fakes/fake_task_service.h"

#include <memory>

#include "tests/fakes/task_scheduler_stubs.h"

namespace fakes {
namespace {

const HRESULT kNotFound = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);

using Definition = std::shared_ptr<StoredDefinition>;

class RepetitionObject final : public FakeInterface<NotUsedRepetitionPattern> {
  public:
    RepetitionObject(FakeComObjects& objects, FakeTaskService& service, Definition definition,
                     std::size_t trigger)
        : FakeInterface(objects, "IRepetitionPattern"),
          service_(service),
          definition_(std::move(definition)),
          trigger_(trigger) {}

    HRESULT STDMETHODCALLTYPE put_Interval(BSTR interval) override {
        const HRESULT result = enter("IRepetitionPattern::put_Interval");
        if (FAILED(result)) return result;
        definition_->triggers.at(trigger_).interval = service_.textOf(interval, "put_Interval");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Duration(BSTR duration) override {
        const HRESULT result = enter("IRepetitionPattern::put_Duration");
        if (FAILED(result)) return result;
        definition_->triggers.at(trigger_).duration = service_.textOf(duration, "put_Duration");
        return S_OK;
    }

  private:
    FakeTaskService& service_;
    Definition definition_;
    std::size_t trigger_;
};

// Every trigger the fake hands out is a daily one; `interfaceName` tells
// whether it was handed out as ITrigger or, after QueryInterface, as
// IDailyTrigger, and names its calls accordingly.
class TriggerObject final : public FakeInterface<NotUsedDailyTrigger> {
  public:
    TriggerObject(FakeComObjects& objects, FakeTaskService& service, Definition definition,
                  std::size_t trigger, std::string interfaceName)
        : FakeInterface(objects, interfaceName),
          service_(service),
          definition_(std::move(definition)),
          trigger_(trigger),
          interfaceName_(std::move(interfaceName)) {}

    HRESULT STDMETHODCALLTYPE put_Id(BSTR id) override {
        const HRESULT result = enter(call("put_Id"));
        if (FAILED(result)) return result;
        stored().id = service_.textOf(id, "put_Id");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_StartBoundary(BSTR start) override {
        const HRESULT result = enter(call("put_StartBoundary"));
        if (FAILED(result)) return result;
        stored().startBoundary = service_.textOf(start, "put_StartBoundary");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_DaysInterval(short days) override {
        const HRESULT result = enter(call("put_DaysInterval"));
        if (FAILED(result)) return result;
        stored().daysInterval = days;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Repetition(IRepetitionPattern** repetition) override {
        *repetition = nullptr;
        const HRESULT result = enter(call("get_Repetition"));
        if (FAILED(result)) return result;
        *repetition = objects_.make<RepetitionObject>(service_, definition_, trigger_);
        return S_OK;
    }

  protected:
    HRESULT queryOther(REFIID id, void** out) override {
        const HRESULT result = enter(call("QueryInterface"));
        if (FAILED(result)) return result;
        if (id != IID_IDailyTrigger) return E_NOINTERFACE;
        *out = static_cast<IDailyTrigger*>(
            objects_.make<TriggerObject>(service_, definition_, trigger_, "IDailyTrigger"));
        return S_OK;
    }

  private:
    StoredTrigger& stored() { return definition_->triggers.at(trigger_); }
    const char* call(const std::string& method) {
        lastCall_ = interfaceName_ + "::" + method;
        return lastCall_.c_str();
    }

    FakeTaskService& service_;
    Definition definition_;
    std::size_t trigger_;
    std::string interfaceName_;
    std::string lastCall_;
};

class TriggerCollectionObject final : public FakeInterface<NotUsedTriggerCollection> {
  public:
    TriggerCollectionObject(FakeComObjects& objects, FakeTaskService& service,
                            Definition definition)
        : FakeInterface(objects, "ITriggerCollection"),
          service_(service),
          definition_(std::move(definition)) {}

    HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
        const HRESULT result = enter("ITriggerCollection::get_Count");
        if (FAILED(result)) return result;
        *count = static_cast<LONG>(definition_->triggers.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Item(LONG index, ITrigger** trigger) override {
        *trigger = nullptr;
        const HRESULT result = enter("ITriggerCollection::get_Item");
        if (FAILED(result)) return result;
        // The collection counts from 1.
        if (index < 1 || index > static_cast<LONG>(definition_->triggers.size())) {
            return E_INVALIDARG;
        }
        *trigger = objects_.make<TriggerObject>(service_, definition_,
                                                static_cast<std::size_t>(index - 1), "ITrigger");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Create(TASK_TRIGGER_TYPE2 type, ITrigger** trigger) override {
        *trigger = nullptr;
        const HRESULT result = enter("ITriggerCollection::Create");
        if (FAILED(result)) return result;
        StoredTrigger created;
        created.type = type;
        definition_->triggers.push_back(created);
        *trigger = objects_.make<TriggerObject>(service_, definition_,
                                                definition_->triggers.size() - 1, "ITrigger");
        return S_OK;
    }

  private:
    FakeTaskService& service_;
    Definition definition_;
};

// Every action the fake hands out is an exec action, named as IAction or,
// after QueryInterface, as IExecAction.
class ActionObject final : public FakeInterface<NotUsedExecAction> {
  public:
    ActionObject(FakeComObjects& objects, FakeTaskService& service, Definition definition,
                 std::size_t action, std::string interfaceName)
        : FakeInterface(objects, interfaceName),
          service_(service),
          definition_(std::move(definition)),
          action_(action) {}

    HRESULT STDMETHODCALLTYPE put_Path(BSTR path) override {
        const HRESULT result = enter("IExecAction::put_Path");
        if (FAILED(result)) return result;
        definition_->actions.at(action_).path = service_.textOf(path, "put_Path");
        return S_OK;
    }

  protected:
    HRESULT queryOther(REFIID id, void** out) override {
        const HRESULT result = enter("IAction::QueryInterface");
        if (FAILED(result)) return result;
        if (id != IID_IExecAction) return E_NOINTERFACE;
        *out = static_cast<IExecAction*>(
            objects_.make<ActionObject>(service_, definition_, action_, "IExecAction"));
        return S_OK;
    }

  private:
    FakeTaskService& service_;
    Definition definition_;
    std::size_t action_;
};

class ActionCollectionObject final : public FakeInterface<NotUsedActionCollection> {
  public:
    ActionCollectionObject(FakeComObjects& objects, FakeTaskService& service, Definition definition)
        : FakeInterface(objects, "IActionCollection"),
          service_(service),
          definition_(std::move(definition)) {}

    HRESULT STDMETHODCALLTYPE Create(TASK_ACTION_TYPE type, IAction** action) override {
        *action = nullptr;
        const HRESULT result = enter("IActionCollection::Create");
        if (FAILED(result)) return result;
        StoredAction created;
        created.type = type;
        definition_->actions.push_back(created);
        *action = objects_.make<ActionObject>(service_, definition_,
                                              definition_->actions.size() - 1, "IAction");
        return S_OK;
    }

  private:
    FakeTaskService& service_;
    Definition definition_;
};

class SettingsObject final : public FakeInterface<NotUsedTaskSettings> {
  public:
    SettingsObject(FakeComObjects& objects, Definition definition)
        : FakeInterface(objects, "ITaskSettings"), definition_(std::move(definition)) {}

    HRESULT STDMETHODCALLTYPE put_Compatibility(TASK_COMPATIBILITY compatibility) override {
        const HRESULT result = enter("ITaskSettings::put_Compatibility");
        if (FAILED(result)) return result;
        definition_->compatibility = compatibility;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_DisallowStartIfOnBatteries(VARIANT_BOOL disallow) override {
        const HRESULT result = enter("ITaskSettings::put_DisallowStartIfOnBatteries");
        if (FAILED(result)) return result;
        definition_->disallowStartIfOnBatteries = disallow;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_RunOnlyIfNetworkAvailable(VARIANT_BOOL runOnly) override {
        const HRESULT result = enter("ITaskSettings::put_RunOnlyIfNetworkAvailable");
        if (FAILED(result)) return result;
        definition_->runOnlyIfNetworkAvailable = runOnly;
        return S_OK;
    }

  private:
    Definition definition_;
};

class RegistrationInfoObject final : public FakeInterface<NotUsedRegistrationInfo> {
  public:
    RegistrationInfoObject(FakeComObjects& objects, FakeTaskService& service, Definition definition)
        : FakeInterface(objects, "IRegistrationInfo"),
          service_(service),
          definition_(std::move(definition)) {}

    HRESULT STDMETHODCALLTYPE put_Author(BSTR author) override {
        const HRESULT result = enter("IRegistrationInfo::put_Author");
        if (FAILED(result)) return result;
        definition_->author = service_.textOf(author, "put_Author");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Description(BSTR description) override {
        const HRESULT result = enter("IRegistrationInfo::put_Description");
        if (FAILED(result)) return result;
        definition_->description = service_.textOf(description, "put_Description");
        return S_OK;
    }

  private:
    FakeTaskService& service_;
    Definition definition_;
};

class DefinitionObject final : public FakeInterface<NotUsedTaskDefinition> {
  public:
    DefinitionObject(FakeComObjects& objects, FakeTaskService& service, Definition definition)
        : FakeInterface(objects, "ITaskDefinition"),
          service_(service),
          definition_(std::move(definition)) {}

    const StoredDefinition& stored() const { return *definition_; }

    HRESULT STDMETHODCALLTYPE get_Settings(ITaskSettings** settings) override {
        *settings = nullptr;
        const HRESULT result = enter("ITaskDefinition::get_Settings");
        if (FAILED(result)) return result;
        *settings = objects_.make<SettingsObject>(definition_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_RegistrationInfo(IRegistrationInfo** info) override {
        *info = nullptr;
        const HRESULT result = enter("ITaskDefinition::get_RegistrationInfo");
        if (FAILED(result)) return result;
        *info = objects_.make<RegistrationInfoObject>(service_, definition_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Triggers(ITriggerCollection** triggers) override {
        *triggers = nullptr;
        const HRESULT result = enter("ITaskDefinition::get_Triggers");
        if (FAILED(result)) return result;
        *triggers = objects_.make<TriggerCollectionObject>(service_, definition_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Actions(IActionCollection** actions) override {
        *actions = nullptr;
        const HRESULT result = enter("ITaskDefinition::get_Actions");
        if (FAILED(result)) return result;
        *actions = objects_.make<ActionCollectionObject>(service_, definition_);
        return S_OK;
    }

  private:
    FakeTaskService& service_;
    Definition definition_;
};

class RegisteredTaskObject final : public FakeInterface<NotUsedRegisteredTask> {
  public:
    RegisteredTaskObject(FakeComObjects& objects, FakeTaskService& service,
                         StoredDefinition definition)
        : FakeInterface(objects, "IRegisteredTask"), service_(service), definition_(definition) {}

    HRESULT STDMETHODCALLTYPE get_Definition(ITaskDefinition** definition) override {
        *definition = nullptr;
        const HRESULT result = enter("IRegisteredTask::get_Definition");
        if (FAILED(result)) return result;
        // A copy: changes count only once the definition is registered again.
        *definition = objects_.make<DefinitionObject>(
            service_, std::make_shared<StoredDefinition>(definition_));
        return S_OK;
    }

  private:
    FakeTaskService& service_;
    StoredDefinition definition_;
};

class FolderObject final : public FakeInterface<NotUsedTaskFolder> {
  public:
    FolderObject(FakeComObjects& objects, FakeTaskService& service)
        : FakeInterface(objects, "ITaskFolder"), service_(service) {}

    HRESULT STDMETHODCALLTYPE GetTask(BSTR path, IRegisteredTask** task) override {
        *task = nullptr;
        const HRESULT result = enter("ITaskFolder::GetTask");
        if (FAILED(result)) return result;
        auto found = service_.tasks.find(service_.textOf(path, "GetTask"));
        if (found == service_.tasks.end()) return kNotFound;
        *task = objects_.make<RegisteredTaskObject>(service_, found->second.definition);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DeleteTask(BSTR name, LONG flags) override {
        const HRESULT result = enter("ITaskFolder::DeleteTask");
        if (FAILED(result)) return result;
        if (flags != 0) objects_.fault("ITaskFolder::DeleteTask with flags");
        return service_.tasks.erase(service_.textOf(name, "DeleteTask")) == 1 ? S_OK : kNotFound;
    }
    HRESULT STDMETHODCALLTYPE RegisterTaskDefinition(BSTR path, ITaskDefinition* definition,
                                                     LONG flags, VARIANT user, VARIANT password,
                                                     TASK_LOGON_TYPE logonType, VARIANT sddl,
                                                     IRegisteredTask** task) override {
        *task = nullptr;
        const HRESULT result = enter("ITaskFolder::RegisterTaskDefinition");
        if (FAILED(result)) return result;
        auto* fake = dynamic_cast<DefinitionObject*>(definition);
        if (fake == nullptr) {
            objects_.fault("RegisterTaskDefinition of a definition the fake did not make");
            return E_INVALIDARG;
        }
        StoredRegistration registration;
        registration.definition = fake->stored();
        registration.flags = flags;
        registration.user = service_.argumentOf(user, "RegisterTaskDefinition user");
        registration.password = service_.argumentOf(password, "RegisterTaskDefinition password");
        registration.logonType = logonType;
        registration.securityDescriptor = service_.argumentOf(sddl, "RegisterTaskDefinition sddl");
        service_.tasks[service_.textOf(path, "RegisterTaskDefinition")] = registration;
        *task = objects_.make<RegisteredTaskObject>(service_, registration.definition);
        return S_OK;
    }

  private:
    FakeTaskService& service_;
};

class ServiceObject final : public FakeInterface<NotUsedTaskService> {
  public:
    ServiceObject(FakeComObjects& objects, FakeTaskService& service)
        : FakeInterface(objects, "ITaskService"), service_(service) {}

    HRESULT STDMETHODCALLTYPE Connect(VARIANT server, VARIANT user, VARIANT domain,
                                      VARIANT password) override {
        const HRESULT result = enter("ITaskService::Connect");
        if (FAILED(result)) return result;
        service_.connections.push_back(
            {service_.argumentOf(server, "Connect"), service_.argumentOf(user, "Connect"),
             service_.argumentOf(domain, "Connect"), service_.argumentOf(password, "Connect")});
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetFolder(BSTR path, ITaskFolder** folder) override {
        *folder = nullptr;
        const HRESULT result = enter("ITaskService::GetFolder");
        if (FAILED(result)) return result;
        service_.foldersOpened.push_back(service_.textOf(path, "GetFolder"));
        *folder = objects_.make<FolderObject>(service_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE NewTask(DWORD flags, ITaskDefinition** definition) override {
        *definition = nullptr;
        const HRESULT result = enter("ITaskService::NewTask");
        if (FAILED(result)) return result;
        if (flags != 0) objects_.fault("ITaskService::NewTask with flags");
        *definition =
            objects_.make<DefinitionObject>(service_, std::make_shared<StoredDefinition>());
        return S_OK;
    }

  private:
    FakeTaskService& service_;
};

}  // namespace

ITaskService* FakeTaskService::newService() { return objects_.make<ServiceObject>(*this); }

std::wstring FakeTaskService::textOf(BSTR text, const char* call) {
    if (text == nullptr) return std::wstring();
    if (isLiveBstr && !isLiveBstr(text)) {
        objects_.fault(std::string(call) + " received a string that is not a live BSTR");
        return std::wstring(text);
    }
    return std::wstring(text, ::SysStringLen(text));
}

VariantArgument FakeTaskService::argumentOf(const VARIANT& value, const char* call) {
    VariantArgument argument;
    argument.type = V_VT(&value);
    if (argument.type == VT_BSTR) {
        argument.text = textOf(V_BSTR(&value), call);
    } else if (argument.type != VT_EMPTY) {
        objects_.fault(std::string(call) + " received a variant that is neither empty nor a BSTR");
    }
    return argument;
}

}  // namespace fakes
