// Reading and writing the form data text.
#include "platform/host/FormData.h"

#include "platform/text/Ascii.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace plat::host {

namespace {

constexpr std::string_view kBegin = "Begin";
constexpr std::string_view kEnd = "End";
constexpr std::string_view kHeader =
    "# Form data: the design-time properties of each control instance on each form.\n"
    "# Begin <form> <control> <class identifier> ... End, the properties in between.\n";

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

using plat::text::equalsNoCase;

std::vector<std::string_view> words(std::string_view s) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
        const std::size_t start = i;
        while (i < s.size() && s[i] != ' ' && s[i] != '\t')
            ++i;
        if (i > start)
            out.push_back(s.substr(start, i - start));
    }
    return out;
}

// The instance a "Begin <form> <control> <clsid>" line opens, or nullopt.
std::optional<FormInstance> header(std::string_view line) {
    const auto w = words(line);
    if (w.size() != 4 || w[0] != kBegin)
        return std::nullopt;
    const auto clsid = plat::automation::Guid::parse(w[3]);
    if (!clsid)
        return std::nullopt;
    return FormInstance{std::string(w[1]), std::string(w[2]), *clsid, {}};
}

} // namespace

FormData FormData::fromText(std::string_view text, int* problems) {
    FormData data;
    int count = 0;
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        auto nl = text.find('\n', start);
        if (nl == std::string_view::npos)
            nl = text.size();
        lines.push_back(text.substr(start, nl - start));
        start = nl + 1;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = trim(lines[i]);
        if (line.empty() || line.front() == '#')
            continue;
        std::optional<FormInstance> instance = header(line);
        if (!instance) {
            ++count;
            if (words(line).front() != kBegin)
                continue;
        }
        // The block's body runs to its End; a block without one ends the text.
        std::string body;
        std::size_t j = i + 1;
        while (j < lines.size() && trim(lines[j]) != kEnd) {
            body.append(lines[j]);
            body += '\n';
            ++j;
        }
        if (j == lines.size()) {
            ++count;
            break;
        }
        i = j;
        if (!instance)
            continue;
        int bagProblems = 0;
        instance->bag = plat::automation::PropertyBag::fromText(body, &bagProblems);
        count += bagProblems;
        data.put(std::move(*instance));
    }
    if (problems)
        *problems = count;
    return data;
}

std::string FormData::toText() const {
    std::string out(kHeader);
    for (const FormInstance& f : instances_) {
        out += '\n';
        out +=
            std::string(kBegin) + ' ' + f.form + ' ' + f.control + ' ' + f.clsid.toString() + '\n';
        std::istringstream bag(f.bag.toText());
        for (std::string line; std::getline(bag, line);)
            out += "  " + line + '\n';
        out += std::string(kEnd) + '\n';
    }
    return out;
}

const FormInstance* FormData::find(std::string_view form, std::string_view control) const {
    for (const FormInstance& f : instances_) {
        if (equalsNoCase(f.form, form) && equalsNoCase(f.control, control))
            return &f;
    }
    return nullptr;
}

void FormData::put(FormInstance instance) {
    for (FormInstance& f : instances_) {
        if (equalsNoCase(f.form, instance.form) && equalsNoCase(f.control, instance.control)) {
            f = std::move(instance);
            return;
        }
    }
    instances_.push_back(std::move(instance));
}

std::vector<const FormInstance*> FormData::instancesOf(std::string_view form) const {
    std::vector<const FormInstance*> out;
    for (const FormInstance& f : instances_) {
        if (equalsNoCase(f.form, form))
            out.push_back(&f);
    }
    return out;
}

std::optional<FormData> FormData::readFile(const std::string& path, int* problems) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::stringstream text;
    text << in.rdbuf();
    return fromText(text.str(), problems);
}

bool FormData::writeFile(const std::string& path) const {
    const std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out << toText();
        out.flush();
        if (!out)
            return false;
    }
    std::error_code ec;
    std::filesystem::rename(tmp, path, ec);
    if (ec) {
        std::filesystem::remove(tmp, ec);
        return false;
    }
    return true;
}

} // namespace plat::host
