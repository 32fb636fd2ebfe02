// vantil-host: creates a control through the component registry and drives it by member names
// from a script file or standard input, one command a line, printing one line per command and
// a line for every event the control raises. With --window the control gets its real window
// on the current Qt platform (offscreen works) and focus, and window commands drive it.
#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/HostSite.h"
#include "tools/vantil-host/HostSession.h"
#include "tools/vantil-host/QtWindowDriver.h"
#include "tools/vantil-host/Texts.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

using namespace plat::automation;

namespace {

constexpr char kDefaultProgId[] = "Quodra.VantilBox";
// The control's window in the windowed host, in pixels.
constexpr int kWindowWidth = 240;
constexpr int kWindowHeight = 24;

void printLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout); // events and results stay in order with anything else the control prints
}

struct Options {
    bool design = false;
    bool windowed = false;
    std::string progId = kDefaultProgId;
    std::string clsid;
    std::string registryPath = ComponentRegistry::defaultPath();
    std::string script;
};

// Reads the command line into `o`; the exit code when the program ends at once (--help, or a
// usage error), nullopt to go on.
std::optional<int> parseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--design") {
            o.design = true;
        } else if (a == "--window") {
            o.windowed = true;
        } else if (a == "--progid" && i + 1 < argc) {
            o.progId = argv[++i];
        } else if (a == "--clsid" && i + 1 < argc) {
            o.clsid = argv[++i];
        } else if (a == "--registry" && i + 1 < argc) {
            o.registryPath = argv[++i];
        } else if (a == "--help" || a == "-h") {
            std::printf("%s\n", vantil_host::texts::kUsage);
            return 0;
        } else if ((a.starts_with("--") && a.size() > 2) || !o.script.empty()) {
            std::fprintf(stderr, "%s\n", vantil_host::texts::kUsage);
            return 2;
        } else {
            o.script = a;
        }
    }
    return std::nullopt;
}

// The control named by --clsid, else by its program identifier; null after printing the error
// line when it cannot be made.
std::shared_ptr<Dispatch> createControl(const Options& o, const ComponentRegistry& registry) {
    std::shared_ptr<Dispatch> control;
    AutomationError error;
    Status s = status::Ok;
    if (!o.clsid.empty()) {
        const auto id = Guid::parse(o.clsid);
        s = id ? createInstance(*id, control, &error, registry) : status::InvalidArg;
        if (!id)
            error = AutomationError(status::InvalidArg, std::u16string(u"CLSID"));
    } else {
        s = createInstance(o.progId, control, &error, registry);
    }
    if (failed(s) || !control) {
        if (!error.isError())
            error.status = s;
        printLine(vantil_host::errorLine(error));
        return nullptr;
    }
    return control;
}

// Activates the control in the shown form and gives the session the window commands; null
// after printing the error line when the control cannot be activated.
std::unique_ptr<vantil_host::QtWindowDriver> openWindow(vantil_host::HostSession& session,
                                                        QWidget& form) {
    if (failed(session.activate(kWindowWidth, kWindowHeight))) {
        printLine(vantil_host::errorLine(
            AutomationError(status::Fail, std::u16string(u"activateInPlace"))));
        return nullptr;
    }
    form.show();
    auto driver = std::make_unique<vantil_host::QtWindowDriver>(form);
    session.setWindow(driver.get());
    driver->focus();
    return driver;
}

// Runs the script file's lines (standard input's without one) and prints their results; the
// exit code.
int runScript(vantil_host::HostSession& session, const std::string& script) {
    std::ifstream file;
    if (!script.empty()) {
        file.open(script);
        if (!file) {
            std::fprintf(stderr, "%s: %s\n", script.c_str(), "cannot open");
            return 2;
        }
    }
    std::istream& in = script.empty() ? std::cin : static_cast<std::istream&>(file);
    std::string line;
    while (std::getline(in, line)) {
        if (const auto out = session.run(line))
            printLine(*out);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (const auto exitNow = parseOptions(argc, argv, o))
        return *exitNow;

    // The application comes first: the control's library finds it when it makes its window.
    std::unique_ptr<QApplication> app;
    std::unique_ptr<QWidget> form;
    if (o.windowed) {
        app = std::make_unique<QApplication>(argc, argv);
        form = std::make_unique<QWidget>();
        form->resize(kWindowWidth, kWindowHeight);
        form->setWindowTitle(QStringLiteral("vantil-host"));
    }

    const ComponentRegistry registry(o.registryPath);
    std::shared_ptr<Dispatch> control = createControl(o, registry);
    if (!control)
        return 1;

    SimpleHostSite site;
    site.runMode = !o.design;
    site.parent = form.get();
    int exitCode = 0;
    {
        vantil_host::HostSession session(control, site, printLine);
        std::unique_ptr<vantil_host::QtWindowDriver> driver;
        if (form) {
            driver = openWindow(session, *form);
            if (!driver)
                return 1;
        }
        exitCode = runScript(session, o.script);
    }
    control.reset();
    return exitCode;
}
