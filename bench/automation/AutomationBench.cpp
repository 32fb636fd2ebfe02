// Costs of the automation layer, each beside its peer measured in the same run: text-to-number
// conversion beside the standard library's parser, a call by name beside a call by identifier,
// and the property bag's text form beside the stream store for a control-sized set of items.
#include "platform/automation/FontObject.h"
#include "platform/automation/PropertyBag.h"
#include "platform/automation/Variant.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <string>

using namespace plat::automation;

namespace {

const char* const kNumbers[] = {"12", " 3.25 ", "-1,234.5", "1e3", "&HFF", "65535", "0.001"};

void BM_VariantTextToDouble(benchmark::State& state) {
    std::vector<Variant> values;
    for (const char* n : kNumbers)
        values.push_back(Variant::fromUtf8(n));
    for (auto _ : state)
        for (const auto& v : values)
            benchmark::DoNotOptimize(v.toDouble());
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}
BENCHMARK(BM_VariantTextToDouble);

// Peer: the standard parser on plain ASCII digits, without blanks, grouping or &H forms.
void BM_Peer_FromCharsDouble(benchmark::State& state) {
    const std::string plain[] = {"12", "3.25", "-1234.5", "1e3", "255", "65535", "0.001"};
    for (auto _ : state) {
        for (const auto& s : plain) {
            double d = 0;
            std::from_chars(s.data(), s.data() + s.size(), d);
            benchmark::DoNotOptimize(d);
        }
    }
    state.SetItemsProcessed(state.iterations() * 7);
}
BENCHMARK(BM_Peer_FromCharsDouble);

void BM_InvokeByName(benchmark::State& state) {
    FontObject font;
    for (auto _ : state)
        benchmark::DoNotOptimize(getProperty(font, u"strikethrough"));
}
BENCHMARK(BM_InvokeByName);

// Peer: the same property by its dispatch identifier, as a host that cached the look-up calls.
void BM_Peer_InvokeById(benchmark::State& state) {
    FontObject font;
    Variant result;
    AutomationError error;
    std::vector<Variant> none;
    for (auto _ : state) {
        font.invoke(FontObject::kStrikethrough, InvokeKind::PropertyGet, none, result, error);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_Peer_InvokeById);

// About as many items as one control instance persists (properties, columns, menu entries).
constexpr int kItems = 250;

void BM_BagTextSaveLoad(benchmark::State& state) {
    PropertyBag bag;
    for (int i = 0; i < kItems; ++i) {
        const std::u16string name = u"Property" + std::u16string(1, char16_t(u'A' + i % 26)) +
                                    std::u16string(1, char16_t(u'0' + i / 26));
        if (i % 3 == 0)
            bag.write(name, Variant(u"キャプション"));
        else
            bag.write(name, Variant(std::int32_t{i * 1000}));
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = bag.toText();
        bytes = text.size();
        benchmark::DoNotOptimize(PropertyBag::fromText(text));
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_BagTextSaveLoad);

// Peer: the same items through the ordered stream store (no names, no text).
void BM_Peer_StreamSaveLoad(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        StreamStore s;
        for (int i = 0; i < kItems; ++i) {
            if (i % 3 == 0)
                s.writeString(u"キャプション");
            else
                s.writeLong(i * 1000);
        }
        bytes = s.bytes().size();
        StreamStore in(s.bytes());
        std::u16string str;
        std::int32_t n = 0;
        for (int i = 0; i < kItems; ++i) {
            if (i % 3 == 0)
                in.readString(str);
            else
                in.readLong(n);
        }
        benchmark::DoNotOptimize(n);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_Peer_StreamSaveLoad);

} // namespace
