// The layout of a report as plain data: bands in their fixed order and the controls on them.
// Positions and sizes are twips (1440 per inch), relative to the band's top-left corner.
#pragma once

#include "platform/report/Value.h"

#include <deque>
#include <string>
#include <string_view>

namespace plat::report {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kTwipsPerPoint = 20;

enum class BandKind {
    ReportHeader,
    PageHeader,
    GroupHeader,
    Detail,
    GroupFooter,
    PageFooter,
    ReportFooter,
};

enum class ControlKind { Label, Field, Line };

enum class Align { Left, Center, Right };

// A field that sums its column instead of showing the current row's value.
enum class Summary {
    None,
    Group,  // over the rows of the enclosing group; restarts with every group
    Report, // over all rows of the report
};

// Fields whose text the engine fills in once the pages are counted.
enum class PageField {
    None,
    PageNumber, // 1-based number of the page, shown with the field's number format
    PageCount,  // number of pages of the report
    PageOfPages // the field's format with "%1" replaced by the page number and "%2" by the count
};

enum class NewPage { None, Before, After, BeforeAndAfter };

struct FontChoice {
    std::string name = "ＭＳ Ｐ明朝"; // as the layout names it; resolved to an installed font
    double size = 10;                 // points
    bool bold = false;
    friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

struct Control {
    std::string name;
    ControlKind kind = ControlKind::Label;
    int left = 0;
    int top = 0;
    int width = 0; // a line runs from (left, top) to (left + width, top + height)
    int height = 0;

    // Labels: the caption. Fields: the text shown (set from the bound value before every format
    // call; a field without a binding keeps what code last set).
    std::string text;
    std::string dataField;
    std::string format; // display format of the bound or summed value
    Summary summary = Summary::None;
    PageField pageField = PageField::None;

    // Visibility, like texts set from code, stays as code last set it: a format routine that
    // hides a control for one row shows it again for the next.
    bool visible = true;
    FontChoice font;
    Align align = Align::Left;
    bool border = false;
    int lineWidth = 15; // twips; lines and borders

    // The value behind a field for the band being formatted (the bound column or the sum).
    Value value;
};

struct Band {
    BandKind kind = BandKind::Detail;
    std::string name;
    int height = 0; // a band of height 0 takes no room and prints nothing
    bool visible = true;
    std::deque<Control> controls; // a deque: references handed out stay valid

    // Group headers only: the column whose change starts a new group.
    std::string groupField;
    // Group headers only: print the header again at the top of a page the group continues on.
    bool repeatOnNewPage = false;
    // Group headers only: move to a new page rather than leave the header without its first row.
    bool keepWithFirstRow = true;
    NewPage newPage = NewPage::None;

    Control& control(std::string_view controlName); // throws ReportError when unknown
    const Control* findControl(std::string_view controlName) const;
    Control& addLabel(std::string controlName, int left, int top, int width, int height,
                      std::string caption);
    Control& addField(std::string controlName, int left, int top, int width, int height,
                      std::string dataField, std::string format = {});
    Control& addLine(std::string controlName, int x1, int y1, int x2, int y2);
};

} // namespace plat::report
