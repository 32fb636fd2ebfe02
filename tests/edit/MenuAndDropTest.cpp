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

using plat::automation::VarType;

class MenuView final : public ControlView {
public:
    std::vector<std::vector<PopupItem>> shown;
    std::optional<int> choice;
    std::function<std::int32_t(std::string_view, std::int32_t)> dragLoop;

    void propertyChanged(DispId) override {}
    void propertiesLoaded() override {}
    std::intptr_t windowHandle() const override { return 1; }
    std::optional<int> showContextMenu(std::span<const PopupItem> items, int, int) override {
        shown.emplace_back(items.begin(), items.end());
        return choice;
    }
    std::int32_t runDrag(std::string_view text, std::int32_t effects) override {
        return dragLoop ? dragLoop(text, effects) : 0;
    }
};

class MenuPlatform final : public ControlPlatform {
public:
    FakeClipboard clipboard_;
    MenuView* view = nullptr;
    MenuPlatform() : previous_(controlPlatform()) { installControlPlatform(this); }
    ~MenuPlatform() override { installControlPlatform(previous_); }
    AboutBoxService* aboutBox() override { return nullptr; }
    Clipboard* clipboard() override { return &clipboard_; }
    std::unique_ptr<ControlView> createView(CVantilCtrl&, void*, int, int, int, int) override {
        auto v = std::make_unique<MenuView>();
        view = v.get();
        return v;
    }

private:
    ControlPlatform* previous_;
};

// Records each event with its arguments' values and lets a test answer it.
struct Handler : plat::automation::EventSink {
    std::vector<std::pair<DispId, std::vector<Variant>>> raised;
    std::function<void(DispId, std::span<Variant>)> answer;
    void onEvent(DispId id, std::span<Variant> args) override {
        if (answer) {
            answer(id, args);
        }
        std::vector<Variant> values;
        for (const Variant& a : args) {
            values.push_back(a.deref());
        }
        raised.emplace_back(id, std::move(values));
    }
    std::vector<DispId> ids() const {
        std::vector<DispId> out;
        for (const auto& r : raised) {
            out.push_back(r.first);
        }
        return out;
    }
};

struct MenuControl : ListControl {
    MenuPlatform platform;
    Handler handler;
    MenuControl() {
        ctrl->activateInPlace(0, 0, 200, 24);
        ctrl->advise(&handler);
        ctrl->editArea().focusIn();
    }
    ~MenuControl() { ctrl->unadvise(&handler); }
    MenuView& view() { return *platform.view; }
    std::string textUtf8() { return plat::text::cp932::toUtf8(ctrl->properties().text); }
    void setText(std::string_view utf8) {
        put(u"Text", text(utf8));
        handler.raised.clear();
    }
    // The popup's lines as "-" for a separator and the caption, greyed ones in brackets.
    std::vector<std::string> popup() {
        view().shown.clear();
        ctrl->requestContextMenu(10, 10);
        EXPECT_EQ(view().shown.size(), 1U);
        std::vector<std::string> out;
        for (const PopupItem& i :
             view().shown.empty() ? std::vector<PopupItem>{} : view().shown.front()) {
            const std::string c = plat::text::cp932::toUtf8(i.caption);
            out.push_back(i.kind == PopupItem::Kind::Separator ? "-"
                          : i.enabled                          ? c
                                                               : "[" + c + "]");
        }
        return out;
    }
};

constexpr const char* kUndo = "元に戻す(&U)";
constexpr const char* kCut = "切り取り(&T)";
constexpr const char* kCopy = "ｺﾋﾟｰ(&C)";
constexpr const char* kPaste = "貼り付け(&P)";
constexpr const char* kDelete = "削除(&D)";
constexpr const char* kSelectAll = "すべて選択(&A)";

TEST(ContextMenu, LinesSeparatorsGreyingAndTheProtectedBuiltInEntries) {
    MenuControl c;
    using V = std::vector<std::string>;
    EXPECT_EQ(c.popup(),
              (V{"[" + std::string(kUndo) + "]", "-", "[" + std::string(kCut) + "]",
                 "[" + std::string(kCopy) + "]", "[" + std::string(kPaste) + "]",
                 "[" + std::string(kDelete) + "]", "-", "[" + std::string(kSelectAll) + "]"}))
        << "an empty control without clipboard text greys every built-in entry";

    for (const char ch : std::string_view("abc")) {
        c.ctrl->editArea().keyPress(static_cast<unsigned>(ch), {});
    }
    c.ctrl->editArea().selectAll(true);
    c.platform.clipboard_.content = sj("x");
    EXPECT_EQ(c.popup(), (V{kUndo, "-", kCut, kCopy, kPaste, kDelete, "-", kSelectAll}));

    // Built-in captions and separators are fixed; their enabled flag is the host's.
    EXPECT_EQ(c.tryPut(u"MenuCaption", text("x"), {num(3)}).number(), 380);
    EXPECT_EQ(c.tryPut(u"MenuSeparator", Variant(true), {num(3)}).number(), 380);
    EXPECT_EQ(c.tryPut(u"MenuHidden", Variant(false), {num(7)}).number(), 380);
    c.put(u"MenuEnabled", Variant(false), {num(3)});
    c.ctrl->properties().locked = true;
    EXPECT_EQ(c.popup(), (V{"[" + std::string(kUndo) + "]", "-", "[" + std::string(kCut) + "]",
                            kCopy, "[" + std::string(kPaste) + "]",
                            "[" + std::string(kDelete) + "]", "-", kSelectAll}));

    // A host entry follows select all directly; a host separator entry is a separator.
    c.ctrl->properties().locked = false;
    c.put(u"MenuEnabled", Variant(true), {num(3)});
    c.put(u"MenuCaption", text("検索(&F)"), {num(12)});
    c.put(u"MenuHidden", Variant(false), {num(12)});
    c.call(u"SetMenuItem", {num(11), text("無視"), Variant(true), Variant(false), Variant(true)});
    c.put(u"MenuHidden", Variant(true), {num(0)});
    EXPECT_EQ(c.popup(), (V{kCut, kCopy, kPaste, kDelete, "-", kSelectAll, "-", "検索(&F)"}))
        << "no separator is added after a hidden undo";
}

TEST(ContextMenu, BeforePopupCancelsAndAChosenEntryRaisesMenuClickedBeforeChangeText) {
    MenuControl c;
    c.setText("abc");
    c.ctrl->editArea().setSelStart(1);
    c.ctrl->editArea().setSelLength(2);
    c.handler.answer = [](DispId id, std::span<Variant> args) {
        if (id == events::BeforePopup) {
            args[0].assign(Variant(true));
        }
    };
    c.view().choice = 1;
    c.ctrl->requestContextMenu(5, 5);
    EXPECT_TRUE(c.view().shown.empty()) << "a cancelled menu is not shown";
    EXPECT_EQ(c.handler.ids(), std::vector<DispId>{events::BeforePopup});
    EXPECT_EQ(c.textUtf8(), "abc");

    c.handler.answer = nullptr;
    c.handler.raised.clear();
    c.ctrl->requestContextMenu(5, 5); // cut
    EXPECT_EQ(c.textUtf8(), "a");
    EXPECT_EQ(c.platform.clipboard_.utf8(), "bc");
    EXPECT_EQ(c.handler.ids(),
              (std::vector<DispId>{events::BeforePopup, events::MenuClicked, events::ChangeText}));
    EXPECT_EQ(c.handler.raised[1].second.at(0).toLong(), 1);
    EXPECT_EQ(c.listIndex(), -1);

    // Host entries only report the click; entry 19 reports it too.
    for (const int id : {12, 19}) {
        c.handler.raised.clear();
        c.view().choice = id;
        c.ctrl->requestContextMenu(5, 5);
        EXPECT_EQ(c.handler.ids(), (std::vector<DispId>{events::BeforePopup, events::MenuClicked}));
        EXPECT_EQ(c.handler.raised.back().second.at(0).toLong(), id);
    }

    // Without focus the menu does not open at all.
    c.ctrl->editArea().focusOut();
    c.handler.raised.clear();
    c.ctrl->requestContextMenu(5, 5);
    EXPECT_TRUE(c.handler.raised.empty());
}

DropPoint at(std::int32_t charIndex, std::string_view utf8, bool ctrl = false) {
    DropPoint p;
    p.text = sj(utf8);
    p.mods.ctrl = ctrl;
    p.buttons = 1;
    p.x = 12.5F;
    p.y = 7;
    p.charIndex = charIndex;
    return p;
}

TEST(DropTarget, AutomaticDropInsertsAtThePointerAndRefusesWhatItCannotTake) {
    MenuControl c;
    DragDrop& dnd = c.ctrl->dragDrop();
    c.setText("abc");
    EXPECT_FALSE(dnd.acceptsDrops()) << "OLEDropMode 0 takes no drops";
    EXPECT_EQ(dnd.drop(at(1, "XY")), dropeffect::None);

    c.put(u"OLEDropMode", num(2));
    EXPECT_EQ(dnd.dragOver(at(2, "XY"), DragState::Enter), dropeffect::Move);
    EXPECT_EQ(c.ctrl->editArea().buffer().caret(), 2) << "the caret follows the pointer";
    EXPECT_EQ(dnd.dragOver(at(1, "XY", true), DragState::Over), dropeffect::Copy);
    c.handler.raised.clear();
    EXPECT_EQ(dnd.drop(at(1, "日本", true)), dropeffect::Copy);
    EXPECT_EQ(c.textUtf8(), "a日本bc");
    EXPECT_EQ(c.handler.ids(), std::vector<DispId>{events::ChangeText});

    DropPoint noText = at(0, "");
    noText.text.reset();
    EXPECT_EQ(dnd.drop(noText), dropeffect::None);
    c.ctrl->properties().locked = true;
    EXPECT_EQ(dnd.drop(at(0, "Z")), dropeffect::None);
    EXPECT_EQ(c.textUtf8(), "a日本bc");
}

TEST(DropTarget, ManualModeReportsTheDragAndReadsTheEffectBack) {
    MenuControl c;
    DragDrop& dnd = c.ctrl->dragDrop();
    c.setText("abc");
    c.put(u"OLEDropMode", num(1));
    std::u16string seen;
    c.handler.answer = [&](DispId id, std::span<Variant> args) {
        auto data = std::dynamic_pointer_cast<DataObject>(args[0].deref().asObject());
        seen = data ? plat::automation::callMethod(*data, u"GetData").asString() : u"?";
        if (id == events::OLEDragOver) {
            args[1].assign(Variant(dropeffect::Copy));
        }
    };
    EXPECT_EQ(dnd.dragOver(at(1, "XY"), DragState::Enter), dropeffect::Copy);
    EXPECT_EQ(seen, u"XY");
    dnd.dragLeave();
    ASSERT_EQ(c.handler.raised.size(), 2U);
    const std::vector<Variant>& leave = c.handler.raised[1].second;
    EXPECT_EQ(leave.at(6).toLong(), static_cast<int>(DragState::Leave));
    EXPECT_EQ(leave.at(2).toLong(), 1) << "Button";
    EXPECT_FLOAT_EQ(leave.at(4).toSingle(), 12.5F);

    EXPECT_EQ(dnd.drop(at(1, "XY")), dropeffect::Move) << "the handler left the effect as is";
    EXPECT_EQ(c.handler.ids().back(), events::OLEDragDrop);
    EXPECT_EQ(c.textUtf8(), "abc") << "a manual drop leaves the text to the host";
}

TEST(DragSource, TheLoopGetsTheSelectionAndAMoveElsewhereDeletesIt) {
    MenuControl c;
    c.setText("abcd");
    c.ctrl->editArea().setSelStart(1);
    c.ctrl->editArea().setSelLength(2);
    c.put(u"OLEDropMode", num(2));
    std::string dragged;
    std::int32_t allowed = -1;
    // The pointer passes over the control itself on its way out, moving the caret.
    c.view().dragLoop = [&](std::string_view text, std::int32_t effects) {
        dragged = plat::text::cp932::toUtf8(text);
        allowed = effects;
        c.ctrl->dragDrop().dragOver(at(4, "bc"), DragState::Enter);
        c.ctrl->dragDrop().dragLeave();
        return dropeffect::Move;
    };
    c.call(u"OLEDrag");
    EXPECT_EQ(dragged, "bc");
    EXPECT_EQ(allowed, dropeffect::Copy | dropeffect::Move);
    EXPECT_EQ(c.textUtf8(), "ad");
    EXPECT_EQ(c.handler.ids(), (std::vector<DispId>{events::OLEStartDrag, events::OLECompleteDrag,
                                                    events::ChangeText}));
    EXPECT_EQ(c.handler.raised[1].second.at(0).toLong(), dropeffect::Move);

    // A move dropped onto the control itself inserts the text and deletes nothing.
    c.setText("abcd");
    c.ctrl->editArea().setSelStart(0);
    c.ctrl->editArea().setSelLength(2);
    c.view().dragLoop = [&](std::string_view text, std::int32_t) {
        c.ctrl->dragDrop().drop(at(4, plat::text::cp932::toUtf8(text)));
        return dropeffect::Move;
    };
    c.call(u"OLEDrag");
    EXPECT_EQ(c.textUtf8(), "abcdab");

    // A handler that allows no effect stops the drag before the loop.
    c.handler.answer = [](DispId id, std::span<Variant> args) {
        if (id == events::OLEStartDrag) {
            args[1].assign(Variant(std::int32_t{0}));
        }
    };
    c.handler.raised.clear();
    c.view().dragLoop = [&](std::string_view, std::int32_t) -> std::int32_t {
        ADD_FAILURE() << "the drag loop ran";
        return 0;
    };
    c.ctrl->editArea().selectAll(true);
    c.call(u"OLEDrag");
    EXPECT_EQ(c.handler.ids(), std::vector<DispId>{events::OLEStartDrag});
}

} // namespace
} // namespace vantil::test
