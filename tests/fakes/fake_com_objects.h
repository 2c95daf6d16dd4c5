// What the fake COM objects of one test share: the call script that makes any
// single method fail (with a chosen last-error value and HRESULT), and every
// object handed out, kept alive until the test ends. Each handed-out
// interface is an object of its own with its own reference count, so that a
// test can tell that every interface the code obtained was released exactly
// once: a Release too many, or a call after the last Release, is recorded as
// a fault instead of crashing the test.
#pragma once

#include <windows.h>

#include <unknwn.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/fakes/call_script.h"

namespace fakes {

class FakeComObjects {
  public:
    CallScript script;

    // The HRESULT a failing call of `call` answers: E_FAIL unless set here.
    std::map<std::string, HRESULT> failureResults;
    // The last-error value a successful call of `call` leaves behind; calls
    // not named here leave it alone.
    std::map<std::string, DWORD> lastErrorOnSuccess;

    // Records the call; S_OK, or the planned failure with its last error set.
    HRESULT enter(const std::string& call) {
        if (script.shouldFail(call)) {
            const DWORD lastError = ::GetLastError();
            auto result = failureResults.find(call);
            const HRESULT failure = result == failureResults.end() ? E_FAIL : result->second;
            ::SetLastError(lastError);
            return failure;
        }
        auto lastError = lastErrorOnSuccess.find(call);
        if (lastError != lastErrorOnSuccess.end()) ::SetLastError(lastError->second);
        return S_OK;
    }

    // Makes an object with one reference, owned by the caller of the fake
    // method that hands it out; it stays in memory until this goes.
    template <class Object, class... Arguments>
    Object* make(Arguments&&... arguments) {
        auto object = std::make_unique<Object>(*this, std::forward<Arguments>(arguments)...);
        Object* raw = object.get();
        objects_.push_back(std::move(object));
        return raw;
    }

    void fault(const std::string& what) { faults_.push_back(what); }
    // Misuse seen: Releases too many, calls after the last Release, calls of
    // methods the fakes do not expect, wrong arguments.
    const std::vector<std::string>& faults() const { return faults_; }

    // The interfaces handed out and not released, by name.
    std::vector<std::string> unreleased() const;
    // How many interfaces were handed out in all.
    std::size_t handedOut() const { return objects_.size(); }

    class Object;

  private:
    std::vector<std::unique_ptr<Object>> objects_;
    std::vector<std::string> faults_;
};

// The reference count and name of one handed-out interface.
class FakeComObjects::Object {
  public:
    Object(FakeComObjects& objects, std::string name) : objects_(objects), name_(std::move(name)) {}
    virtual ~Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    const std::string& name() const { return name_; }
    long references() const { return references_; }

  protected:
    ULONG addReference() {
        if (references_ <= 0) objects_.fault(name_ + ": AddRef after the last Release");
        return static_cast<ULONG>(++references_);
    }
    ULONG releaseReference() {
        if (references_ <= 0) {
            objects_.fault(name_ + ": Release after the last Release");
            return 0;
        }
        return static_cast<ULONG>(--references_);
    }
    // Records `call` and answers as the script says; a call on a released
    // interface is a fault.
    HRESULT enter(const char* call) {
        if (references_ <= 0) objects_.fault(name_ + ": " + call + " after the last Release");
        return objects_.enter(call);
    }
    HRESULT unexpected(const char* call) {
        objects_.fault(name_ + ": unexpected call of " + call);
        return E_NOTIMPL;
    }

    FakeComObjects& objects_;

  private:
    std::string name_;
    long references_ = 1;
};

inline std::vector<std::string> FakeComObjects::unreleased() const {
    std::vector<std::string> names;
    for (const auto& object : objects_) {
        if (object->references() > 0) names.push_back(object->name());
    }
    return names;
}

// One fake interface: IUnknown over the `Stubs` base of task_scheduler_stubs.h.
// QueryInterface answers IUnknown with this object; any other interface
// comes from `queryOther`, which a fake overrides to hand out a new object
// (so that each interface obtained is counted on its own).
template <class Stubs>
class FakeInterface : public Stubs, public FakeComObjects::Object {
  public:
    FakeInterface(FakeComObjects& objects, std::string name)
        : FakeComObjects::Object(objects, std::move(name)) {}

    ULONG STDMETHODCALLTYPE AddRef() override { return addReference(); }
    ULONG STDMETHODCALLTYPE Release() override { return releaseReference(); }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (id == IID_IUnknown) {
            addReference();
            *out = static_cast<IUnknown*>(static_cast<Stubs*>(this));
            return S_OK;
        }
        return queryOther(id, out);
    }
    HRESULT notUsed(const char* method) override { return unexpected(method); }

  protected:
    virtual HRESULT queryOther(REFIID, void**) { return E_NOINTERFACE; }
};

}  // namespace fakes
