// Employee master screen: its fields and grid columns; the behaviour is MasterScreen's.
#include "app/masters/SyainEntry.h"

#include "app/frame/Texts.h"
#include "app/masters/Texts.h"
#include "platform/widgets/NumericBox.h"
#include "platform/widgets/TextBox.h"

namespace tamsel {

namespace t = masters::texts;

SyainEntry::SyainEntry(QWidget* parent)
    : MasterScreen(QString::fromUtf8(texts::kMenuSyainEntry), QStringLiteral("Syain_MT"),
                   QString::fromUtf8(t::kSyainControlCaption), parent) {
    setObjectName(QStringLiteral("SyainEntry"));
    sName_ = new plat::widgets::TextBox(this);
    sName_->setObjectName(QStringLiteral("SName"));
    tMony_ = new plat::widgets::NumericBox(this);
    tMony_->setObjectName(QStringLiteral("TMony"));
    tMony_->setDisplayFormat(QStringLiteral("#,##0"));
    addField(QString::fromUtf8(t::kSNameLabel), sName_, QStringLiteral("SName"), false, 260);
    addField(QString::fromUtf8(t::kTMonyLabel), tMony_, QStringLiteral("TMony"), true, 120);

    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    setGridColumns({
        {QStringLiteral("SyainID"), {}, {}, right, 70},
        {QStringLiteral("SName"), {}, {}, Qt::AlignLeft | Qt::AlignVCenter, 240},
        {QStringLiteral("TMony"), {}, "#,##0", right, 100},
    });
}

} // namespace tamsel
