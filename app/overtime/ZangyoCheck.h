// The overtime check screen (ZangyoCheck, "時間外労働チェック"), opened from the frame window's
// menu bar: the agreement year with previous/next, the firm's settings (legal holiday, special
// clause, first month of the year), the grid of employees by months of overtime (yellow beyond
// 45 hours, red where a cap that applies is broken), the current employee's breaches in words,
// and printing the check as preview or print.
#pragma once

#include "app/frame/Screen.h"
#include "app/overtime/YearCheck.h"

#include <QColor>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QTableWidget;

namespace plat::widgets {
class ButtonArray;
class CheckBox;
class CommandButton;
class DateBox;
} // namespace plat::widgets

namespace tamsel {

class ZangyoCheck : public Screen {
    Q_OBJECT
public:
    enum { PreviousYear = 0, NextYear = 1 };
    // Grid columns after the twelve months.
    enum { NameColumn = 0, FirstMonthColumn = 1, YearColumn = 13, CountColumn = 14 };

    explicit ZangyoCheck(QWidget* parent = nullptr);

    plat::widgets::DateBox* Nengetu() const { return nengetu_; }
    plat::widgets::ButtonArray* comUD() const { return comUD_; }
    QComboBox* HouteiKyujitu() const { return houteiKyujitu_; }
    plat::widgets::CheckBox* TokubetuJoko() const { return tokubetuJoko_; }
    QComboBox* NendoKaisi() const { return nendoKaisi_; }
    QTableWidget* DGrid() const { return grid_; }
    QLabel* MSG() const { return msg_; }
    plat::widgets::CommandButton* comPrt() const { return comPrt_; }
    plat::widgets::CheckBox* PrtPreview() const { return prtPreview_; }

    // Runs the check of the year in the box on RoumuDb and fills the grid; false (after the
    // error box) when the ledger could not be read.
    bool ShowYear();
    void PrintCheck();
    const overtime::YearCheck& check() const { return check_; }

    // Cell colours.
    static QColor over45Colour();
    static QColor brokenColour();

protected:
    void onLoad() override;
    void onUnload() override;

private:
    QHBoxLayout* createYearAndSettings();
    QWidget* createCapsAndGrid();
    QHBoxLayout* createPrintButtons();
    void comUD_Click(int index);
    void settingsChanged();
    void showSettings();
    void fillGrid();
    void showBreaches();

    plat::widgets::DateBox* nengetu_;
    plat::widgets::ButtonArray* comUD_;
    QLabel* period_;
    QComboBox* houteiKyujitu_;
    plat::widgets::CheckBox* tokubetuJoko_;
    QComboBox* nendoKaisi_;
    QLabel* caps_;
    QTableWidget* grid_;
    QLabel* msg_;
    plat::widgets::CheckBox* prtPreview_;
    plat::widgets::CommandButton* comPrt_;
    plat::widgets::CommandButton* comEnd_;

    overtime::Settings settings_;
    overtime::YearCheck check_;
};

} // namespace tamsel
