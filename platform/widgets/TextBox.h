// The text box of the program's forms. It keeps a data-changed flag: set by any change of its
// text, cleared when a bound record fills it, so a form knows whether leaving it must store.
#pragma once

#include <QLineEdit>

namespace plat::widgets {

class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    // Shows text without marking the box as changed.
    void fill(const QString& text);
    bool dataChanged() const { return dataChanged_; }
    void setDataChanged(bool changed) { dataChanged_ = changed; }

private:
    bool dataChanged_ = false;
    bool filling_ = false;
};

} // namespace plat::widgets
