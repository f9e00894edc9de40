#include "ui/picturebutton.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace ui {

PictureButton::PictureButton(QWidget* parent, const QPixmap& picture, const QString& label)
    : QAbstractButton(parent)
    , picture_(picture) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(label);
    setToolTip(label);
}

QSize PictureButton::sizeHint() const {
    return picture_.deviceIndependentSize().toSize() + QSize(4, 4);
}

void PictureButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    painter.drawPrimitive(QStyle::PE_PanelButtonCommand, option);
    QRect target(QPoint(), picture_.deviceIndependentSize().toSize());
    target.moveCenter(rect().center());
    if (isDown()) {
        target.translate(1, 1);
    }
    painter.drawPixmap(target, picture_);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = target.adjusted(1, 1, -1, -1);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void PictureButton::keyPressEvent(QKeyEvent* event) {
    // Enter presses the focused button, as Space does.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

} // namespace ui
