// One hosted control driven by commands: runs each parsed command against the control through
// its dispatch interface, returns the command's one output line, and reports the control's
// events as "event NAME args" lines as they happen.
#pragma once

#include "platform/automation/ControlObject.h"
#include "platform/automation/Dispatch.h"
#include "platform/automation/EventSink.h"
#include "platform/automation/HostSite.h"
#include "tools/vantil-host/CommandParser.h"
#include "tools/vantil-host/WindowDriver.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace vantil_host {

class HostSession : public plat::automation::EventSink {
public:
    using LineOut = std::function<void(const std::string&)>;

    // Connects to the control's events and gives it `site` (whose runMode decides design or
    // run mode) and a fresh set of defaults.
    HostSession(std::shared_ptr<plat::automation::Dispatch> control,
                plat::automation::SimpleHostSite& site, LineOut eventLine);
    ~HostSession() override;
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // The output line of one command line: the result, "ok", or "error NNN: description".
    // Blank lines and comments give no line (nullopt).
    std::optional<std::string> run(std::string_view line);
    std::string execute(const Command& c);

    void onEvent(plat::automation::DispId id, std::span<plat::automation::Variant> args) override;

    // Activates the control in place in the host's window (the site's parent window).
    plat::automation::Status activate(int widthPx, int heightPx);
    // The window the window commands drive; nullptr: they answer an error.
    void setWindow(WindowDriver* window) { window_ = window; }

private:
    std::string invoke(const Command& c);
    std::string save(const std::string& file);
    std::string load(const std::string& file);
    std::string windowCommand(const Command& c);

    std::shared_ptr<plat::automation::Dispatch> control_;
    plat::automation::SimpleHostSite& site_;
    plat::automation::ControlObject* embedding_ = nullptr;
    plat::automation::EventSource* events_ = nullptr;
    LineOut eventLine_;
    WindowDriver* window_ = nullptr;
    // on EVENT ARG = VALUE: event name (folded) -> argument name (folded) -> value.
    std::map<std::u16string, std::map<std::u16string, Variant>> handlers_;
    // How often each event (name folded) was raised.
    std::map<std::u16string, std::size_t> seen_;
};

// "error NNN: description" for an automation error.
std::string errorLine(const plat::automation::AutomationError& e);

} // namespace vantil_host
