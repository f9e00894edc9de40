// The compile when the machine is against it: folders that cannot be written, files that cannot
// be read, very long and unusual files. Each gives the pilot a clear message or the adventure
// the pilot asked for, never a crash, and the pilot's files stay byte for byte as they were
// unless the compile succeeded. Run as an ordinary user (see unprivileged.sh), so permissions hold.
#include "compiler/compileadventure.h"
#include "compiler/interruptedcompile.h"
#include "files/filereplacement.h"
#include "support/files.h"
#include "support/installation.h"
#include "support/scratchfolder.h"

#include <QtTest>

namespace {

using compiler::CompileOutcome;

void setMode(const Installation& installation, const QString& relative,
             QFileDevice::Permissions mode) {
    QVERIFY(QFile::setPermissions(installation.work.filePath(relative), mode));
}

const QFileDevice::Permissions kReadOnlyFolder = QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                 QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                                 QFileDevice::ReadOther | QFileDevice::ExeOther;
const QFileDevice::Permissions kFolder = kReadOnlyFolder | QFileDevice::WriteOwner;

} // namespace

class TestFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        if (!posixPermissionsHold()) {
            QSKIP("POSIX file permissions do not hold here (root, or Windows); run through "
                  "unprivileged.sh");
        }
    }

    void refusedWithoutChange_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("named");
        QTest::newRow("read-only working folder")
            << "." << int(kReadOnlyFolder) << "cannot be written: Permission denied";
        QTest::newRow("read-only saved-flights folder") << "fs" << int(kReadOnlyFolder) << "P.pln";
        QTest::newRow("read-only lib folder") << "lib" << int(kReadOnlyFolder) << "P.abl";
        QTest::newRow("unreadable saved flight")
            << "fs/Talvo.FLT" << int(QFileDevice::WriteOwner) << "Talvo.FLT";
        QTest::newRow("unreadable flight plan")
            << "fs/P.pln" << int(QFileDevice::WriteOwner) << "P.pln";
        QTest::newRow("unreadable template")
            << "lib/Talvo2.abl" << int(QFileDevice::WriteOwner) << "Talvo2.abl";
        QTest::newRow("saved-flights folder that cannot be entered")
            << "fs" << int(QFileDevice::ReadOwner) << "Talvo.FLT";
    }
    void refusedWithoutChange() {
        QFETCH(QString, path);
        QFETCH(int, mode);
        QFETCH(QString, named);
        Installation installation;
        const QMap<QString, QByteArray> before = snapshot(installation.work.path());
        setMode(installation, path, QFileDevice::Permissions(mode));
        const compiler::CompileResult result = installation.compile();
        setMode(installation, path,
                path.contains(u'.') && path != QLatin1String(".")
                    ? QFileDevice::ReadOwner | QFileDevice::WriteOwner
                    : kFolder);
        QCOMPARE(result.outcome, CompileOutcome::Failed);
        QVERIFY2(result.message.contains(named), qPrintable(result.message));
        QCOMPARE(snapshot(installation.work.path()), before);
    }

    // A plan replaced in a folder the pilot may write keeps its permissions.
    void replacedPlanKeepsItsPermissions() {
        Installation installation;
        const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        setMode(installation, QStringLiteral("fs/P.pln"), mode);
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        QCOMPARE(QFile::permissions(installation.work.filePath(QStringLiteral("fs/P.pln"))) &
                     ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
                 mode);
    }

    // The script cannot replace its target, and the working folder has become read-only by
    // then, so the adventure flight and the plan's working copy cannot get their old contents
    // back: the message says where they are kept, and the next compile, once the folders may be
    // written again, puts them back before it compiles, leaving no backup behind.
    void failedRestoreIsFinishedByTheNextCompile() {
        Installation installation;
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        const QMap<QString, QByteArray> before = snapshot(installation.work.path());
        installation.values.cruisingAltitude = QStringLiteral("33000");
        using Moment = files::FileReplacement::Moment;
        files::FileReplacement::setInterruptionForTesting([&](Moment moment, int index) {
            if (moment == Moment::TargetReplaced && index == 3) {
                setMode(installation, QStringLiteral("lib"), kReadOnlyFolder);
                setMode(installation, QStringLiteral("."), kReadOnlyFolder);
            }
            return true;
        });
        const compiler::CompileResult failed = installation.compile();
        files::FileReplacement::setInterruptionForTesting({});
        setMode(installation, QStringLiteral("lib"), kFolder);
        setMode(installation, QStringLiteral("."), kFolder);
        QCOMPARE(failed.outcome, CompileOutcome::Failed);
        QVERIFY2(failed.message.contains(QStringLiteral("P.abl cannot be replaced")),
                 qPrintable(failed.message));
        for (const char* file : {"/P.flt", "/P.pln"}) {
            const QString kept =
                QStringLiteral("The old contents of %1 are kept in %1.talvo-backup-")
                    .arg(installation.work.path() + QLatin1String(file));
            QVERIFY2(failed.message.contains(kept), qPrintable(failed.message));
        }
        QVERIFY(!failed.message.contains(QStringLiteral("No file was changed.")));
        QCOMPARE(installation.work.read(QStringLiteral("fs/P.pln")), before.value("fs/P.pln"));

        installation.values.cruisingAltitude = QStringLiteral("31000");
        const compiler::CompileResult next = installation.compile();
        QCOMPARE(next.message, QStringLiteral("Adventure compiled successfully!"));
        QCOMPARE(next.notes.size(), 1);
        QVERIFY2(next.notes.first().contains(QStringLiteral("has been undone")),
                 qPrintable(next.notes.first()));
        QCOMPARE(snapshot(installation.work.path()), before);
    }

    // Where the working folder is the saved-flights folder, a compile whose script cannot replace
    // its target (the lib folder made read-only once the flight and the plan are replaced) puts
    // them back and leaves no backup, however often it is tried.
    void failuresInASharedFolderLeaveNoBackup() {
        Installation installation(QStringLiteral("."));
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        const QMap<QString, QByteArray> before = snapshot(installation.work.path());
        installation.values.cruisingAltitude = QStringLiteral("33000");
        using Moment = files::FileReplacement::Moment;
        files::FileReplacement::setInterruptionForTesting([&](Moment moment, int index) {
            if (moment == Moment::TargetReplaced && index == 2) {
                setMode(installation, QStringLiteral("lib"), kReadOnlyFolder);
            }
            return true;
        });
        for (int attempt = 0; attempt < 3; ++attempt) {
            const compiler::CompileResult result = installation.compile();
            setMode(installation, QStringLiteral("lib"), kFolder);
            QCOMPARE(result.outcome, CompileOutcome::Failed);
            QVERIFY2(result.message.contains(QStringLiteral("P.abl cannot be replaced")) &&
                         result.message.endsWith(QStringLiteral("No file was changed.")),
                     qPrintable(result.message));
            // The script's new version and backup could not be removed from the read-only
            // folder: the journal keeps them for the next start or compile, which removes them
            // (one of each at most, however many compiles fail), and nothing else is left.
            QMap<QString, QByteArray> now = snapshot(installation.work.path());
            int left = 0;
            for (const QString& name : now.keys()) {
                if (name == QLatin1String("talvo.journal") ||
                    name.startsWith(QLatin1String("lib/P.abl.talvo-"))) {
                    now.remove(name);
                    ++left;
                }
            }
            QVERIFY(left <= 3);
            QCOMPARE(now, before);
        }
        files::FileReplacement::setInterruptionForTesting({});
        QCOMPARE(compiler::recoverInterruptedCompileAtStart(installation.prefix), std::nullopt);
        QCOMPARE(snapshot(installation.work.path()), before);
    }

    void planOf100000Lines() {
        Installation installation;
        QByteArray plan = "[flightplan]\r\ncruising_altitude=35000\r\n";
        for (int i = 0; i < 100000; ++i) {
            plan += "waypoint." + QByteArray::number(i) +
                    "=KK, WPT, , WPT, I, N58* 27.53', W003* "
                    "06.02', +000000.00,\r\n";
        }
        installation.work.write(QStringLiteral("fs/P.pln"), plan);
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        plan.replace("cruising_altitude=35000", "cruising_altitude=31000");
        QCOMPARE(installation.work.read(QStringLiteral("fs/P.pln")), plan);
    }

    // Bytes are copied as they are: NUL, and the whole upper half of the code page.
    void nulAndHighBytes() {
        Installation installation;
        QByteArray odd("\0", 1);
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            odd += static_cast<char>(byte);
        }
        installation.work.write(QStringLiteral("fs/Talvo.FLT"),
                                crlf({"[Main]", "Weird=" + odd, "Center=50"}));
        installation.work.write(QStringLiteral("fs/P.pln"), crlf({odd, "cruising=1", odd}));
        installation.values.departureName = QStringLiteral("Z\u00fcrich \u00c9cole");
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        const QByteArray flight = installation.work.read(QStringLiteral("P.flt"));
        QVERIFY(flight.contains("\r\nWeird=" + odd + "\r\n"));
        QCOMPARE(installation.work.read(QStringLiteral("fs/P.pln")),
                 crlf({odd, "cruising_altitude=31000", odd}));
    }

    void savedFlightWithLineFeedsOnly() {
        Installation installation;
        installation.work.write(QStringLiteral("fs/Talvo.FLT"), "[Main]\nTitle=x\nVersion=1\n");
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        QCOMPARE(installation.work.read(QStringLiteral("P.flt")),
                 crlf({"[Main]", "ABLSCRIPT=LIB\\P", "Title=P", "Version=1"}));
    }

    // An empty saved flight gives an empty adventure flight: every line of it is copied.
    void savedFlightOfZeroBytes() {
        Installation installation;
        installation.work.write(QStringLiteral("fs/Talvo.FLT"), "");
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        QCOMPARE(installation.work.read(QStringLiteral("P.flt")), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestFaults)
#include "tst_faults.moc"
