// The ledger grid screen (RoumuEntrySub2): one employee's labour ledger for one month, opened
// by the ledger selection for the employee-month in LedgerKey. Nine lines, one per site, with
// the hours of every day; line, day and money totals follow every change. Saving replaces the
// employee-month in one transaction; the month can be deleted, and a new month can start from
// the sites of the month before. The selection screen is disabled while this one is open.
#pragma once

#include "app/frame/Screen.h"
#include "app/ledger/LedgerSql.h"
#include "app/ledger/LedgerStore.h"
#include "app/ledger/PickBox.h"

#include <QPointer>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QVBoxLayout;

namespace plat::widgets {
class BannerLabel;
class ButtonArray;
class NumericBox;
class SlipGrid;
class SlipValue;
} // namespace plat::widgets

namespace tamsel {

class RoumuEntrySub2 : public Screen {
    Q_OBJECT
public:
    // Indexes of the comFunc buttons.
    enum Func { Save = 0, DeleteLine = 1, Close = 2, DeleteMonth = 3, CopyPrevious = 4 };

    // selection is the screen kept disabled while this one is open (may be nullptr).
    RoumuEntrySub2(ledger::PickBoxFactory boxes, QWidget* selection, QWidget* parent = nullptr);
    ~RoumuEntrySub2() override;

    ledger::PickBox& GenbaID(int index) const { return *genbaId_.at(static_cast<size_t>(index)); }
    plat::widgets::SlipGrid* DGrid() const { return grid_; }
    plat::widgets::NumericBox* TMony() const { return tMony_; }
    plat::widgets::ButtonArray* comFunc() const { return comFunc_; }
    plat::widgets::BannerLabel* AcLbl() const { return acLbl_; }
    QLabel* MSG() const { return msg_; }
    // The month's overtime and holiday work under the grid, unsaved changes included.
    QLabel* overtimeLine() const { return overtime_; }
    bool isDirty() const { return dirty_; }
    // Whether the ledger was shown (the screen's first activation after a load has run).
    bool isShown() const { return !firstShowPending_; }

protected:
    void onLoad() override;
    void onActivate() override;
    bool onQueryUnload() override;
    void onUnload() override;

private:
    // Writes made by the screen itself while one of these lives raise no change handling.
    class Quiet {
    public:
        explicit Quiet(RoumuEntrySub2& s) : s_(s) { ++s_.quiet_; }
        ~Quiet() { --s_.quiet_; }
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

    private:
        RoumuEntrySub2& s_;
    };

    // Steps of the constructor: the widgets are made in the order of the focus chain.
    void makeGrid();
    QVBoxLayout* makeSiteBoxes();
    void makeWageBox();
    void rememberFocus();
    void layOutScreen(QVBoxLayout* sites);
    void fitGridToScreen();
    void setTitles();
    void setDayHeadings();
    void fillSiteLists();
    void showLedger();
    void enableDays(int line, bool on);
    void enableBox(int line, bool on);
    QString boxText(int line) const;
    void putLine(int line, const ledger::LedgerLine& l);

    void GenbaID_ChangeText();
    void takeSite(int line, const QString& text, bool picked);
    void DGrid_Change(int row, const QString& field);
    bool enterAtLineEnd();
    void DGrid_Committing(plat::widgets::SlipValue& value);
    void DGrid_Validating(const plat::widgets::SlipValue& value, bool& refuse);
    void comFunc_Click(int index);
    bool commitTyping();
    void showStatus(const char* text);
    void clearStatus();
    void markDirty();
    void clearDirty();
    void updateCopyButton();
    bool monthIsEmpty() const;
    void focusLast();
    void focusBox(int line);
    void showMessage(const char* text, bool shown);

    void lineTotal(int line);
    void columnTotal(int column);
    void allTotals();
    void showOvertime();
    void readOvertimeBasis();

    void deleteLine();
    void clearLine(int line);
    void moveLineUp(int to);
    void copyPreviousMonth();

    // Saving and deleting the month (RoumuEntrySub2Save.cpp).
    void saveLedger();
    bool checkSites(std::vector<ledger::LedgerLine>& lines);
    bool confirmLongDays(const std::vector<ledger::LedgerLine>& lines);
    bool writeLedger(const std::vector<ledger::LedgerLine>& lines);
    void deleteMonth();
    bool removeStoredMonth();
    void showSaveError(int number, const std::string& description, bool notSaved);
    bool changedElsewhere(ledger::SaveGuard& guard);

    ledger::PickBoxFactory boxes_;
    QPointer<QWidget> selection_;
    std::array<std::unique_ptr<ledger::PickBox>, ledger::kLines> genbaId_;
    plat::widgets::SlipGrid* grid_;
    plat::widgets::NumericBox* tMony_;
    plat::widgets::ButtonArray* comFunc_;
    plat::widgets::BannerLabel* acLbl_;
    QLabel* msg_;
    QLabel* overtime_;
    // What the overtime line needs besides the grid: the lines of the month before (its last
    // week may run into this month) and the firm's legal holiday, read when the month is shown.
    std::vector<std::array<double, 31>> previousLines_;
    int holidayWeekday_ = 0;

    bool dirty_ = false;
    // The month was closed when it was shown: nothing of it can be edited.
    bool closed_ = false;
    bool firstShowPending_ = false;
    int quiet_ = 0; // while above 0, writes to cells and boxes raise no change handling
    int daysInMonth_ = 31;
    int lineCount_ = 0;
    // The stored month as this screen last read or wrote it (none when it could not be read):
    // a save checks that nobody changed it meanwhile. storedLines_ is its number of lines.
    std::optional<ledger::MonthStamp> readAs_;
    int storedLines_ = 0;
    bool statusShown_ = false; // MSG shows why an entry was refused
    QPointer<QWidget> lastFocused_;
};

} // namespace tamsel
