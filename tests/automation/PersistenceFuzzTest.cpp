// Seeded random input for the property bag's text parser, the stream store and the image
// header reader: nothing crashes, reads stay in bounds, and what was read writes out again.
#include "platform/automation/Picture.h"
#include "platform/automation/PropertyBag.h"
#include "platform/automation/PropertyExchange.h"

#include <gtest/gtest.h>

#include <random>

using namespace plat::automation;

namespace {

// Each fuzz test runs a fixed number of rounds from a fixed seed, so every run sees the same
// inputs; the counts keep the suite quick under the sanitizers.
constexpr int kBagTextRounds = 4000;
constexpr int kRandomTextRounds = 2000;
constexpr int kStreamRounds = 5000;
constexpr int kImageRounds = 20000;

std::string validBagText() {
    PropertyBag bag;
    bag.write(u"Caption", Variant(u"社員 \"x\"\n"));
    bag.write(u"Ratio", Variant(std::int16_t{30}));
    bag.write(u"Color", Variant(std::int32_t{-2147483640}));
    bag.write(u"Money", Variant(Currency{12345}));
    bag.write(u"Ratio2", Variant(0.5));
    bag.writeBytes(u"Picture", {1, 2, 3, 4});
    PropertyBag font;
    font.write(u"Name", Variant(u"IPAPGothic"));
    font.write(u"Size", Variant(Currency{90000}));
    bag.writeBag(u"Font", font);
    return bag.toText();
}

TEST(PersistenceFuzz, MutatedBagTextNeverCrashesAndReparsesStably) {
    std::mt19937 rng(20041);
    const std::string base = validBagText();
    const std::string alphabet = "=:{}\"\\\n BAGSTRI248R4R8CYEMPTYBYTES0x-.e\xE3\x81\x82\xFF";
    for (int round = 0; round < kBagTextRounds; ++round) {
        std::string text = base;
        const int edits = 1 + static_cast<int>(rng() % 8);
        for (int e = 0; e < edits && !text.empty(); ++e) {
            const std::size_t pos = rng() % text.size();
            switch (rng() % 4) {
            case 0:
                text[pos] = alphabet[rng() % alphabet.size()];
                break;
            case 1:
                text.erase(pos, 1 + rng() % 6);
                break;
            case 2:
                text.insert(pos, 1, alphabet[rng() % alphabet.size()]);
                break;
            default:
                text.resize(pos); // truncated
                break;
            }
        }
        int problems = 0;
        const PropertyBag bag = PropertyBag::fromText(text, &problems);
        // What was read is a well-formed bag: its own text reads back the same and cleanly.
        int again = -1;
        const PropertyBag back = PropertyBag::fromText(bag.toText(), &again);
        ASSERT_EQ(again, 0) << text;
        ASSERT_EQ(back, bag) << text;
        // Loading through the exchange never throws.
        std::u16string caption;
        std::int16_t ratio = 0;
        std::shared_ptr<FontObject> font;
        std::shared_ptr<Picture> pic;
        auto px = makeBagLoader(bag);
        px->exchangeString(u"Caption", caption, u"");
        px->exchangeShort(u"Ratio", ratio, 30);
        px->exchangeFont(u"Font", font, FontDesc{});
        px->exchangePicture(u"Picture", pic);
        ASSERT_TRUE(font);
    }
}

TEST(PersistenceFuzz, RandomTextAndDeepNestingAreHandled) {
    std::mt19937 rng(7);
    for (int round = 0; round < kRandomTextRounds; ++round) {
        std::string text(rng() % 300, '\0');
        for (auto& c : text)
            c = static_cast<char>(rng() % 256);
        (void)PropertyBag::fromText(text);
    }
    // Nesting far deeper than any real bag: read without exhausting the stack.
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "A = BAG{\n";
    deep += "X = I2:1\n";
    int problems = 0;
    const PropertyBag bag = PropertyBag::fromText(deep, &problems);
    EXPECT_GT(problems, 0);
    EXPECT_EQ(bag.size(), 1u);
}

TEST(PersistenceFuzz, RandomStreamsReadSafelyThroughEveryReader) {
    std::mt19937 rng(1999);
    StreamStore good;
    good.writeULong(0x00040002);
    good.writeString(u"社員");
    good.writeShort(30);
    good.writeVariant(Variant(u"tag"));
    FontObject().save(good);
    good.writeBytes({0x89, 'P', 'N', 'G'});
    for (int round = 0; round < kStreamRounds; ++round) {
        std::vector<std::uint8_t> bytes = good.bytes();
        const int edits = 1 + static_cast<int>(rng() % 6);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            const std::size_t pos = rng() % bytes.size();
            if (rng() % 3 == 0)
                bytes.resize(pos);
            else
                bytes[pos] = static_cast<std::uint8_t>(rng());
        }
        StreamStore in(bytes);
        std::uint32_t version = 0;
        std::u16string caption;
        std::int16_t ratio = 0;
        Variant tag;
        std::shared_ptr<FontObject> font;
        std::shared_ptr<Picture> pic;
        auto px = makeStreamLoader(in);
        px->exchangeULong(u"", version, 0x00040002);
        px->exchangeString(u"", caption, u"");
        px->exchangeShort(u"", ratio, 30);
        in.readVariant(tag);
        px->exchangeFont(u"", font, FontDesc{});
        px->exchangePicture(u"", pic);
        ASSERT_TRUE(font);
        ASSERT_LE(caption.size() * 2, bytes.size());
    }
}

TEST(PersistenceFuzz, RandomImageHeadersNeverReadOutOfBounds) {
    std::mt19937 rng(31337);
    const std::vector<std::vector<std::uint8_t>> seeds = {
        {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 4, 0, 0, 0, 2, 0, 0, 0},
        {0xFF, 0xD8, 0xFF, 0xC0, 0, 17, 8, 0, 2, 0, 4},
        {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 22, 0, 0, 0},
        {'G', 'I', 'F', '8', '9', 'a', 5, 0, 6, 0}};
    for (int round = 0; round < kImageRounds; ++round) {
        std::vector<std::uint8_t> b = seeds[rng() % seeds.size()];
        for (int e = 0; e < 3; ++e) {
            if (b.empty())
                break;
            const std::size_t pos = rng() % b.size();
            if (rng() % 4 == 0)
                b.resize(pos);
            else
                b[pos] = static_cast<std::uint8_t>(rng());
        }
        if (const auto h = readImageHeader(b)) {
            ASSERT_GT(h->widthPx, 0);
            ASSERT_GT(h->heightPx, 0);
        }
    }
}

} // namespace
