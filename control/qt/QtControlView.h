// The control's window as the core sees it (ControlView), on a ControlWidget that lives in
// the host's window.
#pragma once

#include "control/core/ControlPlatform.h"
#include "control/qt/ControlWidget.h"

#include <QPointer>

namespace vantil {

class QtControlView final : public ControlView {
public:
    // `parent` is the host's QWidget (nullptr: a top-level window).
    QtControlView(CVantilCtrl& control, const SystemPalette& palette, QWidget* parent, int x, int y,
                  int widthPx, int heightPx);
    ~QtControlView() override;
    QtControlView(const QtControlView&) = delete;
    QtControlView& operator=(const QtControlView&) = delete;

    void propertyChanged(plat::automation::DispId id) override;
    void propertiesLoaded() override;
    std::intptr_t windowHandle() const override;
    void inputAreaChanged() override;
    InputMethodContext* inputMethod() override;
    std::optional<int> showContextMenu(std::span<const PopupItem> items, int x, int y) override;
    std::int32_t runDrag(std::string_view cp932Text, std::int32_t allowedEffects) override;

    ControlWidget* widget() const { return widget_; }

private:
    // The host's window owns the widget once it is its child, and may delete it first.
    QPointer<ControlWidget> widget_;
};

} // namespace vantil
