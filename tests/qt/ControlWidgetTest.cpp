// The control's window on Qt: created in the host's widget by in-place activation, repainted
// on property changes, pointer feedback and shapes, DefHeight, and the about box.
#include "control/qt/ControlWidget.h"
#include "control/core/CVantilCtrl.h"
#include "control/core/Texts.h"
#include "control/core/paint/ControlWindow.h"
#include "control/qt/AboutDialog.h"
#include "control/qt/QtControlPlatform.h"
#include "control/qt/QtControlView.h"
#include "platform/automation/HostSite.h"
#include "platform/automation/Picture.h"
#include "tests/qt/QtPaintSupport.h"

#include <QBuffer>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace vantil::test {
namespace {

using plat::automation::AutomationError;
using plat::automation::InvokeKind;
using plat::automation::Variant;

struct HostedWindow {
    struct Application {
        Application() { qtApp(); }
    } application; // before any widget, whichever test runs first
    QWidget host;
    plat::automation::SimpleHostSite site;
    CVantilCtrl ctrl;

    explicit HostedWindow(bool runMode = true) {
        qtApp();
        installControlPlatform(&qtControlPlatform());
        host.resize(400, 100);
        host.move(300, 300);
        site.runMode = runMode;
        site.parent = &host;
        ctrl.setClientSite(&site);
        ctrl.initNew();
        put(u"BorderStyle", std::int16_t{0});
        put(u"CaptionRatio", std::int16_t{0});
        put(u"BackColor", std::int32_t{0x00FF00});
        host.show();
    }
    ~HostedWindow() { ctrl.close(); }

    void put(std::u16string_view name, Variant v) {
        std::vector<Variant> args{std::move(v)};
        Variant out;
        AutomationError err;
        ctrl.invoke(ctrl.memberId(name), InvokeKind::PropertyPut, args, out, err);
        ASSERT_FALSE(err.isError()) << std::string(name.begin(), name.end());
    }
};

ControlWidget* activate(HostedWindow& h) {
    EXPECT_EQ(h.ctrl.activateInPlace(10, 20, 200, 24), plat::automation::status::Ok);
    auto* w = h.host.findChild<ControlWidget*>();
    return w;
}

Rgb at(QWidget* w, int x, int y) {
    return qtconv::fromQt(w->grab().toImage().pixelColor(x, y));
}

TEST(ControlWindowOnQt, ActivationCreatesAChildOfTheHostWindowThatPaintsTheControl) {
    HostedWindow h;
    ControlWidget* w = activate(h);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->parentWidget(), &h.host);
    EXPECT_EQ(w->geometry(), QRect(10, 20, 200, 24));
    EXPECT_EQ(at(w, 186, 4), DesktopPalette().systemColor(syscolor::ButtonFace));
    h.put(u"InputAreaColor", std::int32_t{0xFF0000});
    EXPECT_EQ(at(w, 100, 12), (Rgb{0, 0, 255}));
    h.ctrl.deactivate();
    EXPECT_EQ(h.host.findChild<ControlWidget*>(), nullptr);
}

TEST(ControlWindowOnQt, DesignModeShowsTheFocusBorder) {
    HostedWindow h(false);
    h.put(u"FocusBorder", std::int16_t{3});
    h.put(u"FocusColor", std::int32_t{0x0000FF});
    h.put(u"InputAreaBorder", std::int16_t{0});
    ControlWidget* w = activate(h);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(at(w, 50, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(at(w, 50, 1), (Rgb{255, 0, 0}));
}

TEST(ControlWindowOnQt, PointerOverTheControlShowsThePointedCaptionUntilItLeaves) {
    HostedWindow h;
    h.put(u"CaptionRatio", std::int16_t{50});
    h.put(u"Caption", std::u16string(u"MMMMMMMM"));
    h.put(u"CaptionColor", std::int32_t{0x000000});
    h.put(u"CaptionPointedColor", std::int32_t{0x0000FF});
    ControlWidget* w = activate(h);
    ASSERT_NE(w, nullptr);
    const auto redInCaption = [&] {
        return countPixels(w->grab().toImage(), Rgb{255, 0, 0}, QRect(0, 0, 100, 24));
    };
    EXPECT_EQ(redInCaption(), 0);
    QCursor::setPos(w->mapToGlobal(QPoint(150, 12)));
    QMouseEvent move(QEvent::MouseMove, QPointF(150, 12), w->mapToGlobal(QPointF(150, 12)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    EXPECT_GT(redInCaption(), 0);
    EXPECT_EQ(w->cursor().shape(), Qt::IBeamCursor);
    // The pointer leaves: the next tick of the watch timer puts the caption back in its
    // colour. Events are taken as they come, however long the timer takes.
    QCursor::setPos(QPoint(0, 0));
    for (int events = 0; events < 1000 && redInCaption() > 0; ++events) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    EXPECT_EQ(redInCaption(), 0);
    h.put(u"MousePointer", std::int16_t{11});
    QApplication::sendEvent(w, &move);
    EXPECT_EQ(w->cursor().shape(), Qt::WaitCursor);
}

TEST(ControlWindowOnQt, MousePointer99ShowsTheMouseIconOverTheInputArea) {
    HostedWindow h;
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QByteArray ico;
    QBuffer buffer(&ico);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "ICO"));
    auto picture =
        plat::automation::Picture::fromBytes(std::vector<std::uint8_t>(ico.begin(), ico.end()));
    ASSERT_TRUE(picture && picture->usableAsPointer());
    h.ctrl.properties().mouseIcon = picture;
    h.put(u"MousePointer", std::int16_t{99});
    ControlWidget* w = activate(h);
    ASSERT_NE(w, nullptr);
    QMouseEvent move(QEvent::MouseMove, QPointF(100, 12), w->mapToGlobal(QPointF(100, 12)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    EXPECT_EQ(w->cursor().shape(), Qt::BitmapCursor);
}

TEST(ControlWindowOnQt, DefHeightAtRunTimeResizesSoTheInputAreaIsThatHigh) {
    HostedWindow h;
    h.put(u"BorderStyle", std::int16_t{5});
    ControlWidget* w = activate(h);
    ASSERT_NE(w, nullptr);
    h.put(u"DefHeight", std::int16_t{30});
    EXPECT_EQ(w->controlWindow().layout().inputRect.height(), 30);
    EXPECT_EQ(w->height(), 24 + 30 - (24 - 2 * 3 - 2 * 2));
    // The height was asked of the host, which agreed.
    EXPECT_EQ(h.site.lastResizeHeight, w->height());
    EXPECT_EQ(h.site.lastResizeWidth, w->width());
}

TEST(ControlWindowOnQt, TheViewsHandleIsItsWidgetAndSurvivesTheHostDeletingIt) {
    qtApp();
    CVantilCtrl ctrl;
    ctrl.initNew();
    DesktopPalette palette;
    auto host = std::make_unique<QWidget>();
    QtControlView view(ctrl, palette, host.get(), 0, 0, 120, 22);
    EXPECT_EQ(view.windowHandle(), reinterpret_cast<std::intptr_t>(view.widget()));
    EXPECT_EQ(view.widget()->parentWidget(), host.get());
    host.reset();
    EXPECT_EQ(view.windowHandle(), 0);
    view.propertyChanged(dispids::Caption); // no window: nothing to repaint, no crash
}

TEST(AboutBox, ShowsTheTitleTheTwoLinesAndAnOkButtonThatCloses) {
    qtApp();
    const AboutBoxContent content{"About Box", "Line one", "Line two", "OK"};
    AboutDialog dialog(content);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About Box"));
    EXPECT_TRUE(dialog.isModal());
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("versionLine"))->text(),
              QStringLiteral("Line one"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("secondLine"))->text(),
              QStringLiteral("Line two"));
    QAbstractButton* ok = dialog.findChild<QDialogButtonBox*>()->buttons().front();
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    // The control's icon, in the dialog and as its window icon.
    const QLabel* icon = dialog.findChild<QLabel*>(QStringLiteral("icon"));
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->pixmap().isNull());
    EXPECT_FALSE(dialog.windowIcon().isNull());
    QTimer::singleShot(0, ok, &QAbstractButton::click);
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}

TEST(AboutBox, TheControlsAboutBoxMethodShowsItModally) {
    HostedWindow h;
    QString title;
    QStringList lines;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        title = modal->windowTitle();
        for (QLabel* l : modal->findChildren<QLabel*>()) {
            lines << l->text();
        }
        static_cast<QDialog*>(modal)->accept();
    });
    Variant out;
    AutomationError err;
    std::vector<Variant> none;
    h.ctrl.invoke(h.ctrl.memberId(u"AboutBox"), InvokeKind::Method, none, out, err);
    EXPECT_FALSE(err.isError());
    EXPECT_EQ(title, qtconv::utf8ToQt(texts::kAboutTitle));
    EXPECT_TRUE(lines.contains(qtconv::utf8ToQt(texts::kAboutVersionLine)));
}

} // namespace
} // namespace vantil::test
