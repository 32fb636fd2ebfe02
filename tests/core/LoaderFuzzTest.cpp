// Seeded random damage to stored property bags (text form) and streams: loading never
// crashes, never leaves a property outside its range, and what loads saves and loads again
// to the same state.
#include "ControlTestSupport.h"
#include "PersistenceTestSupport.h"

#include "platform/automation/PropertyBag.h"

#include <gtest/gtest.h>

#include <random>

namespace vantil {
namespace {

using plat::automation::PropertyBag;
using plat::automation::StreamStore;

// Bags are slower to load than streams (look-up by name), so they get fewer rounds.
constexpr int kBagRounds = 300;
constexpr int kStreamRounds = 1500;

template <class Bytes> void damage(Bytes& data, std::mt19937& rng) {
    using Byte = typename Bytes::value_type;
    auto pick = [&](std::size_t n) {
        return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
    };
    const int edits = 1 + static_cast<int>(pick(6));
    for (int e = 0; e < edits && !data.empty(); ++e) {
        switch (pick(5)) {
        case 0: // flip a byte
            data[pick(data.size())] = static_cast<Byte>(rng());
            break;
        case 1: // cut the end
            data.resize(pick(data.size()));
            break;
        case 2: { // remove a run
            const std::size_t at = pick(data.size());
            data.erase(data.begin() + static_cast<std::ptrdiff_t>(at),
                       data.begin() +
                           static_cast<std::ptrdiff_t>(std::min(data.size(), at + pick(64))));
            break;
        }
        case 3: { // duplicate a run
            const std::size_t at = pick(data.size());
            const std::size_t len = std::min(data.size() - at, pick(128));
            Bytes run(data.begin() + static_cast<std::ptrdiff_t>(at),
                      data.begin() + static_cast<std::ptrdiff_t>(at + len));
            data.insert(data.begin() + static_cast<std::ptrdiff_t>(pick(data.size())), run.begin(),
                        run.end());
            break;
        }
        default: // insert noise, digits often, so counts and numbers change
            for (std::size_t i = 0, n = pick(16); i < n; ++i) {
                const Byte b =
                    pick(2) ? static_cast<Byte>('0' + pick(10)) : static_cast<Byte>(rng());
                data.insert(data.begin() + static_cast<std::ptrdiff_t>(pick(data.size() + 1)), b);
            }
            break;
        }
    }
}

TEST(LoaderFuzz, DamagedBagsLoadInRangeAndReloadStably) {
    test::Hosted source;
    test::fillNonDefault(source.ctrl->properties());
    PropertyBag bag;
    source.ctrl->save(bag, false);
    const std::string text = bag.toText();
    std::mt19937 rng(20261208);
    test::Hosted h;
    for (int round = 0; round < kBagRounds; ++round) {
        std::string damaged = text;
        damage(damaged, rng);
        ASSERT_EQ(h.ctrl->load(PropertyBag::fromText(damaged), nullptr), 0);
        test::expectWithinRanges(h.ctrl->properties());
        PropertyBag first;
        h.ctrl->save(first, false);
        test::Hosted again;
        again.ctrl->load(first, nullptr);
        PropertyBag second;
        again.ctrl->save(second, false);
        ASSERT_EQ(first, second) << "round " << round;
        if (HasFailure()) {
            break;
        }
    }
}

TEST(LoaderFuzz, DamagedStreamsLoadInRange) {
    test::Hosted source;
    test::fillNonDefault(source.ctrl->properties());
    StreamStore stream;
    source.ctrl->save(stream, false);
    std::mt19937 rng(7);
    test::Hosted h;
    for (int round = 0; round < kStreamRounds; ++round) {
        std::vector<std::uint8_t> damaged = stream.bytes();
        damage(damaged, rng);
        StreamStore input(damaged);
        const auto loaded = static_cast<std::uint32_t>(h.ctrl->load(input, nullptr));
        // A stream that ran out is reported; one that was read to its end is not.
        ASSERT_EQ(loaded, input.failed() ? 0x800A0141u : 0u);
        test::expectWithinRanges(h.ctrl->properties());
        if (HasFailure()) {
            break;
        }
    }
}

} // namespace
} // namespace vantil
