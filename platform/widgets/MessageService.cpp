// Message boxes: a real QMessageBox, or the answerer a test installed.
#include "platform/widgets/MessageService.h"

#include "platform/widgets/Texts.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace plat::widgets {

namespace {
MessageService::Answerer& answerer() {
    static MessageService::Answerer current;
    return current;
}

QMessageBox::Icon toQt(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Error:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

MsgResult MessageService::show(const MessageRequest& request, QWidget* parent) {
    MessageRequest effective = request;
    if (effective.title.isEmpty())
        effective.title = QGuiApplication::applicationDisplayName();
    if (answerer())
        return answerer()(effective);

    QMessageBox box(toQt(effective.icon), effective.title, effective.text, QMessageBox::NoButton,
                    parent ? parent : QApplication::activeWindow());
    if (effective.buttons == MsgButtons::YesNo) {
        QPushButton* yes = box.addButton(QMessageBox::Yes);
        QPushButton* no = box.addButton(QMessageBox::No);
        yes->setText(QString::fromUtf8(texts::kYes));
        no->setText(QString::fromUtf8(texts::kNo));
        box.setDefaultButton(effective.defaultButton == MsgResult::Yes ? yes : no);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? MsgResult::Yes : MsgResult::No;
    }
    box.addButton(QMessageBox::Ok);
    box.exec();
    return MsgResult::Ok;
}

void MessageService::error(const QString& text, const QString& title, QWidget* parent) {
    show({text, title, MsgIcon::Error, MsgButtons::Ok, MsgResult::Ok}, parent);
}

void MessageService::notice(const QString& text, const QString& title, QWidget* parent) {
    show({text, title, MsgIcon::None, MsgButtons::Ok, MsgResult::Ok}, parent);
}

bool MessageService::askYesNo(const QString& text, const QString& title, QWidget* parent) {
    return show({text, title, MsgIcon::Question, MsgButtons::YesNo, MsgResult::No}, parent) ==
           MsgResult::Yes;
}

MessageService::Answerer MessageService::setAnswerer(Answerer next) {
    Answerer previous = std::move(answerer());
    answerer() = std::move(next);
    return previous;
}

} // namespace plat::widgets
