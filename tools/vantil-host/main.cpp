// vantil-host: creates a control through the component registry and drives it by member names
// from a script file or standard input, one command a line, printing one line per command and
// a line for every event the control raises.
#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/HostSite.h"
#include "tools/vantil-host/HostSession.h"
#include "tools/vantil-host/Texts.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

using namespace plat::automation;

namespace {

constexpr char kDefaultProgId[] = "Quodra.VantilBox";

void printLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout); // events and results stay in order with anything else the control prints
}

} // namespace

int main(int argc, char** argv) {
    bool design = false;
    std::string progId = kDefaultProgId;
    std::string clsid;
    std::string registryPath = ComponentRegistry::defaultPath();
    std::string script;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--design") {
            design = true;
        } else if (a == "--progid" && i + 1 < argc) {
            progId = argv[++i];
        } else if (a == "--clsid" && i + 1 < argc) {
            clsid = argv[++i];
        } else if (a == "--registry" && i + 1 < argc) {
            registryPath = argv[++i];
        } else if (a == "--help" || a == "-h") {
            std::printf("%s\n", vantil_host::texts::kUsage);
            return 0;
        } else if ((a.starts_with("--") && a.size() > 2) || !script.empty()) {
            std::fprintf(stderr, "%s\n", vantil_host::texts::kUsage);
            return 2;
        } else {
            script = a;
        }
    }

    const ComponentRegistry registry(registryPath);
    std::shared_ptr<Dispatch> control;
    AutomationError error;
    Status s = status::Ok;
    if (!clsid.empty()) {
        const auto id = Guid::parse(clsid);
        s = id ? createInstance(*id, control, &error, registry) : status::InvalidArg;
        if (!id)
            error = AutomationError(status::InvalidArg, std::u16string(u"CLSID"));
    } else {
        s = createInstance(progId, control, &error, registry);
    }
    if (failed(s) || !control) {
        if (!error.isError())
            error.status = s;
        printLine(vantil_host::errorLine(error));
        return 1;
    }

    SimpleHostSite site;
    site.runMode = !design;
    int exitCode = 0;
    {
        vantil_host::HostSession session(control, site, printLine);
        std::ifstream file;
        if (!script.empty()) {
            file.open(script);
            if (!file) {
                std::fprintf(stderr, "%s: %s\n", script.c_str(), "cannot open");
                exitCode = 2;
            }
        }
        std::istream& in = script.empty() ? std::cin : static_cast<std::istream&>(file);
        std::string line;
        while (exitCode == 0 && std::getline(in, line)) {
            if (const auto out = session.run(line))
                printLine(*out);
        }
    }
    control.reset();
    return exitCode;
}
