// The control's drop-down list window on Qt ("DxListCtrl"): an unmanaged top-level window with a
// thin border and scroll bars, created hidden with the control's window and destroyed with
// it. Its events go to the core's ListWindow; it paints through a QtSurface and implements
// the window services the list asks for.
#pragma once

#include "control/core/keys/DropDownPorts.h"
#include "control/list/ListGrid.h"
#include "control/list/window/ListPainter.h"
#include "control/list/window/ListWindow.h"
#include "control/qt/QtListSettings.h"
#include "control/qt/QtSurface.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <optional>

namespace vantil {

class CVantilCtrl;
class ListModel;
class SystemPalette;
class TipWindow;

class CDxListCtrl final : public QAbstractScrollArea,
                          public DropDownList,
                          private ListWindowPort {
    Q_OBJECT
public:
    // `controlWindow` is the control's own window; the list reads the control's list engine.
    CDxListCtrl(CVantilCtrl& control, const SystemPalette& palette, QWidget* controlWindow);
    ~CDxListCtrl() override;

    ListWindow& logic() { return *logic_; }
    // Who hears the list's picks and pointer messages: the control's window.
    void setListener(ListWindowListener* listener) { logic_->setListener(listener); }
    // True when the last left-button release was inside the list window.
    bool releasedInside() const { return releasedInside_; }
    // The control's window hands over the pointer while the button is dragged from the
    // drop-down button into the list: moves and the release at `global` are the list's.
    void trackHandedPointer(QPoint global, bool released);

    // ---- DropDownList ----
    bool visible() const override { return isVisible(); }
    void showAt(const Rect& screen) override;
    void moveTo(const Rect& screen) override;
    void hide() override { QAbstractScrollArea::hide(); }
    int headerHeight() const override;
    std::int32_t itemCount() const override;
    std::int32_t columnCount() const override;
    std::int32_t highlighted() const override;
    void setHighlighted(std::int32_t index) override;
    std::int32_t matchText(std::string_view cp932) override;
    void moveHighlight(HighlightMove move) override;
    std::string itemText(std::int32_t index) const override;
    void releaseCapture() override;
    // The control's property `id` changed: styles, bars and the font are taken again.
    void propertyChanged(int id);
    // The control is gone or closed: the window hides, lets go of the control's list and
    // answers no more events until it is deleted with the control's window.
    void detach();
    // A navigation key from the control; true when the list acted on it.
    bool handleKey(int qtKey, Qt::KeyboardModifiers modifiers);
    // The size that shows the columns and `rows` items (frame and vertical bar included).
    QSize naturalSize(int rows) const;
    // The natural size for DroppedRows items (8 when it is 0).
    QSize sizeHint() const override;
    // The title tip window (nullptr while title tips are off).
    TipWindow* tipWindow() const { return tip_; }
    // Paints the part `update` of the list's viewport on `s`: the cells with their pictures and
    // the column-resize line while a divider is dragged.
    void paint(Surface& s, const Rect& update);

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // ---- ListWindowPort ----
    Size clientSize() const override;
    void invalidate(const Rect& r) override;
    void scrollPixels(int dx, int dy, const Rect& area) override;
    void setScrollBar(ScrollAxis axis, const ScrollBarState& state) override;
    void capturePointer(bool on) override;
    void confinePointer(const std::optional<Rect>& r) override;
    void setCursor(CursorShape shape) override;
    void startAutoScroll(int intervalMs) override;
    void stopAutoScroll() override;
    Point mapToControl(Point p) const override;
    Point mapFromControl(Point p) const override;
    int hostPixelsPerInch() const override;
    int textWidth(const FontRequest& font, std::string_view text) override;
    void scheduleRangeUpdate() override;
    bool tipVisible() const override;
    bool anyWindowFocused() const override;
    void showTip(const TipRequest& tip) override;
    void hideTip() override;

    void barAction(ScrollAxis axis, int action);
    void applyProperties();
    Point clientPoint(const QPoint& viewportPos);

    CVantilCtrl& control_;
    const SystemPalette& palette_;
    QPointer<QWidget> controlWindow_;
    ListModel* model_ = nullptr;
    ListGrid ownGrid_; // the grid when the control has no list engine
    QtListSettings settings_;
    std::unique_ptr<ListWindow> logic_;
    QTimer autoScroll_;
    std::optional<Rect> confine_;
    QtFontCache fonts_;
    TipWindow* tip_ = nullptr;
    bool settingBars_ = false;
    bool rangesQueued_ = false;
    bool closing_ = false;
    bool detached_ = false;
    bool releasedInside_ = false;
};

} // namespace vantil
