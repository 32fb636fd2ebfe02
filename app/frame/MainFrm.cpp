// Frame window around the main menu.
#include "app/frame/MainFrm.h"

#include "app/frame/AppIcon.h"
#include "app/frame/MainMenu.h"
#include "app/frame/RoumuM.h"
#include "app/frame/ScreenRegistry.h"
#include "app/frame/Std_1.h"
#include "app/frame/Texts.h"
#include "platform/widgets/UiFont.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QTimer>

namespace tamsel {

MainFrm::MainFrm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainFrm"));
    setWindowTitle(QString::fromUtf8(texts::kAppTitle));
    setWindowIcon(appIcon());

    comH_ = menuBar()->addMenu(QString::fromUtf8(texts::kHelpMenu));
    comH_->setObjectName(QStringLiteral("comH"));
    comB_ = comH_->addAction(QString::fromUtf8(texts::kVersionCommand));
    comB_->setObjectName(QStringLiteral("comB"));
    QAction* linekbn1 = comH_->addSeparator();
    linekbn1->setObjectName(QStringLiteral("linekbn1"));
    connect(comB_, &QAction::triggered, this, [] { openScreen(ScreenIndex::VersionInfo); });
    // The overtime check sits in the menu bar beside the help menu, so the main menu's eight
    // buttons stay as they are; it opens like a menu button's screen.
    if (hasScreen(ScreenIndex::ZangyoCheck)) {
        comZ_ = new QAction(QString::fromUtf8(texts::kMenuOvertimeCheck) + QStringLiteral("(&Z)"),
                            this);
        comZ_->setObjectName(QStringLiteral("comZ"));
        menuBar()->insertAction(comH_->menuAction(), comZ_);
        connect(comZ_, &QAction::triggered, this, [this] {
            RoumuM().MenuForm = menu_;
            openScreen(ScreenIndex::ZangyoCheck);
        });
    }
    // Month closing follows the overtime check in the menu bar, the same way.
    if (hasScreen(ScreenIndex::GetujiSime)) {
        comS_ =
            new QAction(QString::fromUtf8(texts::kMenuMonthClosing) + QStringLiteral("(&S)"), this);
        comS_->setObjectName(QStringLiteral("comS"));
        menuBar()->insertAction(comH_->menuAction(), comS_);
        connect(comS_, &QAction::triggered, this, [this] {
            RoumuM().MenuForm = menu_;
            openScreen(ScreenIndex::GetujiSime);
        });
    }
    menuBar()->setFont(plat::widgets::uiFont());

    menu_ = new MainMenu(this);
    setCentralWidget(menu_);
    adjustSize();
    setFixedSize(sizeHint());

    double left = 0;
    double top = 0;
    CenterPosition(*this, left, top);
    moveToTwips(*this, left, top);
}

bool MainFrm::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        menu_->activated();
    return QMainWindow::event(e);
}

void MainFrm::closeEvent(QCloseEvent* e) {
    e->accept();
    RoumuM().RoumuDb.reset();
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

} // namespace tamsel
