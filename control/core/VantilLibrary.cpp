// The four entry points of libvantil.so: registration of the type library and the control
// class in the component registry, the class factory and the unload query.
#include "control/core/ClassFactory.h"
#include "control/core/ClassIdentity.h"
#include "control/core/Texts.h"
#include "platform/automation/ComponentRegistry.h"

#include <string>

using namespace plat::automation;

namespace {

// Any address inside this library, to find the library's own path.
const char kLibraryAnchor = 0;

Guid guidOf(std::string_view text) {
    return Guid::parse(text).value_or(Guid{});
}

std::string ownPath() {
    return libraryPathOf(&kLibraryAnchor);
}

} // namespace

extern "C" Status DllRegisterServer() {
    using namespace vantil;
    const std::string path = ownPath();
    if (path.empty()) {
        return status::SelfRegTypeLib;
    }
    ComponentRegistry registry;
    TypeLibRegistration lib;
    lib.libId = guidOf(identity::kLibraryId);
    lib.major = identity::kLibraryMajor;
    lib.minor = identity::kLibraryMinor;
    lib.locale = static_cast<int>(identity::kLibraryLocale);
    lib.helpString = std::string(identity::kLibraryName);
    lib.path = path;
    if (failed(registry.registerTypeLib(lib))) {
        return status::SelfRegTypeLib;
    }
    ClassRegistration cls;
    cls.clsid = guidOf(identity::kControlClassId);
    cls.typeName = std::string(texts::kTypeName);
    cls.progId = std::string(identity::kProgId);
    cls.libraryPath = path;
    cls.threadingModel = std::string(identity::kThreadingModel);
    cls.typeLibId = lib.libId;
    cls.version =
        std::to_string(identity::kLibraryMajor) + "." + std::to_string(identity::kLibraryMinor);
    cls.insertable = identity::kInsertable;
    cls.miscStatus = identity::kMiscStatus;
    cls.toolboxBitmap = path + "," + std::to_string(identity::kToolboxBitmapResource);
    if (failed(registry.registerClass(cls))) {
        return status::SelfRegClass;
    }
    return status::Ok;
}

extern "C" Status DllUnregisterServer() {
    using namespace vantil;
    ComponentRegistry registry;
    // Version 4.2 is removed under the locale it was registered with, so that no entry of it
    // is left behind.
    if (failed(registry.unregisterTypeLib(guidOf(identity::kLibraryId), identity::kLibraryMajor,
                                          identity::kLibraryMinor,
                                          static_cast<int>(identity::kLibraryLocale)))) {
        return status::SelfRegTypeLib;
    }
    if (failed(registry.unregisterClass(guidOf(identity::kControlClassId)))) {
        return status::SelfRegClass;
    }
    return status::Ok;
}

extern "C" Status DllGetClassObject(const Guid* clsid, ClassFactory** factory) {
    if (clsid == nullptr || factory == nullptr) {
        return status::Pointer;
    }
    *factory = nullptr;
    if (*clsid != guidOf(vantil::identity::kControlClassId)) {
        return status::ClassNotAvailable;
    }
    *factory = &vantil::controlClassFactory();
    return status::Ok;
}

extern "C" Status DllCanUnloadNow() {
    const bool idle =
        vantil::liveObjects().count() == 0 && vantil::controlClassFactory().lockCount() == 0;
    return idle ? status::Ok : status::False;
}
