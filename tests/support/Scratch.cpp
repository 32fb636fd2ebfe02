#include "Scratch.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace testsupport {

std::filesystem::path scratchRoot() {
    const char* base = std::getenv("TAMSEL_TEST_TMP");
    std::filesystem::path root = base && *base ? base : "/tmp";
    std::filesystem::create_directories(root);
    return root;
}

TempDir::TempDir() {
    std::string tmpl = (scratchRoot() / "tmp-XXXXXX").string();
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = buf.data();
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::filesystem::path scratchFolder(const std::string& name) {
    // Named after the test program too: test programs run side by side.
    const std::filesystem::path dir =
        scratchRoot() / (std::string(program_invocation_short_name) + "-" + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

std::filesystem::path programFolder(const std::string& name) {
    const std::filesystem::path dir = scratchFolder(name);
    setenv("TAMSEL_HOME", dir.c_str(), 1);
    unsetenv("TAMSEL_DATABASE");
    return dir;
}

std::filesystem::path programFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "-" + info->name();
    for (char& c : name)
        if (c == '/')
            c = '-';
    return programFolder(name);
}

} // namespace testsupport
