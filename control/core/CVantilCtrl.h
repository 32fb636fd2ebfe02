// The combo control object: its dispatch interface _DVantil built from the member table, the
// setter rules every property follows, the embedding contract (site, reset, load and save)
// and its event connections.
#pragma once

#include "control/core/ControlPlatform.h"
#include "control/core/ControlProperties.h"
#include "control/core/ListWindowView.h"
#include "control/core/MemberTable.h"
#include "control/core/PropertyPersistence.h"
#include "control/core/binding/DataBinding.h"
#include "control/core/edit/EditArea.h"
#include "platform/automation/ControlObject.h"
#include "platform/automation/DispatchObject.h"
#include "platform/automation/EventSink.h"
#include "platform/automation/FontObject.h"
#include "platform/automation/HostSite.h"

#include <memory>
#include <optional>
#include <span>
#include <string>

namespace vantil {

class ContextMenu;
class DragDrop;

// The BorderWidth that setting BorderStyle gives.
std::int16_t standardBorderWidth(BorderStyleConstants style);

// Value of GetPpgStatus: one bit for each of the six built-in context-menu entries.
inline constexpr std::int32_t kPpgStatus = 63;

class CVantilCtrl final : public plat::automation::DispatchObject,
                          public plat::automation::ControlObject,
                          public plat::automation::EventSource {
public:
    using Variant = plat::automation::Variant;
    using Status = plat::automation::Status;

    CVantilCtrl();
    ~CVantilCtrl() override;
    CVantilCtrl(const CVantilCtrl&) = delete;
    CVantilCtrl& operator=(const CVantilCtrl&) = delete;

    // ---- Dispatch facets ----
    plat::automation::EventSource* eventSource() override { return this; }
    plat::automation::ControlObject* controlObject() override { return this; }

    // ---- ControlObject ----
    void setClientSite(plat::automation::HostSite* site) override;
    Status initNew() override;
    Status load(const plat::automation::PropertyBag& bag,
                plat::automation::AutomationError* error) override;
    Status save(plat::automation::PropertyBag& bag, bool clearDirty) override;
    Status load(plat::automation::StreamStore& stream,
                plat::automation::AutomationError* error) override;
    Status save(plat::automation::StreamStore& stream, bool clearDirty) override;
    bool isDirty() const override { return dirty_; }
    void ambientPropertyChanged(DispId id) override;
    void setExtent(std::int32_t width, std::int32_t height) override;
    void extent(std::int32_t& width, std::int32_t& height) const override;
    Status activateInPlace(int x, int y, int widthPx, int heightPx) override;
    void deactivate() override;
    void close() override;

    // ---- EventSource ----
    void advise(plat::automation::EventSink* sink) override { sinks_.add(sink); }
    void unadvise(plat::automation::EventSink* sink) override { sinks_.remove(sink); }
    const plat::automation::TypeInfo* eventTypeInfo() const override;

    // ---- For the control's own modules ----
    const ControlProperties& properties() const { return props_; }
    ControlProperties& properties() { return props_; }
    // The host's design mode: a site whose ambient user mode is false.
    bool designMode() const;
    // The host's site; nullptr before the host gave one.
    plat::automation::HostSite* site() const { return site_; }
    // The list engine the control uses; a control owns the one the installed factory made,
    // tests may set one of their own (nullptr: an empty list).
    void setListEngine(ListEngine* engine) { list_ = engine; }
    ListEngine* listEngine() const { return list_; }
    // The drop-down list window while the control's window exists (nullptr: none).
    void setListWindow(ListWindowView* window) { listWindow_ = window; }
    ListWindowView* listWindow() const { return listWindow_; }
    std::int32_t listCount() const;
    // Setter rule 3 after a store: refresh and repaint, tell the host, mark modified.
    void propertyChanged(DispId id);
    void setModified();
    // Tells the host that property `id` changed and marks the control modified, leaving the
    // repaint to the caller.
    void notifyHost(DispId id);
    // The bound text follows the text (or the committed row's bound value); false when the host
    // refuses the change of BoundText.
    bool refreshBoundText();
    // RowSource, the fill of the list from it and BoundText.
    DataBinding& binding() { return *binding_; }
    // The control's window painted itself.
    void windowPainted() { binding_->windowPainted(); }
    // No list row is current any more and ListIndex is -1.
    void clearListRow();
    // The input area; its keyboard, focus and pointer handlers are what the window forwards to.
    EditArea& editArea() { return *edit_; }
    // The control's window; nullptr while it is not activated.
    ControlView* view() const { return view_.get(); }
    // Raises an event to the host. A handler may close or destroy the control: the answer is
    // false when the control did not come through (destroyed, or its window closed), and the
    // caller then returns without touching the control or anything it owns.
    [[nodiscard]] bool fireEvent(DispId id, std::span<Variant> args = {});
    // Watches the control across a call that runs host code (an event, a nested menu or drag
    // loop): survived() is false once the control is gone or its window was closed.
    class LifeWatch {
    public:
        explicit LifeWatch(const CVantilCtrl& control)
            : life_(control.life_), view_(control.view_.get()), control_(&control) {}
        bool survived() const { return !life_.expired() && control_->view_.get() == view_; }

    private:
        std::weak_ptr<const char> life_;
        const ControlView* view_;
        const CVantilCtrl* control_;
    };
    // The right button was released, or the Applications key or Shift+F10 pressed: the context
    // menu opens at client point (x, y) of the control's window (keys pass the centre).
    void requestContextMenu(int x, int y);
    ContextMenu& contextMenu() { return *menu_; }
    // Drag source and drop target of the control's text.
    DragDrop& dragDrop() { return *dragDrop_; }

    // The property browser's text for the current value of an enumerated property (UTF-8;
    // empty when the value has none); nullopt for members that are not enumerated.
    std::optional<std::string> browserDisplayText(DispId id);

    // Reads and writes of a member by its table row; what invoke() runs.
    Variant get(const Member& m, std::span<Variant> args);
    void put(const Member& m, std::span<Variant> args, const Variant& value);
    Variant call(const Member& m, std::span<Variant> args);

private:
    void defineMembers();
    AmbientDefaults ambientDefaults() const;
    void exchange(plat::automation::PropertyExchange& ex);
    void afterLoad();
    void syncFontObjects();
    void dropFontListeners();

    Variant getStored(const Member& m) const;
    void putStored(const Member& m, const Variant& value);
    bool putSpecial(const Member& m, std::span<Variant> args, const Variant& value);
    void putListIndex(const Variant& value);
    void putText(const Variant& value);
    void putCaption(const Member& m, const Variant& value);
    void putBoundText(const Variant& value);
    void putRowSource(const Variant& value);
    bool getSpecial(const Member& m, std::span<Variant> args, Variant& out);
    Color resolvedCaptionColor(DispId id) const;
    std::size_t listFieldColumn(const Variant& index) const;
    void putBorderStyle(BorderStyleConstants style);
    void putFont(DispId id, const Variant& value);
    void putMouseIcon(const Variant& value);
    void putMenuMember(DispId id, std::span<Variant> args, const Variant& value);
    Variant getMenuMember(DispId id, std::span<Variant> args) const;
    Variant setMenuItem(std::span<Variant> args);
    Variant getMenuItem(std::span<Variant> args) const;
    Variant setColumnData(std::span<Variant> args);
    Variant getColumnData(std::span<Variant> args) const;
    Variant selText() const;
    void selectAll(const Variant& cancel);
    void aboutBox();
    [[noreturn]] void notYetAvailable() const;

    ControlProperties props_;
    plat::automation::HostSite* site_ = nullptr;
    std::shared_ptr<plat::automation::FontObject> font_;
    std::shared_ptr<plat::automation::FontObject> captionFont_;
    std::unique_ptr<ControlView> view_;
    std::unique_ptr<ListEngine> ownedList_;
    ListEngine* list_ = nullptr;
    ListWindowView* listWindow_ = nullptr;
    plat::automation::EventSinkList sinks_;
    std::unique_ptr<EditArea> edit_;
    // After the list engine, so a running fill stops before the engine goes.
    std::unique_ptr<DataBinding> binding_;
    std::unique_ptr<ContextMenu> menu_;
    std::unique_ptr<DragDrop> dragDrop_;
    bool dirty_ = false;
    // Expires with the control; LifeWatch holds a weak reference to it.
    std::shared_ptr<const char> life_ = std::make_shared<const char>('\0');
};

} // namespace vantil
