#include "support/messagerecorder.h"

MessageRecorder::MessageRecorder()
    : previous_(ui::setMessageService(this)) {}

MessageRecorder::~MessageRecorder() {
    ui::setMessageService(previous_);
}

void MessageRecorder::show(const QString& text) {
    messages.append(text);
    if (onShow) {
        onShow(text);
    }
}
