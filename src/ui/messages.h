#pragma once

#include <QString>

// Every message of the program goes through here: a modal box captioned "Talvo 2003" with one
// OK button and no icon. Tests put a recorder in place of the box.
namespace ui {

class MessageService {
public:
    virtual ~MessageService() = default;
    // Returns when the pilot has closed the message.
    virtual void show(const QString& text) = 0;
};

void showMessage(const QString& text);

// Puts service in place of the message box (nullptr puts the box back); returns the service
// that was in place. The caller keeps ownership.
MessageService* setMessageService(MessageService* service);

// The caption of every message box and the program's title.
inline constexpr const char* kAppTitle = "Talvo 2003";

} // namespace ui
