// Folding 65000 Japanese list texts (the largest list the control sorts) beside a plain copy
// of the same bytes, and decoding them beside the system's iconv converter.
#include "platform/text/Cp932.h"
#include "platform/text/Folding.h"

#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kTexts = 65000;

// Employee and site names as a clerk types them: kanji, kana of both widths, ASCII, digits.
const std::vector<std::string>& listTexts() {
    static const std::vector<std::string> texts = [] {
        const char* parts[] = {"山田", "太郎",     "やまだ", "ヤマダ", "ｶﾞｰﾃﾞﾝ",
                               "ABC",  "abc",      "ＡＢＣ", "第2",    "現場",
                               "ﾋﾞﾙ",  "新築工事", "(株)",   "１２３", " "};
        constexpr std::size_t kParts = sizeof parts / sizeof parts[0];
        std::vector<std::string> out;
        out.reserve(kTexts);
        std::uint32_t seed = 12345;
        for (std::size_t i = 0; i < kTexts; ++i) {
            std::string utf8;
            const std::size_t n = 2 + i % 4;
            for (std::size_t k = 0; k < n; ++k) {
                seed = seed * 1664525u + 1013904223u;
                utf8 += parts[(seed >> 16) % kParts];
            }
            out.push_back(plat::text::cp932::fromUtf8(utf8));
        }
        return out;
    }();
    return texts;
}

std::int64_t totalBytes() {
    std::int64_t n = 0;
    for (const auto& t : listTexts())
        n += static_cast<std::int64_t>(t.size());
    return n;
}

void BM_FoldAllFlags(benchmark::State& state) {
    const auto& texts = listTexts();
    const plat::text::FoldOptions options{true, true, true};
    std::string buffer;
    for (auto _ : state) {
        for (const auto& t : texts) {
            plat::text::foldText(t, options, buffer);
            benchmark::DoNotOptimize(buffer.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
    state.SetBytesProcessed(state.iterations() * totalBytes());
}
BENCHMARK(BM_FoldAllFlags)->Unit(benchmark::kMillisecond);

void BM_FoldCaseOnly(benchmark::State& state) {
    const auto& texts = listTexts();
    const plat::text::FoldOptions options{true, false, false};
    std::string buffer;
    for (auto _ : state) {
        for (const auto& t : texts) {
            plat::text::foldText(t, options, buffer);
            benchmark::DoNotOptimize(buffer.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
    state.SetBytesProcessed(state.iterations() * totalBytes());
}
BENCHMARK(BM_FoldCaseOnly)->Unit(benchmark::kMillisecond);

// Peer: the same bytes copied into the same reused buffer.
void BM_PlainCopyPeer(benchmark::State& state) {
    const auto& texts = listTexts();
    std::string buffer;
    for (auto _ : state) {
        for (const auto& t : texts) {
            buffer.assign(t);
            benchmark::DoNotOptimize(buffer.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
    state.SetBytesProcessed(state.iterations() * totalBytes());
}
BENCHMARK(BM_PlainCopyPeer)->Unit(benchmark::kMillisecond);

// Comparing neighbours of the folded list, as a sort does.
void BM_CompareFolded(benchmark::State& state) {
    const auto& texts = listTexts();
    std::vector<std::string> folded;
    folded.reserve(texts.size());
    for (const auto& t : texts)
        folded.push_back(plat::text::foldText(t, {true, true, true}));
    for (auto _ : state) {
        int sum = 0;
        for (std::size_t i = 1; i < folded.size(); ++i)
            sum += plat::text::compareText(folded[i - 1], folded[i]) < 0;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size() - 1));
}
BENCHMARK(BM_CompareFolded)->Unit(benchmark::kMillisecond);

// Peer: byte-wise comparison of the same folded texts.
void BM_CompareBytesPeer(benchmark::State& state) {
    const auto& texts = listTexts();
    std::vector<std::string> folded;
    folded.reserve(texts.size());
    for (const auto& t : texts)
        folded.push_back(plat::text::foldText(t, {true, true, true}));
    for (auto _ : state) {
        int sum = 0;
        for (std::size_t i = 1; i < folded.size(); ++i)
            sum += folded[i - 1].compare(folded[i]) < 0;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size() - 1));
}
BENCHMARK(BM_CompareBytesPeer)->Unit(benchmark::kMillisecond);

void BM_DecodeToUtf16(benchmark::State& state) {
    const auto& texts = listTexts();
    for (auto _ : state) {
        for (const auto& t : texts) {
            std::u16string wide = plat::text::cp932::toUtf16(t);
            benchmark::DoNotOptimize(wide.data());
        }
    }
    state.SetBytesProcessed(state.iterations() * totalBytes());
}
BENCHMARK(BM_DecodeToUtf16)->Unit(benchmark::kMillisecond);

// Peer: the system converter decoding the same texts.
void BM_DecodeIconvPeer(benchmark::State& state) {
    const auto& texts = listTexts();
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    std::string out(1024, '\0');
    for (auto _ : state) {
        for (const auto& t : texts) {
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            char* src = const_cast<char*>(t.data());
            std::size_t left = t.size();
            char* dst = out.data();
            std::size_t room = out.size();
            iconv(cd, &src, &left, &dst, &room);
            benchmark::DoNotOptimize(dst);
        }
    }
    iconv_close(cd);
    state.SetBytesProcessed(state.iterations() * totalBytes());
}
BENCHMARK(BM_DecodeIconvPeer)->Unit(benchmark::kMillisecond);

} // namespace
