// Recording answerer for message boxes in tests.
#include "platform/widgets/MessageRecorder.h"

namespace plat::widgets {

MessageRecorder::MessageRecorder(MsgResult yesNoAnswer) : yesNoAnswer_(yesNoAnswer) {
    previous_ = MessageService::setAnswerer(
        [this](const MessageRequest& request) { return answer(request); });
}

MessageRecorder::~MessageRecorder() {
    MessageService::setAnswerer(std::move(previous_));
}

void MessageRecorder::queueAnswers(std::initializer_list<MsgResult> answers) {
    queued_.insert(queued_.end(), answers.begin(), answers.end());
}

std::vector<QString> MessageRecorder::texts() const {
    std::vector<QString> result;
    for (const MessageRequest& r : shown_)
        result.push_back(r.text);
    return result;
}

MsgResult MessageRecorder::answer(const MessageRequest& request) {
    shown_.push_back(request);
    if (request.buttons == MsgButtons::Ok)
        return MsgResult::Ok;
    if (!queued_.empty()) {
        const MsgResult next = queued_.front();
        queued_.pop_front();
        return next;
    }
    return yesNoAnswer_;
}

} // namespace plat::widgets
