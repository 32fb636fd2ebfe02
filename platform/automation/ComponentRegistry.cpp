// The component registry's text store, class and type-library entries, and object creation
// through a library's class factory.
#include "platform/automation/ComponentRegistry.h"

#include "platform/automation/Texts.h"
#include "platform/automation/Unicode.h"
#include "platform/text/Ascii.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <unordered_map>

namespace plat::automation {

namespace {

namespace fs = std::filesystem;

using plat::text::asciiLowered;
using plat::text::equalsNoCase;

std::string_view rootName(RegistryRoot r) {
    switch (r) {
    case RegistryRoot::ClassesRoot:
        return "ClassesRoot";
    case RegistryRoot::CurrentUser:
        return "CurrentUser";
    case RegistryRoot::LocalMachine:
        return "LocalMachine";
    }
    return "ClassesRoot";
}

// "Root\a\b" with empty parts and surrounding separators dropped.
std::string fullPath(RegistryRoot root, std::string_view keyPath) {
    std::string out(rootName(root));
    std::size_t i = 0;
    while (i <= keyPath.size()) {
        auto j = keyPath.find('\\', i);
        if (j == std::string_view::npos)
            j = keyPath.size();
        if (j > i) {
            out += '\\';
            out += keyPath.substr(i, j - i);
        }
        i = j + 1;
    }
    return out;
}

struct Key {
    std::string path; // as first written
    std::vector<std::pair<std::string, RegistryValue>> values;
};

// The whole store in memory, keyed by lower-cased full path.
using Store = std::map<std::string, Key>;

std::string quote(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out + "\"";
}

// Reads "..." at pos; advances past it.
std::optional<std::string> unquote(std::string_view s, std::size_t& pos) {
    if (pos >= s.size() || s[pos] != '"')
        return std::nullopt;
    std::string out;
    for (std::size_t i = pos + 1; i < s.size(); ++i) {
        if (s[i] == '"') {
            pos = i + 1;
            return out;
        }
        if (s[i] == '\\' && i + 1 < s.size()) {
            ++i;
            out += s[i] == 'n' ? '\n' : s[i];
        } else {
            out += s[i];
        }
    }
    return std::nullopt;
}

Store parseStore(std::string_view text) {
    Store store;
    Key* current = nullptr;
    std::size_t start = 0;
    while (start < text.size()) {
        auto nl = text.find('\n', start);
        if (nl == std::string_view::npos)
            nl = text.size();
        std::string_view line = text.substr(start, nl - start);
        start = nl + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.remove_suffix(1);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[') {
            if (line.back() != ']') {
                current = nullptr;
                continue;
            }
            const std::string path(line.substr(1, line.size() - 2));
            Key& k = store[asciiLowered(path)];
            if (k.path.empty())
                k.path = path;
            current = &k;
            continue;
        }
        if (!current)
            continue;
        std::string name;
        std::size_t pos = 0;
        if (line[0] == '@') {
            pos = 1;
        } else if (auto n = unquote(line, pos)) {
            name = *n;
        } else {
            continue;
        }
        if (pos >= line.size() || line[pos] != '=')
            continue;
        ++pos;
        RegistryValue v;
        if (line.substr(pos, 6) == "dword:") {
            const std::string hex(line.substr(pos + 6));
            char* end = nullptr;
            const unsigned long n = std::strtoul(hex.c_str(), &end, 16);
            if (hex.empty() || *end != '\0')
                continue;
            v.kind = RegistryValue::Kind::Number;
            v.number = static_cast<std::uint32_t>(n);
        } else if (auto s = unquote(line, pos)) {
            v.text = *s;
        } else {
            continue;
        }
        current->values.emplace_back(name, v);
    }
    return store;
}

std::string formatStore(const Store& store) {
    std::string out = "; Vantil component registry\n";
    for (const auto& [_, key] : store) {
        out += "\n[" + key.path + "]\n";
        for (const auto& [name, v] : key.values) {
            out += name.empty() ? std::string("@") : quote(name);
            out += '=';
            if (v.kind == RegistryValue::Kind::Number) {
                char buf[16];
                std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<unsigned>(v.number));
                out += buf;
            } else {
                out += quote(v.text);
            }
            out += '\n';
        }
    }
    return out;
}

// Holds an flock on "<registry>.lock" for the lifetime of the object.
class FileLock {
public:
    FileLock(const std::string& registryPath, bool exclusive) {
        std::error_code ec;
        const fs::path dir = fs::path(registryPath).parent_path();
        if (!dir.empty())
            fs::create_directories(dir, ec);
        fd_ = ::open((registryPath + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ >= 0)
            ::flock(fd_, exclusive ? LOCK_EX : LOCK_SH);
    }
    ~FileLock() {
        if (fd_ >= 0) {
            ::flock(fd_, LOCK_UN);
            ::close(fd_);
        }
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_ = -1;
};

Store readStore(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::stringstream ss;
    ss << in.rdbuf();
    return parseStore(ss.str());
}

bool writeStore(const std::string& path, const Store& store) {
    const std::string tmp = path + ".tmp." + std::to_string(::getpid());
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out << formatStore(store);
        out.flush();
        if (!out)
            return false;
    }
    std::error_code ec;
    fs::rename(tmp, path, ec);
    if (ec) {
        fs::remove(tmp, ec);
        return false;
    }
    return true;
}

// Read-modify-write of the store under the exclusive lock.
template <class F> Status modify(const std::string& path, F change) {
    FileLock lock(path, true);
    Store store = readStore(path);
    change(store);
    return writeStore(path, store) ? status::Ok : status::Fail;
}

Store snapshot(const std::string& path) {
    FileLock lock(path, false);
    return readStore(path);
}

void setIn(Store& store, const std::string& keyFull, std::string_view name,
           const RegistryValue& v) {
    Key& k = store[asciiLowered(keyFull)];
    if (k.path.empty())
        k.path = keyFull;
    for (auto& [n, old] : k.values) {
        if (equalsNoCase(n, name)) {
            old = v;
            return;
        }
    }
    k.values.emplace_back(std::string(name), v);
}

void deleteIn(Store& store, const std::string& keyFull) {
    const std::string k = asciiLowered(keyFull);
    store.erase(k);
    const std::string prefix = k + "\\";
    for (auto it = store.lower_bound(prefix); it != store.end() && it->first.starts_with(prefix);)
        it = store.erase(it);
}

const RegistryValue* findIn(const Store& store, const std::string& keyFull, std::string_view name) {
    const auto it = store.find(asciiLowered(keyFull));
    if (it == store.end())
        return nullptr;
    for (const auto& [n, v] : it->second.values)
        if (equalsNoCase(n, name))
            return &v;
    return nullptr;
}

RegistryValue text(std::string s) {
    RegistryValue v;
    v.text = std::move(s);
    return v;
}

std::string clsidKey(const Guid& clsid) {
    return fullPath(RegistryRoot::ClassesRoot, "CLSID\\" + clsid.toString());
}

// Libraries stay loaded for the life of the process: objects they made may outlive any
// bookkeeping of ours, and unloading code that still has live objects would crash.
void* openLibrary(const std::string& path, AutomationError* error) {
    static std::mutex mutex;
    static std::unordered_map<std::string, void*> handles;
    std::lock_guard guard(mutex);
    if (const auto it = handles.find(path); it != handles.end())
        return it->second;
    void* h = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!h) {
        if (error) {
            const char* why = ::dlerror();
            *error = AutomationError(status::DllNotFound, toUtf16(texts::kLibraryNotLoaded) + u" " +
                                                              toUtf16(why ? why : path));
        }
        return nullptr;
    }
    handles.emplace(path, h);
    return h;
}

Status fail(AutomationError* error, Status s, const char* desc) {
    if (error)
        *error = AutomationError(s, std::string_view(desc));
    return s;
}

} // namespace

std::string ComponentRegistry::defaultPath() {
    if (const char* env = std::getenv("VANTIL_REGISTRY"); env && *env)
        return env;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return std::string(xdg) + "/vantil/registry.txt";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config/vantil/registry.txt";
}

ComponentRegistry::ComponentRegistry(std::string path) : path_(std::move(path)) {}

std::optional<RegistryValue> ComponentRegistry::value(RegistryRoot root, std::string_view keyPath,
                                                      std::string_view valueName) const {
    const Store store = snapshot(path_);
    if (const RegistryValue* v = findIn(store, fullPath(root, keyPath), valueName))
        return *v;
    return std::nullopt;
}

bool ComponentRegistry::keyExists(RegistryRoot root, std::string_view keyPath) const {
    const Store store = snapshot(path_);
    const std::string k = asciiLowered(fullPath(root, keyPath));
    if (store.count(k))
        return true;
    const auto it = store.lower_bound(k + "\\");
    return it != store.end() && it->first.starts_with(k + "\\");
}

std::vector<std::string> ComponentRegistry::subKeys(RegistryRoot root,
                                                    std::string_view keyPath) const {
    const Store store = snapshot(path_);
    const std::string prefix = asciiLowered(fullPath(root, keyPath)) + "\\";
    std::vector<std::string> out;
    for (auto it = store.lower_bound(prefix); it != store.end() && it->first.starts_with(prefix);
         ++it) {
        const std::string rest = it->second.path.substr(prefix.size());
        const std::string child = rest.substr(0, rest.find('\\'));
        bool seen = false;
        for (const auto& c : out)
            seen = seen || equalsNoCase(c, child);
        if (!seen)
            out.push_back(child);
    }
    return out;
}

Status ComponentRegistry::setValue(RegistryRoot root, std::string_view keyPath,
                                   std::string_view valueName, const RegistryValue& v) {
    const std::string k = fullPath(root, keyPath);
    return modify(path_, [&](Store& s) { setIn(s, k, valueName, v); });
}

Status ComponentRegistry::deleteKey(RegistryRoot root, std::string_view keyPath) {
    const std::string k = fullPath(root, keyPath);
    return modify(path_, [&](Store& s) { deleteIn(s, k); });
}

Status ComponentRegistry::registerClass(const ClassRegistration& reg) {
    if (reg.clsid.isNull() || reg.libraryPath.empty())
        return status::SelfRegClass;
    const std::string k = clsidKey(reg.clsid);
    const Status s = modify(path_, [&](Store& st) {
        // Registering again replaces the class's entries, so it leaves exactly one set.
        deleteIn(st, k);
        setIn(st, k, "", text(reg.typeName));
        setIn(st, k + "\\InprocServer32", "", text(reg.libraryPath));
        setIn(st, k + "\\InprocServer32", "ThreadingModel", text(reg.threadingModel));
        if (!reg.progId.empty()) {
            setIn(st, k + "\\ProgID", "", text(reg.progId));
            const std::string p = fullPath(RegistryRoot::ClassesRoot, reg.progId);
            deleteIn(st, p);
            setIn(st, p, "", text(reg.typeName));
            setIn(st, p + "\\CLSID", "", text(reg.clsid.toString()));
            if (reg.insertable)
                setIn(st, p + "\\Insertable", "", text(""));
        }
        if (!reg.typeLibId.isNull())
            setIn(st, k + "\\TypeLib", "", text(reg.typeLibId.toString()));
        if (!reg.version.empty())
            setIn(st, k + "\\Version", "", text(reg.version));
        if (reg.insertable)
            setIn(st, k + "\\Insertable", "", text(""));
        if (reg.miscStatus) {
            setIn(st, k + "\\MiscStatus", "", text("0"));
            setIn(st, k + "\\MiscStatus\\1", "", text(std::to_string(*reg.miscStatus)));
        }
        if (!reg.toolboxBitmap.empty())
            setIn(st, k + "\\ToolboxBitmap32", "", text(reg.toolboxBitmap));
        setIn(st, k + "\\Control", "", text(""));
    });
    return succeeded(s) ? s : status::SelfRegClass;
}

Status ComponentRegistry::unregisterClass(const Guid& clsid) {
    const std::string k = clsidKey(clsid);
    const Status s = modify(path_, [&](Store& st) {
        if (const RegistryValue* p = findIn(st, k + "\\ProgID", "")) {
            const std::string progKey = fullPath(RegistryRoot::ClassesRoot, p->text);
            // Remove the ProgID only while it still names this class.
            const RegistryValue* back = findIn(st, progKey + "\\CLSID", "");
            if (back && Guid::parse(back->text) == clsid)
                deleteIn(st, progKey);
        }
        deleteIn(st, k);
    });
    return succeeded(s) ? s : status::SelfRegClass;
}

Status ComponentRegistry::registerTypeLib(const TypeLibRegistration& reg) {
    if (reg.libId.isNull())
        return status::SelfRegTypeLib;
    const std::string lib = fullPath(RegistryRoot::ClassesRoot, "TypeLib\\" + reg.libId.toString());
    const std::string ver =
        lib + "\\" + std::to_string(reg.major) + "." + std::to_string(reg.minor);
    const Status s = modify(path_, [&](Store& st) {
        deleteIn(st, ver);
        setIn(st, ver, "", text(reg.helpString));
        setIn(st, ver + "\\" + std::to_string(reg.locale) + "\\so", "", text(reg.path));
        setIn(st, ver + "\\FLAGS", "", text("0"));
    });
    return succeeded(s) ? s : status::SelfRegTypeLib;
}

Status ComponentRegistry::unregisterTypeLib(const Guid& libId, int major, int minor, int locale) {
    const std::string lib = fullPath(RegistryRoot::ClassesRoot, "TypeLib\\" + libId.toString());
    const std::string ver = lib + "\\" + std::to_string(major) + "." + std::to_string(minor);
    const Status s = modify(path_, [&](Store& st) {
        deleteIn(st, ver + "\\" + std::to_string(locale));
        // The version goes when no other locale is left under it.
        const std::string verPrefix = asciiLowered(ver) + "\\";
        bool otherLocale = false;
        for (auto it = st.lower_bound(verPrefix);
             it != st.end() && it->first.starts_with(verPrefix); ++it) {
            const std::string child = it->first.substr(verPrefix.size());
            if (!child.starts_with("flags"))
                otherLocale = true;
        }
        if (!otherLocale)
            deleteIn(st, ver);
        const std::string libPrefix = asciiLowered(lib) + "\\";
        const auto it = st.lower_bound(libPrefix);
        if (it == st.end() || !it->first.starts_with(libPrefix))
            deleteIn(st, lib);
    });
    return succeeded(s) ? s : status::SelfRegTypeLib;
}

std::optional<ClassRegistration> ComponentRegistry::findClass(const Guid& clsid) const {
    const Store st = snapshot(path_);
    const std::string k = clsidKey(clsid);
    const RegistryValue* server = findIn(st, k + "\\InprocServer32", "");
    if (!server)
        return std::nullopt;
    ClassRegistration reg;
    reg.clsid = clsid;
    reg.libraryPath = server->text;
    if (const auto* v = findIn(st, k, ""))
        reg.typeName = v->text;
    if (const auto* v = findIn(st, k + "\\InprocServer32", "ThreadingModel"))
        reg.threadingModel = v->text;
    if (const auto* v = findIn(st, k + "\\ProgID", ""))
        reg.progId = v->text;
    if (const auto* v = findIn(st, k + "\\TypeLib", ""))
        reg.typeLibId = Guid::parse(v->text).value_or(Guid{});
    if (const auto* v = findIn(st, k + "\\Version", ""))
        reg.version = v->text;
    reg.insertable = st.count(asciiLowered(k + "\\Insertable")) != 0;
    if (const auto* v = findIn(st, k + "\\MiscStatus\\1", ""))
        reg.miscStatus = static_cast<std::uint32_t>(std::strtoul(v->text.c_str(), nullptr, 10));
    if (const auto* v = findIn(st, k + "\\ToolboxBitmap32", ""))
        reg.toolboxBitmap = v->text;
    return reg;
}

std::optional<Guid> ComponentRegistry::classOfProgId(std::string_view progId) const {
    if (progId.empty())
        return std::nullopt;
    const Store st = snapshot(path_);
    const RegistryValue* v =
        findIn(st, fullPath(RegistryRoot::ClassesRoot, progId) + "\\CLSID", "");
    if (!v)
        return std::nullopt;
    return Guid::parse(v->text);
}

bool GetKeyValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                 std::string& out) {
    const auto v = ComponentRegistry().value(root, keyPath, valueName);
    if (!v)
        return false;
    out = v->kind == RegistryValue::Kind::Number ? std::to_string(v->number) : v->text;
    return true;
}

std::string libraryPathOf(const void* address) {
    Dl_info info{};
    if (::dladdr(address, &info) == 0 || !info.dli_fname)
        return {};
    std::error_code ec;
    const fs::path p = fs::canonical(info.dli_fname, ec);
    return ec ? std::string(info.dli_fname) : p.string();
}

Status createInstance(const Guid& clsid, std::shared_ptr<Dispatch>& object, AutomationError* error,
                      const ComponentRegistry& registry) {
    object.reset();
    const auto reg = registry.findClass(clsid);
    if (!reg)
        return fail(error, status::ClassNotRegistered, texts::kClassNotRegistered);
    void* lib = openLibrary(reg->libraryPath, error);
    if (!lib)
        return status::DllNotFound;
    auto getClassObject = reinterpret_cast<DllGetClassObjectFn>(::dlsym(lib, "DllGetClassObject"));
    if (!getClassObject)
        return fail(error, status::DllNotFound, texts::kLibraryNotLoaded);
    ClassFactory* factory = nullptr;
    Status s = getClassObject(&clsid, &factory);
    if (failed(s) || !factory)
        return fail(error, failed(s) ? s : status::ClassNotAvailable, texts::kCannotCreateObject);
    s = factory->createInstance(object);
    if (failed(s) || !object) {
        object.reset();
        return fail(error, failed(s) ? s : status::Fail, texts::kCannotCreateObject);
    }
    return status::Ok;
}

Status createInstance(std::string_view progId, std::shared_ptr<Dispatch>& object,
                      AutomationError* error, const ComponentRegistry& registry) {
    const auto clsid = registry.classOfProgId(progId);
    if (!clsid) {
        object.reset();
        return fail(error, status::InvalidProgId, texts::kClassNotRegistered);
    }
    return createInstance(*clsid, object, error, registry);
}

Status registerLibrary(const std::string& libraryPath, bool unregister, AutomationError* error) {
    std::error_code ec;
    const fs::path abs = fs::absolute(libraryPath, ec);
    void* lib = openLibrary(ec ? libraryPath : abs.string(), error);
    if (!lib)
        return status::DllNotFound;
    auto fn = reinterpret_cast<DllRegisterServerFn>(
        ::dlsym(lib, unregister ? "DllUnregisterServer" : "DllRegisterServer"));
    if (!fn)
        return fail(error, status::DllNotFound, texts::kLibraryNotLoaded);
    return fn();
}

} // namespace plat::automation
