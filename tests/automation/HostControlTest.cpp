// The console host with the real control library: created by its ProgID through a private
// registry the library registers itself into, driven by member names, saved and loaded.
#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/HostSite.h"
#include "tests/automation/TestRegistry.h"
#include "tests/support/Scratch.h"
#include "tools/vantil-host/HostSession.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace plat::automation;
using namespace vantil_host;

namespace {

TEST(HostWithControl, DrivesTheControlByMemberNames) {
    automation_test::ScopedRegistry registry;
    ASSERT_EQ(registerLibrary(VANTIL_LIBRARY), status::Ok);
    const auto clsid = ComponentRegistry().classOfProgId("Quodra.VantilBox");
    ASSERT_TRUE(clsid);
    EXPECT_EQ(ComponentRegistry().findClass(*clsid)->miscStatus, 0x00020191u);

    std::shared_ptr<Dispatch> control;
    AutomationError error;
    ASSERT_EQ(createInstance("Quodra.VantilBox", control, &error), status::Ok)
        << error.descriptionUtf8();

    const auto dir = testsupport::scratchFolder("automation-control");
    const std::string bag = (dir / "vantil.bag").string();

    SimpleHostSite site;
    std::vector<std::string> results;
    std::vector<std::string> events;
    {
        HostSession session(control, site, [&](const std::string& l) { events.push_back(l); });
        const std::string script = "set Text = \"社員\"\n"
                                   "get Text\n"
                                   "call GetPpgStatus\n"
                                   "get SelectedItem\n"
                                   "set CaptionRatio = 101\n"
                                   "get CaptionRatio\n"
                                   "save " +
                                   bag +
                                   "\n"
                                   "set Text = \"別\"\n"
                                   "load " +
                                   bag +
                                   "\n"
                                   "get Text\n";
        std::istringstream in(script);
        std::string line;
        while (std::getline(in, line))
            if (auto r = session.run(line))
                results.push_back(*r);
    }
    const std::vector<std::string> expected = {
        "ok",
        "\"社員\"",
        "ok | lpStatus=63",
        "error 394: プロパティの取得はサポートされていません。",
        "error 380: 値が不正です.",
        "30",
        "ok",
        "ok",
        "ok",
        "\"社員\""};
    EXPECT_EQ(results, expected);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "event ChangeText");
    EXPECT_EQ(ComponentRegistry().findClass(*clsid)->progId, "Quodra.VantilBox");
    ASSERT_EQ(registerLibrary(VANTIL_LIBRARY, true), status::Ok);
    EXPECT_FALSE(ComponentRegistry().classOfProgId("Quodra.VantilBox"));
}

TEST(HostWithControl, AboutBoxInAConsoleHostIsAnErrorNotAnEndOfTheProcess) {
    automation_test::ScopedRegistry registry;
    ASSERT_EQ(registerLibrary(VANTIL_LIBRARY), status::Ok);
    std::shared_ptr<Dispatch> control;
    AutomationError error;
    ASSERT_EQ(createInstance("Quodra.VantilBox", control, &error), status::Ok)
        << error.descriptionUtf8();
    SimpleHostSite site;
    HostSession session(control, site, [](const std::string&) {});
    // This process has no QApplication, as the console host has none.
    EXPECT_EQ(session.run("call AboutBox"), "error 5: ダイアログを表示できません.");
    EXPECT_EQ(session.run("get Text"), "\"\"") << "the control goes on working";
}

} // namespace
