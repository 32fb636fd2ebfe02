// A component control hosted on a Qt form: the instance is created by class identifier through
// the component registry, sited in this widget (ambient user mode, the form's font and colours,
// the widget's object name as display name, resize requests), given its persisted properties,
// activated in place, called late-bound through its dispatch interface, and its events arrive
// as Qt signals.
#pragma once

#include "platform/automation/AutomationError.h"
#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/Dispatch.h"
#include "platform/automation/EventSink.h"
#include "platform/automation/Guid.h"
#include "platform/automation/PropertyBag.h"
#include "platform/automation/Variant.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace plat::host {

class ControlSite;

class HostedControl final : public QWidget, private plat::automation::EventSink {
    Q_OBJECT
public:
    using Variant = plat::automation::Variant;

    // The widget's object name is the instance's name on its form (e.g. "GenbaID(3)"): the
    // display name the control takes as its default caption.
    explicit HostedControl(QWidget* parent = nullptr, const QString& name = {});
    ~HostedControl() override;
    HostedControl(const HostedControl&) = delete;
    HostedControl& operator=(const HostedControl&) = delete;

    // Creates the instance of class `clsid` found in `registry`, gives it this widget as its
    // site, hands it `bag` (nullptr: a new instance with every default), connects its events
    // and activates it in place over the whole widget. A widget not sized yet takes the
    // extent the properties give. False, with `error` filled, when the class is not
    // registered, its library cannot be loaded, the object is no control, or it refuses its
    // properties or its window; the widget then stays empty and may be created again.
    bool create(const plat::automation::Guid& clsid, const plat::automation::PropertyBag* bag,
                plat::automation::AutomationError* error = nullptr,
                const plat::automation::ComponentRegistry& registry =
                    plat::automation::ComponentRegistry());
    const plat::automation::Guid& classId() const { return clsid_; }
    // The instance's dispatch interface; nullptr before create().
    plat::automation::Dispatch* control() const { return control_.get(); }
    // The control's own window inside this widget (nullptr for a control without one).
    QWidget* controlWindow() const { return window_.data(); }

    // The host's mode: user (run) mode by default; false is the design mode of a form editor.
    bool userMode() const { return userMode_; }
    void setUserMode(bool on);

    // ---- Late-bound calls by member name; any failure throws AutomationException ----
    Variant get(std::u16string_view name, std::vector<Variant> index = {}) const;
    void put(std::u16string_view name, Variant value, std::vector<Variant> index = {});
    Variant call(std::u16string_view name, std::vector<Variant> args = {});

    // The members the forms use most, as Qt types.
    QString text() const;
    void setText(const QString& text);
    int listIndex() const;
    void setListIndex(int index);
    int listCount() const;
    QString itemText(int index) const;
    void clearItems();
    // Appends an item with `text` and returns its index.
    int addItem(const QString& text);
    // Writes `text` into column `subIndex` of item `row`.
    void addSubItem(int row, int subIndex, const QString& text);

    // ---- Persisted properties ----
    // The control's current persisted properties; `clearDirty`: the caller now holds them.
    plat::automation::PropertyBag saveProperties(bool clearDirty = true);
    // The persisted properties that differ from those of a new instance on a site like this
    // one (same name, font, colours and mode): what a form's data keeps for the instance.
    plat::automation::PropertyBag saveDesignedProperties();
    // The control reported a change of its persisted state since it was loaded or saved.
    bool isModified() const { return modified_; }

    QSize sizeHint() const override;

signals:
    // The control's events. Handlers connect directly (same thread): by-reference arguments
    // are read back from the handler's variable when the signal returns.
    void changeText();
    void click();
    // Also for Return (13), which the control keeps to itself: the form sees it after the
    // control handled it, as a form previewing its controls' keys does.
    void keyDown(short& keyCode, short shift);
    void closeUp();
    void dropDown();
    void focusMove(bool& cancel);
    // Every event of the control by its name, emitted before its own signal.
    void eventRaised(const QString& name);
    // The control changed property `dispId`.
    void propertyChanged(int dispId);
    // The control asked to be resized to this size (pixels); the widget has taken it.
    void resizeRequested(int width, int height);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class ControlSite;
    enum class Event { Other, ChangeText, Click, KeyDown, CloseUp, DropDown, FocusMove };

    void onEvent(plat::automation::DispId id, std::span<Variant> args) override;
    void connectEvents();
    void release();
    void syncExtent();
    // A hidden widget receives its resize event only when shown; calls into the control and
    // saves first bring the control's window and extent to the widget's present size.
    void applyPendingGeometry();
    bool siteRequestsResize(int widthPx, int heightPx);
    void siteChanged(plat::automation::DispId id);
    void siteModified() { modified_ = true; }
    plat::automation::Dispatch& checkedControl() const;

    std::unique_ptr<ControlSite> site_;
    std::shared_ptr<plat::automation::Dispatch> control_;
    plat::automation::Guid clsid_;
    std::string registryPath_; // the store the instance's class was found in
    QPointer<QWidget> window_;
    struct EventName {
        Event kind = Event::Other;
        QString name;
    };
    std::unordered_map<plat::automation::DispId, EventName> events_;
    bool userMode_ = true;
    bool modified_ = false;
};

} // namespace plat::host
