// Running host commands against a control and reporting its events.
#include "tools/vantil-host/HostSession.h"

#include "platform/automation/Texts.h"
#include "platform/automation/Unicode.h"
#include "tools/vantil-host/Texts.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace vantil_host {

using namespace plat::automation;

namespace {

// Classic numbers of the host's own failures.
constexpr int kSyntaxErrorNumber = 2;
constexpr int kFileNotFoundNumber = 53;
constexpr int kPathAccessNumber = 75;
constexpr int kObjectNotSupportedNumber = 438;
constexpr int kInvalidCallNumber = 5;

std::string errorLineOf(int number, const char* utf8) {
    return "error " + std::to_string(number) + ": " + utf8;
}

} // namespace

std::string errorLine(const AutomationError& e) {
    int n = e.number();
    std::string desc = e.descriptionUtf8();
    if (n == 0) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "&H%08X", static_cast<unsigned>(e.status));
        return "error " + std::string(buf) + ": " + desc;
    }
    return "error " + std::to_string(n) + ": " + desc;
}

HostSession::HostSession(std::shared_ptr<Dispatch> control, SimpleHostSite& site, LineOut eventLine)
    : control_(std::move(control)), site_(site), eventLine_(std::move(eventLine)) {
    embedding_ = control_->controlObject();
    events_ = control_->eventSource();
    if (embedding_) {
        embedding_->setClientSite(&site_);
        embedding_->initNew();
    }
    if (events_)
        events_->advise(this);
}

HostSession::~HostSession() {
    if (events_)
        events_->unadvise(this);
    if (embedding_)
        embedding_->close();
}

std::optional<std::string> HostSession::run(std::string_view line) {
    const ParseResult p = parseCommand(line);
    if (!p.ok())
        return errorLineOf(kSyntaxErrorNumber, texts::kSyntaxError) + " (" + p.error + ")";
    if (p.command.kind == Command::Kind::None)
        return std::nullopt;
    return execute(p.command);
}

std::string HostSession::execute(const Command& c) {
    switch (c.kind) {
    case Command::Kind::None:
        return {};
    case Command::Kind::Save:
        return save(c.file);
    case Command::Kind::Load:
        return load(c.file);
    case Command::Kind::Mode:
        site_.runMode = !c.design;
        if (embedding_)
            embedding_->ambientPropertyChanged(dispid::AmbientUserMode);
        return "ok";
    case Command::Kind::On:
        handlers_[foldAsciiLower(c.name)][foldAsciiLower(c.argument)] = c.value.value_or(Variant());
        return "ok";
    case Command::Kind::Off:
        handlers_.erase(foldAsciiLower(c.name));
        return "ok";
    case Command::Kind::Key:
    case Command::Kind::Type:
    case Command::Kind::Focus:
    case Command::Kind::Blur:
    case Command::Kind::Clip:
    case Command::Kind::ClipSet:
    case Command::Kind::Click:
    case Command::Kind::Dropped:
    case Command::Kind::Menu:
    case Command::Kind::Wait:
    case Command::Kind::Where:
        return windowCommand(c);
    default:
        return invoke(c);
    }
}

std::string HostSession::invoke(const Command& c) {
    const DispId id = control_->memberId(c.name);
    if (id == dispid::Unknown)
        return errorLine(
            AutomationError(status::UnknownName, plat::automation::texts::kUnknownName));
    const TypeInfo* ti = control_->typeInfo();
    const MemberInfo* info = ti ? ti->findMember(id) : nullptr;

    // Arguments: omitted ones become "missing"; out arguments (by reference in the type
    // information) are passed as references to host variables and shown after the call.
    const std::size_t paramCount = info ? info->params.size() : 0;
    const std::size_t count = std::max(c.args.size(), [&] {
        // Trailing required out arguments are supplied by the host even when not written.
        std::size_t n = 0;
        for (std::size_t i = 0; i < paramCount; ++i)
            if (info->params[i].byRef && !info->params[i].optional)
                n = i + 1;
        return n;
    }());
    std::vector<Variant> outVars(count);
    std::vector<Variant> args;
    std::vector<std::size_t> outs;
    for (std::size_t i = 0; i < count; ++i) {
        const bool given = i < c.args.size() && c.args[i].has_value();
        const bool byRef = i < paramCount && info->params[i].byRef;
        if (byRef) {
            outVars[i] = given ? *c.args[i] : Variant();
            args.push_back(Variant::ref(outVars[i]));
            outs.push_back(i);
        } else {
            args.push_back(given ? *c.args[i] : Variant::missing());
        }
    }
    InvokeKind kind = InvokeKind::PropertyGet;
    if (c.kind == Command::Kind::Call)
        kind = InvokeKind::Method;
    if (c.kind == Command::Kind::Set) {
        const bool isObject = c.value && c.value->type() == VarType::Object;
        kind = isObject ? InvokeKind::PropertyPutRef : InvokeKind::PropertyPut;
        args.push_back(c.value.value_or(Variant()));
    }

    Variant result;
    AutomationError error;
    const Status s = control_->invoke(id, kind, args, result, error);
    if (failed(s)) {
        if (!error.isError())
            error.status = s;
        if (error.description.empty())
            error.description =
                toUtf16(s == status::BadParamCount    ? plat::automation::texts::kBadParamCount
                        : s == status::MemberNotFound ? plat::automation::texts::kMemberNotFound
                                                      : plat::automation::texts::kTypeMismatch);
        return errorLine(error);
    }
    std::string line =
        (c.kind == Command::Kind::Get || !result.isEmpty()) ? formatValue(result) : "ok";
    if (!outs.empty()) {
        line += " |";
        for (std::size_t k = 0; k < outs.size(); ++k) {
            const std::size_t i = outs[k];
            line += k == 0 ? " " : ", ";
            line += toUtf8(info->params[i].name) + "=" + formatValue(outVars[i]);
        }
    }
    return line;
}

void HostSession::onEvent(DispId id, std::span<Variant> args) {
    const TypeInfo* ti = events_ ? events_->eventTypeInfo() : nullptr;
    const MemberInfo* info = ti ? ti->findMember(id) : nullptr;
    std::string line = "event ";
    if (info) {
        line += toUtf8(info->name);
    } else {
        line += '#';
        line += std::to_string(id);
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        line += i == 0 ? " " : ", ";
        line += formatValue(args[i]);
    }
    if (info) {
        // Counted by name, and by name and first argument ("KeyUp 32").
        const std::u16string name = foldAsciiLower(info->name);
        ++seen_[name];
        if (!args.empty()) {
            const std::string first = formatValue(args[0].deref());
            ++seen_[name + u" " + std::u16string(first.begin(), first.end())];
        }
    }
    if (eventLine_)
        eventLine_(line);
    // The script's handler: assign values to by-reference arguments by name.
    if (!info)
        return;
    const auto h = handlers_.find(foldAsciiLower(info->name));
    if (h == handlers_.end())
        return;
    for (std::size_t i = 0; i < args.size() && i < info->params.size(); ++i) {
        const auto v = h->second.find(foldAsciiLower(info->params[i].name));
        if (v == h->second.end() || !args[i].isByRef())
            continue;
        try {
            args[i].assign(v->second);
        } catch (const AutomationException& e) {
            if (eventLine_)
                eventLine_(errorLine(e.error()));
        }
    }
}

Status HostSession::activate(int widthPx, int heightPx) {
    if (!embedding_)
        return status::NotImplemented;
    return embedding_->activateInPlace(0, 0, widthPx, heightPx);
}

std::string HostSession::windowCommand(const Command& c) {
    if (!window_)
        return errorLineOf(kInvalidCallNumber, texts::kNoWindow);
    std::string failure;
    switch (c.kind) {
    case Command::Kind::Key:
        failure = window_->key(KeyChord{c.key, c.shift, c.ctrl, c.alt});
        break;
    case Command::Kind::Type:
        failure = window_->type(c.value->asString());
        break;
    case Command::Kind::Focus:
        failure = window_->focus();
        break;
    case Command::Kind::Blur:
        failure = window_->blur();
        break;
    case Command::Kind::Click:
        failure = window_->click(c.x, c.y);
        break;
    case Command::Kind::Dropped:
        return formatValue(Variant(window_->dropped()));
    case Command::Kind::Where:
        return window_->where();
    case Command::Kind::Wait: {
        // The event named, raised from now on; "waiting" tells the driver of the input that
        // the loop runs.
        const std::u16string name = foldAsciiLower(c.name);
        const std::size_t before = seen_[name];
        if (eventLine_)
            eventLine_("waiting " + toUtf8(c.name));
        window_->runUntil([this, &name, before] { return seen_[name] > before; });
        break;
    }
    case Command::Kind::Menu: {
        std::string lines;
        failure = window_->menu(c.x, c.y, c.key, lines);
        if (failure.empty())
            return "menu " + lines;
        break;
    }
    case Command::Kind::Clip: {
        const auto text = window_->clipboardText();
        return text ? formatValue(Variant(*text)) : formatValue(Variant());
    }
    default:
        window_->setClipboardText(c.value->asString());
        break;
    }
    return failure.empty() ? "ok" : errorLineOf(kInvalidCallNumber, failure.c_str());
}

std::string HostSession::save(const std::string& file) {
    if (!embedding_)
        return errorLineOf(kObjectNotSupportedNumber, texts::kNotAControl);
    PropertyBag bag;
    const Status s = embedding_->save(bag, true);
    if (failed(s))
        return errorLine(AutomationError(s, std::u16string()));
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bag.toText();
    out.flush();
    if (!out)
        return errorLineOf(kPathAccessNumber, texts::kCannotWriteFile);
    return "ok";
}

std::string HostSession::load(const std::string& file) {
    if (!embedding_)
        return errorLineOf(kObjectNotSupportedNumber, texts::kNotAControl);
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return errorLineOf(kFileNotFoundNumber, plat::automation::texts::kFileNotFound);
    std::stringstream ss;
    ss << in.rdbuf();
    const PropertyBag bag = PropertyBag::fromText(ss.str());
    AutomationError error;
    const Status s = embedding_->load(bag, &error);
    if (failed(s)) {
        if (!error.isError())
            error.status = s;
        return errorLine(error);
    }
    return "ok";
}

} // namespace vantil_host
