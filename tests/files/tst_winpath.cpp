#include "files/winpath.h"
#include "support/scratchfolder.h"
#include "support/wineprefix.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class TestWinPath : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mapsNamesToThisMachine_data() {
        QTest::addColumn<QString>("windowsName");
        QTest::addColumn<QString>("expected"); // relative to the working folder
        QTest::newRow("backslash separates folders") << "lib\\Talvo.abl"
                                                     << "lib/Talvo.abl";
        QTest::newRow("other case of the file") << "lib\\talvo.abl"
                                                << "lib/Talvo.abl";
        QTest::newRow("other case of the folder") << "LIB\\TALVO2.ABL"
                                                  << "lib/Talvo2.abl";
        QTest::newRow("slash works too") << "lib/talvo.abl"
                                         << "lib/Talvo.abl";
        QTest::newRow("mixed separators and case") << "Saved\\flight simulator files/TALVO.flt"
                                                   << "Saved/Flight Simulator Files/Talvo.FLT";
        QTest::newRow("hidden folder") << ".WINE\\drive_c"
                                       << ".wine/drive_c";
        QTest::newRow("new file keeps its case") << "lib\\KSEA-PANC.abl"
                                                 << "lib/KSEA-PANC.abl";
        QTest::newRow("new file in a folder found by case") << "LIB\\New.abl"
                                                            << "lib/New.abl";
        QTest::newRow("missing folder keeps the rest as written") << "Nowhere\\talvo.abl"
                                                                  << "Nowhere/talvo.abl";
        QTest::newRow("exact name wins over another case") << "Both.pln"
                                                           << "Both.pln";
        QTest::newRow("doubled separator") << "lib\\\\Talvo.abl"
                                           << "lib/Talvo.abl";
    }
    void mapsNamesToThisMachine() {
        QFETCH(QString, windowsName);
        QFETCH(QString, expected);
        ScratchFolder folder;
        folder.write(QStringLiteral("lib/Talvo.abl"), "a");
        folder.write(QStringLiteral("lib/Talvo2.abl"), "b");
        folder.write(QStringLiteral("Saved/Flight Simulator Files/Talvo.FLT"), "c");
        folder.write(QStringLiteral(".wine/drive_c/x"), "d");
        folder.write(QStringLiteral("Both.pln"), "e");
        folder.write(QStringLiteral("BOTH.pln"), "f");
        QCOMPARE(files::localPath(windowsName), folder.filePath(expected));
    }

    // Names on the simulator's drives resolve through the pilot's Wine prefix. In the names,
    // <home> stands for the scratch home with backslashes; in the expected paths, <home> is the
    // scratch home and <work> the working folder.
    void drivesThroughTheWinePrefix_data() {
        QTest::addColumn<QString>("prefix"); // how the prefix differs from Wine's own layout
        QTest::addColumn<QString>("windowsName");
        QTest::addColumn<QString>("expected");
        const QString flight = QStringLiteral("<home>/.wine/drive_c/users/pilot/Documents/"
                                              "Flight Simulator Files/Talvo.FLT");
        QTest::newRow("C:\\ through dosdevices")
            << "wine"
            << "C:\\users\\pilot\\Documents\\Flight Simulator Files\\Talvo.FLT" << flight;
        QTest::newRow("lower-case drive, slashes, other case")
            << "wine"
            << "c:/USERS/Pilot/documents/flight simulator files/talvo.flt" << flight;
        QTest::newRow("mixed separators")
            << "wine"
            << "C:/users\\pilot/Documents\\Flight Simulator Files/Talvo.FLT" << flight;
        QTest::newRow("saved-flights folder ends in a separator")
            << "wine"
            << "C:\\users\\pilot\\documents\\flight simulator files\\"
            << "<home>/.wine/drive_c/users/pilot/Documents/Flight Simulator Files/";
        QTest::newRow("drive root") << "wine"
                                    << "c:\\"
                                    << "<home>/.wine/drive_c/";
        QTest::newRow("drive without separator") << "wine"
                                                 << "C:users"
                                                 << "<home>/.wine/drive_c/users";
        QTest::newRow("Z:\\ is the root") << "wine"
                                          << "Z:<home>\\Elsewhere\\TALVO.flt"
                                          << "<home>/elsewhere/Talvo.FLT";
        QTest::newRow("z: with slashes") << "wine"
                                         << "z:<home>/elsewhere/talvo.FLT"
                                         << "<home>/elsewhere/Talvo.FLT";
        QTest::newRow("links in upper case") << "upper-case links"
                                             << "c:\\users\\pilot\\Documents\\"
                                                "Flight Simulator Files\\Talvo.FLT"
                                             << flight;
        QTest::newRow("drive the prefix lacks") << "wine"
                                                << "D:\\Games\\Talvo.FLT"
                                                << "<work>/D:/Games/Talvo.FLT";
        QTest::newRow("no dosdevices: C: is drive_c")
            << "no dosdevices"
            << "C:\\users\\pilot\\Documents\\Flight Simulator Files\\"
               "talvo.flt"
            << flight;
        QTest::newRow("no dosdevices: Z: stays as written") << "no dosdevices"
                                                            << "Z:\\x\\Talvo.FLT"
                                                            << "<work>/Z:/x/Talvo.FLT";
        QTest::newRow("no c: link: C: is drive_c")
            << "no c: link"
            << "C:\\users\\pilot\\Documents\\Flight Simulator Files\\"
               "Talvo.FLT"
            << flight;
        QTest::newRow("no prefix: as written") << "none"
                                               << "C:\\users\\Talvo.FLT"
                                               << "<work>/C:/users/Talvo.FLT";
        QTest::newRow("WINEPREFIX names the prefix")
            << "WINEPREFIX"
            << "C:\\users\\pilot\\Documents\\Flight Simulator Files\\"
               "Talvo.FLT"
            << "<home>/games/drive_c/users/pilot/Documents/Flight Simulator Files/Talvo.FLT";
        QTest::newRow("empty WINEPREFIX is ~/.wine")
            << "empty WINEPREFIX"
            << "C:\\users\\pilot\\Documents\\Flight Simulator Files\\"
               "Talvo.FLT"
            << flight;
        QTest::newRow("names without a drive stay in the working folder") << "wine"
                                                                          << "lib\\talvo.abl"
                                                                          << "<work>/lib/Talvo.abl";
    }
    void drivesThroughTheWinePrefix() {
#ifdef Q_OS_WIN
        QSKIP("Windows opens the names of its drives itself");
#endif
        QFETCH(QString, prefix);
        QFETCH(QString, windowsName);
        QFETCH(QString, expected);
        ScratchFolder work;
        work.write(QStringLiteral("lib/Talvo.abl"), "a");
        FakeWinePrefix wine;
        const QString savedFlight =
            QStringLiteral("drive_c/users/pilot/Documents/Flight Simulator Files/Talvo.FLT");
        wine.write(QStringLiteral(".wine/") + savedFlight, "b");
        wine.write(QStringLiteral("games/") + savedFlight, "c");
        wine.write(QStringLiteral("elsewhere/Talvo.FLT"), "d");
        const QString devices = wine.prefix() + QStringLiteral("/dosdevices/");
        if (prefix == QLatin1String("upper-case links")) {
            QVERIFY(QFile::rename(devices + QStringLiteral("c:"), devices + QStringLiteral("C:")));
            QVERIFY(QFile::rename(devices + QStringLiteral("z:"), devices + QStringLiteral("Z:")));
        } else if (prefix == QLatin1String("no dosdevices")) {
            QVERIFY(QDir(devices).removeRecursively());
        } else if (prefix == QLatin1String("no c: link")) {
            QVERIFY(QFile::remove(devices + QStringLiteral("c:")));
        } else if (prefix == QLatin1String("none")) {
            QVERIFY(QDir(wine.prefix()).removeRecursively());
        } else if (prefix == QLatin1String("WINEPREFIX")) {
            qputenv("WINEPREFIX", QFile::encodeName(wine.home() + QStringLiteral("/games")));
        } else if (prefix == QLatin1String("empty WINEPREFIX")) {
            qputenv("WINEPREFIX", "");
        }
        windowsName.replace(QStringLiteral("<home>"),
                            QString(wine.home()).replace(QLatin1Char('/'), QLatin1Char('\\')));
        expected.replace(QStringLiteral("<home>"), wine.home());
        expected.replace(QStringLiteral("<work>"), work.path());
        QCOMPARE(files::localPath(windowsName), expected);
    }

#ifdef Q_OS_WIN
    // On Windows a name with a drive stays on that drive; "C:name" is in the current folder of
    // drive C:, which the scratch folder is on.
    void drivesOnWindows_data() {
        QTest::addColumn<QString>("windowsName");
        QTest::addColumn<QString>("expected"); // <work> is the working folder
        QTest::newRow("C:\\") << "C:\\users\\pilot\\Talvo.FLT"
                              << "C:/users/pilot/Talvo.FLT";
        QTest::newRow("lower case, slashes") << "d:/Games\\x/../Talvo.FLT"
                                             << "d:/Games/Talvo.FLT";
        QTest::newRow("folder ends in a separator") << "C:\\Flight Simulator Files\\"
                                                    << "C:/Flight Simulator Files/";
        QTest::newRow("drive without separator") << "C:users"
                                                 << "<work>/users";
        QTest::newRow("up from the working folder") << "..\\x\\Talvo.FLT"
                                                    << "<work>/../x/Talvo.FLT";
    }
    void drivesOnWindows() {
        QFETCH(QString, windowsName);
        QFETCH(QString, expected);
        ScratchFolder work;
        expected.replace(QStringLiteral("<work>"), work.path());
        QCOMPARE(files::localPath(windowsName),
                 QDir::cleanPath(expected) +
                     (expected.endsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString()));
    }
#endif

    // The saved-flights folder is stored as an absolute path followed by one backslash.
    void absoluteFolderPrefix() {
        ScratchFolder folder;
        folder.write(QStringLiteral("Flight Simulator Files/Talvo.FLT"), "x");
        const QString prefix = folder.path() + QStringLiteral("/flight simulator files\\");
        QCOMPARE(files::localPath(prefix + QStringLiteral("talvo.flt")),
                 folder.filePath(QStringLiteral("Flight Simulator Files/Talvo.FLT")));
        QCOMPARE(files::localPath(prefix),
                 folder.filePath(QStringLiteral("Flight Simulator Files")) + QLatin1Char('/'));
    }

    // An empty saved-flights folder names files of the working folder.
    void emptyPrefixIsTheWorkingFolder() {
        ScratchFolder folder;
        folder.write(QStringLiteral("Talvo.FLT"), "x");
        QCOMPARE(files::localPath(QStringLiteral("talvo.flt")),
                 folder.filePath(QStringLiteral("Talvo.FLT")));
    }
};

QTEST_APPLESS_MAIN(TestWinPath)
#include "tst_winpath.moc"
