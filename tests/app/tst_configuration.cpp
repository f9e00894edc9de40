#include "app/configuration.h"
#include "support/files.h"
#include "support/scratchfolder.h"

#include <QtTest>

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
    void filesThatAreNoFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("what");
        QTest::addColumn<QString>("reason");
        QTest::newRow("template is a FIFO")
            << "lib/talvo.abl" << int(NotAFile::Fifo) << "it is a pipe (FIFO), not a regular file";
        QTest::newRow("talvo.ini is a FIFO")
            << "talvo.ini" << int(NotAFile::Fifo) << "it is a pipe (FIFO), not a regular file";
        QTest::newRow("talvo.ini is a device")
            << "talvo.ini" << int(NotAFile::EndlessDevice) << "it is a device, not a regular file";
        QTest::newRow("talvo.ini has a line of 16 MiB")
            << "talvo.ini" << int(NotAFile::HugeLine) << "it holds a line longer than 16 MiB";
    }
    void filesThatAreNoFiles() {
        QFETCH(QString, file);
        QFETCH(int, what);
        if (!canPutInPlace(NotAFile(what))) {
            QSKIP("this system has no FIFOs nor devices in its folders");
        }
        QFETCH(QString, reason);
        ScratchFolder work;
        work.write(QStringLiteral("lib/talvo.abl"), "");
        work.write(QStringLiteral("talvo.ini"), "none\r\n");
        putInPlace(work.filePath(file), NotAFile(what));
        const app::StartupConfiguration startup = app::readStartupConfiguration();
        QVERIFY(!startup.savedFlightFolder);
        QVERIFY2(startup.failure.contains(reason), qPrintable(startup.failure));
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
        if (!posixPermissionsHold()) {
            QSKIP("POSIX file permissions do not hold here (root reads every file; Windows has "
                  "other permissions)");
        }
        ScratchFolder work;
        work.write(QStringLiteral("lib/Talvo.abl"), "");
        work.write(QStringLiteral("talvo.ini"), "none\r\n");
        QFile::setPermissions(work.filePath(QStringLiteral("talvo.ini")), QFileDevice::WriteOwner);
        const app::StartupConfiguration startup = app::readStartupConfiguration();
        QVERIFY(!startup.savedFlightFolder);
        QVERIFY(startup.failure.contains(QStringLiteral("Permission denied")));
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

    // The pilot made talvo.ini writable in a folder that is not: Set Path writes it in place.
    // Where the file itself is not writable either, the pilot is told and nothing changes.
    void storesInAFolderThatTakesNoNewFile_data() {
        QTest::addColumn<bool>("writable");
        QTest::newRow("talvo.ini writable") << true;
        QTest::newRow("talvo.ini read-only") << false;
    }
    void storesInAFolderThatTakesNoNewFile() {
        if (!posixPermissionsHold()) {
            QSKIP("POSIX file permissions do not hold here (root, or Windows); run through "
                  "unprivileged.sh");
        }
        QFETCH(bool, writable);
        ScratchFolder work;
        work.write(QStringLiteral("talvo.ini"), "none\r\n");
        const QString ini = work.filePath(QStringLiteral("talvo.ini"));
        QFile::setPermissions(ini, writable ? QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                            : QFileDevice::ReadOwner);
        const QFileDevice::Permissions folder = QFile::permissions(work.path());
        QFile::setPermissions(work.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const std::optional<QString> failure =
            app::storeSavedFlightFolder(QStringLiteral("C:\\Flight Simulator Files\\"));
        QFile::setPermissions(work.path(), folder);
        QCOMPARE(!failure, writable);
        QCOMPARE(work.read(QStringLiteral("talvo.ini")),
                 writable ? QByteArray("C:\\Flight Simulator Files\\\r\n") : "none\r\n");
        if (failure) {
            QVERIFY2(failure->contains(QStringLiteral("talvo.ini")), qPrintable(*failure));
        }
    }
};

QTEST_GUILESS_MAIN(TestConfiguration)
#include "tst_configuration.moc"
