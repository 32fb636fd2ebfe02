// The component registry: a plain text store of keys and values (in the user's configuration
// folder, or the file named by VANTIL_REGISTRY) mapping class identifiers and ProgIDs to
// component libraries and keeping type-library entries; creating objects by class identifier
// or ProgID by loading the library and asking its class factory.
#pragma once

#include "platform/automation/AutomationError.h"
#include "platform/automation/ClassFactory.h"
#include "platform/automation/Dispatch.h"
#include "platform/automation/Guid.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat::automation {

// Roots of the key tree, with the classic handle values a caller may pass as numbers.
enum class RegistryRoot : std::uint32_t {
    ClassesRoot = 0x80000000,
    CurrentUser = 0x80000001,
    LocalMachine = 0x80000002,
};

// A stored value: text (type 1) or a 32-bit number (type 4).
struct RegistryValue {
    enum class Kind : std::uint8_t { Text = 1, Number = 4 };
    Kind kind = Kind::Text;
    std::string text; // UTF-8
    std::uint32_t number = 0;

    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

// What a library registers for one class.
struct ClassRegistration {
    Guid clsid;
    std::string typeName;    // the key's default value, e.g. the control's registered name
    std::string progId;      // "Quodra.VantilBox"; may be empty
    std::string libraryPath; // absolute path of the .so
    std::string threadingModel = "Apartment";
    Guid typeLibId;      // may be null
    std::string version; // type-library version of the class, e.g. "4.2"
    bool insertable = false;
    std::optional<std::uint32_t> miscStatus; // e.g. 0x00020191
    std::string toolboxBitmap;               // "path,resource" or empty
};

struct TypeLibRegistration {
    Guid libId;
    int major = 1;
    int minor = 0;
    int locale = 0;
    std::string helpString; // the key's default value
    std::string path;       // library holding the type information
};

// The registry file. Keys are paths separated by backslashes under a root; names of keys and
// values compare case-insensitively (ASCII). Every change is read-modify-write of the whole
// file under an exclusive lock and replaces the file atomically, so processes may share it.
class ComponentRegistry {
public:
    // VANTIL_REGISTRY if set, else $XDG_CONFIG_HOME/vantil/registry.txt, else
    // ~/.config/vantil/registry.txt.
    static std::string defaultPath();

    explicit ComponentRegistry(std::string path = defaultPath());
    const std::string& path() const { return path_; }

    // ---- Generic keys and values ("" as value name is the key's default value) ----
    std::optional<RegistryValue> value(RegistryRoot root, std::string_view keyPath,
                                       std::string_view valueName) const;
    bool keyExists(RegistryRoot root, std::string_view keyPath) const;
    std::vector<std::string> subKeys(RegistryRoot root, std::string_view keyPath) const;
    Status setValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                    const RegistryValue& value);
    // Removes the key with all its subkeys; Ok also when it did not exist.
    Status deleteKey(RegistryRoot root, std::string_view keyPath);

    // ---- Classes and type libraries ----
    // Writes CLSID\{clsid} (default = typeName) with InprocServer32 (default = library path,
    // ThreadingModel), ProgID, TypeLib, Version, Insertable, MiscStatus and ToolboxBitmap32,
    // and the ProgID key with its CLSID subkey. Registering again gives the same entries.
    Status registerClass(const ClassRegistration& reg);
    // Removes CLSID\{clsid} and the ProgID key that points at it.
    Status unregisterClass(const Guid& clsid);
    // Writes TypeLib\{libId}\<major>.<minor> (default = helpString) with <locale>\so = path.
    Status registerTypeLib(const TypeLibRegistration& reg);
    // Removes that version key, and the library's key when no other version is left.
    Status unregisterTypeLib(const Guid& libId, int major, int minor, int locale);

    std::optional<ClassRegistration> findClass(const Guid& clsid) const;
    std::optional<Guid> classOfProgId(std::string_view progId) const;

private:
    std::string path_;
};

// The classic look-up of one value for other tools (e.g. the path of a registered
// system-information viewer): true and `out` set when the value exists. A number value is
// given as text in decimal; callers needing another form read ComponentRegistry::value.
bool GetKeyValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                 std::string& out);

// Path of the shared library (or executable) containing `address`, found with dladdr; what a
// library's DllRegisterServer writes as its own location. Empty when unknown.
std::string libraryPathOf(const void* address);

// Creating objects: the class's library is loaded (and stays loaded for the life of the
// process), its DllGetClassObject asked for the factory, and the factory for one object.
// Errors: ClassNotRegistered, InvalidProgId, DllNotFound (with dlerror's text in `error`),
// ClassNotAvailable, or the factory's own status.
Status createInstance(const Guid& clsid, std::shared_ptr<Dispatch>& object,
                      AutomationError* error = nullptr,
                      const ComponentRegistry& registry = ComponentRegistry());
Status createInstance(std::string_view progId, std::shared_ptr<Dispatch>& object,
                      AutomationError* error = nullptr,
                      const ComponentRegistry& registry = ComponentRegistry());

// Loads a library and calls its DllRegisterServer or DllUnregisterServer (for registration
// tools and tests). DllNotFound when the library or the entry point is missing.
Status registerLibrary(const std::string& libraryPath, bool unregister = false,
                       AutomationError* error = nullptr);

} // namespace plat::automation
