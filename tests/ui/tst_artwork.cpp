#include "pictures/painting.h"
#include "ui/application.h"
#include "ui/artwork.h"
#include "ui/netpbm.h"

#include <QGuiApplication>
#include <QtTest>

using pictures::Picture;

namespace {

QPixmap shown(Picture which) {
    using ui::artwork::ButtonImage;
    switch (which) {
    case Picture::Banner:
        return ui::artwork::banner();
    case Picture::Column:
        return ui::artwork::columnImage();
    case Picture::MainIllustration:
        return ui::artwork::mainIllustration();
    case Picture::LoadFlightPlanButton:
        return ui::artwork::buttonImage(ButtonImage::LoadFlightPlan);
    case Picture::CompileAdventureButton:
        return ui::artwork::buttonImage(ButtonImage::CompileAdventure);
    case Picture::ExitButton:
        return ui::artwork::buttonImage(ButtonImage::Exit);
    }
    return {};
}

// The scale of the images the program should show on this screen: twice the pixels each way on
// a screen scaled up (run again with QT_SCALE_FACTOR=2 by ctest).
qreal imageScale() {
    return qGuiApp->devicePixelRatio() > 1.0 ? 2.0 : 1.0;
}

} // namespace

class TestArtwork : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ui::prepareApplication(); }

    void pictures_data() {
        QTest::addColumn<Picture>("picture");
        QTest::addColumn<QSize>("size"); // as the windows are laid out for it
        QTest::newRow("banner") << Picture::Banner << QSize(356, 61);
        QTest::newRow("column image") << Picture::Column << QSize(133, 390);
        QTest::newRow("main illustration") << Picture::MainIllustration << QSize(600, 480);
        QTest::newRow("Load Flight Plan") << Picture::LoadFlightPlanButton << QSize(129, 23);
        QTest::newRow("Compile Adventure") << Picture::CompileAdventureButton << QSize(129, 23);
        QTest::newRow("Exit") << Picture::ExitButton << QSize(129, 23);
    }
    // Each picture has the size its window expects, is sharp on a screen scaled up (twice the
    // pixels), and is what the painting code paints now: a build never ships stale images.
    void pictures() {
        QFETCH(Picture, picture);
        QFETCH(QSize, size);
        const QPixmap pixmap = shown(picture);
        QVERIFY(!pixmap.isNull());
        QCOMPARE(pixmap.deviceIndependentSize().toSize(), size);
        QCOMPARE(pixmap.devicePixelRatio(), imageScale());
        QCOMPARE(pixmap.size(), size * imageScale());
        const QImage painted = pictures::paintPicture(picture, imageScale());
        QCOMPARE(pixmap.toImage().convertToFormat(painted.format()), painted);
    }

    void windowIcon_data() {
        QTest::addColumn<int>("size");
        for (const int size : pictures::kIconSizes) {
            QTest::addRow("%d pixels", size) << size;
        }
    }
    // The icon has every size the desktop asks for, each as painted now (its translucent edge
    // through the straight alpha the image is stored with).
    void windowIcon() {
        QFETCH(int, size);
        const QIcon icon = ui::artwork::windowIcon();
        QVERIFY(icon.availableSizes().contains(QSize(size, size)));
        const QImage face = icon.pixmap(QSize(size, size), 1.0).toImage();
        QCOMPARE(face.size(), QSize(size, size));
        const QImage painted = pictures::paintIconFace(size)
                                   .convertToFormat(QImage::Format_RGBA8888)
                                   .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(face.convertToFormat(QImage::Format_ARGB32_Premultiplied), painted);
    }

    void netpbm_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QSize>("size"); // invalid: no image
        const QByteArray rgb("\x10\x20\x30\x40\x50\x60", 6);
        const QByteArray pam(
            "P7\nWIDTH 1\nHEIGHT 2\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n");
        QTest::newRow("PPM") << "P6\n2 1\n255\n" + rgb << QSize(2, 1);
        QTest::newRow("PPM with a comment") << "P6 # made by hand\n2 1 255\n" + rgb << QSize(2, 1);
        QTest::newRow("PAM") << pam + QByteArray(8, '\x7f') << QSize(1, 2);
        QTest::newRow("PPM one byte short") << "P6\n2 1\n255\n" + rgb.left(5) << QSize();
        QTest::newRow("PAM one byte short") << pam + QByteArray(7, '\x7f') << QSize();
        QTest::newRow("PPM of 16-bit samples") << "P6\n1 1\n65535\n" + rgb << QSize();
        QTest::newRow("PPM without a height") << QByteArray("P6\n2") << QSize();
        QTest::newRow("PAM without ENDHDR") << QByteArray("P7\nWIDTH 1\nHEIGHT 1\n") << QSize();
        QTest::newRow("PAM in grey") << QByteArray("P7\nWIDTH 1\nHEIGHT 1\nDEPTH 1\nMAXVAL "
                                                   "255\nTUPLTYPE GRAYSCALE\nENDHDR\n\x7f")
                                     << QSize();
        QTest::newRow("negative width") << "P6\n-2 1\n255\n" + rgb << QSize();
        QTest::newRow("PNG") << QByteArray("\x89PNG\r\n\x1a\n", 8) << QSize();
    }
    // The loader of the shipped images reads what render-pictures writes and never reads beyond
    // the bytes it is given.
    void netpbm() {
        QFETCH(QByteArray, file);
        QFETCH(QSize, size);
        const QImage image =
            ui::netpbmImage(reinterpret_cast<const uchar*>(file.constData()), file.size());
        QCOMPARE(image.size(), size.isValid() ? size : QSize(0, 0));
        if (size == QSize(2, 1)) {
            QCOMPARE(image.pixel(1, 0), qRgb(0x40, 0x50, 0x60));
        }
    }
};

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
