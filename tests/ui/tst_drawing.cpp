#include "ui/application.h"
#include "ui/picturebutton.h"
#include "ui/shapes.h"

#include <QtTest>

namespace {

// A widget drawn as a screen of the given scale shows it, in device pixels.
QImage rendered(QWidget* widget, qreal scale) {
    QPixmap canvas(widget->size() * scale);
    canvas.setDevicePixelRatio(scale);
    canvas.fill(Qt::white);
    widget->render(&canvas);
    return canvas.toImage();
}

// How many device pixels of the outline's colour run in from an edge, along a line through the
// middle of the image. (dx, dy) points inwards from the edge.
int strokeFrom(const QImage& image, QPoint start, QPoint step, QColor colour) {
    int count = 0;
    for (QPoint p = start; image.rect().contains(p) && QColor(image.pixel(p)) == colour;
         p += step) {
        ++count;
    }
    return count;
}

QPixmap sky(QSize size) {
    QPixmap picture(size);
    picture.fill(QColor(150, 200, 250));
    return picture;
}

int pixelsThatDiffer(const QImage& a, const QImage& b) {
    int differ = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p(a.pixel(x, y));
            const QColor q(b.pixel(x, y));
            // A difference a pilot sees, not a shade.
            if (qAbs(p.red() - q.red()) + qAbs(p.green() - q.green()) + qAbs(p.blue() - q.blue()) >
                150) {
                ++differ;
            }
        }
    }
    return differ;
}

} // namespace

class TestDrawing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ui::prepareApplication(); }

    // The frames round the compiler window's groups and the altitude bracket are one pixel wide
    // on all four sides, at any scale.
    void outlinesAreEven_data() {
        QTest::addColumn<qreal>("scale");
        QTest::newRow("1x") << 1.0;
        QTest::newRow("2x") << 2.0;
        QTest::newRow("3x") << 3.0;
    }
    void outlinesAreEven() {
        QFETCH(qreal, scale);
        const QColor colour(128, 128, 255);
        QWidget parent;
        auto* frame = new ui::RectangleShape(&parent, colour);
        frame->setGeometry(0, 0, 40, 30);
        const QImage image = rendered(frame, scale);
        const int w = image.width();
        const int h = image.height();
        const int expected = qRound(scale);
        QCOMPARE(strokeFrom(image, {0, h / 2}, {1, 0}, colour), expected);
        QCOMPARE(strokeFrom(image, {w - 1, h / 2}, {-1, 0}, colour), expected);
        QCOMPARE(strokeFrom(image, {w / 2, 0}, {0, 1}, colour), expected);
        QCOMPARE(strokeFrom(image, {w / 2, h - 1}, {0, -1}, colour), expected);

        for (const auto& [from, to] :
             {std::pair{QPoint(5, 10), QPoint(25, 10)}, std::pair{QPoint(7, 3), QPoint(7, 20)}}) {
            auto* line = new ui::LineShape(&parent, from, to, colour);
            const QImage drawn = rendered(line, scale);
            QCOMPARE(drawn.size(), line->size() * scale);
            // The widget is the line: every pixel of it is the line's colour.
            QCOMPARE(strokeFrom(drawn, {0, 0}, {1, 0}, colour), drawn.width());
            QCOMPARE(strokeFrom(drawn, {0, 0}, {0, 1}, colour), drawn.height());
        }
    }

    // The focused picture button shows it plainly: a pilot sees which button Enter presses.
    void focusedPictureButtonIsMarked_data() {
        QTest::addColumn<qreal>("scale");
        QTest::newRow("1x") << 1.0;
        QTest::newRow("2x") << 2.0;
    }
    void focusedPictureButtonIsMarked() {
        QFETCH(qreal, scale);
        QWidget window;
        auto* first = new ui::PictureButton(&window, sky({129, 23}), QStringLiteral("First"));
        auto* second = new ui::PictureButton(&window, sky({129, 23}), QStringLiteral("Second"));
        first->setGeometry(0, 0, 134, 27);
        second->setGeometry(0, 30, 134, 27);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        second->setFocus();
        const QImage plain = rendered(first, scale);
        first->setFocus();
        QVERIFY(first->hasFocus());
        const QImage marked = rendered(first, scale);
        // At least the length of a ring round the picture differs plainly.
        QVERIFY2(pixelsThatDiffer(plain, marked) >= 2 * (129 + 23) * scale,
                 qPrintable(QString::number(pixelsThatDiffer(plain, marked))));
    }
};

QTEST_MAIN(TestDrawing)
#include "tst_drawing.moc"
