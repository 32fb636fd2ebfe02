// Site master screen: its field and grid columns; the behaviour is MasterScreen's.
#include "app/masters/GenbaEntry.h"

#include "app/frame/Texts.h"
#include "app/masters/Texts.h"
#include "platform/widgets/TextBox.h"

namespace tamsel {

namespace t = masters::texts;

GenbaEntry::GenbaEntry(QWidget* parent)
    : MasterScreen(QString::fromUtf8(texts::kMenuGenbaEntry), QStringLiteral("Q_Genba"),
                   QString::fromUtf8(t::kGenbaControlCaption), parent) {
    setObjectName(QStringLiteral("GenbaEntry"));
    gName_ = new plat::widgets::TextBox(this);
    gName_->setObjectName(QStringLiteral("GName"));
    addField(QString::fromUtf8(t::kGNameLabel), gName_, QStringLiteral("GName"), true, 300);

    setGridColumns({
        {QStringLiteral("GenbaID"),
         QString::fromUtf8(t::kGenbaIDHeading),
         {},
         Qt::AlignRight | Qt::AlignVCenter,
         80},
        {QStringLiteral("GName"),
         QString::fromUtf8(t::kGNameHeading),
         {},
         Qt::AlignLeft | Qt::AlignVCenter,
         260},
        {QStringLiteral("CrtDate"), QString::fromUtf8(t::kCrtDateHeading), "yy/mm/dd hh:nn",
         Qt::AlignLeft | Qt::AlignVCenter, 130},
    });
}

} // namespace tamsel
