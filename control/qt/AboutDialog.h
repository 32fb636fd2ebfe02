// The control's modal about box.
#pragma once

#include "control/core/ControlPlatform.h"

#include <QDialog>
#include <QPixmap>

namespace vantil {

class AboutDialog final : public QDialog {
    Q_OBJECT
public:
    // Raises automation error 5 when the process has no QApplication (a console host), where a
    // dialog cannot be built.
    explicit AboutDialog(const AboutBoxContent& content, QWidget* parent = nullptr);
};

// The control's icon: a small input box with its drop-down button, drawn at `size` pixels.
QPixmap controlIcon(int size);

} // namespace vantil
