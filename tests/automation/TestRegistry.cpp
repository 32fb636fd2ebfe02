// A private registry file per test, so tests never share or leave entries behind.
#include "tests/automation/TestRegistry.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace automation_test {

namespace fs = std::filesystem;

ScopedRegistry::ScopedRegistry() {
    static std::atomic<int> counter{0};
    const char* tmp = std::getenv("TAMSEL_TEST_TMP");
    const fs::path dir = fs::path(tmp && *tmp ? tmp : fs::temp_directory_path().string()) /
                         ("automation-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    path_ = (dir / ("registry-" + std::to_string(counter++) + ".txt")).string();
    fs::remove(path_);
    if (const char* prev = std::getenv("VANTIL_REGISTRY")) {
        previous_ = prev;
        hadPrevious_ = true;
    }
    ::setenv("VANTIL_REGISTRY", path_.c_str(), 1);
}

ScopedRegistry::~ScopedRegistry() {
    if (hadPrevious_)
        ::setenv("VANTIL_REGISTRY", previous_.c_str(), 1);
    else
        ::unsetenv("VANTIL_REGISTRY");
    std::error_code ec;
    fs::remove(path_, ec);
    fs::remove(path_ + ".lock", ec);
}

std::string ScopedRegistry::contents() const {
    std::ifstream in(path_);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

} // namespace automation_test
