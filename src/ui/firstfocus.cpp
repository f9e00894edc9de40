#include "ui/firstfocus.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace ui {
namespace {

class FirstFocus : public QObject {
public:
    FirstFocus(QWidget* window, QWidget* first)
        : QObject(window)
        , first_(first) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show && !event->spontaneous() && first_) {
            first_->setFocus(Qt::OtherFocusReason);
        }
        return false;
    }

private:
    QPointer<QWidget> first_;
};

} // namespace

void startFocusOn(QWidget* window, QWidget* first) {
    new FirstFocus(window, first);
}

} // namespace ui
