// What the ledger screens ask of a pick box (the employee box and the nine site boxes): a list
// of items with a second column, the text, the list index, enabling and focus, and the three
// events the screens handle. The boxes are hosted combo controls; the screens reach them only
// through this, so they are created by a factory the screens are given.
#pragma once

#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace tamsel::ledger {

class PickBox {
public:
    virtual ~PickBox() = default;

    virtual QWidget* widget() = 0;
    // Why the box could not be put on its form ("number: description (name)"), empty when it
    // was; a screen reports it as its load error.
    virtual QString loadError() const { return {}; }

    virtual void ClearItem() = 0;
    // Adds an item at index with text (column 0).
    virtual void AddItem(int index, const QString& text) = 0;
    // Writes text into column subIndex of the item at row.
    virtual void AddSubItem(int row, int subIndex, const QString& text) = 0;
    virtual int ListIndex() const = 0;
    virtual QString ItemText(int index) const = 0;
    virtual QString Text() const = 0;
    virtual void setText(const QString& text) = 0;

    // Events. KeyDown gets the key code (13 for Enter) and the shift state (1 Shift, 2 Ctrl,
    // 4 Alt).
    std::function<void()> CloseUp;
    std::function<void()> ChangeText;
    std::function<void(int keyCode, int shift)> KeyDown;
    std::function<void()> GotFocus;
};

// Creates a pick box named name inside parent.
using PickBoxFactory =
    std::function<std::unique_ptr<PickBox>(QWidget* parent, const QString& name)>;

} // namespace tamsel::ledger
