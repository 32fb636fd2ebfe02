// The control's context menu at run time: the lines built from the 20-entry menu table, the
// greying of the built-in edit commands, the BeforePopup event that may cancel the menu and
// the chosen command run through the input area.
#pragma once

#include "control/core/ControlProperties.h"
#include "control/core/PopupItem.h"

#include <vector>

namespace vantil {

class CVantilCtrl;

// What the greying of the built-in entries depends on.
struct EditCommandState {
    bool canUndo = false;
    bool locked = false;
    bool hasSelection = false;
    bool clipboardHasText = false;
    bool textEmpty = true;
};

class ContextMenu {
public:
    explicit ContextMenu(CVantilCtrl& control) : control_(control) {}

    // The popup's lines: hidden entries left out, separator entries as separators, and a
    // separator after undo and after delete when a command was added since the last one.
    static std::vector<PopupItem> lines(const MenuTable& table, const EditCommandState& state);

    // Opens the menu at client point (x, y) of the control's window: with focus only, for data
    // of format 4.0 or later, and not while the menu is already open.
    void open(int x, int y);
    bool isOpen() const { return open_; }

private:
    EditCommandState editState() const;

    CVantilCtrl& control_;
    bool open_ = false;
};

} // namespace vantil
