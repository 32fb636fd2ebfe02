// Test support: a registry file of the test's own (VANTIL_REGISTRY points at it for the life of
// the object) and the path of the test component library.
#pragma once

#include <string>

namespace automation_test {

class ScopedRegistry {
public:
    ScopedRegistry();
    ~ScopedRegistry();
    ScopedRegistry(const ScopedRegistry&) = delete;
    ScopedRegistry& operator=(const ScopedRegistry&) = delete;
    const std::string& path() const { return path_; }
    std::string contents() const;

private:
    std::string path_;
    std::string previous_;
    bool hadPrevious_ = false;
};

inline const char* tallyLibrary() {
    return TALLY_LIBRARY;
}

} // namespace automation_test
