// A compile cut short at any step, as a power cut would cut it (everything before that step on
// the disk, nothing after), is finished or undone at the next start or compile: the adventure is
// then wholly the old one or wholly the new one, nothing the compile made is left behind, and the
// pilot is told which. Files the program did not make are never touched: copies the pilot made
// that look like the compile's own files, files a planted or foreign journal names, and a saved
// flight of the pilot's that bears the plan's name.
#include "compiler/interruptedcompile.h"
#include "files/filereplacement.h"
#include "support/files.h"
#include "support/installation.h"

#include <QDir>
#include <QtTest>

using compiler::CompileOutcome;
using Moment = files::FileReplacement::Moment;

namespace {

// Cuts every compile of the test short at one moment, until the object goes.
class CutShort {
public:
    CutShort(Moment moment, int index) {
        files::FileReplacement::setInterruptionForTesting(
            [=](Moment now, int at) { return !(now == moment && at == index); });
    }
    ~CutShort() { files::FileReplacement::setInterruptionForTesting({}); }
    CutShort(const CutShort&) = delete;
    CutShort& operator=(const CutShort&) = delete;
};

// The files of an installation after one compile with the old values and after one with the new.
struct Adventures {
    QMap<QString, QByteArray> old;
    QMap<QString, QByteArray> renewed;
};

void setNewValues(Installation& installation) {
    installation.values.fuelPercent = QStringLiteral("60");
    installation.values.cruisingAltitude = QStringLiteral("33000");
}

Adventures adventures(const QString& savedFlights) {
    Adventures a;
    Installation installation(savedFlights);
    [&] {
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
    }();
    a.old = snapshot(installation.work.path());
    setNewValues(installation);
    [&] {
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
    }();
    a.renewed = snapshot(installation.work.path());
    return a;
}

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cutShortThenRecovered_data() {
        QTest::addColumn<int>("moment");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("completed");
        QTest::addColumn<bool>("told");
        QTest::addColumn<bool>("atStart");
        const struct {
            const char* name;
            Moment moment;
            int index;
            bool completed;
            bool told; // the adventure changed in the recovery
        } rows[] = {
            {"new versions written", Moment::NewVersionsWritten, 0, false, true},
            {"backups made", Moment::BackupsMade, 0, false, true},
            {"replacing recorded", Moment::ReplacingRecorded, 0, true, true},
            {"1 target replaced", Moment::TargetReplaced, 1, true, true},
            {"2 targets replaced", Moment::TargetReplaced, 2, true, true},
            {"3 targets replaced", Moment::TargetReplaced, 3, true, true},
            {"all replaced, backups left", Moment::AllReplaced, 0, true, false},
        };
        for (const auto& row : rows) {
            for (const bool atStart : {true, false}) {
                QTest::addRow("%s, %s", row.name, atStart ? "at the start" : "by the next compile")
                    << int(row.moment) << row.index << row.completed << row.told << atStart;
            }
        }
    }
    void cutShortThenRecovered() {
        QFETCH(int, moment);
        QFETCH(int, index);
        QFETCH(bool, completed);
        QFETCH(bool, told);
        QFETCH(bool, atStart);
        const Adventures expected = adventures(QStringLiteral("fs"));
        Installation installation;
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        setNewValues(installation);
        {
            CutShort cut(Moment(moment), index);
            QCOMPARE(installation.compile().outcome, CompileOutcome::Failed);
        }
        QVERIFY(installation.work.exists(QStringLiteral("talvo.journal")));
        QString message;
        if (atStart) {
            message = compiler::recoverInterruptedCompileAtStart(installation.prefix).value_or("");
        } else {
            // The next compile puts the old values back: the adventure must first be whole.
            installation.values.fuelPercent = QStringLiteral("80");
            installation.values.cruisingAltitude = QStringLiteral("31000");
            const compiler::CompileResult result = installation.compile();
            QCOMPARE(result.message, QStringLiteral("Adventure compiled successfully!"));
            QCOMPARE(result.notes.size(), told ? 1 : 0);
            message = result.notes.value(0);
        }
        if (told) {
            QVERIFY2(message.contains(completed ? "has been completed" : "undone"),
                     qPrintable(message));
            for (const char* file : {"/P.flt", "/P.pln", "/fs/P.pln", "/lib/P.abl"}) {
                QVERIFY2(message.contains(QDir::toNativeSeparators(QString::fromLatin1(file))),
                         qPrintable(message));
            }
        } else {
            QVERIFY2(message.isEmpty(), qPrintable(message));
        }
        const QMap<QString, QByteArray> now = snapshot(installation.work.path());
        if (atStart) {
            QCOMPARE(now, completed ? expected.renewed : expected.old);
        } else {
            QCOMPARE(now, expected.old);
        }
    }

    // Copies the pilot made after an interruption, named like the compile's own files, and the
    // pilot's backup of the plan, survive the recovery and the compile byte for byte.
    void lookalikesOfThePilotAreKept() {
        Installation installation;
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        setNewValues(installation);
        {
            CutShort cut(Moment::TargetReplaced, 1);
            QCOMPARE(installation.compile().outcome, CompileOutcome::Failed);
        }
        const QStringList copies = {"fs/P.pln.backup",
                                    "fs/P.pln.a8Zq3T",
                                    "P.flt.abc123",
                                    "P.flt.talvo-new-abcdef",
                                    "fs/P.pln.talvo-backup-zzzzzz",
                                    "lib/P.abl.talvo-new-000000"};
        for (const QString& copy : copies) {
            installation.work.write(copy, "the pilot's own copy of " + copy.toUtf8());
        }
        const compiler::CompileResult result = installation.compile();
        QCOMPARE(result.message, QStringLiteral("Adventure compiled successfully!"));
        for (const QString& copy : copies) {
            QCOMPARE(installation.work.read(copy), "the pilot's own copy of " + copy.toUtf8());
        }
    }

    // A journal in the program's own form whose files are not those it made (same names, other
    // files): nothing is touched, not even to complete the replacement it records.
    void journalWhoseFilesAreOthers() {
        Installation installation;
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        const QString work = QDir::currentPath();
        installation.work.write(QStringLiteral("fs/P.pln.talvo-new-abcdef"), "the pilot's\r\n");
        installation.work.write(QStringLiteral("fs/P.pln.talvo-backup-abcdef"), "the pilot's\r\n");
        installation.work.write(QStringLiteral("P.flt.talvo-new-abcdef"), "x");
        const QByteArray journal =
            "talvo-journal\t1\t" + work.toUtf8() + "\nN\t" + work.toUtf8() + "/fs/P.pln\t" +
            work.toUtf8() + "/fs/P.pln.talvo-new-abcdef\t1\t2\nF\t" + work.toUtf8() +
            "/fs/P.pln.talvo-new-abcdef\t13\nB\t" + work.toUtf8() + "/fs/P.pln\t" + work.toUtf8() +
            "/fs/P.pln.talvo-backup-abcdef\t1\t2\t13\nn\t" + work.toUtf8() + "/P.flt\t" +
            work.toUtf8() + "/P.flt.talvo-new-abcdef\nC\n";
        installation.work.write(QStringLiteral("talvo.journal"), journal);
        QMap<QString, QByteArray> before = snapshot(installation.work.path());
        before.remove(QStringLiteral("talvo.journal"));
        const std::optional<QString> told =
            compiler::recoverInterruptedCompileAtStart(installation.prefix);
        QVERIFY(told);
        QVERIFY2(told->contains(QStringLiteral("set aside")), qPrintable(*told));
        before.insert(QStringLiteral("talvo.journal.set-aside"), journal);
        QCOMPARE(snapshot(installation.work.path()).keys(), before.keys());
        QCOMPARE(snapshot(installation.work.path()), before);
    }

    // A journal the program did not write here is set aside and named; nothing it names is
    // touched, whether the compile then succeeds or fails.
    void foreignJournalIsSetAside_data() {
        QTest::addColumn<QByteArray>("journal");
        QTest::addColumn<QString>("why");
        QTest::newRow("names a file elsewhere")
            << QByteArray("talvo-journal\t1\t@WORK@\nN\t@VICTIM@\t@VICTIM@.talvo-new-aaaaaa\t1\t2\n"
                          "b\t@VICTIM@\t@VICTIM@.talvo-backup-aaaaaa\n")
            << "which no compile in this working folder writes";
        QTest::newRow("names talvo.ini")
            << QByteArray("talvo-journal\t1\t@WORK@\nn\t@WORK@/talvo.ini\t@WORK@/talvo.ini.talvo-"
                          "new-aaaaaa\n")
            << "which no compile in this working folder writes";
        QTest::newRow("written in another working folder")
            << QByteArray("talvo-journal\t1\t/elsewhere\nB\t@WORK@/P.flt\t@WORK@/P.flt.talvo-"
                          "backup-aaaaaa\t1\t2\t3\n")
            << "written in another working folder";
        QTest::newRow("a journal of the old kind")
            << QByteArray("T\t@VICTIM@\nB\t@VICTIM@\n") << "no journal of this version";
        QTest::newRow("a name not of the program's kind")
            << QByteArray("talvo-journal\t1\t@WORK@\nN\t@WORK@/P.flt\t@WORK@/P.flt.backup\t1\t2\n")
            << "a record Talvo 2003 does not write";
        QTest::newRow("text") << QByteArray("a pilot's note\n") << "no journal";
    }
    void foreignJournalIsSetAside() {
        QFETCH(QByteArray, journal);
        QFETCH(QString, why);
        Installation installation;
        ScratchFolder elsewhere;
        QDir::setCurrent(installation.work.path());
        const QString victim = elsewhere.filePath(QStringLiteral("pilot.pln"));
        writeFile(victim, "the pilot's plan\r\n");
        writeFile(victim + QStringLiteral(".talvo-new-aaaaaa"), "looks like ours\r\n");
        writeFile(victim + QStringLiteral(".talvo-backup-aaaaaa"), "looks like ours\r\n");
        installation.work.write(QStringLiteral("talvo.ini.talvo-new-aaaaaa"), "");
        journal.replace("@WORK@", QDir::currentPath().toUtf8())
            .replace("@VICTIM@", victim.toUtf8());
        installation.work.write(QStringLiteral("talvo.journal"), journal);
        const QMap<QString, QByteArray> elsewhereBefore = snapshot(elsewhere.path());
        // A compile that fails (no closing template) touches nothing the journal names either.
        QFile::rename(installation.work.filePath(QStringLiteral("lib/Talvo2.abl")),
                      installation.work.filePath(QStringLiteral("lib/Closing.abl")));
        const compiler::CompileResult failedCompile = installation.compile();
        QCOMPARE(failedCompile.outcome, CompileOutcome::Failed);
        QVERIFY(failedCompile.message.endsWith(QStringLiteral("No file was changed.")));
        QCOMPARE(failedCompile.notes.size(), 1);
        QVERIFY2(failedCompile.notes.first().contains(why),
                 qPrintable(failedCompile.notes.first()));
        QVERIFY(failedCompile.notes.first().contains(QStringLiteral("talvo.journal.set-aside")));
        QCOMPARE(installation.work.read(QStringLiteral("talvo.journal.set-aside")), journal);
        QVERIFY(installation.work.exists(QStringLiteral("talvo.ini.talvo-new-aaaaaa")));
        QCOMPARE(snapshot(elsewhere.path()), elsewhereBefore);
        QVERIFY(!installation.work.exists(QStringLiteral("talvo.journal")));
    }

    // What stands at the journal's name is never read when it is no regular file of a journal's
    // size: a FIFO would hang the compile, a link to an endless device or a huge file would
    // fill the memory.
    void journalThatIsNoFile_data() {
        QTest::addColumn<int>("what");
        QTest::addColumn<QString>("why");
        QTest::newRow("FIFO") << 0 << "it is not a regular file";
        QTest::newRow("link to /dev/zero") << 1 << "it is not a regular file";
        QTest::newRow("folder") << 2 << "it is not a regular file";
        QTest::newRow("3 GiB") << 3 << "larger than any journal";
        QTest::newRow("a byte over the bound") << 4 << "larger than any journal";
    }
    void journalThatIsNoFile() {
        QFETCH(int, what);
        QFETCH(QString, why);
        if (what <= 1 && !canPutInPlace(NotAFile::Fifo)) {
            QSKIP("this system has no FIFOs, devices or symbolic links in its folders");
        }
        Installation installation;
        const QString journal = installation.work.filePath(QStringLiteral("talvo.journal"));
        switch (what) {
        case 0:
            putSpecialFile(journal, NotAFile::Fifo);
            break;
        case 1:
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), journal));
            break;
        case 2:
            QVERIFY(QDir().mkdir(journal));
            break;
        default: {
            QFile file(journal);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(what == 3 ? (qint64(3) << 30) : files::kMaxJournalSize + 1));
        }
        }
        const compiler::CompileResult result = installation.compile();
        QCOMPARE(result.message, QStringLiteral("Adventure compiled successfully!"));
        QCOMPARE(result.notes.size(), 1);
        QVERIFY2(result.notes.first().contains(why), qPrintable(result.notes.first()));
        QVERIFY(QFileInfo(journal + QStringLiteral(".set-aside")).exists() ||
                QFileInfo(journal + QStringLiteral(".set-aside")).isSymLink());
    }

    // The working folder is the saved-flights folder: the plan is its own working copy, and a
    // saved flight of the pilot's named like the plan is kept.
    void sharedWorkingAndSavedFlightsFolder() {
        Installation installation(QStringLiteral("."));
        installation.work.write(QStringLiteral("P.FLT"), crlf({"[Main]", "Title=my own flight"}));
        const QMap<QString, QByteArray> before = snapshot(installation.work.path());
        for (int attempt = 0; attempt < 3; ++attempt) {
            const compiler::CompileResult refused = installation.compile();
            QCOMPARE(refused.outcome, CompileOutcome::Failed);
            QVERIFY2(refused.message.contains(QStringLiteral("is not an adventure of Talvo 2003")),
                     qPrintable(refused.message));
            QVERIFY(refused.message.contains(
                QDir::toNativeSeparators(installation.work.filePath(QStringLiteral("P.FLT")))));
            QVERIFY(refused.message.endsWith(QStringLiteral("No file was changed.")));
            QCOMPARE(snapshot(installation.work.path()), before);
        }
        // Failing compiles leave nothing behind either.
        QVERIFY(QFile::rename(installation.work.filePath(QStringLiteral("P.FLT")),
                              installation.work.filePath(QStringLiteral("mine.FLT"))));
        QFile::rename(installation.work.filePath(QStringLiteral("lib/Talvo2.abl")),
                      installation.work.filePath(QStringLiteral("lib/Closing.abl")));
        const QMap<QString, QByteArray> beforeFailures = snapshot(installation.work.path());
        for (int attempt = 0; attempt < 3; ++attempt) {
            QCOMPARE(installation.compile().outcome, CompileOutcome::Failed);
            QCOMPARE(snapshot(installation.work.path()), beforeFailures);
        }
        QFile::rename(installation.work.filePath(QStringLiteral("lib/Closing.abl")),
                      installation.work.filePath(QStringLiteral("lib/Talvo2.abl")));
        // An earlier adventure is replaced; the plan is written once.
        for (const char* altitude : {"31000", "33000"}) {
            installation.values.cruisingAltitude = QString::fromLatin1(altitude);
            const compiler::CompileResult result = installation.compile();
            QCOMPARE(result.message, QStringLiteral("Adventure compiled successfully!"));
            QVERIFY(installation.work.read(QStringLiteral("P.pln"))
                        .contains(QByteArray("cruising_altitude=") + altitude + "\r\n"));
        }
        QStringList names = QDir(installation.work.path()).entryList(QDir::Files);
        names.sort();
        QCOMPARE(names, (QStringList{"P.flt", "P.pln", "Talvo.FLT", "mine.FLT"}));
    }
};

QTEST_GUILESS_MAIN(TestRecovery)
#include "tst_recovery.moc"
