// The seams between the control's core and the window system: the control's window (layout,
// painting, handle, input method), the clipboard, the modal about box and the list engine. The
// window-system layer installs one ControlPlatform for the process; a core-only build has none, so
// the control runs windowless and AboutBox reports that no dialog can be shown.
#pragma once

#include "control/core/PopupItem.h"
#include "control/core/edit/EditServices.h"
#include "platform/automation/Dispatch.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vantil {

class CVantilCtrl;

// The control's window as the core sees it.
class ControlView {
public:
    virtual ~ControlView() = default;
    // Property `id` changed: recompute the layout and repaint the control, and the list window
    // when it is dropped down.
    virtual void propertyChanged(plat::automation::DispId id) = 0;
    // The properties were loaded: hand the list window what it keeps of them.
    virtual void propertiesLoaded() = 0;
    // The window-system handle of the control's window; 0 while it has none.
    virtual std::intptr_t windowHandle() const = 0;
    // The text, caret, selection or composition changed: repaint the input area.
    virtual void inputAreaChanged() {}
    // The input method of the control's window; nullptr when there is none.
    virtual InputMethodContext* inputMethod() { return nullptr; }
    // Shows the popup menu at client point (x, y) of the control's window and returns when it
    // closes: the chosen line's command, nullopt when none was chosen.
    virtual std::optional<int> showContextMenu(std::span<const PopupItem> items, int x, int y) {
        (void)items, (void)x, (void)y;
        return std::nullopt;
    }
    // Runs the drag loop for plain text `cp932Text` with the allowed drop effects (1 copy,
    // 2 move) and returns the effect the drop target chose, 0 when nothing was dropped.
    virtual std::int32_t runDrag(std::string_view cp932Text, std::int32_t allowedEffects) {
        (void)cp932Text, (void)allowedEffects;
        return 0;
    }
};

struct AboutBoxContent {
    std::string_view title;
    std::string_view versionLine;
    std::string_view secondLine;
    std::string_view okText;
};

// Shows the about box modally and returns when it is closed.
class AboutBoxService {
public:
    virtual ~AboutBoxService() = default;
    virtual void showModal(const AboutBoxContent& content) = 0;
};

// A repeating timer on the control's thread; each tick calls the function it was made with.
class RepeatingTimer {
public:
    virtual ~RepeatingTimer() = default;
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
};

// What the window-system layer provides for every control it hosts.
class ControlPlatform {
public:
    virtual ~ControlPlatform() = default;
    virtual AboutBoxService* aboutBox() = 0;
    // The clipboard's plain text; nullptr when the platform has no clipboard.
    virtual Clipboard* clipboard() { return nullptr; }
    // A stopped timer whose ticks call `onTick`; nullptr when the platform has no timers.
    virtual std::unique_ptr<RepeatingTimer> createTimer(std::function<void()> onTick) {
        (void)onTick;
        return nullptr;
    }
    // Shows the wait cursor over the whole application until it is taken away again; calls
    // nest.
    virtual void showWaitCursor() {}
    virtual void restoreCursor() {}
    // The control's window, created when the host activates the control in place.
    virtual std::unique_ptr<ControlView> createView(CVantilCtrl& control, void* parentWindow, int x,
                                                    int y, int widthPx, int heightPx) = 0;
};

// The process-wide platform; nullptr in a core-only build. The window-system layer installs
// it once when the library is loaded.
ControlPlatform* controlPlatform();
void installControlPlatform(ControlPlatform* platform);

// The list engine: items, columns and the drop-down list. The members whose behaviour lives
// there are forwarded to it; without one the control has an empty list.
class ListEngine {
public:
    virtual ~ListEngine() = default;
    virtual std::int32_t itemCount() const = 0;
    virtual std::int32_t columnCount() const = 0;
    // True when the engine implements member `id`.
    virtual bool handles(plat::automation::DispId id) const = 0;
    // A get or method call (`value` nullptr) or a put (`value` the new value) of member `id`;
    // args are the member's arguments with omitted ones as missing variants. Errors are
    // thrown as automation exceptions.
    virtual plat::automation::Variant invoke(plat::automation::DispId id,
                                             std::span<plat::automation::Variant> args,
                                             const plat::automation::Variant* value) = 0;
    // The control's properties were reset or loaded (columns and options may have changed).
    virtual void propertiesLoaded() {}
    // The text was set at run time while the control has a window: a row whose text matches
    // becomes highlighted and current. True when a row matched.
    virtual bool matchText(std::string_view cp932Text) {
        (void)cp932Text;
        return false;
    }
    // The index of the first row whose text matches `cp932Text` as the typed text does, without
    // changing the current row; -1 when none does.
    virtual std::int32_t findText(std::string_view cp932Text) {
        (void)cp932Text;
        return -1;
    }

    // ---- Rows loaded from a data source (bound values in code page 932) ----
    // Removes every row and leaves the columns; NewIndex and ListIndex become -1.
    virtual void clearRows() {}
    // Adds a row with one text per column (columns beyond `texts` stay empty) and the row's
    // bound value; answers the new index, -1 when the list is full.
    virtual std::int32_t addSourceRow(std::span<const std::u16string> texts,
                                      std::string boundValue) {
        (void)texts;
        (void)boundValue;
        return -1;
    }
    // The bound value of row `index`; empty outside the rows.
    virtual std::string boundValue(std::int32_t index) const {
        (void)index;
        return {};
    }
    // The first row whose bound value begins with `value` under the list's comparison options;
    // -1 when none does (an empty value matches none).
    virtual std::int32_t findBoundValue(std::string_view value) {
        (void)value;
        return -1;
    }
};

// Creates the list engine of a new control; the control owns it. Installed once by the
// library when it is loaded; without one controls have an empty list.
using ListEngineFactory = std::unique_ptr<ListEngine> (*)(CVantilCtrl& control);
ListEngineFactory listEngineFactory();
void installListEngineFactory(ListEngineFactory factory);

} // namespace vantil
