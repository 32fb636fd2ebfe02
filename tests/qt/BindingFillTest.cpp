// The list filled from a database file under Qt: the first paint of the control's window starts
// the fill, a Qt timer adds the rows in steps under the wait cursor, and AllDataLoaded ends it.
#include "control/core/CVantilCtrl.h"
#include "control/core/EventTable.h"
#include "control/list/ListModel.h"
#include "control/qt/ControlWidget.h"
#include "control/qt/QtControlPlatform.h"
#include "platform/automation/EventSink.h"
#include "platform/automation/HostSite.h"
#include "platform/jet/JetRowSet.h"
#include "tests/qt/QtPaintSupport.h"
#include "tests/support/Scratch.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace vantil::test {
namespace {

using plat::automation::DispId;
using plat::automation::Variant;

// Ends the event loop when the fill has loaded all data.
struct LoadedSink final : plat::automation::EventSink {
    QEventLoop* loop = nullptr;
    int loaded = 0;
    void onEvent(DispId id, std::span<Variant>) override {
        if (id == events::AllDataLoaded) {
            ++loaded;
            loop->quit();
        }
    }
};

TEST(BindingFillOnQt, FirstPaintFillsTheListInTimedStepsUnderTheWaitCursor) {
    qtApp();
    installControlPlatform(&qtControlPlatform());
    const testsupport::TempDir folder;
    const std::string path = folder.file("Sites.db");
    std::ofstream(path).close();
    {
        plat::jet::Database db = plat::jet::Database::open(path);
        db.execute("CREATE TABLE Site (Code INTEGER, SiteName TEXT)");
        db.beginTrans();
        for (int i = 0; i < 450; ++i) {
            db.execute("INSERT INTO Site VALUES (" + std::to_string(i) + ", '現場" +
                       std::to_string(i) + "')");
        }
        db.commitTrans();

        QWidget host;
        host.resize(300, 80);
        plat::automation::SimpleHostSite site;
        site.parent = &host;
        CVantilCtrl ctrl;
        ListModel model(ctrl);
        ctrl.setListEngine(&model);
        ctrl.setClientSite(&site);
        ctrl.initNew();
        plat::automation::callMethod(ctrl, u"AddColumn");
        plat::automation::putProperty(ctrl, u"ListField", Variant(u"SiteName"),
                                      {Variant(std::int32_t{0})});
        plat::automation::putProperty(ctrl, u"RowSource",
                                      Variant(plat::jet::JetRowSet::create(db, "Site")));
        QEventLoop loop;
        LoadedSink sink;
        sink.loop = &loop;
        ctrl.advise(&sink);
        ASSERT_EQ(ctrl.activateInPlace(5, 5, 200, 24), plat::automation::status::Ok);
        host.show();
        host.findChild<ControlWidget*>()->grab();

        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        EXPECT_LT(model.itemCount(), 450); // the rows come with the timer, not with the paint
        // A fill that never ends fails here instead of hanging the test run.
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        loop.exec();

        EXPECT_EQ(sink.loaded, 1);
        EXPECT_EQ(model.itemCount(), 450);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        ctrl.unadvise(&sink);
        ctrl.close();
        ctrl.setListEngine(nullptr);
    }
}

} // namespace
} // namespace vantil::test
