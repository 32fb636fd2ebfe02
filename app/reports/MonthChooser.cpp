// The month box with its previous and next month buttons.
#include "app/reports/MonthChooser.h"

#include "app/frame/ScreenText.h"
#include "app/reports/ReportQueries.h"
#include "app/reports/Texts.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/Label.h"

#include <QHBoxLayout>

namespace tamsel::reports {

MonthChooser MonthChooser::make(QWidget* parent) {
    MonthChooser m;
    m.box = new plat::widgets::DateBox(parent);
    m.box->setObjectName(QStringLiteral("Nengetu"));
    m.box->setMode(plat::widgets::DateBox::Mode::YearMonth);
    m.box->setFixedWidth(90);
    m.label = new plat::widgets::Label(tr8(texts::kNengetuLabel), parent);
    m.label->setBuddy(m.box);

    m.buttons = new plat::widgets::ButtonArray(parent);
    m.buttons->setObjectName(QStringLiteral("comUD"));
    m.buttons->add(Previous, tr8(texts::kPrevMonth), parent)->setFixedWidth(64);
    m.buttons->add(Next, tr8(texts::kNextMonth), parent)->setFixedWidth(64);
    return m;
}

void MonthChooser::addTo(QHBoxLayout* row) const {
    row->addWidget(label);
    row->addWidget(box);
    row->addSpacing(8);
    row->addWidget(buttons->button(Previous));
    row->addWidget(buttons->button(Next));
}

void stepMonth(plat::widgets::DateBox& box, int index, const plat::text::DateTime& today) {
    const plat::text::DateTime shown = box.value();
    box.setValue(index == MonthChooser::Previous ? previousMonth(shown) : nextMonth(shown, today));
}

} // namespace tamsel::reports
