// The command button of the program's forms: a push button in the Japanese UI font that never
// becomes a dialog's default button by itself (Enter belongs to the focused control).
#pragma once

#include <QPushButton>

namespace plat::widgets {

class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(const QString& caption = {}, QWidget* parent = nullptr);
};

} // namespace plat::widgets
