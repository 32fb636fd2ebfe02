// The site master screen (GenbaEntry, "現場登録"): the employee master's behaviour over the
// stored query "Q_Genba", with the site name as the only edited field; the database assigns
// each new site its identifier and registration time.
#pragma once

#include "app/masters/MasterScreen.h"

namespace plat::widgets {
class TextBox;
} // namespace plat::widgets

namespace tamsel {

class GenbaEntry : public MasterScreen {
    Q_OBJECT
public:
    explicit GenbaEntry(QWidget* parent = nullptr);

    plat::widgets::TextBox* GName() const { return gName_; }

private:
    plat::widgets::TextBox* gName_;
};

} // namespace tamsel
