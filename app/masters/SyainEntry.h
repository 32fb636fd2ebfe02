// The employee master screen (SyainEntry, "従業員登録"): browses, adds, changes and deletes
// the rows of SYAIN_MT through the data control on "Syain_MT"; name and hourly wage are edited
// in bound fields and stored when a changed field is left or the record is left.
#pragma once

#include "app/masters/MasterScreen.h"

namespace plat::widgets {
class NumericBox;
class TextBox;
} // namespace plat::widgets

namespace tamsel {

class SyainEntry : public MasterScreen {
    Q_OBJECT
public:
    explicit SyainEntry(QWidget* parent = nullptr);

    plat::widgets::TextBox* SName() const { return sName_; }
    plat::widgets::NumericBox* TMony() const { return tMony_; }

private:
    plat::widgets::TextBox* sName_;
    plat::widgets::NumericBox* tMony_;
};

} // namespace tamsel
