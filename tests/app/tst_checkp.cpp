#include "app/checkp.h"
#include "support/geometry.h"
#include "support/messagerecorder.h"
#include "support/scratchfolder.h"
#include "support/wineprefix.h"
#include "ui/application.h"
#include "ui/directorylist.h"
#include "ui/twips.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestCheckp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ui::prepareApplication(); }

    void window() {
        app::Checkp checkp;
        QCOMPARE(checkp.objectName(), QStringLiteral("checkp"));
        QCOMPARE(checkp.windowTitle(), QStringLiteral("Adventure Compiler Setup"));
        QCOMPARE(checkp.size(), ui::twipsSize(6900, 4620));
        QCOMPARE(checkp.minimumSize(), checkp.maximumSize());
    }

    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        const TwipsPlace places[] = {
            {"Label23", 1770, 210, 3315, 390},
            {"Dir1", 1065, 705, 4455, 2790},
            {"Command1", 5280, 3825, 885, 405},
        };
        for (const TwipsPlace& p : places) {
            QTest::newRow(p.name) << QString::fromLatin1(p.name)
                                  << ui::twipsRect(p.left, p.top, p.width, p.height);
        }
    }
    void controls() {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        app::Checkp checkp;
        auto* control = checkp.findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), place);
    }

    void captionsColoursAndTabOrder() {
        app::Checkp checkp;
        auto* heading = checkp.findChild<QLabel*>(QStringLiteral("Label23"));
        QCOMPARE(heading->text(), QStringLiteral("Set Your Saved Flight Path"));
        QCOMPARE(heading->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(heading->palette().color(QPalette::Window), QColor(192, 192, 192));
        QVERIFY(heading->autoFillBackground());
        QVERIFY(heading->font().bold());
        QVERIFY(QFontMetrics(heading->font()).horizontalAdvance(heading->text()) <=
                heading->width());
        auto* setPath = checkp.findChild<QPushButton*>(QStringLiteral("Command1"));
        QCOMPARE(setPath->text(), QStringLiteral("Set Path"));
        auto* list = checkp.findChild<ui::DirectoryList*>(QStringLiteral("Dir1"));
        checkp.show();
        QVERIFY(QTest::qWaitForWindowActive(&checkp));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(list));
        QTest::keyClick(list, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(setPath));
    }

    void waitsAtTheRootWithoutAWinePrefix() {
#ifdef Q_OS_WIN
        QSKIP("on Windows drive C: is Windows' own, without a Wine prefix");
#endif
        FakeWinePrefix wine;
        QVERIFY(QDir(wine.prefix()).removeRecursively());
        app::Checkp checkp;
        checkp.showFolderChoice();
        QCOMPARE(checkp.findChild<ui::DirectoryList*>(QStringLiteral("Dir1"))->path(),
                 QStringLiteral("/"));
    }

    // With a prefix as Wine makes it, the list opens on the pilot's C: drive, and the
    // saved-flights folder is four double clicks away, each on a folder in view.
    void fourDoubleClicksToTheSavedFlightsUnderWine() {
#ifdef Q_OS_WIN
        QSKIP("on Windows drive C: is Windows' own, without a Wine prefix");
#endif
        ScratchFolder work;
        work.write(QStringLiteral("talvo.ini"), "none\r\n");
        FakeWinePrefix wine;
        for (const char* folder : {"Program Files/Common Files", "Program Files (x86)/x",
                                   "ProgramData/x", "windows/x", "users/Public/Documents"}) {
            wine.makeFolder(QStringLiteral(".wine/drive_c/") + QLatin1String(folder));
        }
        for (const char* folder :
             {"AppData", "Contacts", "Desktop", "Downloads", "Favorites", "Links", "Music",
              "Pictures", "Saved Games", "Searches", "Temp", "Videos", "Documents/My Games",
              "Documents/Flight Simulator Files"}) {
            wine.makeFolder(QStringLiteral(".wine/drive_c/users/pilot/") + QLatin1String(folder));
        }
        MessageRecorder recorder;
        app::Checkp checkp;
        QSignalSpy accepts(&checkp, &app::Checkp::folderAccepted);
        checkp.showFolderChoice();
        checkp.show();
        QVERIFY(QTest::qWaitForWindowExposed(&checkp));
        auto* list = checkp.findChild<ui::DirectoryList*>(QStringLiteral("Dir1"));
        QCOMPARE(list->path(), wine.driveC());
        for (const char* name : {"users", "pilot", "Documents", "Flight Simulator Files"}) {
            QListWidgetItem* folder = nullptr;
            for (int row = list->currentRow() + 1; row < list->count() && !folder; ++row) {
                if (list->item(row)->text() == QLatin1String(name)) {
                    folder = list->item(row);
                }
            }
            QVERIFY2(folder, name);
            const QRect place = list->visualItemRect(folder);
            QVERIFY2(list->viewport()->rect().contains(place), name); // no scrolling needed
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, place.center());
        }
        const QString folder =
            wine.driveC() + QStringLiteral("/users/pilot/Documents/Flight Simulator Files");
        QCOMPARE(list->path(), folder);
        QTest::mouseClick(checkp.findChild<QPushButton*>(QStringLiteral("Command1")),
                          Qt::LeftButton);
        QVERIFY(recorder.messages.isEmpty());
        QCOMPARE(accepts.count(), 1);
        QCOMPARE(work.read(QStringLiteral("talvo.ini")), folder.toLatin1() + "\\\r\n");
    }

    void setPath_data() {
        QTest::addColumn<QString>("folder"); // below the scratch folder
        QTest::addColumn<bool>("accepted");
        QTest::newRow("lower case") << "Games/flight simulator files" << true;
        QTest::newRow("usual case") << "Documents/Flight Simulator Files" << true;
        QTest::newRow("old folder") << "Old Flight Simulator Files" << true;
        QTest::newRow("subfolder") << "Flight Simulator Files/Backup" << false;
        QTest::newRow("other folder") << "Documents" << false;
    }
    void setPath() {
        QFETCH(QString, folder);
        QFETCH(bool, accepted);
        ScratchFolder work;
        work.write(QStringLiteral("talvo.ini"), "none\r\nsecond line\r\n");
        work.write(folder + QStringLiteral("/Talvo.FLT"), "");
        MessageRecorder recorder;
        app::Checkp checkp;
        QSignalSpy accepts(&checkp, &app::Checkp::folderAccepted);
        checkp.findChild<ui::DirectoryList*>(QStringLiteral("Dir1"))
            ->setPath(work.filePath(folder));
        QTest::mouseClick(checkp.findChild<QPushButton*>(QStringLiteral("Command1")),
                          Qt::LeftButton);
        if (!accepted) {
            QCOMPARE(recorder.messages, QStringList{QStringLiteral("Incorrect Path")});
            QCOMPARE(accepts.count(), 0);
            QCOMPARE(work.read(QStringLiteral("talvo.ini")), QByteArray("none\r\nsecond line\r\n"));
            return;
        }
        // As the directory list gives it: in the system's own notation.
        const QString stored = QDir::toNativeSeparators(work.filePath(folder)) + QLatin1Char('\\');
        QVERIFY(recorder.messages.isEmpty());
        QCOMPARE(accepts.count(), 1);
        QCOMPARE(accepts.at(0).at(0).toString(), stored);
        QCOMPARE(work.read(QStringLiteral("talvo.ini")), stored.toLatin1() + "\r\n");
    }

    // talvo.ini is an 8-bit file: a folder whose path it cannot hold would be stored as another
    // folder, so it is refused with a message and talvo.ini stays as it was. A path within the
    // code page is stored byte for byte.
    void pathsAndTheCodePage_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QByteArray>("stored"); // empty: refused
        QTest::newRow("accented letters") << QStringLiteral("Jos\u00e9/Flight Simulator Files")
                                          << QByteArray("Jos\xe9/Flight Simulator Files");
        QTest::newRow("Cyrillic letters")
            << QStringLiteral("\u041f\u0438\u043b\u043e\u0442/Flight Simulator Files")
            << QByteArray();
    }
    void pathsAndTheCodePage() {
        QFETCH(QString, folder);
        QFETCH(QByteArray, stored);
        ScratchFolder work;
        work.write(QStringLiteral("talvo.ini"), "none\r\n");
        work.write(folder + QStringLiteral("/Talvo.FLT"), "");
        MessageRecorder recorder;
        app::Checkp checkp;
        QSignalSpy accepts(&checkp, &app::Checkp::folderAccepted);
        checkp.findChild<ui::DirectoryList*>(QStringLiteral("Dir1"))
            ->setPath(work.filePath(folder));
        checkp.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        if (stored.isEmpty()) {
            QCOMPARE(recorder.messages.size(), 1);
            QVERIFY2(recorder.messages[0].contains(QStringLiteral("cannot keep")),
                     qPrintable(recorder.messages[0]));
            QCOMPARE(accepts.count(), 0);
            QCOMPARE(work.read(QStringLiteral("talvo.ini")), QByteArray("none\r\n"));
            return;
        }
        QVERIFY(recorder.messages.isEmpty());
        QCOMPARE(accepts.count(), 1);
        QCOMPARE(
            work.read(QStringLiteral("talvo.ini")),
            QDir::toNativeSeparators(work.path() + QLatin1Char('/') + QString::fromLatin1(stored))
                    .toLatin1() +
                "\\\r\n");
    }

    // The pilot may try again after "Incorrect Path".
    void triesAgainAfterARefusal() {
        ScratchFolder work;
        work.write(QStringLiteral("talvo.ini"), "none\r\n");
        work.write(QStringLiteral("Flight Simulator Files/Backup/x"), "");
        MessageRecorder recorder;
        app::Checkp checkp;
        QSignalSpy accepts(&checkp, &app::Checkp::folderAccepted);
        auto* list = checkp.findChild<ui::DirectoryList*>(QStringLiteral("Dir1"));
        auto* setPath = checkp.findChild<QPushButton*>(QStringLiteral("Command1"));
        list->setPath(work.filePath(QStringLiteral("Flight Simulator Files/Backup")));
        setPath->click();
        setPath->click();
        list->setPath(work.filePath(QStringLiteral("Flight Simulator Files")));
        setPath->click();
        QCOMPARE(recorder.messages.size(), 2);
        QCOMPARE(accepts.count(), 1);
    }

    void unwritableTalvoIniEndsTheProgram() {
        ScratchFolder work;
        work.write(QStringLiteral("talvo.ini/inside"), ""); // a folder cannot be replaced by a file
        work.write(QStringLiteral("Flight Simulator Files/x"), "");
        MessageRecorder recorder;
        app::Checkp checkp;
        QSignalSpy fatal(&checkp, &app::Checkp::fatalError);
        QSignalSpy accepts(&checkp, &app::Checkp::folderAccepted);
        checkp.findChild<ui::DirectoryList*>(QStringLiteral("Dir1"))
            ->setPath(work.filePath(QStringLiteral("Flight Simulator Files")));
        checkp.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        QCOMPARE(fatal.count(), 1);
        QVERIFY(fatal.at(0).at(0).toString().contains(QStringLiteral("talvo.ini")));
        QCOMPARE(accepts.count(), 0);
    }

    void closingAsksToEndAndKeepsTalvoIni() {
        ScratchFolder work;
        work.write(QStringLiteral("talvo.ini"), "none\r\n");
        app::Checkp checkp;
        QSignalSpy exits(&checkp, &app::Checkp::exitRequested);
        checkp.show();
        checkp.close();
        QCOMPARE(exits.count(), 1);
        QCOMPARE(work.read(QStringLiteral("talvo.ini")), QByteArray("none\r\n"));
    }
};

QTEST_MAIN(TestCheckp)
#include "tst_checkp.moc"
