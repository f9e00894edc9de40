#include "ui/application.h"
#include "ui/messagebox.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QtTest>

// The box every message of the program shows in: what the pilot sees of it.
class TestMessageBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ui::prepareApplication(); }

    void oneOkButtonNoIconAndTheCaption_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("short") << "Incorrect Path";
        QTest::newRow("one line") << "Adventure compiled successfully!";
        QTest::newRow("several lines")
            << "Cannot compile the Adventure.\nThe file /a/KSEA-PANC.pln cannot be written: No "
               "space left on device.\nNo file was changed.";
    }
    void oneOkButtonNoIconAndTheCaption() {
        QFETCH(QString, text);
        const auto box = ui::makeMessageBox(text, nullptr);
        QCOMPARE(box->windowTitle(), QStringLiteral("Talvo 2003"));
        QCOMPARE(box->text(), text);
        QCOMPARE(box->buttons().size(), 1);
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(box->button(QMessageBox::Ok)->icon().isNull());
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QVERIFY(box->iconPixmap().isNull());
    }

    // However short its text, a box leaves its title bar room for the whole caption in a bold
    // title font beside an icon and three buttons as wide as a desktop draws them (46 px).
    void wideEnoughForItsCaption_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("two words") << "Incorrect Path";
        QTest::newRow("empty") << "";
    }
    void wideEnoughForItsCaption() {
        QFETCH(QString, text);
        const auto box = ui::makeMessageBox(text, nullptr);
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        QFont title = QApplication::font();
        title.setBold(true);
        const int caption = QFontMetrics(title).horizontalAdvance(QStringLiteral("Talvo 2003"));
        QVERIFY2(
            box->width() >= caption + 3 * 46 + 16,
            qPrintable(
                QStringLiteral("%1 px for a caption of %2 px").arg(box->width()).arg(caption)));
        // Still a message box, not a window across the screen.
        QVERIFY(box->width() < 400);
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
