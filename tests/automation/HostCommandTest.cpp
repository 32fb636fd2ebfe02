// The console host: the command parser as a table of lines, value texts, and whole scripts
// run against the test component with events, out arguments, errors and save/load.
#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/HostSite.h"
#include "platform/automation/Picture.h"
#include "tests/automation/TestRegistry.h"
#include "tests/automation/component/TallyIds.h"
#include "tests/support/Scratch.h"
#include "tools/vantil-host/CommandParser.h"
#include "tools/vantil-host/HostSession.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace plat::automation;
using namespace vantil_host;

namespace {

// The arguments of a parsed line as text: omitted ones as "_", others as formatValue gives.
std::string argsText(const Command& c) {
    std::string s;
    for (std::size_t i = 0; i < c.args.size(); ++i) {
        if (i)
            s += ",";
        s += c.args[i] ? formatValue(*c.args[i]) + ":" + std::string(typeName(c.args[i]->type()))
                       : "_";
    }
    return s;
}

TEST(HostCommandParser, ParsesCommandsArgumentsAndLiterals) {
    struct Case {
        const char* line;
        Command::Kind kind;
        const char* name;
        const char* args;
        const char* value; // formatValue of the value, "" when none
    };
    const Case cases[] = {
        {"get Text", Command::Kind::Get, "Text", "", ""},
        {"  GET   ListIndex  ", Command::Kind::Get, "ListIndex", "", ""},
        {"get ItemText 3", Command::Kind::Get, "ItemText", "3:Integer", ""},
        {"get ItemText(3)", Command::Kind::Get, "ItemText", "3:Integer", ""},
        {"set Text = \"社員\"", Command::Kind::Set, "Text", "", "\"社員\""},
        {"set ItemText 2 = \"a, b = c\"", Command::Kind::Set, "ItemText", "2:Integer",
         "\"a, b = c\""},
        {"set Caption = \"say \"\"hi\"\"\"", Command::Kind::Set, "Caption", "",
         "\"say \"\"hi\"\"\""},
        {"call AddItem , \"x\"", Command::Kind::Call, "AddItem", "_,\"x\":String", ""},
        {"call AddItem 0,,", Command::Kind::Call, "AddItem", "0:Integer,_,_", ""},
        {"call AddSubItem 1, 1, \"sub\"", Command::Kind::Call, "AddSubItem",
         "1:Integer,1:Integer,\"sub\":String", ""},
        {"call F 32767, 32768, -32768, 2147483648", Command::Kind::Call, "F",
         "32767:Integer,32768:Long,-32768:Integer,2147483648:Double", ""},
        {"call F 1.5, -2e3, +7", Command::Kind::Call, "F", "1.5:Double,-2000:Double,7:Integer", ""},
        {"call F &HFFFF, &H10000, &hff, &O17", Command::Kind::Call, "F",
         "-1:Integer,65536:Long,255:Integer,15:Integer", ""},
        {"call F True, false, Empty, NULL, Nothing", Command::Kind::Call, "F",
         "True:Boolean,False:Boolean,Empty:Empty,Null:Null,Nothing:Object", ""},
        {"call F #2004/04/01#, \"#\"", Command::Kind::Call, "F", "#2004/04/01#:Date,\"#\":String",
         ""},
        {"set BackColor = &H80000005", Command::Kind::Set, "BackColor", "", "-2147483643"},
        {"set Text = \"\"", Command::Kind::Set, "Text", "", "\"\""},
        {"\xEF\xBB\xBFget Text", Command::Kind::Get, "Text", "", ""},
        {"set MouseIcon = LoadPicture()", Command::Kind::Set, "MouseIcon", "", "Object(Picture)"},
        {"# comment", Command::Kind::None, "", "", ""},
        {"' comment", Command::Kind::None, "", "", ""},
        {"", Command::Kind::None, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const ParseResult r = parseCommand(c.line);
        ASSERT_TRUE(r.ok()) << r.error;
        EXPECT_EQ(r.command.kind, c.kind);
        EXPECT_EQ(std::string(c.name), std::string(r.command.name.begin(), r.command.name.end()));
        EXPECT_EQ(argsText(r.command), c.args);
        EXPECT_EQ(r.command.value ? formatValue(*r.command.value) : "", c.value);
    }
}

TEST(HostCommandParser, FileModeAndHandlerCommands) {
    auto r = parseCommand("save /tmp/a b.txt");
    EXPECT_EQ(r.command.kind, Command::Kind::Save);
    EXPECT_EQ(r.command.file, "/tmp/a b.txt");
    r = parseCommand("load \"/tmp/x.bag\"");
    EXPECT_EQ(r.command.kind, Command::Kind::Load);
    EXPECT_EQ(r.command.file, "/tmp/x.bag");
    r = parseCommand("mode design");
    EXPECT_TRUE(r.command.design);
    r = parseCommand("mode RUN");
    EXPECT_TRUE(r.ok());
    EXPECT_FALSE(r.command.design);
    r = parseCommand("on KeyDown KeyCode = 0");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.command.kind, Command::Kind::On);
    EXPECT_EQ(r.command.argument, u"KeyCode");
    EXPECT_EQ(r.command.value, Variant(std::int16_t{0}));
    EXPECT_EQ(parseCommand("off KeyDown").command.kind, Command::Kind::Off);
}

TEST(HostCommandParser, RejectsMalformedLines) {
    for (const char* line :
         {"fetch Text", "get", "set Text \"x\"", "set Text =", "set Text = \"open",
          "get Item \"a\" b", "call F 1.2.3", "call F &HZZ", "call F #2004/13/01#", "call F #x",
          "save", "mode later", "on KeyDown = 1", "off KeyDown now", "get 12abc+",
          "set MouseIcon = LoadPicture(\"/nonexistent/x.ico\")",
          "set MouseIcon = LoadPicture(12)"}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(parseCommand(line).ok());
    }
}

TEST(HostCommandParser, LoadPictureReadsTheFileWhenParsed) {
    const auto dir = testsupport::scratchFolder("automation-host");
    const std::string icon = (dir / "pointer.ico").string();
    const unsigned char bytes[] = {0, 0,  1, 0, 1, 0, 32, 32, 0, 0, 1,
                                   0, 32, 0, 0, 0, 0, 0,  22, 0, 0, 0};
    std::ofstream(icon, std::ios::binary).write(reinterpret_cast<const char*>(bytes), sizeof bytes);
    const ParseResult r = parseCommand("set MouseIcon = LoadPicture(\"" + icon + "\")");
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_EQ(r.command.value->type(), VarType::Object);
    Dispatch& pic = *r.command.value->asObject();
    EXPECT_EQ(getProperty(pic, u"Type"), Variant(std::int16_t{3}));
    EXPECT_EQ(getProperty(pic, u"Width"), Variant(pixelsToHimetric(32)));
}

TEST(HostCommandParser, FormatsValuesOnOneLine) {
    EXPECT_EQ(formatValue(Variant(u"a\nb")), "\"a\" & Chr(10) & \"b\"");
    EXPECT_EQ(formatValue(Variant(std::u16string(1, u'\t'))), "Chr(9)");
    EXPECT_EQ(formatValue(Variant(std::u16string{u'\r', u'\n', u'x'})),
              "Chr(13) & Chr(10) & \"x\"");
    EXPECT_EQ(formatValue(Variant(Currency{15000})), "1.5");
    EXPECT_EQ(formatValue(Variant::missing()), "Missing");
    EXPECT_EQ(formatValue(Variant::error(status::Fail)), "Error(&H80004005)");
    EXPECT_EQ(formatValue(Variant(Date{0.5})), "#12:00:00#");
}

class HostSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(registerLibrary(automation_test::tallyLibrary()), status::Ok);
        ASSERT_EQ(createInstance(tally::kProgId, control), status::Ok);
    }

    // Runs the script's lines; returns all output lines joined with '\n'.
    std::string runScript(const std::string& script, bool design = false) {
        site.runMode = !design;
        std::string out;
        HostSession session(control, site, [&](const std::string& l) { out += l + "\n"; });
        std::istringstream in(script);
        std::string line;
        while (std::getline(in, line))
            if (auto r = session.run(line))
                out += *r + "\n";
        return out;
    }

    automation_test::ScopedRegistry registry;
    SimpleHostSite site;
    std::shared_ptr<Dispatch> control;
};

TEST_F(HostSessionTest, OneLinePerCommandWithEventsInterleaved) {
    const std::string out = runScript("get Caption\n"
                                      "\n"
                                      "set Caption = \"社員\"\n"
                                      "call Add 5, 3\n"
                                      "call Clear\n"
                                      "set Ratio = 101\n"
                                      "get Ratio\n"
                                      "get NoSuch\n"
                                      "call Add\n"
                                      "what\n");
    EXPECT_EQ(out, "\"Vantil1\"\n"
                   "event Changed \"Caption\"\n"
                   "ok\n"
                   "event Changed \"Count\"\n"
                   "15\n"
                   "event Changed \"Count\"\n"
                   "ok\n"
                   "error 380: 値が不正です (Tally).\n"
                   "30\n"
                   "error 438: メソッドまたはデータ メンバーが見つかりません。\n"
                   "error 450: 引数の数が一致していません。\n"
                   "error 2: 構文エラーです。 (unknown command: what)\n");
}

TEST_F(HostSessionTest, HandlersChangeByReferenceEventArgumentsAndOutArgumentsAreShown) {
    const std::string out = runScript("on KeyDown KeyCode = 9\n"
                                      "call PressKey 13\n"
                                      "off KeyDown\n"
                                      "call PressKey 13\n"
                                      "set Count = 4\n"
                                      "call GetInfo\n"
                                      "call GetInfo , \"\"\n");
    EXPECT_EQ(out, "ok\n"
                   "event KeyDown 13, 0\n"
                   "9\n"
                   "ok\n"
                   "event KeyDown 13, 0\n"
                   "13\n"
                   "event Changed \"Count\"\n"
                   "ok\n"
                   "True | lpCount=4\n"
                   "True | lpCount=4, lpCaption=\"Vantil1\"\n");
}

TEST_F(HostSessionTest, DesignModeRefusesRunTimeMembersUntilSwitched) {
    const std::string out = runScript("get RunValue\n"
                                      "mode run\n"
                                      "set RunValue = 3\n"
                                      "get RunValue\n",
                                      true);
    EXPECT_EQ(out, "error 394: プロパティの取得はサポートされていません。\n"
                   "ok\n"
                   "ok\n"
                   "3\n");
}

TEST_F(HostSessionTest, SaveAndLoadThePropertyBagThroughAFile) {
    const auto dir = testsupport::scratchFolder("automation-host");
    const std::string file = (dir / "tally.bag").string();
    std::filesystem::remove(file);
    const std::string out = runScript("set Caption = \"保存\"\n"
                                      "set Ratio = 77\n"
                                      "save " +
                                      file +
                                      "\n"
                                      "set Caption = \"別\"\n"
                                      "set Ratio = 1\n"
                                      "load " +
                                      file +
                                      "\n"
                                      "get Caption\n"
                                      "get Ratio\n"
                                      "load " +
                                      (dir / "missing.bag").string() +
                                      "\n"
                                      "save " +
                                      (dir / "no-such-dir" / "x.bag").string() + "\n");
    EXPECT_NE(out.find("\"保存\"\n77\n"), std::string::npos) << out;
    EXPECT_NE(out.find("error 53: "), std::string::npos) << out;
    EXPECT_NE(out.find("error 75: "), std::string::npos) << out;
    std::ifstream in(file);
    std::stringstream ss;
    ss << in.rdbuf();
    EXPECT_NE(ss.str().find("Ratio = I2:77"), std::string::npos);
}

#ifdef VANTIL_HOST_EXE
TEST_F(HostSessionTest, TheExecutableRunsAScriptAndReportsCreationFailures) {
    const auto dir = testsupport::scratchFolder("automation-host");
    const std::string script = (dir / "script.txt").string();
    std::ofstream(script) << "set Caption = \"x\"\nget Caption\n";
    auto run = [](const std::string& cmd) {
        std::string out;
        FILE* p = ::popen(cmd.c_str(), "r");
        char buf[256];
        while (p && std::fgets(buf, sizeof buf, p))
            out += buf;
        const int rc = p ? ::pclose(p) : -1;
        return std::make_pair(rc, out);
    };
    const std::string exe = VANTIL_HOST_EXE;
    auto [rc, out] = run(exe + " --progid " + tally::kProgId + " " + script);
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(out, "event Changed \"Caption\"\nok\n\"x\"\n");
    std::tie(rc, out) = run(exe + " --progid No.Such.Class " + script);
    EXPECT_NE(rc, 0);
    EXPECT_EQ(out.rfind("error 429: ", 0), 0u) << out;
}
#endif

} // namespace
