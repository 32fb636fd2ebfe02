// The context menu and text drag and drop of a run-time control, through a window that records
// the popup it is asked to show and runs a scripted drag loop.
#include "control/core/ContextMenu.h"
#include "control/core/DataObject.h"
#include "control/core/DragDrop.h"
#include "control/core/EventTable.h"
#include "tests/edit/EditTestSupport.h"

#include <functional>

namespace vantil::test {
namespace {

struct MenuView final : ControlView {
    std::vector<PopupItem> shown;
    int shows = 0;
    std::optional<int> choice;
    std::function<std::int32_t(std::string_view, std::int32_t)> dragLoop;

    void propertyChanged(DispId) override {}
    void propertiesLoaded() override {}
    std::intptr_t windowHandle() const override { return 1; }
    std::optional<int> showContextMenu(std::span<const PopupItem> items, int, int) override {
        shown.assign(items.begin(), items.end());
        ++shows;
        return choice;
    }
    std::int32_t runDrag(std::string_view text, std::int32_t effects) override {
        return dragLoop(text, effects);
    }
};

struct MenuPlatform final : ControlPlatform {
    FakeClipboard clip;
    MenuView* view = nullptr;
    ControlPlatform* previous = controlPlatform();
    MenuPlatform() { installControlPlatform(this); }
    ~MenuPlatform() override { installControlPlatform(previous); }
    AboutBoxService* aboutBox() override { return nullptr; }
    Clipboard* clipboard() override { return &clip; }
    std::unique_ptr<ControlView> createView(CVantilCtrl&, void*, int, int, int, int) override {
        auto v = std::make_unique<MenuView>();
        view = v.get();
        return v;
    }
};

// Each event with its arguments' values; `answer` may write the by-reference ones.
struct Handler : plat::automation::EventSink {
    std::vector<DispId> ids;
    std::vector<std::vector<Variant>> args;
    std::function<void(DispId, std::span<Variant>)> answer = [](DispId, std::span<Variant>) {};
    void onEvent(DispId id, std::span<Variant> a) override {
        answer(id, a);
        ids.push_back(id);
        args.emplace_back();
        for (const Variant& v : a) {
            args.back().push_back(v.deref());
        }
    }
};

struct MenuControl : ListControl {
    MenuPlatform platform;
    Handler events;
    MenuControl(std::string_view utf8, std::int32_t selStart, std::int32_t selLength) {
        ctrl->activateInPlace(0, 0, 200, 24);
        ctrl->editArea().focusIn();
        put(u"Text", text(utf8));
        ctrl->editArea().setSelStart(selStart);
        ctrl->editArea().setSelLength(selLength);
        ctrl->advise(&events);
    }
    ~MenuControl() { ctrl->unadvise(&events); }
    MenuView& view() { return *platform.view; }
    std::string now() { return plat::text::cp932::toUtf8(ctrl->properties().text); }
    // The popup's lines: "-" a separator, a greyed entry's caption in brackets.
    std::string popup() {
        ctrl->requestContextMenu(10, 10);
        std::string out;
        for (const PopupItem& i : view().shown) {
            const std::string c = plat::text::cp932::toUtf8(i.caption);
            out += i.kind == PopupItem::Kind::Separator ? "-" : i.enabled ? c : "[" + c + "]";
            out += "|";
        }
        return out;
    }
};

TEST(ContextMenu, LinesSeparatorsGreyingAndTheProtectedBuiltInEntries) {
    MenuControl c("", 0, 0);
    EXPECT_EQ(c.popup(), "[元に戻す(&U)]|-|[切り取り(&T)]|[ｺﾋﾟｰ(&C)]|[貼り付け(&P)]|[削除(&D)]|-|"
                         "[すべて選択(&A)]|")
        << "an empty control without clipboard text greys every built-in entry";
    c.ctrl->editArea().keyPress('a', {});
    c.ctrl->editArea().selectAll(true);
    c.platform.clip.content = "x";
    EXPECT_EQ(c.popup(),
              "元に戻す(&U)|-|切り取り(&T)|ｺﾋﾟｰ(&C)|貼り付け(&P)|削除(&D)|-|すべて選択(&A)|");

    // The host may disable a built-in entry.
    c.put(u"MenuEnabled", Variant(false), {num(3)});
    c.ctrl->properties().locked = true;
    EXPECT_EQ(c.popup(), "[元に戻す(&U)]|-|[切り取り(&T)]|ｺﾋﾟｰ(&C)|[貼り付け(&P)]|[削除(&D)]|-|"
                         "すべて選択(&A)|");

    // A host entry follows select all directly; no separator follows a hidden undo.
    c.ctrl->properties().locked = false;
    c.put(u"MenuCaption", text("検索(&F)"), {num(12)});
    c.put(u"MenuHidden", Variant(false), {num(12)});
    c.call(u"SetMenuItem", {num(11), text("x"), Variant(true), Variant(false), Variant(true)});
    c.put(u"MenuHidden", Variant(true), {num(0)});
    EXPECT_EQ(c.popup(),
              "切り取り(&T)|ｺﾋﾟｰ(&C)|[貼り付け(&P)]|削除(&D)|-|すべて選択(&A)|-|検索(&F)|");
}

TEST(ContextMenu, BeforePopupCancelsAndAChosenEntryRaisesMenuClickedBeforeChangeText) {
    MenuControl c("abc", 1, 2);
    c.view().choice = 1; // cut
    c.events.answer = [](DispId id, std::span<Variant> a) {
        if (id == events::BeforePopup) {
            a[0].assign(Variant(true));
        }
    };
    c.ctrl->requestContextMenu(5, 5);
    EXPECT_EQ(c.view().shows, 0) << "a cancelled menu is not shown";
    EXPECT_EQ(c.now(), "abc");

    c.events = Handler();
    c.ctrl->requestContextMenu(5, 5);
    EXPECT_EQ(c.now(), "a");
    EXPECT_EQ(c.platform.clip.utf8(), "bc");
    EXPECT_EQ(c.events.ids,
              (std::vector<DispId>{events::BeforePopup, events::MenuClicked, events::ChangeText}));
    EXPECT_EQ(c.events.args[1].at(0).toLong(), 1);

    // Host entries only report the click, entry 19 as well.
    c.view().choice = 19;
    c.ctrl->requestContextMenu(5, 5);
    EXPECT_EQ(c.events.ids.back(), events::MenuClicked);
    EXPECT_EQ(c.events.args.back().at(0).toLong(), 19);

    c.ctrl->editArea().focusOut();
    c.ctrl->requestContextMenu(5, 5);
    EXPECT_EQ(c.view().shows, 2) << "no menu without focus";
}

DropPoint at(std::int32_t charIndex, std::string_view utf8, bool ctrl = false) {
    DropPoint p{sj(utf8), KeyModifiers{false, ctrl, false}, 1, 12.5F, 7, charIndex};
    return p;
}

TEST(DropTarget, AutomaticDropInsertsAtThePointerManualDropOnlyReports) {
    MenuControl c("abc", 0, 0);
    DragDrop& dnd = c.ctrl->dragDrop();
    EXPECT_EQ(dnd.drop(at(1, "XY")), dropeffect::None) << "OLEDropMode 0 takes no drops";

    c.put(u"OLEDropMode", num(2));
    EXPECT_EQ(dnd.dragOver(at(2, "XY"), DragState::Enter), dropeffect::Move);
    EXPECT_EQ(c.ctrl->editArea().buffer().caret(), 2) << "the caret follows the pointer";
    EXPECT_EQ(dnd.drop(at(1, "日本", true)), dropeffect::Copy);
    EXPECT_EQ(c.now(), "a日本bc");
    EXPECT_EQ(c.events.ids, std::vector<DispId>{events::ChangeText});
    DropPoint noText = at(0, "");
    noText.text.reset();
    EXPECT_EQ(dnd.drop(noText), dropeffect::None);
    c.ctrl->properties().locked = true;
    EXPECT_EQ(dnd.drop(at(0, "Z")), dropeffect::None);
    c.ctrl->properties().locked = false;

    // Manual: the handler sees the text through the data object and decides the effect.
    c.put(u"OLEDropMode", num(1));
    c.events = Handler();
    std::u16string seen;
    c.events.answer = [&](DispId id, std::span<Variant> a) {
        seen = plat::automation::callMethod(*a[0].deref().asObject(), u"GetData").asString();
        if (id == events::OLEDragOver) {
            a[1].assign(Variant(dropeffect::Copy));
        }
    };
    EXPECT_EQ(dnd.dragOver(at(1, "XY"), DragState::Enter), dropeffect::Copy);
    EXPECT_EQ(seen, u"XY");
    dnd.dragLeave();
    EXPECT_EQ(c.events.args.back().at(6).toLong(), static_cast<int>(DragState::Leave));
    EXPECT_FLOAT_EQ(c.events.args.back().at(4).toSingle(), 12.5F);
    EXPECT_EQ(dnd.drop(at(1, "XY")), dropeffect::Move);
    EXPECT_EQ(c.events.ids.back(), events::OLEDragDrop);
    EXPECT_EQ(c.now(), "a日本bc");
}

TEST(DragSource, TheLoopGetsTheSelectionAndAMoveElsewhereDeletesIt) {
    MenuControl c("abcd", 1, 2);
    c.put(u"OLEDropMode", num(2));
    std::string dragged;
    std::int32_t allowed = -1;
    // On its way out the pointer passes over the control, which moves the caret.
    c.view().dragLoop = [&](std::string_view text, std::int32_t effects) {
        dragged = plat::text::cp932::toUtf8(text);
        allowed = effects;
        c.ctrl->dragDrop().dragOver(at(4, "bc"), DragState::Enter);
        return dropeffect::Move;
    };
    c.call(u"OLEDrag");
    EXPECT_EQ(dragged, "bc");
    EXPECT_EQ(allowed, dropeffect::Copy | dropeffect::Move);
    EXPECT_EQ(c.now(), "ad");
    EXPECT_EQ(c.events.ids, (std::vector<DispId>{events::OLEStartDrag, events::OLECompleteDrag,
                                                 events::ChangeText}));
    EXPECT_EQ(c.events.args[1].at(0).toLong(), dropeffect::Move);

    // A move dropped onto the control itself inserts the text and deletes nothing.
    c.ctrl->editArea().selectAll(true);
    c.view().dragLoop = [&](std::string_view text, std::int32_t) {
        c.ctrl->dragDrop().drop(at(2, plat::text::cp932::toUtf8(text)));
        return dropeffect::Move;
    };
    c.call(u"OLEDrag");
    EXPECT_EQ(c.now(), "adad");

    // A handler that allows no effect stops the drag before the loop.
    c.events.answer = [](DispId id, std::span<Variant> a) {
        if (id == events::OLEStartDrag) {
            a[1].assign(Variant(std::int32_t{0}));
        }
    };
    c.events.ids.clear();
    c.view().dragLoop = nullptr;
    c.ctrl->editArea().selectAll(true);
    c.call(u"OLEDrag");
    EXPECT_EQ(c.events.ids, std::vector<DispId>{events::OLEStartDrag});
}

} // namespace
} // namespace vantil::test
