// Table-driven filling and comparison of persisted properties for the persistence tests.
#include "PersistenceTestSupport.h"

#include "platform/automation/Picture.h"
#include "platform/text/Cp932.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace vantil::test {

using plat::automation::FontDesc;
using plat::automation::Picture;

namespace {

// A 16 x 16 icon file: header, one directory entry, and a few bytes of image data.
std::shared_ptr<Picture> smallIcon() {
    const std::vector<std::uint8_t> bytes = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0, 8,
                                             0, 0, 0, 22, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
    return Picture::fromBytes(bytes);
}

} // namespace

void fillNonDefault(ControlProperties& p) {
    int n = 0;
    for (const Member& m : persistedMembers()) {
        ++n;
        std::visit(
            [&](auto field) {
                using F = decltype(field);
                if constexpr (ShortField<F> || std::is_same_v<F, std::int32_t CP::*>) {
                    using T = std::remove_reference_t<decltype(p.*field)>;
                    std::int64_t v = m.ranged ? m.max : 5000 + n;
                    if (m.ranged && m.max > 1000) {
                        v = m.min + 7;
                    }
                    if (v == m.def.number) {
                        v = m.min;
                    }
                    p.*field = static_cast<T>(v);
                } else if constexpr (std::is_same_v<F, bool CP::*>) {
                    p.*field = m.def.number == 0;
                } else if constexpr (std::is_same_v<F, Color CP::*>) {
                    p.*field = 0x00102030u + static_cast<Color>(n);
                } else if constexpr (std::is_same_v<F, std::string CP::*>) {
                    p.*field = plat::text::cp932::fromUtf8("値ｱ") + std::string(m.name);
                } else if constexpr (std::is_same_v<F, FontDesc CP::*>) {
                    FontDesc d;
                    d.name = u"IPAPMincho";
                    d.size = plat::automation::Currency{115000 + n};
                    d.weight = 700;
                    d.italic = true;
                    d.underline = n % 2 == 0;
                    p.*field = d;
                } else if constexpr (std::is_same_v<F, std::shared_ptr<Picture> CP::*>) {
                    p.*field = smallIcon();
                }
            },
            m.field);
    }
    p.defHeight = 33; // above 8, so the load keeps it
    p.columns = {
        {plat::text::cp932::fromUtf8("社員名"), "SName", 120, 0, 1, false},
        {"ID", "SyainID", 40, 1, 0, true},
        {"", "", -1, 2, 2, false},
    };
    for (int i = 0; i < kMenuEntryCount; ++i) {
        MenuEntry& e = p.menu[static_cast<std::size_t>(i)];
        e.enabled = i % 2 == 0;
        e.hidden = i % 3 == 0;
        e.separator = i % 4 == 1;
        if (i >= kFirstHostMenuEntry) {
            e.caption = plat::text::cp932::fromUtf8("項目") + std::to_string(i);
        }
    }
}

void expectSamePersisted(const ControlProperties& a, const ControlProperties& b) {
    for (const Member& m : persistedMembers()) {
        std::visit(
            [&](auto field) {
                using F = decltype(field);
                if constexpr (std::is_same_v<F, std::monostate>) {
                } else if constexpr (std::is_same_v<F, std::shared_ptr<Picture> CP::*>) {
                    ASSERT_EQ(a.*field == nullptr, b.*field == nullptr) << m.name;
                    if (a.*field) {
                        EXPECT_EQ((a.*field)->bytes(), (b.*field)->bytes()) << m.name;
                    }
                } else {
                    EXPECT_TRUE(a.*field == b.*field) << m.name;
                }
            },
            m.field);
    }
    EXPECT_EQ(a.columns, b.columns);
    for (int i = 0; i < kMenuEntryCount; ++i) {
        EXPECT_EQ(a.menu[static_cast<std::size_t>(i)], b.menu[static_cast<std::size_t>(i)])
            << "menu entry " << i;
    }
}

void expectWithinRanges(const ControlProperties& p) {
    for (const Member& m : persistedMembers()) {
        std::visit(
            [&](auto field) {
                using F = decltype(field);
                if constexpr (ShortField<F> || std::is_same_v<F, std::int32_t CP::*>) {
                    const auto v = static_cast<std::int32_t>(p.*field);
                    if (m.id == dispids::DefHeight) {
                        EXPECT_GE(v, 9);
                    } else {
                        EXPECT_TRUE(m.inRange(v)) << m.name << " = " << v;
                    }
                }
            },
            m.field);
    }
    EXPECT_LE(p.columns.size(), static_cast<std::size_t>(kMaxPersistedColumns));
}

} // namespace vantil::test
