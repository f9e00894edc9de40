#include "ui/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace ui {
namespace {

class MessageBoxService : public MessageService {
public:
    void show(const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kAppTitle), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.setObjectName(QStringLiteral("TalvoMessage"));
        // The style may put a picture on the button; the program's boxes carry none.
        box.button(QMessageBox::Ok)->setIcon(QIcon());
        box.exec();
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
