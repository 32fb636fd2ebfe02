// The laid-out report: every page with the bands placed on it and the controls to draw, in
// page coordinates (twips from the paper's top-left corner). Produced by the layout pass before
// anything is painted; painting only reads it.
#pragma once

#include "platform/report/Layout.h"
#include "platform/report/PageSetup.h"

#include <string>
#include <vector>

namespace plat::report {

struct PlacedControl {
    std::string name;
    ControlKind kind = ControlKind::Label;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string text;
    FontChoice font;
    Align align = Align::Left;
    bool border = false;
    int lineWidth = 15;
    // Page number fields: filled in once the pages are counted, from the field's format.
    PageField pageField = PageField::None;
    std::string format;
};

struct PlacedBand {
    BandKind kind = BandKind::Detail;
    std::string name;
    int top = 0;
    int height = 0;
    int firstControl = 0; // index into the page's controls
    int controlCount = 0;
};

struct Page {
    std::vector<PlacedBand> bands;
    std::vector<PlacedControl> controls;
};

struct Document {
    PageSetup setup;
    PaperTwips paper;
    std::vector<Page> pages;

    int pageCount() const { return static_cast<int>(pages.size()); }
    bool empty() const { return pages.empty(); }
};

} // namespace plat::report
