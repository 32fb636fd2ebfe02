// Screen lifecycle shared by every working screen.
#include "app/frame/Screen.h"

#include "app/frame/ProgramFolder.h"
#include "app/frame/RoumuM.h"
#include "app/frame/ScreenText.h"
#include "app/frame/Std_1.h"
#include "app/frame/Texts.h"
#include "platform/jet/Database.h"
#include "platform/jet/Error.h"
#include "platform/widgets/MessageService.h"
#include "platform/widgets/UiFont.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>

namespace tamsel {

Screen::Screen(QWidget* parent) : QWidget(parent, Qt::Window) {
    setFont(plat::widgets::uiFont());
    qApp->installEventFilter(this);
}

Screen::~Screen() {
    if (qApp)
        qApp->removeEventFilter(this);
}

void Screen::open() {
    if (!loaded_) {
        loaded_ = true;
        closePending_ = false;
        state_ = Loading;
        if (QWidget* menu = fromMenu_ ? RoumuM().MenuForm.data() : nullptr)
            menu->window()->hide();
        fitIntoScreen();
        onLoad();
        if (state_ == Loading)
            state_ = Ready;
    }
    show();
    raise();
    activateWindow();
    closeIfLoadFailed();
}

bool Screen::runBusy(const std::function<void()>& action) {
    if (busy_)
        return false;
    busy_ = true;
    try {
        action();
    } catch (...) {
        // Whatever a handler did not expect is shown here: an exception leaving the Qt slot
        // that called the handler would end the program and lose the clerk's work.
        busy_ = false;
        showUnexpected(std::current_exception());
        return true;
    }
    busy_ = false;
    return true;
}

void Screen::showUnexpected(std::exception_ptr failure) {
    QString text;
    try {
        std::rethrow_exception(failure);
    } catch (const plat::jet::Error& e) {
        text = failureText(e);
    } catch (const std::exception& e) {
        text = QString::fromUtf8(texts::kUnexpectedFailure) + QLatin1Char('\n') +
               QString::fromLocal8Bit(e.what());
    } catch (...) {
        text = QString::fromUtf8(texts::kUnexpectedFailure);
    }
    plat::widgets::MessageService::error(text, QString::fromUtf8(texts::kTitleUnexpected), this);
}

bool Screen::onPreviewKey(QKeyEvent*) {
    return false;
}

void Screen::failLoad(const QString& description) {
    state_ = LoadFailed;
    plat::widgets::MessageService::error(description, tr8(texts::kTitleLoad), this);
}

bool Screen::openDatabase() {
    try {
        RoumuM().RoumuDb = plat::jet::Database::open(databasePath().toStdString());
        return true;
    } catch (const plat::jet::Error& e) {
        failLoad(tr8(e.description()));
        return false;
    }
}

// A window larger than the screen's free area is made as large as that area (with room for
// the title bar and the frame); its grids scroll instead of being cut off at the edge.
void Screen::fitIntoScreen() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QSize frame = frameGeometry().size() - geometry().size();
    if (!isVisible() || frame.isEmpty())
        frame = QSize(8, 32); // not yet decorated: a window manager's usual frame
    QSize size = sizeHint().expandedTo(minimumSizeHint()).expandedTo(this->size());
    size = size.boundedTo(area.size() - frame);
    if (size != this->size())
        resize(size);
}

void Screen::placeCentered(double extraTopTwips) {
    double left = 0;
    double top = 0;
    CenterPosition(*this, left, top);
    moveToTwips(*this, left, top + extraTopTwips);
}

void Screen::closeIfLoadFailed() {
    if (state_ != LoadFailed || closePending_)
        return;
    closePending_ = true;
    QTimer::singleShot(0, this, [this] {
        closePending_ = false;
        if (loaded_ && state_ == LoadFailed)
            close();
    });
}

bool Screen::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && loaded_) {
        if (state_ == LoadFailed)
            closeIfLoadFailed();
        else
            onActivate();
    }
    return QWidget::event(e);
}

void Screen::closeEvent(QCloseEvent* e) {
    if (!loaded_) {
        e->accept();
        return;
    }
    if (busy_ || (state_ != LoadFailed && !onQueryUnload())) {
        e->ignore();
        return;
    }
    onUnload();
    loaded_ = false;
    if (QWidget* menu = fromMenu_ ? RoumuM().MenuForm.data() : nullptr) {
        menu->window()->show();
        menu->window()->raise();
        menu->window()->activateWindow();
    }
    e->accept();
}

bool Screen::eventFilter(QObject* watched, QEvent* e) {
    if (keyPreview_ && loaded_ && e->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        if (onPreviewKey(static_cast<QKeyEvent*>(e)))
            return true;
    }
    return QWidget::eventFilter(watched, e);
}

} // namespace tamsel
