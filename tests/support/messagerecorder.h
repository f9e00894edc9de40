#pragma once

#include "ui/messages.h"

#include <functional>
#include <QStringList>

// Takes the place of the message box while it lives: records every message instead of showing
// it, and may run a probe at the moment a message shows (while the code that shows it waits).
class MessageRecorder : public ui::MessageService {
public:
    MessageRecorder();
    ~MessageRecorder() override;

    void show(const QString& text) override;

    QStringList messages;
    std::function<void(const QString&)> onShow;

private:
    ui::MessageService* previous_;
};
