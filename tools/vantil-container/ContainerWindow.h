// The GUI test container: one control created by its ProgID through the component registry,
// shown live in a form in design or run mode, with its properties (and their property-browser
// texts) editable in a table, its events listed, and its property bag saved and loaded.
#pragma once

#include "platform/automation/Dispatch.h"
#include "platform/automation/EventSink.h"
#include "platform/automation/HostSite.h"
#include "platform/automation/PropertyBag.h"

#include <QWidget>

#include <memory>

class QListWidget;
class QTableWidget;

namespace vantilcontainer {

class ContainerWindow final : public QWidget, private plat::automation::EventSink {
public:
    explicit ContainerWindow(bool designMode);
    ~ContainerWindow() override;

    // Creates the control; false (with the error in `message`) when it cannot be created.
    bool create(std::string& message);
    QWidget* form() const { return form_; }
    plat::automation::Dispatch* control() const { return control_.get(); }
    void setDesignMode(bool design);
    // The value text shown for a property: the value and, for an enumerated one, the name of
    // its constant.
    QString valueText(const plat::automation::MemberInfo& m);

private:
    void onEvent(plat::automation::DispId id, std::span<plat::automation::Variant> args) override;
    void attach(const plat::automation::PropertyBag* bag);
    void detach();
    void fillProperties();
    void editProperty(int row, const QString& text);
    void saveBag();
    void loadBag();

    plat::automation::SimpleHostSite site_;
    std::shared_ptr<plat::automation::Dispatch> control_;
    QWidget* form_ = nullptr;
    QTableWidget* properties_ = nullptr;
    QListWidget* events_ = nullptr;
    bool filling_ = false;
};

} // namespace vantilcontainer
