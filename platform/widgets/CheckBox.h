// The check box of the program's forms, in the Japanese UI font.
#pragma once

#include <QCheckBox>

namespace plat::widgets {

class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CheckBox(const QString& caption = {}, QWidget* parent = nullptr);
};

} // namespace plat::widgets
