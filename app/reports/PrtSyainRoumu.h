// The employee labour-cost statement screen (PrtSyainRoumu, "従業員別労務費明細表"): the employee
// box and the month box with its buttons, printing the chosen employee's statement ("指名印刷")
// or every employee's ("全員印刷", after a question), as preview or print, and closing. A print
// copies the month's ledger lines into PRTROUMUM and lays RptSRoumuMA4 out from it in one
// transaction (PrintRun), so a clerk printing at the same moment cannot swap the rows.
#pragma once

#include "app/frame/Screen.h"
#include "app/reports/MonthChooser.h"
#include "platform/text/DateTime.h"

#include <cstdint>

class QHBoxLayout;
class QLabel;

namespace plat::host {
class HostedControl;
}

namespace plat::widgets {
class ButtonArray;
class CheckBox;
class CommandButton;
class DateBox;
} // namespace plat::widgets

namespace tamsel {

namespace reports {
class PrintRun;
}

class PrtSyainRoumu : public Screen {
    Q_OBJECT
public:
    enum MonthButton {
        Previous = reports::MonthChooser::Previous,
        Next = reports::MonthChooser::Next
    };
    enum PrintButton { PrintChosen = 0, PrintAll = 1 };

    explicit PrtSyainRoumu(QWidget* parent = nullptr);

    // The employee box: the hosted combo (form data "PrtSyainRoumu"/"SyainID"), created by the
    // first load; its list holds the employee number and name, its text the chosen number.
    plat::host::HostedControl* SyainID() const { return syainId_; }
    plat::widgets::DateBox* Nengetu() const { return nengetu_; }
    QLabel* SName() const { return sName_; }
    plat::widgets::ButtonArray* comUD() const { return comUD_; }
    plat::widgets::ButtonArray* comPrt() const { return comPrt_; }
    plat::widgets::CheckBox* PrtPreview() const { return prtPreview_; }

    // The day the month limits are counted from; the current date unless a test fixes it.
    void setToday(const plat::text::DateTime& today) { today_ = today; }

    // Set when the last copy put at least one line into PRTROUMUM.
    bool HasPrintData = false;

    // Fills the employee box from the employee table, highest number first; false (after the
    // load error box) on a database error.
    bool FillEmployeeList();

    // The copy steps and the print, inside the print's work-table transaction `run`. A database
    // error is shown under the print error title and leaves HasPrintData clear.
    void CopyEmployeeMonth(reports::PrintRun& run, std::int64_t syainId);
    void CopyAllEmployeesMonth(reports::PrintRun& run);
    void PrintStatement(reports::PrintRun& run);

protected:
    void onLoad() override;
    void onUnload() override;

private:
    void SyainID_CloseUp();
    void comUD_Click(int index);
    void comPrt_Click(int index);
    void copyLines(reports::PrintRun& run, const std::string& copySql);
    // The text of the employee box: the chosen employee's number.
    QString employeeText() const;
    plat::text::DateTime today() const;

    plat::host::HostedControl* syainId_ = nullptr;
    QHBoxLayout* employeeRow_;
    QLabel* sName_;
    plat::widgets::DateBox* nengetu_;
    plat::widgets::ButtonArray* comUD_;
    plat::widgets::ButtonArray* comPrt_;
    plat::widgets::CheckBox* prtPreview_;
    plat::widgets::CommandButton* comEnd_;
    plat::text::DateTime today_{};
    bool monthClosed_ = false; // the month of the print under way was closed
};

} // namespace tamsel
