// The component registry with a real component library: registering twice, unregistering,
// creating objects by ProgID and class identifier, the unload check, and the generic values.
#include "platform/automation/ComponentRegistry.h"

#include "platform/automation/ControlObject.h"
#include "tests/automation/TestRegistry.h"
#include "tests/automation/component/TallyIds.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <thread>

using namespace plat::automation;
using automation_test::ScopedRegistry;
using automation_test::tallyLibrary;

namespace {

const Guid kTally = *Guid::parse(tally::kClsid);
const Guid kTallyLib = *Guid::parse(tally::kLibId);

TEST(Guid, ParsesAndFormatsBothForms) {
    const auto g = Guid::parse("{6a1f3c52-9b0e-4d7a-8c21-5e4f0b9d7a13}");
    ASSERT_TRUE(g);
    EXPECT_EQ(g->toString(), "{6A1F3C52-9B0E-4D7A-8C21-5E4F0B9D7A13}");
    EXPECT_EQ(Guid::parse("6A1F3C52-9B0E-4D7A-8C21-5E4F0B9D7A13"), g);
    EXPECT_FALSE(Guid::parse("{6A1F3C52-9B0E-4D7A-8C21-5E4F0B9D7A1}"));
    EXPECT_FALSE(Guid::parse("{6A1F3C52-9B0E-4D7A-8C21-5E4F0B9D7A1G}"));
    EXPECT_FALSE(Guid::parse("{6A1F3C52+9B0E-4D7A-8C21-5E4F0B9D7A13}"));
    EXPECT_FALSE(Guid::parse(""));
}

TEST(ComponentRegistry, RegisteringTwiceLeavesTheSameEntries) {
    ScopedRegistry reg;
    ASSERT_EQ(registerLibrary(tallyLibrary()), status::Ok);
    const std::string once = reg.contents();
    ASSERT_EQ(registerLibrary(tallyLibrary()), status::Ok);
    EXPECT_EQ(reg.contents(), once);

    const auto cls = ComponentRegistry().findClass(kTally);
    ASSERT_TRUE(cls);
    EXPECT_EQ(cls->progId, tally::kProgId);
    EXPECT_TRUE(cls->libraryPath.starts_with("/")) << "the library registers its absolute path";
    EXPECT_NE(cls->libraryPath.find("automation_tally"), std::string::npos);
    EXPECT_EQ(cls->threadingModel, "Apartment");
    EXPECT_TRUE(cls->insertable);
    EXPECT_EQ(cls->miscStatus, 0x00020191u);
    EXPECT_EQ(cls->typeLibId, kTallyLib);
    EXPECT_EQ(ComponentRegistry().classOfProgId("automationtest.TALLY"), kTally)
        << "ProgIDs compare case-insensitively";
    EXPECT_TRUE(ComponentRegistry().keyExists(RegistryRoot::ClassesRoot,
                                              "TypeLib\\" + kTallyLib.toString() + "\\1.0\\0"));
}

TEST(ComponentRegistry, UnregisteringRemovesClassProgIdAndTypeLibVersion) {
    ScopedRegistry reg;
    ComponentRegistry r;
    // Another library version and an unrelated key survive the removal.
    TypeLibRegistration other;
    other.libId = kTallyLib;
    other.major = 2;
    other.minor = 0;
    other.path = "/elsewhere.so";
    ASSERT_EQ(r.registerTypeLib(other), status::Ok);
    RegistryValue keep;
    keep.text = "kept";
    ASSERT_EQ(r.setValue(RegistryRoot::LocalMachine, "SOFTWARE\\Other", "PATH", keep), status::Ok);

    ASSERT_EQ(registerLibrary(tallyLibrary()), status::Ok);
    ASSERT_EQ(registerLibrary(tallyLibrary(), true), status::Ok);
    EXPECT_FALSE(r.findClass(kTally));
    EXPECT_FALSE(r.classOfProgId(tally::kProgId));
    const std::string lib = "TypeLib\\" + kTallyLib.toString();
    EXPECT_FALSE(r.keyExists(RegistryRoot::ClassesRoot, lib + "\\1.0"));
    EXPECT_TRUE(r.keyExists(RegistryRoot::ClassesRoot, lib + "\\2.0"));
    EXPECT_EQ(r.value(RegistryRoot::LocalMachine, "software\\other", "path"), keep);
    // Unregistering again is harmless.
    EXPECT_EQ(registerLibrary(tallyLibrary(), true), status::Ok);
    ASSERT_EQ(r.unregisterTypeLib(kTallyLib, 2, 0, 0), status::Ok);
    EXPECT_FALSE(r.keyExists(RegistryRoot::ClassesRoot, lib)) << "no version left: key removed";
}

TEST(ComponentRegistry, CreatesObjectsByProgIdAndByClassIdentifier) {
    ScopedRegistry reg;
    std::shared_ptr<Dispatch> obj;
    AutomationError err;
    EXPECT_EQ(createInstance(tally::kProgId, obj, &err), status::InvalidProgId);
    EXPECT_EQ(err.number(), 429);
    EXPECT_FALSE(err.description.empty());
    EXPECT_EQ(createInstance(kTally, obj), status::ClassNotRegistered);

    ASSERT_EQ(registerLibrary(tallyLibrary()), status::Ok);
    ASSERT_EQ(createInstance(tally::kProgId, obj, &err), status::Ok);
    ASSERT_TRUE(obj);
    std::shared_ptr<Dispatch> second;
    ASSERT_EQ(createInstance(kTally, second, &err), status::Ok);
    EXPECT_NE(obj.get(), second.get()) << "one object per request";
    putProperty(*obj, u"Count", Variant(std::int32_t{3}));
    EXPECT_EQ(getProperty(*second, u"Count"), Variant(std::int32_t{0}));

    // The library may be unloaded only when no object is alive.
    void* h = ::dlopen(tallyLibrary(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(h, nullptr);
    auto canUnload = reinterpret_cast<DllCanUnloadNowFn>(::dlsym(h, "DllCanUnloadNow"));
    ASSERT_NE(canUnload, nullptr);
    EXPECT_EQ(canUnload(), status::False);
    obj.reset();
    second.reset();
    EXPECT_EQ(canUnload(), status::Ok);
    auto getClassObject = reinterpret_cast<DllGetClassObjectFn>(::dlsym(h, "DllGetClassObject"));
    ClassFactory* f = nullptr;
    const Guid unknown = *Guid::parse("{00000000-0000-0000-0000-000000000001}");
    EXPECT_EQ(getClassObject(&unknown, &f), status::ClassNotAvailable);
    EXPECT_EQ(f, nullptr);
    ::dlclose(h);
}

TEST(ComponentRegistry, MissingLibraryIsReportedNotCrashed) {
    ScopedRegistry reg;
    ClassRegistration cls;
    cls.clsid = kTally;
    cls.progId = "Broken.Thing";
    cls.libraryPath = "/nonexistent/libnothing.so";
    ASSERT_EQ(ComponentRegistry().registerClass(cls), status::Ok);
    std::shared_ptr<Dispatch> obj;
    AutomationError err;
    EXPECT_EQ(createInstance("Broken.Thing", obj, &err), status::DllNotFound);
    EXPECT_FALSE(obj);
    EXPECT_NE(err.descriptionUtf8().find("libnothing"), std::string::npos);
    EXPECT_EQ(registerLibrary("/nonexistent/libnothing.so"), status::DllNotFound);
}

TEST(ComponentRegistry, GenericValuesTextAndNumbersWithKeyValueLookUp) {
    ScopedRegistry reg;
    ComponentRegistry r;
    RegistryValue path;
    path.text = "/usr/bin/sysinfo \"quoted\" \\ back";
    RegistryValue num;
    num.kind = RegistryValue::Kind::Number;
    num.number = 0x00020191;
    ASSERT_EQ(r.setValue(RegistryRoot::LocalMachine, "SOFTWARE\\Tools\\Info", "PATH", path),
              status::Ok);
    ASSERT_EQ(r.setValue(RegistryRoot::LocalMachine, "SOFTWARE\\Tools\\Info", "Flags", num),
              status::Ok);
    std::string out;
    EXPECT_TRUE(GetKeyValue(RegistryRoot::LocalMachine, "software\\tools\\info", "path", out));
    EXPECT_EQ(out, path.text);
    EXPECT_TRUE(GetKeyValue(RegistryRoot::LocalMachine, "SOFTWARE\\Tools\\Info", "Flags", out));
    EXPECT_EQ(out, "131473");
    EXPECT_FALSE(GetKeyValue(RegistryRoot::CurrentUser, "SOFTWARE\\Tools\\Info", "PATH", out));
    EXPECT_FALSE(GetKeyValue(RegistryRoot::LocalMachine, "SOFTWARE\\Tools\\Info", "Other", out));
    ASSERT_EQ(r.setValue(RegistryRoot::LocalMachine, "SOFTWARE\\Tools-X", "", path), status::Ok);
    ASSERT_EQ(r.setValue(RegistryRoot::LocalMachine, "SOFTWARE\\Tools", "", path), status::Ok);
    EXPECT_EQ(r.subKeys(RegistryRoot::LocalMachine, "SOFTWARE"),
              (std::vector<std::string>{"Tools", "Tools-X"}))
        << "each child once, whatever sorts between its subkeys";
    ASSERT_EQ(r.deleteKey(RegistryRoot::LocalMachine, "SOFTWARE\\Tools"), status::Ok);
    EXPECT_FALSE(r.keyExists(RegistryRoot::LocalMachine, "SOFTWARE\\Tools\\Info"));
}

TEST(ComponentRegistry, DamagedStoreLinesAreSkipped) {
    ScopedRegistry reg;
    {
        std::ofstream out(reg.path());
        out << "[ClassesRoot\\Good]\n@=\"yes\"\n\"n\"=dword:zz\n\"open=\"x\n[Broken\n\"a\"=\"b\"\n"
               "[LocalMachine\\K]\n\"v\"=dword:0000000a\n\"w\"=\"cut";
    }
    ComponentRegistry r;
    EXPECT_EQ(r.value(RegistryRoot::ClassesRoot, "Good", "")->text, "yes");
    EXPECT_FALSE(r.value(RegistryRoot::ClassesRoot, "Good", "n"));
    EXPECT_EQ(r.value(RegistryRoot::LocalMachine, "K", "v")->number, 10u);
    EXPECT_FALSE(r.value(RegistryRoot::LocalMachine, "K", "w"));
}

std::string keyName(char prefix, int n) {
    std::string s(1, prefix);
    s += std::to_string(n);
    return s;
}

TEST(ComponentRegistry, RandomlyDamagedStoresStillReadAndRewrite) {
    ScopedRegistry reg;
    ASSERT_EQ(registerLibrary(tallyLibrary()), status::Ok);
    const std::string good = reg.contents();
    std::mt19937 rng(4242);
    for (int i = 0; i < 300; ++i) {
        std::string text = good;
        for (int e = 0; e < 4 && !text.empty(); ++e) {
            const std::size_t pos = rng() % text.size();
            if (rng() % 3 == 0)
                text.resize(pos);
            else
                text[pos] = "[]\\\"=@:\n dword"[rng() % 14];
        }
        std::ofstream(reg.path(), std::ios::trunc) << text;
        ComponentRegistry r;
        (void)r.findClass(kTally);
        (void)r.classOfProgId(tally::kProgId);
        (void)r.subKeys(RegistryRoot::ClassesRoot, "CLSID");
        RegistryValue v;
        v.text = "x";
        ASSERT_EQ(r.setValue(RegistryRoot::CurrentUser, "Fuzz", "v", v), status::Ok);
        ASSERT_EQ(r.value(RegistryRoot::CurrentUser, "Fuzz", "v"), v)
            << "a write after damage is read back";
    }
}

TEST(ComponentRegistry, ConcurrentWritersLoseNoEntry) {
    ScopedRegistry reg;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t] {
            ComponentRegistry r;
            const std::string key = keyName('T', t);
            for (int i = 0; i < 10; ++i) {
                RegistryValue v;
                v.text = std::to_string(i);
                r.setValue(RegistryRoot::CurrentUser, key, keyName('V', i), v);
            }
        });
    }
    for (auto& th : threads)
        th.join();
    ComponentRegistry r;
    for (int t = 0; t < 4; ++t)
        for (int i = 0; i < 10; ++i)
            EXPECT_TRUE(r.value(RegistryRoot::CurrentUser, keyName('T', t), keyName('V', i)));
}

} // namespace
