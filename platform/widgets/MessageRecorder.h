// A message-box answerer for tests: records every box it is shown and answers from a script
// of answers (then with a fixed answer), restoring the real boxes when it goes away.
#pragma once

#include "platform/widgets/MessageService.h"

#include <deque>
#include <vector>

namespace plat::widgets {

class MessageRecorder {
public:
    explicit MessageRecorder(MsgResult yesNoAnswer = MsgResult::Yes);
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    // Answers for the next Yes/No boxes, in order; afterwards the fixed answer applies.
    void queueAnswers(std::initializer_list<MsgResult> answers);
    void setYesNoAnswer(MsgResult answer) { yesNoAnswer_ = answer; }

    const std::vector<MessageRequest>& shown() const { return shown_; }
    std::vector<QString> texts() const;
    void clear() { shown_.clear(); }

private:
    MsgResult answer(const MessageRequest& request);

    MsgResult yesNoAnswer_;
    std::deque<MsgResult> queued_;
    std::vector<MessageRequest> shown_;
    MessageService::Answerer previous_;
};

} // namespace plat::widgets
