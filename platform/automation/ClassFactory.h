// The in-process component contract: a class factory creates objects of one class, and a
// component library (.so) exports four entry points with C linkage that register and
// unregister it, hand out its factories and say whether it may be unloaded.
#pragma once

#include "platform/automation/AutomationError.h"
#include "platform/automation/Dispatch.h"
#include "platform/automation/Guid.h"

#include <atomic>
#include <memory>

namespace plat::automation {

class ClassFactory {
public:
    virtual ~ClassFactory() = default;
    // One new object per call. status::Ok, or an error such as OutOfMemory.
    virtual Status createInstance(std::shared_ptr<Dispatch>& object) = 0;
    // A host may keep the library loaded while it expects to create more objects.
    virtual Status lockServer(bool lock) {
        lockCount_ += lock ? 1 : -1;
        return status::Ok;
    }
    int lockCount() const { return lockCount_.load(); }

private:
    std::atomic<int> lockCount_{0};
};

// Counts a library's living objects for DllCanUnloadNow: each object increments it when
// constructed and decrements it when destroyed.
class LiveObjectCount {
public:
    void increment() { ++count_; }
    void decrement() { --count_; }
    int count() const { return count_.load(); }

private:
    std::atomic<int> count_{0};
};

} // namespace plat::automation

// Entry points a component library exports (declared here so libraries and hosts agree on
// their types; hosts reach them through dlsym with the pointer types below).
//
// DllRegisterServer: writes the library's type library and class entries to the component
//   registry (ComponentRegistry::registerClass/registerTypeLib); Ok, SelfRegTypeLib when the
//   type library cannot be registered, SelfRegClass when a class cannot.
// DllUnregisterServer: removes them again; same results.
// DllGetClassObject: *factory = the library's factory for `clsid` (owned by the library, alive
//   while it is loaded); ClassNotAvailable for a class the library does not serve.
// DllCanUnloadNow: status::Ok when no object of the library is alive and no lock is held,
//   else status::False.
extern "C" {
plat::automation::Status DllRegisterServer();
plat::automation::Status DllUnregisterServer();
plat::automation::Status DllGetClassObject(const plat::automation::Guid* clsid,
                                           plat::automation::ClassFactory** factory);
plat::automation::Status DllCanUnloadNow();
}

namespace plat::automation {
using DllRegisterServerFn = Status (*)();
using DllUnregisterServerFn = Status (*)();
using DllGetClassObjectFn = Status (*)(const Guid*, ClassFactory**);
using DllCanUnloadNowFn = Status (*)();
} // namespace plat::automation
