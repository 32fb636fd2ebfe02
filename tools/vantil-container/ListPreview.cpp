// Sample items, the list window found by its control window, and its picture.
#include "tools/vantil-container/ListPreview.h"

#include "tools/vantil-container/ContainerWindow.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QVariant>

#include <array>
#include <string>
#include <vector>

using namespace plat::automation;

namespace vantilcontainer {

namespace {

Variant call(Dispatch& d, std::u16string_view name, std::vector<Variant> args) {
    Variant out;
    AutomationError error;
    d.invoke(d.memberId(name), InvokeKind::Method, args, out, error);
    return out;
}

void put(Dispatch& d, std::u16string_view name, Variant value) {
    std::vector<Variant> args{std::move(value)};
    Variant out;
    AutomationError error;
    d.invoke(d.memberId(name), InvokeKind::PropertyPut, args, out, error);
}

Variant str(const char16_t* s) {
    return Variant(std::u16string(s));
}

// The control's window inside `form`: the list window names it.
QWidget* controlWindowOf(QWidget* list) {
    return qobject_cast<QWidget*>(list->property("controlWindow").value<QObject*>());
}

} // namespace

void addSampleItems(Dispatch& control, int count) {
    call(control, u"AddColumn", {Variant::missing(), str(u"コード"), Variant(std::int32_t{60})});
    call(control, u"AddColumn", {Variant::missing(), str(u"氏名"), Variant(std::int32_t{110})});
    call(control, u"AddColumn", {Variant::missing(), str(u"現場"), Variant(std::int32_t{150})});
    static constexpr std::array<const char16_t*, 10> kNames = {
        u"山田 太郎", u"佐藤 花子", u"鈴木 一郎", u"高橋 美咲", u"田中 健二",
        u"伊藤 直子", u"渡辺 誠",   u"中村 陽子", u"小林 大輔", u"加藤 恵"};
    static constexpr std::array<const char16_t*, 4> kSites = {
        u"本社 第一工場", u"名古屋 港湾倉庫 新築工事", u"大阪 支店", u"横浜 物流センター"};
    for (int i = 0; i < count; ++i) {
        const std::u16string code = u"S" +
                                    std::u16string(1, static_cast<char16_t>(u'0' + i / 100 % 10)) +
                                    std::u16string(1, static_cast<char16_t>(u'0' + i / 10 % 10)) +
                                    std::u16string(1, static_cast<char16_t>(u'0' + i % 10));
        const Variant index = call(control, u"AddItem", {Variant::missing(), Variant(code)});
        const std::int32_t at = index.toLong();
        call(control, u"AddSubItem",
             {Variant(at), Variant(std::int32_t{1}),
              str(kNames[static_cast<std::size_t>(i) % kNames.size()])});
        call(control, u"AddSubItem",
             {Variant(at), Variant(std::int32_t{2}),
              str(kSites[static_cast<std::size_t>(i) % kSites.size()])});
    }
}

QWidget* listWindowIn(QWidget* form) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() != QLatin1String("DxListCtrl")) {
            continue;
        }
        const QWidget* control = controlWindowOf(w);
        if (control != nullptr && form->isAncestorOf(control)) {
            return w;
        }
    }
    return nullptr;
}

bool showListBelow(QWidget* form) {
    QWidget* list = listWindowIn(form);
    if (list == nullptr) {
        return false;
    }
    // The control opens and places its own list, as F4 would.
    auto* control = const_cast<QWidget*>(controlWindowOf(list));
    QMetaObject::invokeMethod(control, "showDropDown", Qt::DirectConnection, Q_ARG(bool, true));
    return list->isVisible();
}

bool writeListPicture(const QString& pngPath, QString& message) {
    ContainerWindow window(false);
    std::string error;
    if (!window.create(error)) {
        message = QString::fromUtf8(error);
        return false;
    }
    Dispatch& control = *window.control();
    put(control, u"HideColumnHeaders", Variant(false));
    put(control, u"OddRowBackColor", Variant(std::int32_t{0x00F7EFE6}));
    addSampleItems(control);
    window.show();
    if (!showListBelow(window.form())) {
        message = QStringLiteral("no list window");
        return false;
    }
    QWidget* list = listWindowIn(window.form());
    // The third item is current, as under the pointer.
    put(control, u"ListIndex", Variant(std::int32_t{2}));
    QApplication::processEvents();
    QPixmap picture = window.grab();
    {
        QPainter p(&picture);
        p.drawPixmap(list->mapToGlobal(QPoint(0, 0)) - window.mapToGlobal(QPoint(0, 0)),
                     list->grab());
    }
    if (!picture.save(pngPath)) {
        message = QStringLiteral("cannot write ") + pngPath;
        return false;
    }
    return true;
}

} // namespace vantilcontainer
