// The annual cumulative report screen (PrtRuikei, "労務費年間累計表"): the year box, printing
// (aggregate the year into PRTRUIKEI, then run RptRuikei as preview or print) and closing.
#pragma once

#include "app/frame/Screen.h"

namespace plat::widgets {
class CheckBox;
class CommandButton;
class DateBox;
} // namespace plat::widgets

namespace tamsel {

namespace reports {
class PrintRun;
}

class PrtRuikei : public Screen {
    Q_OBJECT
public:
    explicit PrtRuikei(QWidget* parent = nullptr);

    plat::widgets::DateBox* Nengetu() const { return nengetu_; }
    plat::widgets::CommandButton* comPrt() const { return comPrt_; }
    plat::widgets::CheckBox* PrtPreview() const { return prtPreview_; }

    // Fills PRTRUIKEI for the year in the box inside the print's work-table transaction `run`;
    // false (after the error box) when it stopped. PrintYearReport lays the report out in the
    // same transaction, so the report reads exactly the rows this extraction wrote.
    bool ExtractYear(reports::PrintRun& run);
    void PrintYearReport(reports::PrintRun& run);

protected:
    void onLoad() override;
    void onUnload() override;

private:
    void comPrt_Click();

    plat::widgets::DateBox* nengetu_;
    plat::widgets::CommandButton* comPrt_;
    plat::widgets::CheckBox* prtPreview_;
    plat::widgets::CommandButton* comEnd_;
};

} // namespace tamsel
