// The base of every working screen opened from the main menu. It keeps the screen state (0
// loading, 1 load failed, 2 ready, 99 closing confirmed) and the busy flag, runs the load step
// each time the screen is opened (hiding MenuForm), closes a screen whose load failed at its
// next activation, asks the screen before it unloads and shows MenuForm again afterwards. With
// key preview on, the screen sees every key of its window before the focused control does.
#pragma once

#include <QWidget>

#include <exception>
#include <functional>

class QKeyEvent;

namespace tamsel {

class Screen : public QWidget {
    Q_OBJECT
public:
    enum State { Loading = 0, LoadFailed = 1, Ready = 2, ClosingConfirmed = 99 };

    explicit Screen(QWidget* parent = nullptr);
    ~Screen() override;

    // Loads the screen unless it is loaded, then shows and activates it.
    void open();
    bool isLoaded() const { return loaded_; }

    int state() const { return state_; }
    void setState(int state) { state_ = state; }
    bool isBusy() const { return busy_; }

    // Runs action with the busy flag set; a second call while one runs does nothing and
    // returns false. Closing the window is refused meanwhile. Anything action throws is shown
    // as an error message (a database error as "number: description") and goes no further.
    bool runBusy(const std::function<void()>& action);

protected:
    // The load step; the state is Loading while it runs and becomes Ready afterwards unless
    // the step set another state (failLoad()).
    virtual void onLoad() {}
    // Each time the window becomes active while the screen is loaded and did not fail.
    virtual void onActivate() {}
    // Before unloading; false cancels. Not asked after a failed load.
    virtual bool onQueryUnload() { return true; }
    virtual void onUnload() {}
    // With key preview on: a key pressed anywhere in the window; true swallows it.
    virtual bool onPreviewKey(QKeyEvent* event);

    void setKeyPreview(bool on) { keyPreview_ = on; }
    // A screen opened by another screen (not from the main menu) leaves MenuForm alone.
    void setOpenedFromMenu(bool fromMenu) { fromMenu_ = fromMenu; }
    // Shows a load-time error (its description, the load step's title, error icon) and marks the
    // load as failed: the screen closes at its next activation.
    void failLoad(const QString& description);
    // Opens the office database (databasePath()) as RoumuM().RoumuDb. When it cannot be opened
    // (no file, a server that cannot be reached) the reason is shown as failLoad() shows it and
    // the result is false.
    bool openDatabase();
    // Brings the window within the screen's free area (run before every load step).
    void fitIntoScreen();
    // Places the window with CenterPosition; extraTopTwips moves it lower.
    void placeCentered(double extraTopTwips = 0);

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void closeIfLoadFailed();
    void showUnexpected(std::exception_ptr failure);

    int state_ = Loading;
    bool loaded_ = false;
    bool busy_ = false;
    bool keyPreview_ = false;
    bool closePending_ = false;
    bool fromMenu_ = true;
};

} // namespace tamsel
