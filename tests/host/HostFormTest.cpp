// A test form of the program hosting two site boxes from the form data beside a line edit:
// focus movement across them by Tab, arrows and Return, typing and picking with the keyboard,
// and a load that cannot create the control.
#include "app/frame/FormControls.h"
#include "app/frame/Screen.h"
#include "platform/host/LoadError.h"
#include "platform/widgets/MessageRecorder.h"
#include "tests/host/HostTestSupport.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace plat::automation;
using plat::host::HostedControl;
using plat::host::RegistryChain;

namespace {

class SiteProbeForm : public tamsel::Screen {
public:
    explicit SiteProbeForm(RegistryChain registries) : registries_(std::move(registries)) {}
    HostedControl* site[2] = {};
    QLineEdit* note = nullptr;

protected:
    void onLoad() override {
        // The line edit comes first in creation order; the tab order set below puts it last.
        note = new QLineEdit(this);
        note->setGeometry(10, 80, 120, 22);
        for (int i = 0; i < 2; ++i) {
            const QString name = QStringLiteral("GenbaID(%1)").arg(i);
            AutomationError error;
            site[i] = tamsel::createFormControl(this, "RoumuEntrySub2", name, error, registries_);
            if (site[i] == nullptr) {
                failLoad(plat::host::loadErrorText(error, name));
                return;
            }
            site[i]->move(10, 10 + 30 * i);
        }
        setTabOrder(site[0], site[1]);
        setTabOrder(site[1], note);
        resize(300, 150);
    }

private:
    RegistryChain registries_;
};

QString missingStore(const testsupport::TempFolder& dir) {
    return dir.file(QStringLiteral("no-registry.txt"));
}

TEST(HostForm, TabAndBacktabMoveFocusAcrossHostedControlsAndTheLineEdit) {
    testsupport::qtApp();
    testsupport::TempFolder dir;
    // The user's registry file is missing; the store beside the program knows the class.
    SiteProbeForm form(
        RegistryChain({missingStore(dir).toStdString(), ComponentRegistry::defaultPath()}));
    form.open();
    ASSERT_EQ(form.state(), tamsel::Screen::Ready);
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    QWidget* first = form.site[0]->controlWindow();
    QWidget* second = form.site[1]->controlWindow();
    ASSERT_TRUE(first && second);
    form.site[0]->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), first);
    const auto tab = [](Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key);
        return QApplication::focusWidget();
    };
    EXPECT_EQ(tab(Qt::Key_Tab), second);
    EXPECT_EQ(tab(Qt::Key_Tab), form.note);
    EXPECT_EQ(tab(Qt::Key_Tab), first);
    EXPECT_EQ(tab(Qt::Key_Backtab), form.note);
    EXPECT_EQ(tab(Qt::Key_Backtab), second);

    // A clerk's road through the first box: type, open, pick with the keyboard, close; then
    // arrows and Return move on, each leaving its cause behind.
    for (HostedControl* box : form.site) {
        box->clearItems();
        for (const char* code : {"5", "7", "9"})
            box->addItem(QString::fromLatin1(code));
    }
    QStringList heard;
    QList<short> keys;
    QObject::connect(form.site[0], &HostedControl::eventRaised, [&](const QString& name) {
        if (name != QLatin1String("KeyUp") && name != QLatin1String("KeyPress") &&
            !name.startsWith(QLatin1String("Mouse")))
            heard << name;
    });
    QObject::connect(form.site[0], &HostedControl::keyDown,
                     [&](short& key, short) { keys << key; });
    form.site[0]->setFocus();
    QTest::keyClick(first, Qt::Key_7);
    QTest::keyClick(first, Qt::Key_F4);
    QTest::keyClick(first, Qt::Key_Down);
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(heard, (QStringList{"KeyDown", "ChangeText", "DropDown", "Click", "Click",
                                  "KeyDown", "CloseUp"}));
    EXPECT_EQ(keys, (QList<short>{55, 40})) << "Return that closed the list is the list's";
    EXPECT_EQ(form.site[0]->listIndex(), 2);
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(keys.last(), 13) << "Return with the list closed reaches the form";

    form.site[0]->put(u"LostFocusAtVertArrow", Variant(std::int16_t{1}));
    QTest::keyClick(first, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), second);
    EXPECT_EQ(form.site[0]->get(u"LostFocusCause").toLong(), 4);
    form.site[1]->put(u"TreatEnterAsTab", Variant(true));
    QTest::keyClick(second, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), form.note);
    EXPECT_EQ(form.site[1]->get(u"LostFocusCause").toLong(), 5);
    form.close();
}

TEST(HostForm, AControlThatCannotBeCreatedFailsTheLoadAndTheProgramGoesOn) {
    testsupport::qtApp();
    testsupport::TempFolder dir;
    plat::widgets::MessageRecorder messages;

    // No registry entry for the class.
    SiteProbeForm unregistered(RegistryChain({missingStore(dir).toStdString()}));
    unregistered.open();
    EXPECT_EQ(unregistered.state(), tamsel::Screen::LoadFailed);

    // An entry whose library file is gone.
    const std::string store = dir.file(QStringLiteral("registry.txt")).toStdString();
    ClassRegistration reg;
    reg.clsid = hosttest::controlClass();
    reg.libraryPath = dir.file(QStringLiteral("gone/libvantil.so")).toStdString();
    ASSERT_EQ(ComponentRegistry(store).registerClass(reg), status::Ok);
    SiteProbeForm libraryGone(RegistryChain({store}));
    libraryGone.open();
    EXPECT_EQ(libraryGone.state(), tamsel::Screen::LoadFailed);

    ASSERT_EQ(messages.shown().size(), 2u);
    for (const auto& m : messages.shown()) {
        EXPECT_EQ(m.title, QStringLiteral("ロード時"));
        EXPECT_EQ(m.icon, plat::widgets::MsgIcon::Error);
        EXPECT_TRUE(m.text.endsWith(QStringLiteral(" (GenbaID(0))"))) << m.text.toStdString();
    }
    EXPECT_EQ(messages.shown()[0].text,
              QStringLiteral("429: クラスが登録されていません。 (GenbaID(0))"));
    EXPECT_TRUE(
        messages.shown()[1].text.startsWith(QStringLiteral("429: ライブラリを読み込めません。")));
    EXPECT_TRUE(messages.shown()[1].text.contains(QStringLiteral("gone/libvantil.so")));
    QTRY_VERIFY_WITH_TIMEOUT(!unregistered.isVisible() && !libraryGone.isVisible(), 2000);

    // The program goes on: a form whose control can be created loads.
    SiteProbeForm good(RegistryChain({ComponentRegistry::defaultPath()}));
    good.open();
    EXPECT_EQ(good.state(), tamsel::Screen::Ready);
    EXPECT_EQ(messages.shown().size(), 2u);
    good.close();
}

} // namespace
