// Folding, sorted insertion, the whole-list sort, the mask rule, the typed-text match and
// FindItem.
#include "ListTestSupport.h"

#include <random>
#include <set>

namespace vantil::test {
namespace {

using plat::text::FoldOptions;

int order(std::string_view a, std::string_view b, FoldOptions o) {
    const int c = compareKeys(orderKey(sj(a), o), orderKey(sj(b), o));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

TEST(ListOrder, KeysKeptWithRowsCompareAsTheirBytes) {
    // Keys short enough to live inside the object and long ones that keep only their first
    // bytes there, with zero bytes (a text's NUL character) that must not end a key.
    std::mt19937 random(16);
    const char alphabet[] = {'\0', '\x01', '\x82', '\xFF'};
    auto randomKey = [&] {
        std::string k(random() % 41, '\0');
        for (char& ch : k) {
            ch = alphabet[random() % 4];
        }
        return k;
    };
    for (int round = 0; round < 4000; ++round) {
        const std::string a = randomKey();
        const std::string b = round % 3 == 0 ? a.substr(0, random() % (a.size() + 1)) : randomKey();
        OrderKey ka;
        OrderKey kb;
        ka.assign(a, 1);
        kb.assign(b, 1);
        const int expected = a.compare(b);
        const int got = compareKeys(ka, kb);
        ASSERT_EQ((got > 0) - (got < 0), (expected > 0) - (expected < 0))
            << a.size() << " " << b.size();
        ASSERT_EQ(ka.view(), a);
        const OrderKey copied = ka;
        ASSERT_EQ(compareKeys(copied, ka), 0);
    }
}

TEST(ListOrder, FoldingDecidesWhatComparesEqual) {
    struct Case {
        const char* a;
        const char* b;
        FoldOptions options;
        bool equal;
    };
    const FoldOptions none{};
    const FoldOptions caseOnly{true, false, false};
    const FoldOptions caseWidth{true, false, true};
    const FoldOptions kana{false, true, false};
    const FoldOptions kanaWidth{false, true, true};
    const Case cases[] = {
        {"ＡＢＣ", "ａｂｃ", caseOnly, true}, {"ABC", "abc", caseOnly, true},
        {"ABC", "abc", none, false},          {"ABC", "ＡＢＣ", caseOnly, false},
        {"ABC", "ＡＢＣ", caseWidth, true},   {"あいう", "アイウ", kana, true},
        {"ｱｲｳ", "アイウ", kana, false},       {"ｱｲｳ", "あいう", kanaWidth, true},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(order(k.a, k.b, k.options) == 0, k.equal) << k.a << " / " << k.b;
    }
}

TEST(ListOrder, TextOrderByCharacterCodes) {
    const FoldOptions none{};
    EXPECT_LT(order("ab", "abc", none), 0) << "a prefix orders first";
    EXPECT_LT(order("z", "ｱ", none), 0) << "ASCII before half-width katakana";
    EXPECT_LT(order("ｱ", "あ", none), 0) << "single bytes before double-byte characters";
    EXPECT_GT(order("い", "あ", none), 0);
    // A lead byte at the very end counts as the end.
    EXPECT_EQ(compareKeys(orderKey("ab\x82", none), orderKey("ab", none)), 0);
}

TEST(ListOrder, KeysAreTheFoldedTextTwoBytesACharacter) {
    // The key maker works a character at a time; the reference folds the whole text first.
    auto reference = [](std::string_view text, FoldOptions o) {
        const std::string folded = plat::text::foldText(text, o);
        std::string key;
        for (std::size_t i = 0; i < folded.size(); ++i) {
            const auto b = static_cast<unsigned char>(folded[i]);
            if (plat::text::cp932::isLeadByte(b)) {
                if (i + 1 == folded.size()) {
                    break;
                }
                key += folded.substr(i++, 2);
            } else {
                key += '\0';
                key += folded[i];
            }
        }
        return key;
    };
    // Letters, digits, NUL, half-width kana and sound marks, lead bytes of kana, full-width
    // letters and kanji, trail bytes of every kind, and bytes beyond the lead ranges.
    const unsigned char bytes[] = {'A',  'z',  '0',  0x00, 0xB1, 0xDE, 0xDF, 0x82, 0x83,
                                   0x81, 0x88, 0xE0, 0xFC, 0x40, 0x60, 0x7F, 0x80, 0x9F,
                                   0xA0, 0xF1, 0xFD, 0xFF, 0x5C, 0x94};
    std::mt19937 random(932);
    for (unsigned combo = 0; combo < 8; ++combo) {
        const FoldOptions o{(combo & 1) != 0, (combo & 2) != 0, (combo & 4) != 0};
        for (int round = 0; round < 3000; ++round) {
            std::string text(random() % 12, '\0');
            for (char& ch : text) {
                ch = static_cast<char>(bytes[random() % std::size(bytes)]);
            }
            ASSERT_EQ(orderKey(text, o), reference(text, o)) << combo << " " << round;
        }
    }
}

TEST(ListOrder, SortedInsertionPutsEqualItemsInFront) {
    ListControl c;
    c.put(u"Sorted", Variant(std::int16_t{1}));
    c.call(u"AddItemTextData", {num(0), text("b"), num(1)});
    c.call(u"AddItemTextData", {num(0), text("a"), num(2)});
    c.call(u"AddItemTextData", {num(0), text("b"), num(3)});
    EXPECT_EQ(c.texts(), (std::vector<std::string>{"a", "b", "b"}));
    EXPECT_EQ(c.get(u"ItemData", {num(1)}).toLong(), 3) << "the second b goes in front";
    EXPECT_EQ(c.add(""), 0) << "an empty text goes first ascending";

    ListControl d;
    d.put(u"Sorted", Variant(std::int16_t{2}));
    d.add("a");
    d.add("c");
    d.add("b");
    EXPECT_EQ(d.add(""), 3) << "and last descending";
    EXPECT_EQ(d.texts(), (std::vector<std::string>{"c", "b", "a", ""}));
}

// The sorted insertion must land where the plain scan would, whether or not the list is known
// to be in order.
TEST(ListOrder, SortedInsertionMatchesTheLinearScan) {
    std::mt19937 random(7);
    const char* pool[] = {"あ", "ア", "ｱ", "a", "A", "Ａ", "ab", "AB", "か", "カ", "b", ""};
    for (std::int16_t sorted : {std::int16_t{1}, std::int16_t{2}}) {
        ListControl c;
        c.put(u"IgnoreCase", Variant(true));
        c.put(u"IgnoreKanaCase", Variant(true));
        c.put(u"IgnoreCharSet", Variant(true));
        // Start from an unsorted list, so the first insertions scan.
        c.add("ｶ");
        c.add("a");
        c.add("あ");
        c.put(u"Sorted", Variant(sorted));
        std::vector<std::string> expected = c.texts();
        const FoldOptions all{true, true, true};
        for (int i = 0; i < 300; ++i) {
            const std::string t =
                pool[random() % std::size(pool)] + std::string(pool[random() % 4]);
            const std::string key = orderKey(sj(t), all);
            std::size_t at = expected.size();
            if (t.empty()) {
                at = sorted == 1 ? 0 : expected.size();
            } else {
                for (std::size_t k = 0; k < expected.size(); ++k) {
                    const int cmp = compareKeys(key, orderKey(sj(expected[k]), all));
                    if (sorted == 1 ? cmp <= 0 : cmp >= 0) {
                        at = k;
                        break;
                    }
                }
            }
            expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(at), t);
            ASSERT_EQ(c.add(t), static_cast<std::int32_t>(at)) << t;
            if (i == 150) {
                // ListItems.Add at an arbitrary place breaks the order: the scan takes over.
                auto items = c.items();
                c.invoke(*items, u"Add", InvokeKind::Method,
                         {num(0), Variant::missing(), text("ん")}, nullptr);
                expected.insert(expected.begin(), "ん");
            }
        }
        EXPECT_EQ(c.texts(), expected);
    }
}

// Long texts that agree in their first characters are told apart past the bytes a key keeps
// inside itself; an item whose text changes and new folding options give the rows new keys.
TEST(ListOrder, LongTextsAndRemadeKeysKeepTheSortedOrder) {
    std::mt19937 random(11);
    const char* pieces[] = {"やまだ", "ヤマダ", "ﾔﾏﾀﾞ", "Tokyo", "tokyo", "ＡＢＣ", "第", "号"};
    ListControl c;
    c.put(u"IgnoreCase", Variant(true));
    c.put(u"IgnoreKanaCase", Variant(true));
    c.put(u"IgnoreCharSet", Variant(true));
    c.put(u"Sorted", Variant(std::int16_t{1}));
    std::multiset<std::string> added;
    auto check = [&](FoldOptions o, const char* when) {
        const std::vector<std::string> shown = c.texts();
        ASSERT_EQ(std::multiset<std::string>(shown.begin(), shown.end()), added) << when;
        for (std::size_t k = 1; k < shown.size(); ++k) {
            ASSERT_LE(compareKeys(orderKey(sj(shown[k - 1]), o), orderKey(sj(shown[k]), o)), 0)
                << when << ": " << shown[k - 1] << " / " << shown[k];
        }
    };
    auto addSome = [&](int n) {
        for (int i = 0; i < n; ++i) {
            std::string t;
            for (int parts = 3 + static_cast<int>(random() % 4); parts > 0; --parts) {
                t += pieces[random() % std::size(pieces)];
            }
            t += std::to_string(random() % 10);
            const std::int32_t at = c.add(t);
            ASSERT_EQ(c.itemText(at), t);
            added.insert(t);
        }
    };
    addSome(400);
    check(FoldOptions{true, true, true}, "all folding");

    // A new text moves its item to its new place.
    const std::string old = c.itemText(7);
    c.put(u"ItemText", text("号号号号号号号号号号号号1"), {num(7)});
    added.erase(added.find(old));
    added.insert("号号号号号号号号号号号号1");
    addSome(50);
    check(FoldOptions{true, true, true}, "after a text changed");

    c.put(u"IgnoreKanaCase", Variant(false));
    addSome(100);
    check(FoldOptions{true, false, true}, "after the folding changed");
}

TEST(ListOrder, DataSortedInsertionMatchesTheLinearScan) {
    std::mt19937 random(5);
    for (std::int16_t sorted : {std::int16_t{3}, std::int16_t{4}}) {
        ListControl c;
        c.put(u"Sorted", Variant(sorted));
        std::vector<std::int32_t> expected;
        for (int i = 0; i < 400; ++i) {
            const auto data = static_cast<std::int32_t>(random() % 50) - 25;
            std::size_t at = expected.size();
            for (std::size_t k = 0; k < expected.size(); ++k) {
                if (sorted == 3 ? data <= expected[k] : data >= expected[k]) {
                    at = k;
                    break;
                }
            }
            if (expected.empty()) {
                at = 0;
            }
            expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(at), data);
            const Variant r =
                c.call(u"AddItemTextData", {num(0), text(std::to_string(i)), num(data)});
            ASSERT_EQ(r.toLong(), static_cast<std::int32_t>(at)) << i;
        }
        for (std::size_t k = 0; k < expected.size(); k += 13) {
            EXPECT_EQ(c.get(u"ItemData", {num(static_cast<std::int32_t>(k))}).toLong(),
                      expected[k]);
        }
    }
}

TEST(ListOrder, WholeListSortEventsAndFollowers) {
    ListControl c;
    for (const char* t : {"d", "b", "e", "a", "c"}) {
        c.add(t);
    }
    c.put(u"ListIndex", num(2));
    c.call(u"AddItemText", {num(0), text("f")});
    EXPECT_EQ(c.newIndex(), 0);
    EXPECT_EQ(c.listIndex(), -1) << "adding an item ends the selection";
    c.put(u"ListIndex", num(3)); // "e"
    c.recorder.events.clear();
    c.put(u"Sorted", Variant(std::int16_t{2}));
    EXPECT_EQ(c.texts(), (std::vector<std::string>{"f", "e", "d", "c", "b", "a"}));
    EXPECT_EQ(c.recorder.count(kBeginSort), 1);
    EXPECT_EQ(c.recorder.count(kEndSort), 1);
    EXPECT_EQ(c.recorder.count(kClick), 0);
    EXPECT_EQ(c.listIndex(), 1) << "the current item is still e";
    EXPECT_EQ(c.newIndex(), 0);
    c.put(u"Sorted", Variant(std::int16_t{1}));
    EXPECT_EQ(c.listIndex(), 4);
}

TEST(ListOrder, DoSortOnlyInDoSortModeOnAColumn) {
    ListControl c;
    c.call(u"AddColumn", {Variant::missing(), text("name")});
    c.call(u"AddColumn", {Variant::missing(), text("kana")});
    const char* rows[][2] = {{"x", "3"}, {"y", "1"}, {"z", "2"}};
    for (auto& r : rows) {
        c.add(r[0]);
        c.call(u"AddSubItem", {num(c.newIndex()), num(1), text(r[1])});
    }
    c.put(u"SortKey", Variant(std::int16_t{1}));
    c.call(u"DoSort");
    EXPECT_EQ(c.texts(), (std::vector<std::string>{"x", "y", "z"})) << "SortMode 0: nothing";
    c.put(u"SortMode", Variant(std::int16_t{1}));
    c.put(u"SortKey", Variant(std::int16_t{-1}));
    c.call(u"DoSort");
    EXPECT_EQ(c.texts(), (std::vector<std::string>{"x", "y", "z"})) << "SortKey -1: nothing";
    c.put(u"SortKey", Variant(std::int16_t{1}));
    c.call(u"DoSort");
    EXPECT_EQ(c.texts(), (std::vector<std::string>{"y", "z", "x"}));
}

// The quicksort phase keeps its pending ranges within 32 on inputs that defeat a naive
// pivot, and the final order is the text order.
TEST(ListOrder, SortStackStaysBoundedAndTheResultIsOrdered) {
    std::mt19937 random(11);
    std::vector<std::vector<std::int32_t>> inputs;
    const std::int32_t n = 65000;
    std::vector<std::int32_t> v(n);
    for (std::int32_t i = 0; i < n; ++i)
        v[i] = i;
    inputs.push_back(v);                       // ascending
    inputs.emplace_back(v.rbegin(), v.rend()); // descending
    inputs.emplace_back(n, 5);                 // all equal
    // Organ pipe puts the largest value in the middle: the pivot splits off one item per pass,
    // the worst case for the time, so a shorter list serves.
    const std::int32_t m = 3000;
    std::vector<std::int32_t> organ(m);
    for (std::int32_t i = 0; i < m; ++i)
        organ[i] = std::min(i, m - i);
    inputs.push_back(organ);
    std::vector<std::int32_t> shuffled = v;
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    inputs.push_back(shuffled);
    for (const auto& input : inputs) {
        std::vector<SortEntry<int>> entries(input.size());
        for (std::size_t i = 0; i < input.size(); ++i) {
            entries[i].row = static_cast<int>(i);
            entries[i].data = input[i];
        }
        const SortStats stats = sortEntries(entries, [](const auto& a, const auto& b) {
            return a.data < b.data ? -1 : (a.data > b.data ? 1 : 0);
        });
        EXPECT_LE(stats.maxStackDepth, 32u);
        EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end(),
                                   [](const auto& a, const auto& b) { return a.data < b.data; }));
    }
}

TEST(ListOrder, MaskRule) {
    ListControl c;
    for (const char* t : {"ABCD", "AB", "あ", "a"}) {
        c.add(t);
    }
    c.put(u"MaskText", text("A?C"));
    c.put(u"MaskMode", Variant(std::int16_t{2}));
    auto masked = [&](int i) { return c.get(u"ItemMasked", {num(i)}).toBool(); };
    EXPECT_FALSE(masked(0));
    EXPECT_TRUE(masked(1));
    c.put(u"MaskText", text("？"));
    EXPECT_FALSE(masked(2)) << "the full-width question mark matches a double-byte character";
    EXPECT_TRUE(masked(3));
    c.put(u"ListIndex", num(3));
    EXPECT_EQ(c.listIndex(), -1) << "a masked item cannot become current";
    c.put(u"MaskMode", Variant(std::int16_t{3}));
    EXPECT_TRUE(masked(2));
    EXPECT_FALSE(masked(3));
    c.add("い");
    EXPECT_TRUE(masked(4)) << "new items follow the mask";
    c.put(u"MaskMode", Variant(std::int16_t{0}));
    for (int i = 0; i < c.count(); ++i) {
        EXPECT_FALSE(masked(i));
    }
    // Jump mode makes the first match current.
    c.put(u"MaskText", text("a"));
    c.put(u"IgnoreCase", Variant(true));
    c.recorder.events.clear();
    c.put(u"MaskMode", Variant(std::int16_t{1}));
    EXPECT_EQ(c.listIndex(), 0);
    EXPECT_EQ(c.recorder.count(kClick), 1);
}

TEST(ListOrder, ChangedTextIsMaskedAgain) {
    ListControl c;
    c.put(u"Sorted", Variant(std::int16_t{1}));
    c.add("abc");
    c.add("xyz");
    c.put(u"MaskText", text("a"));
    c.put(u"MaskMode", Variant(std::int16_t{2}));
    ASSERT_TRUE(c.get(u"ItemMasked", {num(1)}).toBool());
    c.put(u"ItemText", text("ab"), {num(1)});
    EXPECT_EQ(c.texts(), (std::vector<std::string>{"ab", "abc"}));
    EXPECT_FALSE(c.get(u"ItemMasked", {num(0)}).toBool());
}

TEST(ListOrder, TypedTextMatch) {
    ListControl c;
    c.add("ABC");
    c.add(sj("カナ") == sj("カナ") ? "カナ" : "");
    c.add("xあい");
    EXPECT_FALSE(c.model->matchTypedText(sj("ｶ")));
    c.put(u"IgnoreCharSet", Variant(true));
    EXPECT_TRUE(c.model->matchTypedText(sj("ｶ")));
    EXPECT_EQ(c.listIndex(), 1);
    // Two typed bytes cut "xあい" after the lead byte of あ: three bytes are compared.
    EXPECT_TRUE(c.model->matchTypedText(sj("xあ")));
    EXPECT_EQ(c.listIndex(), 2);
    c.add("xアイ");
    EXPECT_TRUE(c.model->matchTypedText(sj("xｱ")));
    EXPECT_EQ(c.listIndex(), 3) << "the cut takes the whole ア after x";
    EXPECT_FALSE(c.model->matchTypedText("x\x82")) << "a lone lead byte ends the typed text";
    EXPECT_FALSE(c.model->matchTypedText("abcd"));
    EXPECT_EQ(c.listIndex(), -1);
    EXPECT_FALSE(c.model->matchTypedText(""));
    c.put(u"IgnoreCase", Variant(true));
    EXPECT_TRUE(c.model->matchTypedText("ab"));
    EXPECT_EQ(c.listIndex(), 0);
}

TEST(ListOrder, FindItemIsExact) {
    ListControl c;
    c.call(u"AddColumn", {Variant::missing(), text("A")});
    c.call(u"AddColumn", {Variant::missing(), text("B")});
    for (const char* t : {"xab", "abc", "ab", "ｱｲｳ", "end"}) {
        c.add(t);
    }
    c.call(u"AddSubItem", {num(4), num(1), text("sub")});
    auto items = c.items();
    auto zero = c.get(*items, u"Item", {num(0)}).asObject();
    c.put(*zero, u"Key", text("k"));
    c.put(*zero, u"Tag", Variant(std::int32_t{12}));
    auto find = [&](std::vector<Variant> args) -> std::int32_t {
        auto obj = c.call(u"FindItem", std::move(args)).asObject();
        return obj ? c.get(*obj, u"Index").toLong() : -1;
    };
    const Variant M = Variant::missing();
    const Variant partial(std::int16_t{1});
    EXPECT_EQ(find({text("ab"), M, M, partial}), 1) << "abc, not xab";
    EXPECT_EQ(find({text("ab")}), 2);
    c.put(u"IgnoreCase", Variant(true));
    c.put(u"IgnoreCharSet", Variant(true));
    EXPECT_EQ(find({text("AB"), M, M, partial}), -1) << "no folding";
    EXPECT_EQ(find({text("アイウ")}), -1);
    EXPECT_EQ(find({text("ｱｲｳ")}), 3);
    EXPECT_EQ(find({text("ab"), M, num(2)}), 2);
    EXPECT_EQ(find({text("ab"), M, num(5)}), -1) << "start beyond the items";
    EXPECT_EQ(find({text("abc"), M, text("k")}), 1) << "a key names the start";
    EXPECT_EQ(find({text("sub"), Variant(std::int16_t{1})}), 4);
    EXPECT_EQ(find({text("12"), Variant(std::int16_t{2})}), 0);
    EXPECT_EQ(find({text("ab"), M, text("many")}), 2) << "an unknown key starts at 0";
    EXPECT_EQ(find({text("ab"), text("where?")}), -1) << "unconvertible arguments find nothing";
}

} // namespace
} // namespace vantil::test
