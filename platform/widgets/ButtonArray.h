// A control array of command buttons (comFunc, comUD, comMove): buttons are created with an
// index, and one signal reports a press with that index, so one routine handles them all.
#pragma once

#include <QObject>
#include <QPointer>

#include <map>

namespace plat::widgets {

class CommandButton;

class ButtonArray : public QObject {
    Q_OBJECT
public:
    explicit ButtonArray(QObject* parent = nullptr);

    // Creates the button of index (a child of parentWidget); an index already present is
    // replaced.
    CommandButton* add(int index, const QString& caption, QWidget* parentWidget);
    CommandButton* button(int index) const;
    int count() const { return static_cast<int>(buttons_.size()); }
    // Presses the button of index as a click would (does nothing for an unknown index).
    void press(int index);

signals:
    void clicked(int index);

private:
    std::map<int, QPointer<CommandButton>> buttons_;
};

} // namespace plat::widgets
