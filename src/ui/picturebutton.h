#pragma once

#include <QAbstractButton>
#include <QPixmap>

class QPainter;

namespace ui {

// A push button that shows a picture instead of a caption. The label on the picture is kept as
// the button's accessible name and tool tip, for screen readers and the curious mouse.
class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    PictureButton(QWidget* parent, const QPixmap& picture, const QString& label);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void drawFocusMark(QPainter& painter, const QRect& picture) const;

    QPixmap picture_;
};

} // namespace ui
