// The grid storage: chunked rows against a plain vector, and the current cell and selection
// following inserted and removed rows and columns.
#include "control/list/ListGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace vantil {
namespace {

TEST(CellText, HoldsShortAndLongTextsAndItsOwnPieces) {
    const std::string longText(40, 'x');
    CellText t;
    EXPECT_TRUE(t.empty());
    t = "short";
    EXPECT_EQ(t, "short");
    t = longText;
    EXPECT_EQ(t.view(), longText);
    t = t.view().substr(30); // a piece of itself, from its own storage
    EXPECT_EQ(t, std::string(10, 'x'));
    t = longText;
    CellText moved(std::move(t));
    EXPECT_EQ(moved.view(), longText);
    t = moved.view().substr(1, 23); // back inside, from another's storage
    EXPECT_EQ(t.size(), 23u);
    CellText copy(t);
    EXPECT_EQ(copy, t);
}

std::unique_ptr<ListRow> rowWithData(std::int32_t data) {
    auto r = std::make_unique<ListRow>();
    r->item.itemData = data;
    return r;
}

TEST(RowStore, InsertsAndRemovesAnywhereLikeAVector) {
    std::mt19937 random(3);
    RowStore store;
    std::vector<std::int32_t> reference;
    for (int step = 0; step < 20000; ++step) {
        const bool insert = reference.empty() || random() % 3 != 0;
        if (insert) {
            const auto at = static_cast<std::int32_t>(random() % (reference.size() + 1));
            store.insert(at, rowWithData(step));
            reference.insert(reference.begin() + at, step);
        } else {
            const auto at = static_cast<std::int32_t>(random() % reference.size());
            EXPECT_EQ(store.erase(at)->item.itemData, reference[static_cast<std::size_t>(at)]);
            reference.erase(reference.begin() + at);
        }
        if (step % 997 == 0 || step == 19999) {
            ASSERT_EQ(store.size(), static_cast<std::int32_t>(reference.size()));
            for (std::size_t i = 0; i < reference.size(); i += 7) {
                ASSERT_EQ(store.at(static_cast<std::int32_t>(i)).item.itemData, reference[i])
                    << step;
            }
            std::vector<std::int32_t> walked;
            store.forEachFrom(5, [&](std::int32_t i, ListRow& r) {
                EXPECT_EQ(i, static_cast<std::int32_t>(walked.size()) + 5);
                walked.push_back(r.item.itemData);
                return true;
            });
            if (reference.size() > 5) {
                ASSERT_TRUE(std::equal(walked.begin(), walked.end(), reference.begin() + 5));
            }
        }
    }
    // A new order, as a sort gives it: here the reverse.
    std::vector<std::int32_t> order(reference.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<std::int32_t>(order.size() - 1 - i);
    }
    store.permute(order);
    std::reverse(reference.begin(), reference.end());
    ASSERT_EQ(store.size(), static_cast<std::int32_t>(reference.size()));
    for (std::size_t i = 0; i < reference.size(); i += 5) {
        ASSERT_EQ(store.at(static_cast<std::int32_t>(i)).item.itemData, reference[i]);
    }
}

TEST(RowStore, PartitionPointFollowsInsertionsAndRemovals) {
    // Rows kept in order of their data by inserting each at its partition point, as a sorted
    // list is, before and after removals that empty whole chunks.
    std::mt19937 random(9);
    RowStore store;
    std::vector<std::int32_t> reference;
    auto insertSome = [&](int n) {
        for (int i = 0; i < n; ++i) {
            const auto data = static_cast<std::int32_t>(random() % 100000);
            const std::int32_t at =
                store.partitionPoint([&](const ListRow& r) { return data <= r.item.itemData; });
            const auto expected = std::lower_bound(reference.begin(), reference.end(), data);
            ASSERT_EQ(at, static_cast<std::int32_t>(expected - reference.begin())) << i;
            store.insert(at, rowWithData(data));
            reference.insert(expected, data);
        }
    };
    insertSome(4000);
    auto eraseSome = [&](int n, bool run) {
        for (int k = 0; k < n; ++k) {
            const auto at = static_cast<std::int32_t>(run ? 1000 : random() % reference.size());
            store.erase(at);
            reference.erase(reference.begin() + at);
        }
    };
    eraseSome(1000, true);
    insertSome(200);
    eraseSome(500, false);
    insertSome(1000);
    EXPECT_EQ(store.partitionPoint([](const ListRow&) { return false; }), store.size());
}

TEST(RowStore, KeySearchMakesStaleKeysAgainAndFollowsChangedLastKeys) {
    // Each row's key is its data written as a long or short text, made only when the search
    // finds it missing or made under another stamp.
    std::uint32_t stamp = 1;
    int made = 0;
    auto text = [](std::int32_t data) {
        std::string t = std::to_string(100000 + data);
        return data % 3 == 0 ? t + std::string(30, 'z') : t; // some keys live on the heap
    };
    auto fresh = [&](OrderKey& key, const ListRow& r) {
        ++made;
        key.assign(text(r.item.itemData), stamp);
    };
    std::mt19937 random(11);
    RowStore store;
    std::vector<std::int32_t> reference;
    auto findAndCheck = [&](std::int32_t data) {
        const OrderKey wanted = [&] {
            OrderKey k;
            k.assign(text(data), stamp);
            return k;
        }();
        const std::int32_t at = store.keyPartitionPoint(
            stamp, fresh, [&](const OrderKey& k) { return compareKeys(wanted, k) <= 0; });
        const auto expected = std::lower_bound(reference.begin(), reference.end(), data);
        EXPECT_EQ(at, static_cast<std::int32_t>(expected - reference.begin())) << data;
        return at;
    };
    for (int i = 0; i < 3000; ++i) {
        const auto data = static_cast<std::int32_t>(random() % 90000);
        const std::int32_t at = findAndCheck(data);
        store.insert(at, rowWithData(data));
        reference.insert(reference.begin() + at, data);
        if (i % 5 == 0) {
            store.keyAt(at).assign(text(data), stamp); // as a sorted insertion hands its key on
        }
    }
    // A new folding stamp: every key, and every copy of a chunk's last key, is stale.
    stamp = 2;
    made = 0;
    findAndCheck(45000);
    EXPECT_GT(made, 0);
    const int madeFirst = made;
    findAndCheck(45001);
    EXPECT_LT(made - madeFirst, madeFirst); // the keys made by the first search stay
    // Rows change their data in place, keeping the order; their keys are marked through the
    // store, including the last rows of chunks, whose copies must not be used any more.
    std::vector<std::int32_t> before;
    for (std::int32_t i = 1; i < store.size(); i += 2) {
        const std::int32_t below = reference[static_cast<std::size_t>(i - 1)];
        std::int32_t& data = reference[static_cast<std::size_t>(i)];
        before.push_back(data);
        data = below + (data - below) / 2;
        store.at(i).item.itemData = data;
        store.keyAt(i).invalidate();
    }
    for (const std::int32_t old : before) {
        findAndCheck(old);
    }
    // Removals that empty chunks, then the keys travel with their rows through a new order
    // and back.
    for (int k = 0; k < 1200; ++k) {
        store.erase(700);
        reference.erase(reference.begin() + 700);
    }
    std::vector<std::int32_t> order(reference.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<std::int32_t>((i * 7) % order.size());
    }
    ASSERT_NE(order.size() % 7, 0u); // every index once
    store.permute(order);
    store.forEachKeyFrom(0, [&](std::int32_t, ListRow& r, OrderKey& key) {
        EXPECT_TRUE(key.stamp() != stamp || key.view() == text(r.item.itemData));
        return true;
    });
    std::vector<std::int32_t> back(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        back[static_cast<std::size_t>(order[i])] = static_cast<std::int32_t>(i);
    }
    store.permute(back);
    for (std::int32_t probe = 5; probe < 90000; probe += 3333) {
        findAndCheck(probe);
    }
}

struct GridFixture : ::testing::Test {
    ListGrid grid;
    void SetUp() override {
        grid.insertColumn(0, 100, kFormatRight);
        grid.insertColumn(1, 60, 0);
        for (int i = 0; i < 5; ++i) {
            grid.insertRow(grid.rowCount(), 18).cells[0].text =
                std::string(1, static_cast<char>('a' + i));
        }
    }
    std::size_t selectedRows() {
        std::size_t n = 0;
        for (std::int32_t r = 1; r < grid.rowCount(); ++r)
            n += grid.isSelected(r, 0) ? 1 : 0;
        return n;
    }
};

TEST_F(GridFixture, NewCellsInheritTheFormatAbove) {
    EXPECT_EQ(grid.cell(3, 0)->format, kFormatRight);
    EXPECT_EQ(grid.rowHeight(3), 18);
    EXPECT_EQ(grid.cell(9, 0), nullptr);
    EXPECT_EQ(grid.rowHeight(9), -1);

    // A cell given a format of its own passes it on to a row inserted below it only.
    ListCellInfo info;
    info.row = 3;
    info.mask = LCIF_FORMAT;
    info.format = kFormatCenter;
    ASSERT_TRUE(grid.writeCell(info));
    grid.insertRow(4, 18);
    grid.insertRow(2, 18);
    EXPECT_EQ(grid.cell(5, 0)->format, kFormatCenter);
    EXPECT_EQ(grid.cell(2, 0)->format, kFormatRight);
    EXPECT_EQ(grid.cell(2, 1)->format, 0u);

    // A header format changed while items are listed is not taken by the next item.
    info.row = 0;
    info.format = kFormatBottom;
    ASSERT_TRUE(grid.writeCell(info));
    grid.insertRow(2, 18);
    EXPECT_EQ(grid.cell(2, 0)->format, kFormatRight);
    while (grid.removeRow(1)) {
    }
    grid.insertRow(1, 18);
    EXPECT_EQ(grid.cell(1, 0)->format, kFormatBottom);
}

TEST_F(GridFixture, CurrentRowFollowsRowsAndTheSelectionMirrorsIt) {
    ASSERT_TRUE(grid.setCurrentRow(3));
    EXPECT_EQ(grid.selectedCellCount(), 2u);
    grid.insertRow(1, 18);
    EXPECT_EQ(grid.currentRow(), 4);
    EXPECT_TRUE(grid.isSelected(4, 1));
    EXPECT_EQ(selectedRows(), 1u);
    grid.removeRow(1);
    EXPECT_EQ(grid.currentRow(), 3);
    EXPECT_EQ(grid.cell(3, 0)->text, "c");
    EXPECT_TRUE(grid.isSelected(3, 0));
    grid.removeRow(3);
    EXPECT_EQ(grid.currentRow(), -1);
    EXPECT_EQ(grid.selectedCellCount(), 0u);
    EXPECT_EQ(selectedRows(), 0u);

    grid.item(0).item.enabled = false;
    EXPECT_FALSE(grid.setCurrentRow(1));
    grid.item(1).item.masked = true;
    EXPECT_FALSE(grid.setCurrentRow(2));
    EXPECT_FALSE(grid.setCurrentRow(0)) << "the header row is no item";
    EXPECT_EQ(grid.currentRow(), -1);
}

TEST_F(GridFixture, RemovingTheCurrentColumnResetsTheCurrentCell) {
    grid.setCurrentRow(2);
    grid.insertColumn(0, 30, 0);
    EXPECT_EQ(grid.currentColumn(), 1);
    EXPECT_EQ(grid.cell(2, 1)->text, "b");
    grid.removeColumn(0);
    EXPECT_EQ(grid.currentColumn(), 0);
    EXPECT_EQ(grid.currentRow(), 2);
    grid.removeColumn(0);
    EXPECT_EQ(grid.currentRow(), -1);
    EXPECT_EQ(grid.columnCount(), 1);
    EXPECT_EQ(grid.columnWidth(0), 60);
}

TEST_F(GridFixture, CellsAreReadAndWrittenByMask) {
    ListCellInfo in;
    in.row = 2;
    in.column = 0;
    in.mask = LCIF_TEXT | LCIF_FORECOLOR;
    in.text = "new";
    in.foreColor = 0x123456;
    in.backColor = 0x654321; // not in the mask
    in.item.setKey("k");     // always transferred
    ASSERT_TRUE(grid.writeCell(in));
    ListCellInfo out;
    out.row = 2;
    out.column = 0;
    out.mask = kFullMask;
    ASSERT_TRUE(grid.readCell(out));
    EXPECT_EQ(out.text, "new");
    EXPECT_EQ(out.foreColor, 0x123456u);
    EXPECT_EQ(out.backColor, CLR_CELL_DEFAULT);
    EXPECT_EQ(out.item.key(), "k");
    out.row = 7;
    EXPECT_FALSE(grid.readCell(out));
}

} // namespace
} // namespace vantil
