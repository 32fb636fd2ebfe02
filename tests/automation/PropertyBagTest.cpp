// The property bag's text form and the stream store: round trips of every kind of value,
// names, nesting, damaged text, truncated streams, and the four property exchanges.
#include "platform/automation/PropertyBag.h"

#include "platform/automation/PropertyExchange.h"
#include "platform/automation/Unicode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace plat::automation;

namespace {

PropertyBag sampleBag() {
    PropertyBag bag;
    bag.write(u"Caption", Variant(u"社員 \"名\" \\ line\nnext\ttab"));
    bag.write(u"Empty", Variant());
    bag.write(u"NullValue", Variant::null());
    bag.write(u"Short", Variant(std::int16_t{-32768}));
    bag.write(u"Long", Variant(std::int32_t{-2147483647 - 1}));
    bag.write(u"Color", Variant(static_cast<std::int32_t>(0x80000008u)));
    bag.write(u"Flag", Variant(true));
    bag.write(u"Off", Variant(false));
    bag.write(u"Single", Variant(0.1f));
    bag.write(u"Double", Variant(1.0 / 3.0));
    bag.write(u"Tiny", Variant(5e-324));
    bag.write(u"Money", Variant(Currency{-922337203685477LL}));
    bag.write(u"When", Variant(Date{38078.75}));
    bag.write(u"Err", Variant::error(status::ParamNotFound));
    bag.write(u"Surrogates", Variant(std::u16string{u'a', char16_t(0xD800), u'b', char16_t(0xD83D),
                                                    char16_t(0xDE00)}));
    bag.write(u"Control", Variant(std::u16string{u'\x01', u'\x7F', u'\0'}));
    bag.write(u"Odd name = {x}", Variant(std::int16_t{1}));
    bag.write(u"", Variant(std::int16_t{2}));
    bag.write(u"#not a comment", Variant(std::int16_t{3}));
    bag.write(std::u16string{u'n', char16_t(0xDC00)}, Variant(std::int16_t{4}));
    bag.writeBytes(u"Picture", {0x00, 0xFF, 0x10, 0x42});
    bag.writeBytes(u"NoPicture", {});
    PropertyBag font;
    font.write(u"Name", Variant(u"ＭＳ ゴシック"));
    font.write(u"Size", Variant(Currency{90000}));
    PropertyBag deeper;
    deeper.write(u"X", Variant(std::int32_t{1}));
    font.writeBag(u"Deeper", deeper);
    bag.writeBag(u"Font", font);
    return bag;
}

TEST(PropertyBag, TextRoundTripKeepsEveryValueAndTheOrder) {
    const PropertyBag bag = sampleBag();
    int problems = -1;
    const PropertyBag back = PropertyBag::fromText(bag.toText(), &problems);
    EXPECT_EQ(problems, 0);
    EXPECT_EQ(back, bag);
    EXPECT_EQ(back.names(), bag.names());
    EXPECT_EQ(back.read(u"Caption"), bag.read(u"Caption"));
    EXPECT_EQ(back.read(u"Single")->asSingle(), 0.1f);
    EXPECT_EQ(back.read(u"Double")->asDouble(), 1.0 / 3.0);
    EXPECT_EQ(back.read(u"Tiny")->asDouble(), 5e-324);
    EXPECT_EQ(back.read(u"Surrogates"), bag.read(u"Surrogates"));
    EXPECT_EQ(back.read(u"Control"), bag.read(u"Control"));
    EXPECT_EQ(back.readBag(u"Font")->readBag(u"Deeper")->read(u"X"), Variant(std::int32_t{1}));
    EXPECT_EQ(back.readBytes(u"Picture"), (std::vector<std::uint8_t>{0x00, 0xFF, 0x10, 0x42}));
    EXPECT_EQ(back.readBytes(u"NoPicture"), std::vector<std::uint8_t>{});
    // The text is stable: writing what was read gives the same text.
    EXPECT_EQ(back.toText(), bag.toText());
}

TEST(PropertyBag, NamesAreCaseInsensitiveAndRewritingKeepsThePosition) {
    PropertyBag bag;
    bag.write(u"Caption", Variant(u"a"));
    bag.write(u"Text", Variant(u"b"));
    bag.write(u"CAPTION", Variant(u"c"));
    EXPECT_EQ(bag.names(), (std::vector<std::u16string>{u"Caption", u"Text"}));
    EXPECT_EQ(bag.read(u"caption"), Variant(u"c"));
    // A name holding another kind of item does not read as a value.
    bag.writeBytes(u"Text", {1});
    EXPECT_FALSE(bag.read(u"Text"));
    EXPECT_FALSE(bag.readBag(u"Text"));
    EXPECT_TRUE(bag.readBytes(u"Text"));
    bag.remove(u"TEXT");
    EXPECT_FALSE(bag.contains(u"Text"));
    // Objects and references are not persisted as such.
    Variant target(std::int16_t{5});
    bag.write(u"Ref", Variant::ref(target));
    EXPECT_EQ(bag.read(u"Ref"), Variant(std::int16_t{5}));
}

TEST(PropertyBag, DamagedTextYieldsWhatCouldBeRead) {
    const std::string text = "Good = I2:5\n"
                             "NoEquals I2:5\n"
                             "BadType = Q:1\n"
                             "BadNumber = I2:99999\n"
                             "Open = STR:\"never closed\n"
                             "BadEscape = STR:\"a\\qb\"\n"
                             "Trailing = STR:\"a\" junk\n"
                             "   \n"
                             "# a comment\n"
                             "}\n"
                             "Hex = BYTES:0g1Z23\n"
                             "Nested = BAG{\n"
                             "  Inner = BOOL:True\n"
                             "  Cut = R8:";
    int problems = 0;
    const PropertyBag bag = PropertyBag::fromText(text, &problems);
    EXPECT_EQ(bag.read(u"Good"), Variant(std::int16_t{5}));
    EXPECT_FALSE(bag.contains(u"NoEquals"));
    EXPECT_FALSE(bag.contains(u"BadType"));
    EXPECT_FALSE(bag.contains(u"BadNumber"));
    EXPECT_FALSE(bag.contains(u"Open"));
    EXPECT_FALSE(bag.contains(u"BadEscape"));
    EXPECT_FALSE(bag.contains(u"Trailing"));
    EXPECT_EQ(bag.readBytes(u"Hex"), (std::vector<std::uint8_t>{0x01, 0x23}));
    ASSERT_TRUE(bag.readBag(u"Nested")) << "a truncated nested bag keeps what it read";
    EXPECT_EQ(bag.readBag(u"Nested")->read(u"Inner"), Variant(true));
    EXPECT_EQ(problems, 8);
}

TEST(StreamStore, RoundTripInOrderAndTruncationFailsSafely) {
    StreamStore s;
    s.writeULong(0x00040002);
    s.writeBool(true);
    s.writeShort(-2);
    s.writeLong(123456);
    s.writeSingle(1.5f);
    s.writeDouble(-0.25);
    s.writeCurrency(Currency{15000});
    s.writeString(u"社員");
    s.writeBytes({1, 2, 3});
    s.writeVariant(Variant(u"v"));
    s.writeVariant(Variant(Date{2.5}));
    s.writeVariant(Variant::null());

    StreamStore in(s.bytes());
    std::uint32_t version = 0;
    bool flag = false;
    std::int16_t sh = 0;
    std::int32_t lg = 0;
    float f = 0;
    double d = 0;
    Currency c;
    std::u16string str;
    std::vector<std::uint8_t> bytes;
    Variant v1, v2, v3;
    ASSERT_TRUE(in.readULong(version) && in.readBool(flag) && in.readShort(sh) && in.readLong(lg) &&
                in.readSingle(f) && in.readDouble(d) && in.readCurrency(c) && in.readString(str) &&
                in.readBytes(bytes) && in.readVariant(v1) && in.readVariant(v2) &&
                in.readVariant(v3));
    EXPECT_EQ(version, 0x00040002u);
    EXPECT_TRUE(flag);
    EXPECT_EQ(sh, -2);
    EXPECT_EQ(lg, 123456);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(d, -0.25);
    EXPECT_EQ(c.scaled, 15000);
    EXPECT_EQ(str, u"社員");
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(v1, Variant(u"v"));
    EXPECT_EQ(v2, Variant(Date{2.5}));
    EXPECT_TRUE(v3.isNull());
    EXPECT_TRUE(in.atEnd());
    EXPECT_FALSE(in.failed());

    // Cut inside the string: the string read fails, keeps its old value, and later reads fail.
    std::vector<std::uint8_t> cut(s.bytes().begin(),
                                  s.bytes().begin() + 4 + 4 + 2 + 4 + 4 + 8 + 8 + 6);
    StreamStore part(cut);
    ASSERT_TRUE(part.readULong(version) && part.readBool(flag) && part.readShort(sh) &&
                part.readLong(lg) && part.readSingle(f) && part.readDouble(d) &&
                part.readCurrency(c));
    std::u16string kept = u"old";
    EXPECT_FALSE(part.readString(kept));
    EXPECT_EQ(kept, u"old");
    EXPECT_TRUE(part.failed());
    std::int16_t after = 7;
    EXPECT_FALSE(part.readShort(after));
    EXPECT_EQ(after, 7);

    // The hexadecimal text form carries the same bytes.
    EXPECT_EQ(StreamStore::fromText(s.toText()).bytes(), s.bytes());
}

TEST(StreamStore, HugeCountsAreRefusedWithoutAllocating) {
    StreamStore s;
    s.writeULong(0xFFFFFFFFu);
    s.writeShort(1);
    StreamStore in(s.bytes());
    std::u16string str;
    EXPECT_FALSE(in.readString(str));
    StreamStore in2(s.bytes());
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(in2.readBytes(bytes));
    StreamStore in3(std::vector<std::uint8_t>{0x63, 0x00}); // variant of unknown type 99
    Variant v;
    EXPECT_FALSE(in3.readVariant(v));
}

// One persisted sequence, as a control writes it, run against every exchange.
struct Sample {
    std::uint32_t version = 0;
    std::u16string caption;
    std::int16_t ratio = 0;
    std::int32_t count = 0;
    std::uint32_t color = 0;
    bool flag = false;
    std::shared_ptr<FontObject> font;
    std::shared_ptr<Picture> picture;

    void exchange(PropertyExchange& px) {
        px.exchangeULong(u"_Version", version, 0x00040002);
        px.exchangeString(u"Caption", caption, u"既定");
        px.exchangeShort(u"Ratio", ratio, 30);
        px.exchangeLong(u"Count", count, -1);
        px.exchangeULong(u"Color", color, 0x80000008);
        px.exchangeBool(u"Flag", flag, true);
        FontDesc def;
        def.size = Currency::fromUnits(9);
        px.exchangeFont(u"Font", font, def);
        px.exchangePicture(u"Picture", picture);
    }
};

std::vector<std::uint8_t> tinyPng() {
    return {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D',
            'R',  0,   0,   0,   16,   0,    0,    0,    8, 8, 6, 0,  0,   0};
}

TEST(PropertyExchange, ResetLoadsDefaultsAndBagAndStreamRoundTrip) {
    Sample reset;
    reset.exchange(*makeResetter());
    EXPECT_EQ(reset.version, 0x00040002u);
    EXPECT_EQ(reset.caption, u"既定");
    EXPECT_EQ(reset.ratio, 30);
    EXPECT_EQ(reset.count, -1);
    EXPECT_EQ(reset.color, 0x80000008u);
    EXPECT_TRUE(reset.flag);
    ASSERT_TRUE(reset.font);
    EXPECT_EQ(reset.font->desc().size, Currency::fromUnits(9));
    EXPECT_FALSE(reset.picture);

    Sample a = reset;
    a.caption = u"社員";
    a.ratio = 55;
    a.count = 12;
    a.color = 0xFFFFFFFF;
    a.flag = false;
    FontDesc big;
    big.name = u"IPAPGothic";
    big.size = Currency{105000};
    big.weight = 700;
    big.italic = true;
    a.font = FontObject::create(big);
    a.picture = Picture::fromBytes(tinyPng());
    ASSERT_TRUE(a.picture);

    PropertyBag bag;
    a.exchange(*makeBagSaver(bag));
    const PropertyBag reread = PropertyBag::fromText(bag.toText());
    Sample b;
    b.exchange(*makeBagLoader(reread));
    EXPECT_EQ(b.caption, a.caption);
    EXPECT_EQ(b.ratio, 55);
    EXPECT_EQ(b.count, 12);
    EXPECT_EQ(b.color, 0xFFFFFFFFu);
    EXPECT_FALSE(b.flag);
    EXPECT_EQ(b.font->desc(), big);
    ASSERT_TRUE(b.picture);
    EXPECT_EQ(b.picture->bytes(), tinyPng());

    StreamStore s;
    a.exchange(*makeStreamSaver(s));
    StreamStore in(s.bytes());
    Sample c;
    c.exchange(*makeStreamLoader(in));
    EXPECT_EQ(c.caption, a.caption);
    EXPECT_EQ(c.count, 12);
    EXPECT_EQ(c.color, 0xFFFFFFFFu);
    EXPECT_EQ(c.font->desc(), big);
    ASSERT_TRUE(c.picture);
    EXPECT_EQ(c.picture->widthPx(), 16);
}

TEST(PropertyExchange, MissingOrUnreadableItemsTakeTheirDefaults) {
    PropertyBag bag;
    bag.write(u"Ratio", Variant(u"not a number"));
    bag.write(u"Count", Variant(u" 77 "));      // text that converts
    bag.write(u"Color", Variant(4294967295.0)); // an unsigned value written as double
    bag.write(u"Flag", Variant(std::int32_t{0}));
    PropertyBag font;
    font.write(u"Size", Variant(std::int32_t{-4})); // refused: keeps the default size
    font.write(u"Bold", Variant(true));             // not a stored item: Weight is
    font.write(u"Weight", Variant(std::int16_t{700}));
    bag.writeBag(u"Font", font);
    Sample s;
    s.exchange(*makeBagLoader(bag));
    EXPECT_EQ(s.version, 0x00040002u) << "no version stored: the current one";
    EXPECT_EQ(s.caption, u"既定");
    EXPECT_EQ(s.ratio, 30);
    EXPECT_EQ(s.count, 77);
    EXPECT_EQ(s.color, 0xFFFFFFFFu);
    EXPECT_FALSE(s.flag);
    EXPECT_EQ(s.font->desc().size, Currency::fromUnits(9));
    EXPECT_TRUE(s.font->desc().bold());

    // A stream that ends early loads the rest from defaults.
    StreamStore shortStream;
    shortStream.writeULong(0x00040001);
    StreamStore in(shortStream.bytes());
    Sample t;
    t.exchange(*makeStreamLoader(in));
    EXPECT_EQ(t.version, 0x00040001u);
    EXPECT_EQ(t.caption, u"既定");
    EXPECT_EQ(t.ratio, 30);
    EXPECT_TRUE(t.font);
}

} // namespace
