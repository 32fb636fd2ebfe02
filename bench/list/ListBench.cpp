// 65000-item lists: AddItem unsorted and sorted with every folding on beside QComboBox's
// alphabetical insertion, FindItem and the typed-text match beside their 5 ms limit, DoSort
// beside std::sort over the same pre-folded keys, and the resident memory beside its 40 MB limit.
#include "control/core/CVantilCtrl.h"
#include "control/list/ListModel.h"
#include "platform/text/Cp932.h"

#include <QApplication>
#include <QComboBox>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <memory>
#include <random>
#include <unistd.h>

namespace {

using plat::automation::Variant;
using namespace vantil;

constexpr int kItems = 65000;

// Random Japanese list texts: kanji, hiragana, katakana (full and half width) and Latin letters
// of both cases, in random order.
const std::vector<std::u16string>& texts() {
    static const std::vector<std::u16string> all = [] {
        std::mt19937 random(2026);
        const std::u16string pieces[] = {u"山田",   u"鈴木",   u"工事",   u"現場",   u"やまだ",
                                         u"すずき", u"ヤマダ", u"スズキ", u"ｶﾅ",     u"ﾔﾏﾀﾞ",
                                         u"Tokyo",  u"tokyo",  u"ＡＢＣ", u"ａｂｃ", u"第",
                                         u"号",     u"ビル",   u"びる"};
        std::vector<std::u16string> v;
        v.reserve(kItems);
        for (int i = 0; i < kItems; ++i) {
            std::u16string t;
            const int parts = 2 + static_cast<int>(random() % 3);
            for (int k = 0; k < parts; ++k) {
                t += pieces[random() % std::size(pieces)];
            }
            t += plat::text::cp932::utf8ToUtf16(std::to_string(random() % 1000));
            v.push_back(std::move(t));
        }
        return v;
    }();
    return all;
}

// AddItem's arguments for each text, made before the timing as the peers' QStrings are.
std::vector<std::array<Variant, 2>>& textArgs() {
    static std::vector<std::array<Variant, 2>> all = [] {
        std::vector<std::array<Variant, 2>> v;
        v.reserve(kItems);
        for (const auto& t : texts()) {
            v.push_back({Variant::missing(), Variant(t)});
        }
        return v;
    }();
    return all;
}

struct Control {
    std::shared_ptr<CVantilCtrl> ctrl = std::make_shared<CVantilCtrl>();
    ListModel model{*ctrl};
    Control() { ctrl->setListEngine(&model); }
    ~Control() { ctrl->setListEngine(nullptr); }
    void fill() {
        for (auto& args : textArgs()) {
            model.addItem(args);
        }
    }
    void foldAll(std::int16_t sorted) {
        ControlProperties& p = ctrl->properties();
        p.ignoreCase = p.ignoreKanaCase = p.ignoreCharSet = true;
        p.sorted = sorted;
    }
};

void BM_AddItemUnsorted(benchmark::State& state) {
    for (auto _ : state) {
        Control c;
        c.fill();
        benchmark::DoNotOptimize(c.model.itemCount());
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}

void BM_AddItemSortedFolded(benchmark::State& state) {
    for (auto _ : state) {
        Control c;
        c.foldAll(1);
        c.fill();
        benchmark::DoNotOptimize(c.model.itemCount());
    }
    state.counters["goal_ms"] = 100.0;
    state.SetItemsProcessed(state.iterations() * kItems);
}

// The peer: a Qt combo box inserting the same texts alphabetically.
void BM_QComboBoxInsertAlphabetically(benchmark::State& state) {
    std::vector<QString> q;
    for (const auto& t : texts()) {
        q.push_back(QString::fromUtf16(t.data(), static_cast<qsizetype>(t.size())));
    }
    for (auto _ : state) {
        QComboBox box;
        box.setInsertPolicy(QComboBox::InsertAlphabetically);
        for (const QString& s : q) {
            box.addItem(s);
        }
        benchmark::DoNotOptimize(box.count());
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}

// A second peer: the combo box kept in order by inserting each text at its binary-searched
// place (the alphabetical policy above only orders texts typed by the user).
void BM_QComboBoxSortedInsert(benchmark::State& state) {
    std::vector<QString> q;
    for (const auto& t : texts()) {
        q.push_back(QString::fromUtf16(t.data(), static_cast<qsizetype>(t.size())));
    }
    for (auto _ : state) {
        QComboBox box;
        for (const QString& s : q) {
            int lo = 0;
            int hi = box.count();
            while (lo < hi) {
                const int mid = lo + (hi - lo) / 2;
                if (QString::compare(s, box.itemText(mid), Qt::CaseInsensitive) <= 0)
                    hi = mid;
                else
                    lo = mid + 1;
            }
            box.insertItem(lo, s);
        }
        benchmark::DoNotOptimize(box.count());
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}

void BM_FindItemPrefix(benchmark::State& state) {
    Control c;
    c.fill();
    // A prefix only the last item has, so the whole list is scanned.
    Variant sz(texts().back());
    Variant args[4] = {sz, Variant::missing(), Variant::missing(), Variant(std::int16_t{1})};
    for (auto _ : state) {
        benchmark::DoNotOptimize(c.model.findItem(args));
    }
    state.counters["limit_ms"] = 5.0;
}

void BM_TypedTextMatch(benchmark::State& state) {
    Control c;
    c.foldAll(0);
    c.fill();
    const std::string typed = plat::text::cp932::fromUtf16(u"ｽｽﾞｷ存在しない");
    for (auto _ : state) {
        benchmark::DoNotOptimize(c.model.matchTypedText(typed));
    }
    state.counters["limit_ms"] = 5.0;
}

void BM_DoSort(benchmark::State& state) {
    Control c;
    c.foldAll(0);
    c.ctrl->properties().sortMode = 1;
    c.ctrl->properties().sortKey = 0;
    for (auto _ : state) {
        state.PauseTiming();
        c.model.clearItem();
        c.fill();
        state.ResumeTiming();
        c.model.doSort();
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}

// The peer: std::sort over the same texts' pre-folded order keys.
void BM_StdSortPrefolded(benchmark::State& state) {
    std::vector<std::string> keys;
    for (const auto& t : texts()) {
        keys.push_back(orderKey(plat::text::cp932::fromUtf16(t), {true, true, true}));
    }
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::string> copy = keys;
        state.ResumeTiming();
        std::sort(copy.begin(), copy.end());
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}

double residentMb() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
           (1024.0 * 1024.0);
}

void BM_MemoryTwoColumns(benchmark::State& state) {
    textArgs();
    for (auto _ : state) {
        const double before = residentMb();
        auto c = std::make_unique<Control>();
        c->fill();
        Variant col[2] = {Variant::missing(), Variant(std::u16string(u"読み"))};
        c->model.addColumn(col);
        for (int i = 0; i < kItems; ++i) {
            Variant sub[3] = {Variant(i), Variant(std::int32_t{1}),
                              Variant(texts()[static_cast<std::size_t>(i)])};
            c->model.addSubItem(sub);
        }
        const double after = residentMb();
        state.counters["list_MB"] = after - before;
        state.counters["resident_MB"] = after;
        state.counters["limit_MB"] = 40.0;
    }
}

BENCHMARK(BM_MemoryTwoColumns)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_AddItemUnsorted)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AddItemSortedFolded)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_QComboBoxInsertAlphabetically)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_QComboBoxSortedInsert)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_FindItemPrefix)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypedTextMatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DoSort)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StdSortPrefolded)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
