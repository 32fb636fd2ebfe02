// The windowed host's driver on Qt: the form the control lives in, keys and clicks sent to
// the control's window as Qt events, and Qt's clipboard. Every command ends by running the
// pending events, so repaints and timers happen as with a user.
#pragma once

#include "tools/vantil-host/WindowDriver.h"

class QWidget;

namespace vantil_host {

class QtWindowDriver final : public WindowDriver {
public:
    // `form` holds the control's window as its child.
    explicit QtWindowDriver(QWidget& form) : form_(form) {}

    std::string key(const KeyChord& chord) override;
    std::string type(const std::u16string& text) override;
    std::string focus() override;
    std::string blur() override;
    std::string click(int x, int y) override;
    bool dropped() override;
    std::string menu(int x, int y, const std::string& key, std::string& lines) override;
    void runUntil(const std::function<bool()>& done) override;
    std::string where() override;
    std::optional<std::u16string> clipboardText() override;
    void setClipboardText(const std::u16string& text) override;

private:
    QWidget* control() const;

    QWidget& form_;
};

} // namespace vantil_host
