// The compaction and backup screen (BKForm): compacts Roumu.MDB in place and, on request, copies
// it to the backup folder named in bkmdb.ini. F2, F3 and F12 act wherever the focus is; a
// successful run closes the screen.
#pragma once

#include "app/frame/Screen.h"

namespace plat::widgets {
class ButtonArray;
class TextBox;
} // namespace plat::widgets

namespace tamsel {

class BKForm : public Screen {
    Q_OBJECT
public:
    // Configuration state: the backup folder could be read, or not.
    static constexpr int kConfigUsable = 1;
    static constexpr int kConfigMissing = -1;

    explicit BKForm(QWidget* parent = nullptr);

    plat::widgets::TextBox* BKPath() const { return bkPath_; }
    plat::widgets::ButtonArray* comFunc() const { return comFunc_; }
    int configState() const { return configState_; }

public slots:
    void comFunc_Click(int index);

protected:
    void onLoad() override;
    bool onPreviewKey(QKeyEvent* event) override;

private:
    void readConfiguration();

    plat::widgets::TextBox* bkPath_;
    plat::widgets::ButtonArray* comFunc_;
    int configState_ = kConfigMissing;
};

} // namespace tamsel
