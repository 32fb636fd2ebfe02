// The about box: the control's icon, title, version line, second line and an OK button.
#include "control/qt/AboutDialog.h"

#include "control/core/Texts.h"
#include "control/qt/QtConvert.h"
#include "platform/automation/AutomationError.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPolygon>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantil {

namespace {

using qtconv::utf8ToQt;

// Runs before QDialog's constructor, which ends the process when there is no QApplication.
QWidget* dialogParent(QWidget* parent) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        plat::automation::raise(plat::automation::errnum::InvalidProcedureCall,
                                texts::kNoDialogService);
    }
    return parent;
}

} // namespace

QPixmap controlIcon(int size) {
    QPixmap icon(size, size);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    const int boxTop = size / 4;
    const int boxHeight = size / 2;
    const int button = size / 3;
    // The input area with a sunken frame.
    p.fillRect(0, boxTop, size, boxHeight, Qt::white);
    p.setPen(QColor(128, 128, 128));
    p.drawRect(0, boxTop, size - 1, boxHeight - 1);
    // The drop-down button and its triangle.
    const QRect buttonRect(size - button, boxTop + 1, button - 1, boxHeight - 2);
    p.fillRect(buttonRect, QColor(212, 208, 200));
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    const QPoint c = buttonRect.center();
    const int half = std::max(1, button / 4);
    p.drawPolygon(QPolygon({QPoint(c.x() - half, c.y() - half / 2),
                            QPoint(c.x() + half, c.y() - half / 2), QPoint(c.x(), c.y() + half)}));
    // Two text strokes in the input area.
    p.setPen(QColor(0, 0, 128));
    const int textRight = size - button - 3;
    p.drawLine(3, boxTop + boxHeight / 2, textRight, boxTop + boxHeight / 2);
    return icon;
}

AboutDialog::AboutDialog(const AboutBoxContent& content, QWidget* parent)
    : QDialog(dialogParent(parent)) {
    setWindowTitle(utf8ToQt(content.title));
    setWindowIcon(QIcon(controlIcon(32)));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setPixmap(controlIcon(32));
    top->addWidget(icon, 0, Qt::AlignTop);
    auto* lines = new QVBoxLayout;
    auto* version = new QLabel(utf8ToQt(content.versionLine), this);
    version->setObjectName(QStringLiteral("versionLine"));
    auto* second = new QLabel(utf8ToQt(content.secondLine), this);
    second->setObjectName(QStringLiteral("secondLine"));
    lines->addWidget(version);
    lines->addWidget(second);
    top->addLayout(lines, 1);
    layout->addLayout(top);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(utf8ToQt(content.okText), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace vantil
