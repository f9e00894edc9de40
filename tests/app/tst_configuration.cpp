#include "app/configuration.h"
#include "support/scratchfolder.h"

#include <QtTest>
#include <unistd.h>

class TestConfiguration : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsTheFirstLine_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("folder");
        QTest::newRow("marker") << QByteArray("none\r\n") << "none";
        QTest::newRow("marker in other case is a folder") << QByteArray("None\r\n") << "None";
        QTest::newRow("folder kept exactly")
            << QByteArray("D:\\Games\\flight simulator files\\\r\n")
            << "D:\\Games\\flight simulator files\\";
        QTest::newRow("no trimming") << QByteArray("  C:\\x \r\n") << "  C:\\x ";
        QTest::newRow("empty first line") << QByteArray("\r\n") << "";
        QTest::newRow("later lines ignored") << QByteArray("none\r\nC:\\other\\\r\n") << "none";
        QTest::newRow("no line end") << QByteArray("none") << "none";
        QTest::newRow("8-bit characters")
            << QByteArray("C:\\Jos\xe9\\Flight Simulator Files\\\r\n")
            << QStringLiteral("C:\\Jos\u00e9\\Flight Simulator Files\\");
    }
    void readsTheFirstLine() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, folder);
        ScratchFolder work;
        work.write(QStringLiteral("lib/Talvo.abl"), "module x;\r\n");
        work.write(QStringLiteral("talvo.ini"), ini);
        const app::StartupConfiguration startup = app::readStartupConfiguration();
        QVERIFY2(startup.savedFlightFolder.has_value(), qPrintable(startup.failure));
        QCOMPARE(*startup.savedFlightFolder, folder);
    }

    // Each failure names the file and the kind of failure.
    void failures_data() {
        QTest::addColumn<bool>("withTemplate");
        QTest::addColumn<QByteArray>("ini"); // null: no talvo.ini at all
        QTest::addColumn<QStringList>("reportHolds");
        QTest::newRow("template missing")
            << false << QByteArray("none\r\n")
            << QStringList{QStringLiteral("lib\\talvo.abl"), QStringLiteral("file not found")};
        QTest::newRow("talvo.ini missing")
            << true << QByteArray()
            << QStringList{QStringLiteral("talvo.ini"), QStringLiteral("file not found")};
        QTest::newRow("talvo.ini empty")
            << true << QByteArray("")
            << QStringList{QStringLiteral("talvo.ini"), QStringLiteral("input past end of file")};
    }
    void failures() {
        QFETCH(bool, withTemplate);
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, reportHolds);
        ScratchFolder work;
        if (withTemplate) {
            work.write(QStringLiteral("lib/talvo.abl"), "");
        }
        if (!ini.isNull()) {
            work.write(QStringLiteral("talvo.ini"), ini);
        }
        const app::StartupConfiguration startup = app::readStartupConfiguration();
        QVERIFY(!startup.savedFlightFolder);
        for (const QString& part : reportHolds) {
            QVERIFY2(startup.failure.contains(part), qPrintable(startup.failure));
        }
    }

    void unreadableTalvoIni() {
        if (geteuid() == 0) {
            QSKIP("root reads every file");
        }
        ScratchFolder work;
        work.write(QStringLiteral("lib/Talvo.abl"), "");
        work.write(QStringLiteral("talvo.ini"), "none\r\n");
        QFile::setPermissions(work.filePath(QStringLiteral("talvo.ini")), QFileDevice::WriteOwner);
        const app::StartupConfiguration startup = app::readStartupConfiguration();
        QVERIFY(!startup.savedFlightFolder);
        QVERIFY(startup.failure.contains(QStringLiteral("access denied")));
    }

    void talvoIniIsAFolder() {
        ScratchFolder work;
        work.write(QStringLiteral("lib/Talvo.abl"), "");
        work.write(QStringLiteral("talvo.ini/inside"), "");
        const app::StartupConfiguration startup = app::readStartupConfiguration();
        QVERIFY(!startup.savedFlightFolder);
        QVERIFY(startup.failure.contains(QStringLiteral("talvo.ini")));
        QVERIFY(startup.failure.contains(QStringLiteral("folder")));
    }

    void savedFlightsFolderTest_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("usual folder") << "C:\\Documents\\Flight Simulator Files" << true;
        QTest::newRow("lower case") << "D:\\Games\\flight simulator files" << true;
        QTest::newRow("old folder") << "C:\\Old Flight Simulator Files" << true;
        QTest::newRow("POSIX folder") << "/home/pilot/Flight Simulator Files" << true;
        QTest::newRow("subfolder") << "C:\\Flight Simulator Files\\Backup" << false;
        QTest::newRow("drive root") << "C:\\" << false;
        QTest::newRow("POSIX root") << "/" << false;
        QTest::newRow("exactly the 22 characters") << "Flight Simulator Files" << false;
        QTest::newRow("one character before") << "/Flight Simulator Files" << true;
        QTest::newRow("trailing separator") << "C:\\Flight Simulator Files\\" << false;
    }
    void savedFlightsFolderTest() {
        QFETCH(QString, path);
        QFETCH(bool, accepted);
        QCOMPARE(app::isSavedFlightsFolder(path), accepted);
    }

    void storesOneLine() {
        ScratchFolder work;
        work.write(QStringLiteral("talvo.ini"), "none\r\nold second line\r\n");
        QVERIFY(
            !app::storeSavedFlightFolder(QStringLiteral("D:\\Games\\flight simulator files\\")));
        QCOMPARE(work.read(QStringLiteral("talvo.ini")),
                 QByteArray("D:\\Games\\flight simulator files\\\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestConfiguration)
#include "tst_configuration.moc"
