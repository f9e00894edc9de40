#include "ui/picturebutton.h"

#include "ui/shapes.h"

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
        drawFocusMark(painter, target);
    }
}

// The style's dotted focus rectangle is lost on a sky-coloured picture. The focused button gets
// a solid ring around its picture and a dotted line just inside it, both in the text colour, so
// a pilot sees which button Enter will press.
void PictureButton::drawFocusMark(QPainter& painter, const QRect& picture) const {
    const QColor ring = palette().color(QPalette::Active, QPalette::ButtonText);
    fillOutline(painter, picture.adjusted(-1, -1, 1, 1), ring);
    QPen dots(ring, 1, Qt::DotLine);
    dots.setCosmetic(true);
    painter.setPen(dots);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(picture.adjusted(2, 2, -3, -3));
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
