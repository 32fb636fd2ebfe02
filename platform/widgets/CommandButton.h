// The command button of the program's forms: a push button in the Japanese UI font that never
// becomes a dialog's default button by itself (Enter belongs to the focused control). Return
// or Enter on a focused button presses it, as Space does.
#pragma once

#include <QPushButton>

class QKeyEvent;

namespace plat::widgets {

class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(const QString& caption = {}, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace plat::widgets
