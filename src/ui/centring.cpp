#include "ui/centring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace ui {
namespace {

// The frame the window manager put around the last window of ours it framed.
QMargins knownFrame;

// How long after showing a window it is watched for its frame.
constexpr int kFrameWatchMilliseconds = 3000;

QMargins frameOf(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

// Where a frame of the given size stands centred in the area: its top-left corner, with the odd
// pixel of an uneven difference on the right and bottom.
QPoint centredTopLeft(const QRect& area, QSize frame) {
    return {area.x() + (area.width() - frame.width()) / 2,
            area.y() + (area.height() - frame.height()) / 2};
}

void centre(QWidget* window, const QMargins& frame) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QSize frameSize = window->size().grownBy(frame);
    // move() places a top-level window by the top-left corner of its frame.
    window->move(centredTopLeft(screen->availableGeometry(), frameSize));
}

// Watches a window that has just been centred: when the window manager frames it, and the frame
// is not the one it was centred with, centres it again with the real frame, once.
class FrameWatch : public QObject {
public:
    FrameWatch(QWidget* window, const QMargins& assumed)
        : QObject(window)
        , window_(window)
        , assumed_(assumed) {
        window->installEventFilter(this);
        QTimer::singleShot(kFrameWatchMilliseconds, this, &QObject::deleteLater);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ &&
            (event->type() == QEvent::Move || event->type() == QEvent::Show)) {
            const QMargins frame = frameOf(window_);
            if (!frame.isNull()) {
                knownFrame = frame;
                if (frame != assumed_) {
                    centre(window_, frame);
                }
                window_->removeEventFilter(this);
                deleteLater();
            }
        }
        return false;
    }

private:
    QPointer<QWidget> window_;
    QMargins assumed_;
};

} // namespace

void centreOnScreen(QWidget* window) {
    const QMargins frame = window->isVisible() ? frameOf(window) : knownFrame;
    centre(window, frame);
    if (!window->isVisible()) {
        new FrameWatch(window, frame);
    }
}

} // namespace ui
