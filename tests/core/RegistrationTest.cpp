// The built libvantil.so through the component registry: registering and unregistering
// (twice each), the registered entries, creating the control by ProgID, the class factory and
// the unload query.
#include "control/core/ClassIdentity.h"
#include "platform/automation/ClassFactory.h"
#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/ControlObject.h"
#include "tests/support/Scratch.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vantil {
namespace {

using namespace plat::automation;

const std::string kLibrary = VANTIL_LIBRARY_PATH;

Guid guidOf(std::string_view text) {
    return *Guid::parse(text);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Each test gets a registry file of its own, so the build tree's registry stays untouched.
class Registration : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path dir = testsupport::scratchRoot();
        path_ = (dir / ("core-registry-" + std::to_string(::getpid()) + ".txt")).string();
        std::filesystem::remove(path_);
        if (const char* old = std::getenv("VANTIL_REGISTRY")) {
            saved_ = old;
        }
        ::setenv("VANTIL_REGISTRY", path_.c_str(), 1);
    }
    void TearDown() override {
        if (saved_) {
            ::setenv("VANTIL_REGISTRY", saved_->c_str(), 1);
        } else {
            ::unsetenv("VANTIL_REGISTRY");
        }
        std::filesystem::remove(path_);
    }
    std::string path_;
    std::optional<std::string> saved_;
};

TEST_F(Registration, RegisteringTwiceKeepsTheSameEntriesAndUnregisteringRemovesThem) {
    ASSERT_EQ(registerLibrary(kLibrary), status::Ok);
    const std::string first = readFile(path_);
    ASSERT_EQ(registerLibrary(kLibrary), status::Ok);
    EXPECT_EQ(readFile(path_), first);

    ComponentRegistry registry(path_);
    const auto cls = registry.findClass(guidOf(identity::kControlClassId));
    ASSERT_TRUE(cls.has_value());
    EXPECT_EQ(cls->typeName, "Quodra LX4 VantilBox Control");
    EXPECT_EQ(cls->progId, "Quodra.VantilBox");
    EXPECT_EQ(cls->threadingModel, "Apartment");
    EXPECT_TRUE(cls->insertable);
    EXPECT_EQ(cls->miscStatus, 0x00020191u);
    EXPECT_EQ(cls->version, "4.2");
    EXPECT_EQ(cls->typeLibId, guidOf(identity::kLibraryId));
    EXPECT_EQ(std::filesystem::canonical(cls->libraryPath), std::filesystem::canonical(kLibrary));
    EXPECT_EQ(registry.classOfProgId("Quodra.VantilBox"), guidOf(identity::kControlClassId));
    const std::string typeLibKey = "TypeLib\\" + std::string(identity::kLibraryId) + "\\4.2";
    EXPECT_TRUE(registry.keyExists(RegistryRoot::ClassesRoot, typeLibKey));

    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(registerLibrary(kLibrary, true), status::Ok);
        EXPECT_FALSE(registry.findClass(guidOf(identity::kControlClassId)).has_value());
        EXPECT_FALSE(registry.classOfProgId("Quodra.VantilBox").has_value());
        EXPECT_FALSE(registry.keyExists(RegistryRoot::ClassesRoot, typeLibKey));
    }
}

TEST_F(Registration, CreatesTheControlByProgIdAndUnloadWaitsForItsObjects) {
    ASSERT_EQ(registerLibrary(kLibrary), status::Ok);
    std::shared_ptr<Dispatch> object;
    AutomationError error;
    ASSERT_EQ(createInstance("Quodra.VantilBox", object, &error, ComponentRegistry(path_)),
              status::Ok)
        << error.descriptionUtf8();
    ASSERT_NE(object, nullptr);
    ASSERT_NE(object->controlObject(), nullptr);
    EXPECT_NE(object->eventSource(), nullptr);
    EXPECT_EQ(object->memberId(u"ListIndex"), 27);
    EXPECT_EQ(getProperty(*object, u"DefHeight").toLong(), 17);
    putProperty(*object, u"Text", Variant(u"abc"));
    EXPECT_EQ(getProperty(*object, u"Text").toString(), u"abc");

    void* handle = ::dlopen(kLibrary.c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(handle, nullptr);
    auto canUnload = reinterpret_cast<DllCanUnloadNowFn>(::dlsym(handle, "DllCanUnloadNow"));
    auto getClass = reinterpret_cast<DllGetClassObjectFn>(::dlsym(handle, "DllGetClassObject"));
    ASSERT_NE(canUnload, nullptr);
    ASSERT_NE(getClass, nullptr);
    EXPECT_EQ(canUnload(), status::False);
    object.reset();
    EXPECT_EQ(canUnload(), status::Ok);

    ClassFactory* factory = nullptr;
    const Guid other = guidOf(identity::kListItemClassId);
    EXPECT_EQ(getClass(&other, &factory), status::ClassNotAvailable);
    EXPECT_EQ(factory, nullptr);
    const Guid control = guidOf(identity::kControlClassId);
    ASSERT_EQ(getClass(&control, &factory), status::Ok);
    factory->lockServer(true);
    EXPECT_EQ(canUnload(), status::False);
    factory->lockServer(false);
    EXPECT_EQ(canUnload(), status::Ok);
    ::dlclose(handle);
}

TEST(BuildTreeRegistry, HoldsTheFreshLibrary) {
    if (std::getenv("VANTIL_REGISTRY") == nullptr) {
        GTEST_SKIP() << "run through ctest, which names the build tree's registry";
    }
    ComponentRegistry registry;
    const auto cls = registry.findClass(guidOf(identity::kControlClassId));
    ASSERT_TRUE(cls.has_value());
    EXPECT_EQ(std::filesystem::canonical(cls->libraryPath), std::filesystem::canonical(kLibrary));
    std::shared_ptr<Dispatch> object;
    EXPECT_EQ(createInstance(guidOf(identity::kControlClassId), object), status::Ok);
    EXPECT_NE(object, nullptr);
}

} // namespace
} // namespace vantil
