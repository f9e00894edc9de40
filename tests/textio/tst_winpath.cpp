#include "support/scratchfolder.h"
#include "textio/winpath.h"

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
        QCOMPARE(textio::localPath(windowsName), folder.filePath(expected));
    }

    // The saved-flights folder is stored as an absolute path followed by one backslash.
    void absoluteFolderPrefix() {
        ScratchFolder folder;
        folder.write(QStringLiteral("Flight Simulator Files/Talvo.FLT"), "x");
        const QString prefix = folder.path() + QStringLiteral("/flight simulator files\\");
        QCOMPARE(textio::localPath(prefix + QStringLiteral("talvo.flt")),
                 folder.filePath(QStringLiteral("Flight Simulator Files/Talvo.FLT")));
        QCOMPARE(textio::localPath(prefix),
                 folder.filePath(QStringLiteral("Flight Simulator Files")) + QLatin1Char('/'));
    }

    // An empty saved-flights folder names files of the working folder.
    void emptyPrefixIsTheWorkingFolder() {
        ScratchFolder folder;
        folder.write(QStringLiteral("Talvo.FLT"), "x");
        QCOMPARE(textio::localPath(QStringLiteral("talvo.flt")),
                 folder.filePath(QStringLiteral("Talvo.FLT")));
    }
};

QTEST_APPLESS_MAIN(TestWinPath)
#include "tst_winpath.moc"
