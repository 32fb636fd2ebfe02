// Data binding of the control: the list filled from a real database file through the row set
// over tables and stored queries, in timed steps driven through the platform's timer, and
// BoundText against the fetched bound values.
#include "ListTestSupport.h"

#include "control/core/EventTable.h"
#include "control/core/MemberTable.h"
#include "control/core/Texts.h"
#include "platform/jet/JetRowSet.h"
#include "tests/support/Scratch.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

namespace vantil::test {
namespace {

using plat::jet::Database;
using plat::jet::JetRowSet;

// Timers that tick only when the test says so, and the wait cursor's state.
class ManualPlatform final : public ControlPlatform, public AboutBoxService {
public:
    struct Timer final : RepeatingTimer {
        ManualPlatform& owner;
        std::function<void()> onTick;
        Timer(ManualPlatform& o, std::function<void()> f) : owner(o), onTick(std::move(f)) {}
        void start(int ms) override { owner.interval = ms; }
        void stop() override { owner.interval = 0; }
    };
    int interval = 0; // 0: stopped
    int waitCursors = 0;
    std::vector<Timer*> timers;

    AboutBoxService* aboutBox() override { return this; }
    std::unique_ptr<ControlView> createView(CVantilCtrl&, void*, int, int, int, int) override {
        return nullptr;
    }
    void showModal(const AboutBoxContent&) override {}
    std::unique_ptr<RepeatingTimer> createTimer(std::function<void()> onTick) override {
        auto t = std::make_unique<Timer>(*this, std::move(onTick));
        timers.push_back(t.get());
        return t;
    }
    void showWaitCursor() override { ++waitCursors; }
    void restoreCursor() override { --waitCursors; }
    void tick() {
        ASSERT_NE(interval, 0) << "no timer running";
        for (Timer* t : timers) {
            t->onTick();
        }
    }
};

using TempFolder = testsupport::TempDir;

// A database file with a site table of `rows` rows (code, name, reading) and a stored query
// over it.
Database siteDatabase(const std::string& path, int rows) {
    std::ofstream(path).close();
    Database db = Database::open(path);
    db.execute("CREATE TABLE Site (Code INTEGER, SiteName TEXT, Reading TEXT)");
    db.beginTrans();
    for (int i = 1; i <= rows; ++i) {
        db.execute("INSERT INTO Site VALUES (" + std::to_string(i * 10) + ", '現場" +
                   std::to_string(i) + "', 'ｹﾞﾝﾊﾞ" + std::to_string(i) + "')");
    }
    db.commitTrans();
    db.createQuery("SitesByCode", "SELECT Code, SiteName, Reading FROM Site ORDER BY Code");
    return db;
}

class BindingTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = controlPlatform();
        installControlPlatform(&platform);
        c.call(u"AddColumn");
        c.call(u"AddColumn");
    }
    void TearDown() override { installControlPlatform(previous_); }

    void bind(const Database& db, const char* source, const char* field0, const char* field1) {
        rows = JetRowSet::create(db, source);
        c.put(u"RowSource", Variant(rows));
        c.put(u"ListField", text(field0), {num(0)});
        c.put(u"ListField", text(field1), {num(1)});
    }
    // The text of column 1 of row `row`.
    std::string sub(std::int32_t row) {
        const auto item = c.get(*c.items(), u"Item", {num(row)}).asObject();
        return c.get(*item, u"SubItems", {Variant(std::int16_t{1})}).toUtf8();
    }
    int loaded() const { return c.recorder.count(events::AllDataLoaded); }

    ManualPlatform platform;
    ControlPlatform* previous_ = nullptr;
    TempFolder folder;
    ListControl c;
    std::shared_ptr<JetRowSet> rows;
};

TEST_F(BindingTest, StoredQueryOf450RowsFillsIn3TicksWithOneAllDataLoaded) {
    Database db = siteDatabase(folder.file("Sites.db"), 450);
    c.add("手で入れた行");
    c.put(u"Text", text("入力"));
    bind(db, "SitesByCode", "sitename", "READING"); // field names match case-insensitively

    c.call(u"ReFill");
    EXPECT_EQ(c.get(u"Text").toUtf8(), "");
    EXPECT_EQ(c.count(), 0);
    EXPECT_EQ(platform.interval, kFillIntervalMs);
    EXPECT_EQ(platform.waitCursors, 1);
    c.call(u"ReFill"); // ignored while the fill runs

    const int expected[] = {200, 400, 450};
    for (int n : expected) {
        EXPECT_EQ(loaded(), 0);
        platform.tick();
        EXPECT_EQ(c.count(), n);
    }
    EXPECT_EQ(loaded(), 1);
    EXPECT_EQ(platform.interval, 0);
    EXPECT_EQ(platform.waitCursors, 0);
    EXPECT_EQ(c.itemText(0), "現場1");
    EXPECT_EQ(c.itemText(449), "現場450");
    EXPECT_EQ(sub(449), "ｹﾞﾝﾊﾞ450");

    // A second ReFill replaces the rows instead of adding to them.
    c.call(u"ReFill");
    for (int i = 0; i < 3; ++i) {
        platform.tick();
    }
    EXPECT_EQ(c.count(), 450);
    EXPECT_EQ(loaded(), 2);
}

TEST_F(BindingTest, SourceWithMatchingFieldsButNoRowsLoadsAnEmptyListOnTheFirstTick) {
    Database db = siteDatabase(folder.file("Empty.db"), 0);
    bind(db, "Site", "SiteName", "Code");
    c.add("古い行");
    c.call(u"ReFill");
    EXPECT_EQ(c.count(), 0);
    platform.tick();
    EXPECT_EQ(loaded(), 1);
    EXPECT_EQ(c.count(), 0);
    EXPECT_EQ(platform.waitCursors, 0);
}

TEST_F(BindingTest, SourceWithoutMatchingFieldsOrWithoutRowSetEmptiesTheListSilently) {
    Database db = siteDatabase(folder.file("Other.db"), 5);
    bind(db, "Site", "Kana", "Zip");
    c.add("古い行");
    c.call(u"ReFill");
    EXPECT_EQ(c.count(), 0);
    EXPECT_EQ(c.newIndex(), -1);
    EXPECT_EQ(platform.interval, 0);
    EXPECT_EQ(loaded(), 0);

    // A source that cannot be read describes no fields; an object that is no row set is no
    // source at all.
    c.put(u"RowSource", Variant(JetRowSet::create(db, "NoSuchTable")));
    c.add("古い行");
    c.call(u"ReFill");
    EXPECT_EQ(c.count(), 0);
    c.put(u"RowSource", Variant(c.items()));
    c.add("古い行");
    c.call(u"ReFill");
    EXPECT_EQ(c.count(), 0);
    EXPECT_EQ(loaded(), 0);
    EXPECT_EQ(platform.waitCursors, 0);
    EXPECT_FALSE(c.tryPut(u"RowSource", text("Site")).status == plat::automation::status::Ok);
}

TEST_F(BindingTest, BoundTextFollowsTheBoundColumnAndSelectsTheRowItNames) {
    Database db = siteDatabase(folder.file("Bound.db"), 5);
    bind(db, "Site", "SiteName", "Reading");
    c.put(u"BoundColumn", text("Code"));
    c.call(u"ReFill");
    platform.tick();
    ASSERT_EQ(c.count(), 5);

    c.site->changed.clear();
    c.put(u"ListIndex", num(2));
    EXPECT_EQ(c.get(u"BoundText").toUtf8(), "30");
    // The host hears of the new bound value when the row is committed.
    EXPECT_EQ(std::count(c.site->changed.begin(), c.site->changed.end(), dispids::BoundText), 1);
    c.put(u"ListIndex", num(-1));
    c.put(u"Text", text("該当なし"));
    EXPECT_EQ(c.get(u"BoundText").toUtf8(), "");

    c.put(u"BoundText", text("40"));
    EXPECT_TRUE(c.get(u"MatchedWithList").toBool());
    EXPECT_EQ(c.listIndex(), 3);
    EXPECT_EQ(c.get(u"Text").toUtf8(), "現場4");

    const int changes = c.recorder.count(events::ChangeText);
    c.put(u"BoundText", text("999"));
    EXPECT_FALSE(c.get(u"MatchedWithList").toBool());
    EXPECT_EQ(c.listIndex(), -1);
    EXPECT_EQ(c.get(u"Text").toUtf8(), "999");
    EXPECT_EQ(c.get(u"SelLength").toLong(), 3);
    EXPECT_EQ(c.recorder.count(events::ChangeText), changes + 1);

    c.site->refuseEdits = true;
    EXPECT_EQ(c.tryPut(u"BoundText", text("10")).number(), 387);
    EXPECT_EQ(c.get(u"Text").toUtf8(), "999");

    const auto* info = c.ctrl->typeInfo()->findMember(dispids::BoundText);
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->bindable && info->requestEdit);
}

TEST_F(BindingTest, BoundTextWithoutBoundColumnMatchesOnlyTheControlsOwnText) {
    Database db = siteDatabase(folder.file("Plain.db"), 3);
    bind(db, "Site", "SiteName", "Reading");
    c.call(u"ReFill");
    platform.tick();
    c.put(u"Text", text("本社"));

    // The value names a row, but without a bound column only the text is matched.
    c.put(u"BoundText", text("現場2"));
    EXPECT_FALSE(c.get(u"MatchedWithList").toBool());
    EXPECT_EQ(c.listIndex(), -1);
    EXPECT_EQ(c.get(u"Text").toUtf8(), "本社");

    c.put(u"Text", text("現場3"));
    c.put(u"BoundText", text("何でも"));
    EXPECT_TRUE(c.get(u"MatchedWithList").toBool());
    EXPECT_EQ(c.listIndex(), 2);
}

TEST_F(BindingTest, ChangeOfTheSourceLocatesTheRecordAPendingBoundTextNames) {
    Database db = siteDatabase(folder.file("Locate.db"), 3);
    bind(db, "Site", "SiteName", "Reading");
    c.put(u"BoundColumn", text("Code"));
    c.call(u"ReFill");
    platform.tick();
    db.execute("INSERT INTO Site VALUES (99, '新現場', 'ｼﾝｹﾞﾝﾊﾞ')");

    rows->fieldChanged(u"Code"); // nothing pending: the source stays where it is
    EXPECT_EQ(rows->currentRecord(), 0);
    c.put(u"BoundText", text("99"));
    EXPECT_FALSE(c.get(u"MatchedWithList").toBool());
    rows->fieldChanged(u"Code");
    EXPECT_EQ(rows->currentRecord(), 3);
}

TEST_F(BindingTest, FirstPaintFillsOnceAndNeverEmptiesAHandFilledList) {
    c.add("手で入れた行");
    c.ctrl->windowPainted();
    EXPECT_EQ(c.count(), 1);

    Database db = siteDatabase(folder.file("Paint.db"), 3);
    ListControl other;
    other.call(u"AddColumn");
    other.put(u"RowSource", Variant(JetRowSet::create(db, "Site")));
    other.put(u"ListField", text("SiteName"), {num(0)});
    other.ctrl->windowPainted();
    platform.tick();
    EXPECT_EQ(other.count(), 3);
    EXPECT_EQ(other.recorder.count(events::AllDataLoaded), 1);
    other.ctrl->windowPainted();
    EXPECT_EQ(platform.interval, 0);
    EXPECT_EQ(other.count(), 3);
}

} // namespace
} // namespace vantil::test

namespace vantil::test {
namespace {

// A source whose blocks lose their last value: fewer values than rows times fields.
class ShortBlocks final : public plat::automation::DispatchObject,
                          public plat::automation::RowSet {
public:
    explicit ShortBlocks(std::shared_ptr<JetRowSet> rows)
        : DispatchObject(u"ShortBlocks"), rows_(std::move(rows)) {}
    plat::automation::RowSet* rowSet() override { return this; }
    std::optional<std::vector<plat::automation::RowSetField>> fields() override {
        return rows_->fields();
    }
    std::int32_t fetch(std::span<const std::u16string> names, std::int64_t first,
                       std::int32_t count, std::vector<Variant>& out) override {
        const std::int32_t got = rows_->fetch(names, first, count, out);
        if (!out.empty()) {
            out.pop_back();
        }
        return got;
    }
    void addListener(plat::automation::RowSetListener* l) override { rows_->addListener(l); }
    void removeListener(plat::automation::RowSetListener* l) override {
        rows_->removeListener(l);
    }
    bool locate(std::u16string_view field, const Variant& value) override {
        return rows_->locate(field, value);
    }

private:
    std::shared_ptr<JetRowSet> rows_;
};

TEST_F(BindingTest, ABlockShortOfItsRowsValuesEndsTheFillWithAnError) {
    Database db = siteDatabase(folder.file("Short.db"), 5);
    bind(db, "Site", "SiteName", "Reading");
    c.put(u"RowSource", Variant(std::make_shared<ShortBlocks>(rows)));
    const plat::automation::AutomationError e = c.tryCall(u"ReFill");
    EXPECT_TRUE(e.isError());
    EXPECT_EQ(e.descriptionUtf8(), texts::kShortRowBlock);
    EXPECT_EQ(c.count(), 0);
    EXPECT_EQ(platform.interval, 0) << "no fill runs on the values that did come";
    EXPECT_EQ(loaded(), 0);
}

} // namespace
} // namespace vantil::test
