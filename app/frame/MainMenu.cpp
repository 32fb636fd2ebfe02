// Main menu: banner, button grid and the dispatch of comFunc by index.
#include "app/frame/MainMenu.h"

#include "app/frame/RoumuM.h"
#include "app/frame/ScreenRegistry.h"
#include "app/frame/Texts.h"
#include "platform/widgets/BannerLabel.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/UiFont.h"

#include <QEvent>
#include <QGridLayout>
#include <QVBoxLayout>

namespace tamsel {

namespace {
struct MenuButton {
    int index;
    const char* caption;
    int row;
    int column;
};

// Positions in the window; the index alone decides the action.
constexpr MenuButton kButtons[] = {
    {ScreenIndex::SyainEntry, texts::kMenuSyainEntry, 0, 0},
    {ScreenIndex::GenbaEntry, texts::kMenuGenbaEntry, 1, 0},
    {ScreenIndex::RoumuEntry, texts::kMenuRoumuEntry, 2, 0},
    {ScreenIndex::RefRoumu, texts::kMenuRefRoumu, 0, 1},
    {ScreenIndex::PrtSyainRoumu, texts::kMenuPrtSyainRoumu, 1, 1},
    {ScreenIndex::PrtRuikei, texts::kMenuPrtRuikei, 2, 1},
    {ScreenIndex::BKForm, texts::kCompact, 3, 0},
    {ScreenIndex::End, texts::kMenuEnd, 3, 1},
};
} // namespace

MainMenu::MainMenu(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MainMenu"));
    setWindowTitle(QString::fromUtf8(texts::kMainMenuCaption));
    setFont(plat::widgets::uiFont());

    acLbl_ = new plat::widgets::BannerLabel(QString::fromUtf8(texts::kMainMenuBanner), this);
    acLbl_->setObjectName(QStringLiteral("AcLbl"));
    comFunc_ = new plat::widgets::ButtonArray(this);
    comFunc_->setObjectName(QStringLiteral("comFunc"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(10);
    for (const MenuButton& b : kButtons) {
        auto* button = comFunc_->add(b.index, QString::fromUtf8(b.caption), this);
        button->setFont(plat::widgets::uiFont(11));
        button->setMinimumSize(230, 44);
        grid->addWidget(button, b.row, b.column);
    }
    connect(comFunc_, &plat::widgets::ButtonArray::clicked, this, &MainMenu::comFunc_Click);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 20);
    layout->setSpacing(18);
    layout->addWidget(acLbl_);
    layout->addLayout(grid);
}

void MainMenu::comFunc_Click(int index) {
    if (index == ScreenIndex::End) {
        window()->close();
        return;
    }
    if (!hasScreen(index))
        return;
    RoumuM().MenuForm = this;
    openScreen(index);
}

void MainMenu::activated() {
    acLbl_->Refresh();
}

bool MainMenu::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && isWindow())
        activated();
    return QWidget::event(e);
}

} // namespace tamsel
