// The plain label of the program's forms, in the Japanese UI font.
#pragma once

#include <QLabel>

namespace plat::widgets {

class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(const QString& caption = {}, QWidget* parent = nullptr);
};

} // namespace plat::widgets
