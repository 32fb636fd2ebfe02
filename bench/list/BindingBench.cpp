// 10,000 rows of a stored query in a real database file: the control bound to the query and
// filled by ReFill beside a host reading the same rows and adding them by hand with AddItem
// and AddSubItem (goal: at most 1.5 times the work); and the longest the window waits — the
// ReFill call, which fetches the rows, and the longest tick — beside the by-hand loop, which
// holds the window for all of its time. The fill's ticks are driven back to back here: the time
// is the work done, not the 10 ms pacing between ticks that keeps the window responsive.
#include "control/core/CVantilCtrl.h"
#include "control/core/EventTable.h"
#include "control/list/ListModel.h"
#include "platform/automation/EventSink.h"
#include "platform/jet/JetRowSet.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

namespace {

using plat::automation::DispId;
using plat::automation::InvokeKind;
using plat::automation::Variant;
using namespace vantil;

constexpr int kRows = 10000;
constexpr double kGoalRatio = 1.5;

// The fill's timer, ticked by the benchmark.
class DrivenPlatform final : public ControlPlatform, public AboutBoxService {
public:
    struct Timer final : RepeatingTimer {
        DrivenPlatform& owner;
        std::function<void()> onTick;
        Timer(DrivenPlatform& o, std::function<void()> f) : owner(o), onTick(std::move(f)) {}
        void start(int) override { owner.running = true; }
        void stop() override { owner.running = false; }
    };
    bool running = false;
    Timer* timer = nullptr;

    AboutBoxService* aboutBox() override { return this; }
    std::unique_ptr<ControlView> createView(CVantilCtrl&, void*, int, int, int, int) override {
        return nullptr;
    }
    void showModal(const AboutBoxContent&) override {}
    std::unique_ptr<RepeatingTimer> createTimer(std::function<void()> onTick) override {
        auto t = std::make_unique<Timer>(*this, std::move(onTick));
        timer = t.get();
        return t;
    }
};

DrivenPlatform& platform() {
    static DrivenPlatform p;
    return p;
}

// The database file, made once per run in a temporary folder.
plat::jet::Database& database() {
    static plat::jet::Database db = [] {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/binding-bench-XXXXXX";
        const std::string dir = mkdtemp(pattern.data());
        const std::string path = dir + "/Sites.db";
        std::ofstream(path).close();
        plat::jet::Database d = plat::jet::Database::open(path);
        d.execute("CREATE TABLE Site (Code INTEGER PRIMARY KEY, SiteName TEXT, Reading TEXT)");
        d.beginTrans();
        for (int i = 1; i <= kRows; ++i) {
            const std::string n = std::to_string(i);
            d.execute("INSERT INTO Site VALUES (" + n + ", '東京第" + n + "現場', 'ﾄｳｷｮｳﾀﾞｲ" + n +
                      "ｹﾞﾝﾊﾞ')");
        }
        d.commitTrans();
        d.createQuery("SitesByName", "SELECT Code, SiteName, Reading FROM Site ORDER BY SiteName");
        return d;
    }();
    return db;
}

struct Control {
    std::shared_ptr<CVantilCtrl> ctrl = std::make_shared<CVantilCtrl>();
    ListModel model{*ctrl};
    Control() {
        ctrl->setListEngine(&model);
        callByName(u"AddColumn", {});
        callByName(u"AddColumn", {});
    }
    ~Control() { ctrl->setListEngine(nullptr); }
    Variant callByName(std::u16string_view name, std::vector<Variant> args) {
        return plat::automation::callMethod(*ctrl, name, std::move(args));
    }
};

// Seconds per iteration of the by-hand peer, measured first in the same run.
double byHandSeconds = 0.0;

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_AddItemByHand(benchmark::State& state) {
    plat::jet::Database& db = database();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        Control c;
        const DispId addItem = c.ctrl->memberId(u"AddItem");
        const DispId addSubItem = c.ctrl->memberId(u"AddSubItem");
        plat::jet::Recordset rs = db.openQuery("SitesByName");
        for (; !rs.eof(); rs.moveNext()) {
            Variant result;
            plat::automation::AutomationError error;
            Variant add[2] = {Variant::missing(), Variant::fromUtf8(rs["SiteName"].toText())};
            c.ctrl->invoke(addItem, InvokeKind::Method, add, result, error);
            Variant sub[3] = {result, Variant(std::int32_t{1}),
                              Variant::fromUtf8(rs["Reading"].toText())};
            c.ctrl->invoke(addSubItem, InvokeKind::Method, sub, result, error);
        }
        benchmark::DoNotOptimize(c.model.itemCount());
    }
    byHandSeconds = secondsSince(start) / static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_BindAndReFill(benchmark::State& state) {
    plat::jet::Database& db = database();
    installControlPlatform(&platform());
    double longestReFillMs = 0.0;
    double longestTickMs = 0.0;
    int ticks = 0;
    auto timed = [&](double& longest, auto&& step) {
        const auto start = std::chrono::steady_clock::now();
        step();
        longest = std::max(longest, secondsSince(start) * 1000.0);
    };
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        Control c;
        plat::automation::putProperty(*c.ctrl, u"RowSource",
                                      Variant(plat::jet::JetRowSet::create(db, "SitesByName")));
        plat::automation::putProperty(*c.ctrl, u"ListField", Variant(u"SiteName"),
                                      {Variant(std::int32_t{0})});
        plat::automation::putProperty(*c.ctrl, u"ListField", Variant(u"Reading"),
                                      {Variant(std::int32_t{1})});
        timed(longestReFillMs, [&] { c.callByName(u"ReFill", {}); });
        ticks = 0;
        while (platform().running) {
            timed(longestTickMs, [&] { platform().timer->onTick(); });
            ++ticks;
        }
        if (c.model.itemCount() != kRows) {
            state.SkipWithError("the fill did not add every row");
            break;
        }
    }
    const double seconds = secondsSince(start) / static_cast<double>(state.iterations());
    installControlPlatform(nullptr);
    state.SetItemsProcessed(state.iterations() * kRows);
    state.counters["ticks"] = ticks;
    state.counters["paced_ms"] = ticks * double(kFillIntervalMs);
    state.counters["refill_ms"] = longestReFillMs;
    state.counters["tick_ms"] = longestTickMs;
    state.counters["by_hand_ms"] = byHandSeconds * 1000.0;
    state.counters["goal_x"] = kGoalRatio;
    if (byHandSeconds > 0.0) {
        state.counters["x_by_hand"] = seconds / byHandSeconds;
    }
}

} // namespace

BENCHMARK(BM_AddItemByHand)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BindAndReFill)->Unit(benchmark::kMillisecond)->UseRealTime();
