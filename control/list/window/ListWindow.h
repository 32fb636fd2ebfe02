// The drop-down list window's behaviour without a window system: scroll positions and bars,
// line/page/top/bottom/thumb scrolling, the wheel, the current row and which rows may become
// current, the pointer modes (hover highlight, press and drag with auto-scroll, pick, column
// resizing with the tracking line), keyboard navigation, the title-tip decision, and the
// three control members that read the view. The window-system layer forwards its events here.
#pragma once

#include "control/core/ControlProperties.h"
#include "control/core/ListWindowView.h"
#include "control/list/ListGrid.h"
#include "control/list/window/ListGeometry.h"
#include "control/list/window/ListWindowPort.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace vantil {

class CListItems;

// Interval of the timer that scrolls while the left button is held outside the client area.
inline constexpr int kAutoScrollMs = 10;
// Distance from a column divider within which the pointer counts as on it.
inline constexpr int kResizeHotZone = 3;
// Width of the inverted line that tracks a column resize.
inline constexpr int kTrackingLineWidth = 2;
inline constexpr int kDefaultWheelLines = 3;

enum class MouseMode {
    None = 0,
    SelectingRows = 3,
    OverRowDivider = 6,
    ResizingRow = 7,
    OverColumnDivider = 8,
    ResizingColumn = 9,
};

enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, Top, Bottom, Thumb, EndScroll };

enum class ListKey { Up, Down, PageUp, PageDown, Home, End, Left, Right };

// What the list keeps of the control's properties.
struct ListOptions {
    bool horizontalBar = false;
    bool verticalBar = true;
    bool allowResizeColumn = false;
    bool titleTip = true;
    bool locked = false;
    DisplayItemConstants displayItem = DisplayItemConstants::lxdil_テキスト;
    FontRequest font;
};

ListOptions listOptionsFrom(const ControlProperties& p);

class ListWindow final : public ListWindowView {
public:
    ListWindow(ListGrid& grid, ListWindowPort& port, const ListSettings& settings);

    void setListener(ListWindowListener* listener) { listener_ = listener; }
    // The item objects HitTest and GetFirstVisible answer with (nullptr: none).
    void setItems(std::shared_ptr<CListItems> items) { items_ = std::move(items); }

    // The control's properties changed: bars, resizing, tips, locking, pictures and the font
    // (which replaces the font of every cell).
    void applyOptions(const ListOptions& options);
    const ListOptions& options() const { return options_; }
    // Reads the wheel setting again (at creation and on every settings change).
    void readSettings();
    int wheelLines() const { return wheelLines_; }

    // The window's size or the list's rows or columns changed: recompute the scroll maxima
    // and pages, keep the positions inside them and update the bars.
    void updateRanges();
    // The grid changed; one range update is scheduled for later.
    void rangesChanged();
    // The scroll maximum and the furthest position of an axis, as the last range update
    // found them.
    int maximum(ScrollAxis axis) const { return maximum_[index(axis)]; }
    int positionLimit(ScrollAxis axis) const { return limit_[index(axis)]; }

    ListGeometry geometry() const;
    int position(ScrollAxis axis) const {
        return axis == ScrollAxis::Vertical ? vertical_ : horizontal_;
    }
    void scroll(ScrollAxis axis, ScrollRequest request, int thumb = 0);
    // A wheel turn of `delta` (multiples of 120, positive away from the user).
    void wheel(int delta);

    // r < 0 clears the current row; a row that may not become current changes nothing and
    // answers false. The rows that change are repainted.
    bool setCurrentRow(std::int32_t r);
    // Scrolls line by line until `row` is visible, then repaints.
    void scrollIntoView(std::int32_t row);

    // ---- Pointer (client coordinates) ----
    MouseMode mouseMode() const { return mode_; }
    void mouseMove(Point at, bool leftHeld);
    void leftDown(Point at);
    // `insideWindow`: the pointer is inside the list window's rectangle.
    void leftUp(Point at, bool insideWindow);
    void leftDoubleClick(Point at);
    // Right and middle button messages, only passed on to the control.
    void otherButton(ListMouse message, Point at);
    // A tick of the auto-scroll timer with the pointer at `at`.
    void autoScrollTick(Point at);
    // The x of the column-resize tracking line while one is drawn.
    std::optional<int> trackingLine() const { return trackX_; }
    Rect trackingLineRect(int x) const;
    // The cursor the list shows over `at`.
    CursorShape cursorAt(Point at) const;

    // ---- Keyboard: true when the key was a navigation key the list acted on ----
    bool keyDown(ListKey key, bool alt);

    // The title tip for the cell under `at`, nullopt when none should show.
    std::optional<TipRequest> tipFor(Point at);

    // The window was hidden: the timer stops and the tip hides.
    void hidden();

    // ---- ListWindowView ----
    std::int16_t visibleCount() const override;
    plat::automation::Variant firstVisible() override;
    plat::automation::Variant hitTest(std::int32_t xTwips, std::int32_t yTwips) override;

private:
    struct Divider {
        std::int32_t column; // the column whose right edge it is
        int columnLeft;      // that column's left edge, client x
    };
    static int index(ScrollAxis axis) { return axis == ScrollAxis::Vertical ? 1 : 0; }
    bool barExists(ScrollAxis axis) const {
        return axis == ScrollAxis::Vertical ? options_.verticalBar : options_.horizontalBar;
    }
    void showBar(ScrollAxis axis);
    std::optional<Divider> dividerAt(Point at) const;
    void setPosition(ScrollAxis axis, int position);
    void lineScroll(ScrollAxis axis, bool forward, bool quiet);
    // False when the event's handler destroyed or closed the control.
    [[nodiscard]] bool forward(ListMouse message, Point at);
    void endPointer();
    void moveTrackingLine(std::optional<int> x);
    void fitColumn(std::int32_t column);
    std::int32_t firstSelectable(std::int32_t from, int step) const;
    bool moveTo(std::int32_t row);
    bool keyLocked(ListKey key);
    void pageKey(bool down);
    void hover(Point at);
    plat::automation::Variant itemObject(std::int32_t row);

    ListGrid& grid_;
    ListWindowPort& port_;
    const ListSettings& settings_;
    ListWindowListener* listener_ = nullptr;
    std::shared_ptr<CListItems> items_;
    ListOptions options_;
    int wheelLines_ = kDefaultWheelLines;
    int vertical_ = 0;
    int horizontal_ = 0;
    bool rangesPending_ = false;
    bool rangesStale_ = true;
    int uniformHeight_ = 0; // every item row's height, as the last range update found it
    // Kept from the last range update: scroll requests do not walk every row again.
    int maximum_[2] = {0, 0};
    int page_[2] = {0, 0};
    int limit_[2] = {0, 0};

    MouseMode mode_ = MouseMode::None;
    bool leftHeld_ = false;
    CellHit downCell_;
    Point downPoint_{-1, -1};
    std::optional<Divider> resizing_;
    std::optional<int> trackX_;
    bool resizeMoved_ = false;
};

} // namespace vantil
