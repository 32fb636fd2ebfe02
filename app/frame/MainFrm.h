// The frame window (MainFrm) with the application title: hosts the main menu, the help menu with
// the version dialog and the menu-bar entries of the overtime check and month closing. Closing
// it ends the program without a question.
#pragma once

#include <QMainWindow>

class QAction;
class QMenu;

namespace tamsel {

class MainMenu;

class MainFrm : public QMainWindow {
    Q_OBJECT
public:
    explicit MainFrm(QWidget* parent = nullptr);

    MainMenu* menu() const { return menu_; }
    QMenu* comH() const { return comH_; }
    QAction* comB() const { return comB_; }
    // The overtime check's entry in the menu bar; nullptr when the program has no such screen.
    QAction* comZ() const { return comZ_; }
    // Month closing's entry in the menu bar, after the overtime check; nullptr without it.
    QAction* comS() const { return comS_; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    MainMenu* menu_;
    QMenu* comH_;
    QAction* comB_;
    QAction* comZ_ = nullptr;
    QAction* comS_ = nullptr;
};

} // namespace tamsel
