// Building bands and finding their controls by name.
#include "platform/report/Layout.h"

#include "platform/report/ReportError.h"

namespace plat::report {

const Control* Band::findControl(std::string_view controlName) const {
    for (const Control& c : controls) {
        if (c.name == controlName)
            return &c;
    }
    return nullptr;
}

Control& Band::control(std::string_view controlName) {
    const Control* found = findControl(controlName);
    if (!found)
        throw ReportError(ErrorCode::InvalidCall, std::string(controlName));
    return const_cast<Control&>(*found);
}

Control& Band::addLabel(std::string controlName, int left, int top, int width, int height,
                        std::string caption) {
    Control c;
    c.name = std::move(controlName);
    c.kind = ControlKind::Label;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    c.text = std::move(caption);
    controls.push_back(std::move(c));
    return controls.back();
}

Control& Band::addField(std::string controlName, int left, int top, int width, int height,
                        std::string boundField, std::string displayFormat) {
    Control& c = addLabel(std::move(controlName), left, top, width, height, {});
    c.kind = ControlKind::Field;
    c.dataField = std::move(boundField);
    c.format = std::move(displayFormat);
    return c;
}

Control& Band::addLine(std::string controlName, int x1, int y1, int x2, int y2) {
    Control& c = addLabel(std::move(controlName), x1, y1, x2 - x1, y2 - y1, {});
    c.kind = ControlKind::Line;
    return c;
}

} // namespace plat::report
