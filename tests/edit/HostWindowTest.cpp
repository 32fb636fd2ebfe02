// vantil-host --window end to end: the control's real window on the offscreen platform,
// driven by key, type, clip and focus commands in a script; the answers (event lines left out)
// must be what the edit model gives for the same keystrokes.
#include "tests/support/Scratch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The host's answers to `script`; its event lines go to `events` when given.
std::vector<std::string> runHost(const std::string& script,
                                 std::vector<std::string>* events = nullptr) {
    const auto dir = testsupport::scratchFolder("edit-host");
    const auto file = dir / "script.txt";
    std::ofstream(file) << script;
    const std::string command = "QT_QPA_PLATFORM=offscreen " + std::string(VANTIL_HOST_EXE) +
                                " --window " + file.string() + " 2>/dev/null";
    std::vector<std::string> answers;
    FILE* out = popen(command.c_str(), "r");
    if (out == nullptr) {
        return answers;
    }
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, out)) {
        std::string line(buffer);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
            line.pop_back();
        }
        if (!line.starts_with("event ")) {
            answers.push_back(line);
        } else if (events != nullptr) {
            events->push_back(line);
        }
    }
    EXPECT_EQ(pclose(out), 0);
    return answers;
}

TEST(HostWindow, TypingUndoSelectionAndTheClipboardThroughTheRealWindow) {
    const std::vector<std::string> answers = runHost("type \"abc\"\n"
                                                     "key Z ctrl\n"
                                                     "get Text\n"
                                                     "key Z ctrl\n"
                                                     "get Text\n"
                                                     "key End\n"
                                                     "key Left shift\n"
                                                     "key Left shift\n"
                                                     "get SelText\n"
                                                     "key C ctrl\n"
                                                     "clip\n"
                                                     "key Home\n"
                                                     "type \"日本\"\n"
                                                     "key Left shift\n"
                                                     "get SelStart\n"
                                                     "get SelLength\n"
                                                     "get SelText\n"
                                                     "set Locked = True\n"
                                                     "key Delete\n"
                                                     "key Insert ctrl\n"
                                                     "clip\n"
                                                     "get Text\n"
                                                     "set Locked = False\n"
                                                     "clip = \"X\"\n"
                                                     "key Insert shift\n"
                                                     "get Text\n"
                                                     "key Nonsense\n");
    const std::vector<std::string> expected = {
        "ok", "ok",     "\"\"",   "ok",          "\"abc\"", "ok", "ok", "ok",         "\"bc\"",
        "ok", "\"bc\"", "ok",     "ok",          "ok",      "1",  "1",  "\"本\"",     "ok",
        "ok", "ok",     "\"本\"", "\"日本abc\"", "ok",      "ok", "ok", "\"日Xabc\"",
    };
    ASSERT_GE(answers.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(answers[i], expected[i]) << "answer " << i;
    }
    ASSERT_EQ(answers.size(), expected.size() + 1);
    EXPECT_TRUE(answers.back().starts_with("error 5: ")) << answers.back();
}

TEST(HostWindow, TheListOpensWithF4PicksWithKeysAndAClickOutsideCancelsIt) {
    std::vector<std::string> events;
    const std::vector<std::string> answers = runHost("call AddItem , \"一\"\n"
                                                     "call AddItem , \"二\"\n"
                                                     "key F4\n"
                                                     "dropped\n"
                                                     "key Down\n"
                                                     "key Return\n"
                                                     "dropped\n"
                                                     "get ListIndex\n"
                                                     "get Text\n"
                                                     "key F4\n"
                                                     "key Down\n"
                                                     "key Down alt\n"
                                                     "key Down alt\n"
                                                     "click 5 -40\n"
                                                     "dropped\n"
                                                     "get ListIndex\n",
                                                     &events);
    const std::vector<std::string> expected = {
        "0", "1", "ok", "True", "ok", "ok", "False", "0",
        "\"一\"", "ok", "ok", "ok", "ok", "ok", "False", "1",
    };
    EXPECT_EQ(answers, expected);
    std::vector<std::string> listEvents;
    for (const std::string& e : events) {
        if (e.find("DropDown") != std::string::npos || e.find("CloseUp") != std::string::npos ||
            e.find("Click") != std::string::npos) {
            listEvents.push_back(e.substr(0, e.find(' ', 6)));
        }
    }
    EXPECT_EQ(listEvents, (std::vector<std::string>{"event DropDown", "event Click",
                                                    "event CloseUp", "event DropDown",
                                                    "event Click", "event CloseUp",
                                                    "event DropDown", "event CloseUp"}));
}

TEST(HostWindow, WindowCommandsWithoutAWindowAnswerAnError) {
    const std::string command = std::string(VANTIL_HOST_EXE) + " 2>/dev/null <<< 'key A'";
    FILE* out = popen(("bash -c \"" + command + "\"").c_str(), "r");
    ASSERT_NE(out, nullptr);
    char buffer[512] = {};
    ASSERT_NE(std::fgets(buffer, sizeof buffer, out), nullptr);
    EXPECT_TRUE(std::string(buffer).starts_with("error 5: ")) << buffer;
    pclose(out);
}

} // namespace
