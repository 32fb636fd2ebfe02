// vantil-regsvr LIBRARY [--unregister]: registers a component library in the component
// registry (VANTIL_REGISTRY or the user's default) by calling its own entry point.
#include "platform/automation/ComponentRegistry.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    using namespace plat::automation;
    if (argc < 2 || argc > 3 || (argc == 3 && std::strcmp(argv[2], "--unregister") != 0)) {
        std::fprintf(stderr, "usage: vantil-regsvr LIBRARY [--unregister]\n");
        return 2;
    }
    const bool unregister = argc == 3;
    std::error_code ec;
    const std::string path = std::filesystem::absolute(argv[1], ec).string();
    AutomationError error;
    const Status result = registerLibrary(ec ? std::string(argv[1]) : path, unregister, &error);
    if (failed(result)) {
        std::fprintf(stderr, "vantil-regsvr: %s failed (0x%08X) %s\n",
                     unregister ? "DllUnregisterServer" : "DllRegisterServer",
                     static_cast<unsigned>(result), error.descriptionUtf8().c_str());
        return 1;
    }
    std::printf("%s: %s\n", path.c_str(), unregister ? "unregistered" : "registered");
    return 0;
}
