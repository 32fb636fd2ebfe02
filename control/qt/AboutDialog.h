// The control's modal about box.
#pragma once

#include "control/core/ControlPlatform.h"

#include <QDialog>

namespace vantil {

class AboutDialog final : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(const AboutBoxContent& content, QWidget* parent = nullptr);
};

} // namespace vantil
