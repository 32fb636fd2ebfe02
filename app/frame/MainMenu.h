// The main menu (MainMenu): the banner AcLbl and the eight comFunc buttons that open every
// other screen. Button 5 closes the program's window; the others open their registered screen.
#pragma once

#include <QWidget>

namespace plat::widgets {
class BannerLabel;
class ButtonArray;
} // namespace plat::widgets

namespace tamsel {

class MainMenu : public QWidget {
    Q_OBJECT
public:
    explicit MainMenu(QWidget* parent = nullptr);

    plat::widgets::BannerLabel* AcLbl() const { return acLbl_; }
    plat::widgets::ButtonArray* comFunc() const { return comFunc_; }

    // The window became active again: the banner refreshes itself.
    void activated();

public slots:
    void comFunc_Click(int index);

protected:
    bool event(QEvent* event) override;

private:
    plat::widgets::BannerLabel* acLbl_;
    plat::widgets::ButtonArray* comFunc_;
};

} // namespace tamsel
