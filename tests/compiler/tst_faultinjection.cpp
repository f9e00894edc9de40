// A compile with the machine against it at every step: each open, write, sync, rename and close
// of a file in the installation is made to fail in turn, then the compile is killed at each of
// them instead. A failed compile leaves every file of the pilot byte for byte as it was and names
// the file and the reason; a compile reported as done left every file new and whole; a killed
// compile leaves each file old or new, and the next compile cleans up after it. Both with the
// unnamed temporary files of Linux and, as on file systems that have none, with named ones.
#include "support/compileprocess.h"
#include "support/files.h"

#include <QProcess>
#include <QtTest>

namespace {

const QStringList kKinds = {"open", "write", "sync", "rename", "close"};
const QMap<QString, QString> kReasons = {{"open", "Permission denied"},
                                         {"write", "No space left on device"},
                                         {"sync", "Input/output error"},
                                         {"rename", "Permission denied"},
                                         {"close", "Input/output error"}};

using Run = CompileRun;

// An installation compiled once already (80 %, 31000 ft), so that every output has old contents
// a failed compile must keep. A file of the pilot that looks like a temporary file stands beside
// the plan.
class Scene : public Installation {
public:
    Scene() { work.write(QStringLiteral("fs/P.pln.backup"), "the pilot's own copy\r\n"); }
    QString root() const { return work.path(); }
    Run compile(const QStringList& windowValues, const QProcessEnvironment& fault = {}) const {
        return runCompile(*this, windowValues, fault);
    }
};

const QStringList kOld = {"80", "31000"};
const QStringList kNew = {"60", "33000"};

QProcessEnvironment faultAt(const QString& root, const QString& kind, int n, bool kill,
                            bool namedTemporaries, const QString& counts = QString()) {
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(TALVO_FAULT_SHIM));
    // Under AddressSanitizer the shim comes before its runtime.
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       qEnvironmentVariable("ASAN_OPTIONS") +
                           QStringLiteral(":verify_asan_link_order=0"));
    environment.insert(QStringLiteral("TALVO_FAULT_DIR"), root);
    if (!kind.isEmpty()) {
        environment.insert(QStringLiteral("TALVO_FAULT"), kind + u':' + QString::number(n));
    }
    if (kill) {
        environment.insert(QStringLiteral("TALVO_FAULT_KILL"), QStringLiteral("1"));
    }
    if (namedTemporaries) {
        environment.insert(QStringLiteral("TALVO_FAULT_NO_TMPFILE"), QStringLiteral("1"));
    }
    if (!counts.isEmpty()) {
        environment.insert(QStringLiteral("TALVO_FAULT_COUNTS"), counts);
    }
    return environment;
}

// The files after a whole compile with the old and with the new values.
struct Outcomes {
    QMap<QString, QByteArray> before;
    QMap<QString, QByteArray> after;
    QMap<QString, int> calls; // calls of each kind in a compile
};

Outcomes outcomes(bool namedTemporaries) {
    Outcomes o;
    Scene installation;
    installation.compile(kOld);
    o.before = snapshot(installation.root());
    const QString counts = installation.root() +
                           QStringLiteral("/../counts-%1").arg(QCoreApplication::applicationPid());
    installation.compile(
        kNew, faultAt(installation.root(), QString(), 0, false, namedTemporaries, counts));
    o.after = snapshot(installation.root());
    QFile file(counts);
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QList<QByteArray> fields = line.split(' ');
            if (fields.size() == 2) {
                o.calls.insert(QString::fromLatin1(fields[0]), fields[1].toInt());
            }
        }
    }
    file.remove();
    return o;
}

// The files that differ, for the report of a failure.
QString differences(const QMap<QString, QByteArray>& seen,
                    const QMap<QString, QByteArray>& expected) {
    QStringList names;
    for (auto it = seen.begin(); it != seen.end(); ++it) {
        if (expected.value(it.key(), "<none>") != it.value()) {
            names.append(it.key());
        }
    }
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        if (!seen.contains(it.key())) {
            names.append(QStringLiteral("missing ") + it.key());
        }
    }
    return names.join(QStringLiteral(", "));
}

} // namespace

class TestFaultInjection : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        const Outcomes o = outcomes(false);
        QVERIFY(o.before != o.after);
        QVERIFY2(o.calls.value(QStringLiteral("write")) > 4, "the shim saw no writes");
    }

    void failures_data() {
        QTest::addColumn<bool>("namedTemporaries");
        QTest::newRow("unnamed temporary files") << false;
        QTest::newRow("named temporary files") << true;
    }
    void failures() {
        QFETCH(bool, namedTemporaries);
        const Outcomes o = outcomes(namedTemporaries);
        int failed = 0;
        for (const QString& kind : kKinds) {
            for (int n = 1; n <= o.calls.value(kind); ++n) {
                Scene installation;
                installation.compile(kOld);
                const Run run = installation.compile(
                    kNew, faultAt(installation.root(), kind, n, false, namedTemporaries));
                const QString at = QStringLiteral("%1 %2: %3").arg(kind).arg(n).arg(run.message);
                QVERIFY2(!run.killed, qPrintable(at));
                if (run.compiled) {
                    // A failure the compile may pass over (a second sync of a file already
                    // synced, a close): every file is new and whole. Where the written script
                    // cannot be read back, the compile says so rather than that it succeeded.
                    QVERIFY2(run.message == QStringLiteral("Adventure compiled successfully!") ||
                                 (run.message.contains(QStringLiteral("cannot be read back")) &&
                                  run.message.contains(kReasons.value(kind))),
                             qPrintable(at));
                    const QMap<QString, QByteArray> now = snapshot(installation.root());
                    QVERIFY2(now == o.after, qPrintable(at + u' ' + differences(now, o.after)));
                    continue;
                }
                ++failed;
                const QMap<QString, QByteArray> now = snapshot(installation.root());
                QVERIFY2(now == o.before, qPrintable(at + u' ' + differences(now, o.before)));
                QVERIFY2(run.message.startsWith(QStringLiteral("Cannot compile the Adventure.")),
                         qPrintable(at));
                QVERIFY2(run.message.contains(installation.root()), qPrintable(at));
                // The lock of the working folder does not pass the system's reason on.
                QVERIFY2(run.message.contains(kReasons.value(kind)) ||
                             run.message.contains(QStringLiteral("talvo.lock cannot be written")),
                         qPrintable(at));
                QVERIFY2(run.message.endsWith(QStringLiteral("No file was changed.")),
                         qPrintable(at));
            }
        }
        QVERIFY(failed > 20);
    }

    void kills_data() { failures_data(); }
    void kills() {
        QFETCH(bool, namedTemporaries);
        const Outcomes o = outcomes(namedTemporaries);
        int planOld = 0;
        int planNew = 0;
        int wholeOld = 0;
        int wholeNew = 0;
        for (const QString& kind : {QStringLiteral("open"), QStringLiteral("write"),
                                    QStringLiteral("sync"), QStringLiteral("rename")}) {
            for (int n = 1; n <= o.calls.value(kind); ++n) {
                Scene installation;
                installation.compile(kOld);
                const Run run = installation.compile(
                    kNew, faultAt(installation.root(), kind, n, true, namedTemporaries));
                const QString at = QStringLiteral("killed at %1 %2").arg(kind).arg(n);
                QVERIFY2(run.killed, qPrintable(at));
                const QMap<QString, QByteArray> now = snapshot(installation.root());
                for (const QString& file : o.after.keys()) {
                    QVERIFY2(now.value(file) == o.before.value(file) ||
                                 now.value(file) == o.after.value(file),
                             qPrintable(at + QStringLiteral(": ") + file));
                }
                (now.value(QStringLiteral("fs/P.pln")) == o.after.value(QStringLiteral("fs/P.pln"))
                     ? planNew
                     : planOld)++;
                // The next start makes the adventure whole, all old or all new, and leaves
                // nothing of the compile behind.
                QProcess start;
                start.setWorkingDirectory(installation.root());
                start.start(QCoreApplication::applicationDirPath() +
                                QStringLiteral("/compile_once"),
                            {QStringLiteral("--recover"), installation.prefix});
                QVERIFY(start.waitForFinished(60000));
                const QMap<QString, QByteArray> whole = snapshot(installation.root());
                QVERIFY2(whole == o.before || whole == o.after,
                         qPrintable(at + QStringLiteral(": ") + differences(whole, o.before) +
                                    QStringLiteral(" / ") + differences(whole, o.after)));
                (whole == o.after ? wholeNew : wholeOld)++;
                // The next compile finishes the job and leaves nothing behind.
                const Run next = installation.compile(kNew);
                QVERIFY2(next.compiled, qPrintable(at + QStringLiteral(": ") + next.message));
                const QMap<QString, QByteArray> after = snapshot(installation.root());
                QVERIFY2(after == o.after,
                         qPrintable(at + QStringLiteral(": ") + differences(after, o.after)));
            }
        }
        qInfo("after the kills the plan was old %d times, new %d times; after the next start the "
              "adventure was wholly old %d times, wholly new %d times",
              planOld, planNew, wholeOld, wholeNew);
        QVERIFY(wholeOld > 0);
        QVERIFY(wholeNew > 0);
        QVERIFY(planOld > 0);
        QVERIFY(planNew > 0);
    }
};

QTEST_GUILESS_MAIN(TestFaultInjection)
#include "tst_faultinjection.moc"
