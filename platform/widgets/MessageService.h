// Every message box of the program goes through this one service, so a test can record the
// boxes (text, title, icon, buttons, default button) and answer them without a user.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace plat::widgets {

enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { None, Error, Question, Warning, Information };
enum class MsgResult { Ok, Yes, No };

struct MessageRequest {
    QString text;
    QString title; // empty: the application's display name
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    MsgResult defaultButton = MsgResult::Ok;
};

class MessageService {
public:
    using Answerer = std::function<MsgResult(const MessageRequest&)>;

    // Shows the box modally over parent (or the active window) and returns the pressed button.
    static MsgResult show(const MessageRequest& request, QWidget* parent = nullptr);

    // An error description with the error icon and an OK button.
    static void error(const QString& text, const QString& title = {}, QWidget* parent = nullptr);
    // A plain notice: OK button, no icon.
    static void notice(const QString& text, const QString& title = {}, QWidget* parent = nullptr);
    // A Yes/No question with the question icon and No as default; true on Yes.
    static bool askYesNo(const QString& text, const QString& title = {}, QWidget* parent = nullptr);

    // Replaces the real boxes by answerer (nullptr restores them); returns the previous one.
    static Answerer setAnswerer(Answerer answerer);
};

} // namespace plat::widgets
