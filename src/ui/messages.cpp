#include "ui/messages.h"

#include "ui/messagebox.h"
#include "ui/testlog.h"

#include <QApplication>

namespace ui {
namespace {

// When the end-to-end tests drive the program, they set TALVO_MESSAGE_LOG to a file that
// receives every message, one a line (line breaks written as "\n"), before the box shows.
void logForTests(const QString& text) {
    static const TestLog log("TALVO_MESSAGE_LOG");
    if (log.isOn()) {
        log.append(QString(text).replace(QLatin1Char('\n'), QLatin1String("\\n")));
    }
}

class MessageBoxService : public MessageService {
public:
    void show(const QString& text) override {
        logForTests(text);
        makeMessageBox(text, QApplication::activeWindow())->exec();
    }
};

MessageBoxService& messageBox() {
    static MessageBoxService service;
    return service;
}

MessageService* current = nullptr;

} // namespace

void showMessage(const QString& text) {
    (current ? *current : static_cast<MessageService&>(messageBox())).show(text);
}

MessageService* setMessageService(MessageService* service) {
    MessageService* previous = current;
    current = service;
    return previous;
}

} // namespace ui
