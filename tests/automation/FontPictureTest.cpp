// Font and picture objects: properties through dispatch, bold and weight, ranges, change
// notification, persistence; image headers of every supported format and HIMETRIC sizes.
#include "platform/automation/FontObject.h"
#include "platform/automation/Picture.h"
#include "tests/support/Scratch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace plat::automation;

namespace {

TEST(FontObject, PropertiesThroughDispatchAndBoldFollowsWeight) {
    auto font = FontObject::create();
    std::vector<DispId> changes;
    font->setChangeListener([&](DispId id) { changes.push_back(id); });
    putProperty(*font, u"Name", Variant(u"IPAPMincho"));
    putProperty(*font, u"size", Variant(u"10.5"));
    putProperty(*font, u"Bold", Variant(true));
    EXPECT_EQ(getProperty(*font, u"Weight"), Variant(std::int16_t{700}));
    putProperty(*font, u"Weight", Variant(std::int16_t{500}));
    EXPECT_EQ(getProperty(*font, u"Bold"), Variant(false));
    putProperty(*font, u"Weight", Variant(std::int16_t{600}));
    EXPECT_EQ(getProperty(*font, u"Bold"), Variant(true));
    putProperty(*font, u"Bold", Variant(true)); // already bold: no change, weight stays 600
    EXPECT_EQ(font->desc().weight, 600);
    EXPECT_EQ(getProperty(*font, u"Size"), Variant(Currency{105000}));
    EXPECT_EQ(changes, (std::vector<DispId>{FontObject::kName, FontObject::kSize, FontObject::kBold,
                                            FontObject::kWeight, FontObject::kWeight}));
    putProperty(*font, u"Italic", Variant(true));
    putProperty(*font, u"Underline", Variant(true));
    putProperty(*font, u"Strikethrough", Variant(true));
    putProperty(*font, u"Charset", Variant(std::int16_t{0}));
    EXPECT_TRUE(font->desc().italic && font->desc().underline && font->desc().strikethrough);
    EXPECT_EQ(font->desc().charset, 0);
}

TEST(FontObject, RefusesOutOfRangeValuesAndKeepsTheOld) {
    auto font = FontObject::create();
    const FontDesc before = font->desc();
    for (const Variant& size : {Variant(0.0), Variant(-1.0), Variant(2161.0)}) {
        try {
            putProperty(*font, u"Size", size);
            ADD_FAILURE() << "accepted size " << size.toUtf8();
        } catch (const AutomationException& e) {
            EXPECT_EQ(e.error().number(), 380);
        }
    }
    EXPECT_THROW(putProperty(*font, u"Weight", Variant(std::int16_t{1001})), AutomationException);
    EXPECT_THROW(putProperty(*font, u"Name", Variant(u"")), AutomationException);
    EXPECT_EQ(font->desc(), before);
}

TEST(FontObject, IsHeldByAVariantAsAnObject) {
    auto font = FontObject::create();
    const Variant v(font);
    ASSERT_EQ(v.type(), VarType::Object);
    EXPECT_EQ(v.asObject().get(), font.get());
    EXPECT_EQ(v.toUtf8(), "ＭＳ Ｐゴシック") << "the default member is the name";
}

TEST(FontObject, CloneIsIndependent) {
    auto a = FontObject::create();
    auto b = a->clone();
    b->setBold(true);
    EXPECT_FALSE(a->desc().bold());
    EXPECT_TRUE(b->desc().bold());
}

std::vector<std::uint8_t> bmp(std::int32_t w, std::int32_t h) {
    std::vector<std::uint8_t> b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    b[14] = 40;
    for (int i = 0; i < 4; ++i) {
        b[18 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(w) >> (8 * i));
        b[22 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(h) >> (8 * i));
    }
    return b;
}

TEST(ImageHeader, ReadsSizesOfEveryFormat) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        ImageFormat format;
        int w, h;
    };
    const std::vector<Case> cases = {
        {"bmp", bmp(32, 16), ImageFormat::Bmp, 32, 16},
        {"top-down bmp", bmp(32, -16), ImageFormat::Bmp, 32, 16},
        {"core bmp",
         {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 26, 0, 0, 0, 12, 0, 0, 0, 7, 0, 9, 0, 1, 0, 24, 0},
         ImageFormat::Bmp,
         7,
         9},
        {"png",
         {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13,
          'I',  'H', 'D', 'R', 0,    0,    1,    0x2C, 0, 0, 0, 0xC8},
         ImageFormat::Png,
         300,
         200},
        {"gif", {'G', 'I', 'F', '8', '9', 'a', 0x40, 1, 0xF0, 0}, ImageFormat::Gif, 320, 240},
        {"jpeg",
         {0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 0, 0, 0xFF, 0xC0, 0, 17, 8, 0, 48, 0, 64, 3},
         ImageFormat::Jpeg,
         64,
         48},
        {"icon 256",
         {0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 22, 0, 0, 0},
         ImageFormat::Icon,
         256,
         256},
        {"cursor",
         {0, 0, 2, 0, 1, 0, 32, 32, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 22, 0, 0, 0},
         ImageFormat::Cursor,
         32,
         32},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto h = readImageHeader(c.bytes);
        ASSERT_TRUE(h);
        EXPECT_EQ(h->format, c.format);
        EXPECT_EQ(h->widthPx, c.w);
        EXPECT_EQ(h->heightPx, c.h);
    }
    EXPECT_FALSE(readImageHeader({}));
    EXPECT_FALSE(readImageHeader({'B', 'M', 1}));
    EXPECT_FALSE(readImageHeader(bmp(0, 5)));
    EXPECT_FALSE(readImageHeader(bmp(70000, 5)));
    EXPECT_FALSE(readImageHeader({0xFF, 0xD8, 0xFF, 0xE0, 0, 200})) << "segment runs past the end";
    EXPECT_FALSE(readImageHeader({'%', 'P', 'D', 'F', '-', '1'}));
}

TEST(Picture, TypeSizeInHimetricAndPointerUse) {
    EXPECT_EQ(pixelsToHimetric(96), 2540);
    EXPECT_EQ(pixelsToHimetric(16), 423);
    EXPECT_EQ(himetricToPixels(423), 16);
    const auto p = Picture::fromBytes(bmp(96, 48));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->type(), PictureType::Bitmap);
    EXPECT_EQ(getProperty(*p, u"Width"), Variant(std::int32_t{2540}));
    EXPECT_EQ(getProperty(*p, u"Height"), Variant(std::int32_t{1270}));
    EXPECT_EQ(getProperty(*p, u"Type"), Variant(std::int16_t{1}));
    EXPECT_FALSE(p->usableAsPointer());
    EXPECT_THROW(putProperty(*p, u"Width", Variant(std::int32_t{1})), AutomationException);
    const auto icon =
        Picture::fromBytes({0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 22, 0, 0, 0});
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->type(), PictureType::Icon);
    EXPECT_TRUE(icon->usableAsPointer());
    EXPECT_TRUE(Picture().isEmpty());
    Picture empty;
    EXPECT_EQ(getProperty(empty, u"Handle"), Variant(std::int32_t{0}));
}

TEST(Picture, LoadsFilesAndReportsMissingOrInvalidOnes) {
    const auto dir = testsupport::scratchFolder("automation-pictures");
    const auto good = (dir / "p.bmp").string();
    const auto bad = (dir / "p.txt").string();
    {
        const auto b = bmp(10, 20);
        std::ofstream(good, std::ios::binary)
            .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
        std::ofstream(bad) << "not an image";
    }
    AutomationError err;
    const auto p = Picture::loadFile(good, &err);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->heightPx(), 20);
    EXPECT_FALSE(Picture::loadFile(bad, &err));
    EXPECT_EQ(err.number(), 481);
    EXPECT_FALSE(Picture::loadFile((dir / "none.png").string(), &err));
    EXPECT_EQ(err.number(), 53);
    PropertyBag bag;
    p->save(bag, u"MouseIcon");
    const auto back = Picture::load(bag, u"MouseIcon");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->bytes(), p->bytes());
    EXPECT_FALSE(Picture::load(bag, u"Other"));
}

} // namespace
