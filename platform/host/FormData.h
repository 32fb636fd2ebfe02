// The form data of a program: for each control instance placed on a form, its class
// identifier and the design-time properties handed to it when the form loads, kept as text.
//
//   Begin RoumuEntrySub2 GenbaID(3) {74398472-EA8E-4E62-913B-2411155402F4}
//     DroppedRows = I2:12
//     ...                       (the property bag's own text form)
//   End
//
// Lines starting with '#' outside a block are comments.
#pragma once

#include "platform/automation/Guid.h"
#include "platform/automation/PropertyBag.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat::host {

struct FormInstance {
    std::string form;    // the form's name, e.g. "RoumuEntrySub2"
    std::string control; // the instance's name on it, e.g. "GenbaID(3)"
    plat::automation::Guid clsid;
    plat::automation::PropertyBag bag;
};

class FormData {
public:
    // Never fails: a block with a bad header or without its End is skipped, and `problems`
    // (when given) counts the skipped blocks, stray lines and unreadable property lines.
    static FormData fromText(std::string_view text, int* problems = nullptr);
    std::string toText() const;

    // Names compare case-insensitively (ASCII), as form and control names do.
    const FormInstance* find(std::string_view form, std::string_view control) const;
    // Replaces the instance of the same form and name in its place, or appends it.
    void put(FormInstance instance);
    std::vector<const FormInstance*> instancesOf(std::string_view form) const;
    const std::vector<FormInstance>& instances() const { return instances_; }

    // Reading and writing a file; writing replaces the file only once the new text is
    // complete on disk.
    static std::optional<FormData> readFile(const std::string& path, int* problems = nullptr);
    bool writeFile(const std::string& path) const;

private:
    std::vector<FormInstance> instances_;
};

} // namespace plat::host
