// A list of items on a control with its list engine, and a list window on a recording port:
// client 200 x 130, header 30 pixels, items 20 pixels high, text 6 pixels per byte.
#pragma once

#include "control/list/window/ListWindow.h"
#include "tests/list/ListTestSupport.h"

#include <string>
#include <vector>

namespace vantil::test {

struct RecordingPort final : ListWindowPort {
    Size client{200, 130};
    Point origin{5, 40}; // the list's client area in the control's client coordinates
    std::vector<Rect> invalidated;
    struct Moved {
        int dx, dy;
        Rect area;
    };
    std::vector<Moved> moved;
    ScrollBarState bars[2];
    bool captured = false;
    std::optional<Rect> confined;
    CursorShape cursor = CursorShape::Arrow;
    int timerMs = 0;
    bool tipShown = false;
    bool focused = true;
    std::vector<TipRequest> tips;

    Size clientSize() const override { return client; }
    void invalidate(const Rect& r) override { invalidated.push_back(r); }
    void scrollPixels(int dx, int dy, const Rect& area) override {
        moved.push_back({dx, dy, area});
    }
    void setScrollBar(ScrollAxis axis, const ScrollBarState& s) override {
        bars[axis == ScrollAxis::Vertical ? 1 : 0] = s;
    }
    void capturePointer(bool on) override { captured = on; }
    void confinePointer(const std::optional<Rect>& r) override { confined = r; }
    void setCursor(CursorShape shape) override { cursor = shape; }
    void startAutoScroll(int ms) override { timerMs = ms; }
    void stopAutoScroll() override { timerMs = 0; }
    Point mapToControl(Point p) const override { return Point{p.x + origin.x, p.y + origin.y}; }
    Point mapFromControl(Point p) const override { return Point{p.x - origin.x, p.y - origin.y}; }
    int hostPixelsPerInch() const override { return 96; }
    int textWidth(const FontRequest&, std::string_view text) override {
        return 6 * static_cast<int>(text.size());
    }
    void scheduleRangeUpdate() override {}
    bool tipVisible() const override { return tipShown; }
    bool anyWindowFocused() const override { return focused; }
    void showTip(const TipRequest& tip) override {
        tips.push_back(tip);
        tipShown = true;
    }
    void hideTip() override { tipShown = false; }
};

struct FixedSettings final : ListSettings {
    std::optional<int> lines;
    std::optional<int> wheelScrollLines() const override { return lines; }
};

struct RecordingListener final : ListWindowListener {
    int picks = 0;
    int headerChanges = 0;
    std::vector<std::pair<ListMouse, Point>> mouse;
    bool listPicked() override {
        ++picks;
        return true;
    }
    void listHeaderChanged() override { ++headerChanges; }
    bool listMouse(ListMouse m, Point at) override {
        mouse.emplace_back(m, at);
        return true;
    }
    std::vector<std::int32_t> columnClicks;
    bool listColumnClicked(std::int32_t column) override {
        columnClicks.push_back(column);
        return true;
    }
};

inline constexpr int kHeader = 30;
inline constexpr int kRow = 20;

struct ListWindowFixture {
    ListControl c;
    RecordingPort port;
    FixedSettings settings;
    RecordingListener listener;
    std::unique_ptr<ListWindow> window;

    // `items` items in three columns 60, 80 and 100 pixels wide; column 1 holds "n<i>".
    explicit ListWindowFixture(int items = 20, std::optional<int> wheelLines = std::nullopt) {
        settings.lines = wheelLines;
        c.call(u"AddColumn", {Variant::missing(), text("A"), num(60)});
        c.call(u"AddColumn", {Variant::missing(), text("B"), num(80)});
        c.call(u"AddColumn", {Variant::missing(), text("C"), num(100)});
        for (int i = 0; i < items; ++i) {
            const std::int32_t at = c.add("item " + std::to_string(i));
            c.call(u"AddSubItem", {num(at), num(1), text("n" + std::to_string(i))});
        }
        ListGrid& g = grid();
        g.setRowHeight(0, kHeader);
        for (std::int32_t r = 1; r < g.rowCount(); ++r) {
            g.setRowHeight(r, kRow);
        }
        window = std::make_unique<ListWindow>(g, port, settings);
        // As the window-system layer does: a changed grid asks for a range update.
        g.setScrollRangeHook([this] { window->rangesChanged(); });
        window->setListener(&listener);
        window->setItems(c.model->listItemsObject());
        window->applyOptions(listOptionsFrom(c.ctrl->properties()));
        c.ctrl->setListWindow(window.get());
    }
    ~ListWindowFixture() {
        grid().setScrollRangeHook({});
        c.ctrl->setListWindow(nullptr);
    }

    ListGrid& grid() { return c.model->grid(); }
    ListWindow& w() { return *window; }
    void options(const std::function<void(ListOptions&)>& change) {
        ListOptions o = window->options();
        change(o);
        window->applyOptions(o);
    }
    // The middle of item `index` while the list is scrolled to the top.
    static Point itemPoint(int index, int x = 30) { return Point{x, kHeader + kRow * index + 5}; }
};

} // namespace vantil::test
