// A compile with the file layer failing at every step, on every system: each open, creation, last
// write, sync, link, rename, removal and folder sync of the compile is made to fail in turn
// through the file layer's seam, then the compile is killed at each of them instead. On Windows
// this is how the transaction is proven (there is no LD_PRELOAD there); on Linux it runs beside
// the C-library shim, which also reaches the calls Qt makes. The failures run in this process;
// only the killed compiles run in one of their own (compile_once), so that the test stays quick
// under Wine, where starting a process is slow.
//
// A failed compile leaves every file of the pilot byte for byte as it was and names the reason; a
// compile reported as done left every file new and whole; a killed compile leaves each file old
// or new, the next start makes the adventure wholly old or wholly new, and the next compile
// leaves nothing of it behind.
#include "compiler/interruptedcompile.h"
#include "files/faultseam.h"
#include "support/compileprocess.h"
#include "support/files.h"

#include <map>
#include <QtTest>

using files::filesystem::Operation;

namespace {

const std::map<QString, Operation> kKinds = {
    {"open", Operation::Open},     {"create", Operation::Create},
    {"write", Operation::Write},   {"sync", Operation::Sync},
    {"link", Operation::Link},     {"replace", Operation::Replace},
    {"remove", Operation::Remove}, {"syncfolder", Operation::SyncFolder},
};

// An installation compiled once already, so that every output has old contents a failed compile
// must keep; a file of the pilot that looks like a temporary file stands beside the plan.
class Scene : public Installation {
public:
    Scene() {
        work.write(QStringLiteral("fs/P.pln.backup"), "the pilot's own copy\r\n");
        compileWith(QStringLiteral("80"), QStringLiteral("31000"));
    }
    QString root() const { return work.path(); }
    compiler::CompileResult compileWith(const QString& fuel, const QString& altitude) {
        values = compileOnceValues(fuel, altitude);
        return compile();
    }
    compiler::CompileResult compileNew() {
        return compileWith(QStringLiteral("60"), QStringLiteral("33000"));
    }
    // What the program does at its start: finishes or undoes an interrupted compile.
    void recover() const { compiler::recoverInterruptedCompileAtStart(prefix); }
};

// Counts the operations of each kind while it lives; fails the nth of one kind when asked.
class Seam {
public:
    explicit Seam(Operation failing = Operation::Open, int n = 0) {
        files::filesystem::setFaultHook(
            [this, failing, n](Operation operation, const QString&) -> std::optional<QString> {
                if (++counts[operation] == n && operation == failing) {
                    return QStringLiteral("Injected failure");
                }
                return std::nullopt;
            });
    }
    ~Seam() { files::filesystem::setFaultHook({}); }
    Seam(const Seam&) = delete;
    Seam& operator=(const Seam&) = delete;
    std::map<Operation, int> counts;
};

// The files after a whole compile with the old and with the new values, and how many operations
// of each kind the new compile made.
struct Outcomes {
    QMap<QString, QByteArray> before;
    QMap<QString, QByteArray> after;
    std::map<Operation, int> calls;
};

Outcomes outcomes() {
    Outcomes o;
    Scene installation;
    o.before = snapshot(installation.root());
    {
        Seam seam;
        installation.compileNew();
        o.calls = seam.counts;
    }
    o.after = snapshot(installation.root());
    return o;
}

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

class TestFaultSeam : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        const Outcomes o = outcomes();
        QVERIFY(o.before != o.after);
        // Every kind of operation the transaction depends on happens in a compile.
        for (const QString kind : {"open", "create", "write", "sync", "replace", "syncfolder"}) {
            QVERIFY2(o.calls.count(kKinds.at(kind)) > 0, qPrintable(kind));
        }
    }

    void failures_data() {
        QTest::addColumn<QString>("kind");
        for (const auto& [kind, operation] : kKinds) {
            QTest::newRow(qPrintable(kind)) << kind;
        }
    }
    void failures() {
        QFETCH(QString, kind);
        const Operation operation = kKinds.at(kind);
        const Outcomes o = outcomes();
        const int calls = o.calls.count(operation) ? o.calls.at(operation) : 0;
        int refused = 0;
        for (int n = 1; n <= calls; ++n) {
            Scene installation;
            compiler::CompileResult result;
            {
                const Seam seam(operation, n);
                result = installation.compileNew();
            }
            const QString at = QStringLiteral("%1 %2: %3").arg(kind).arg(n).arg(result.message);
            const QMap<QString, QByteArray> now = snapshot(installation.root());
            if (result.outcome == compiler::CompileOutcome::Compiled) {
                // A failure the compile may pass over: every file new and whole. Where the written
                // script cannot be read back, the compile says so rather than that it succeeded.
                QVERIFY2(result.message == QStringLiteral("Adventure compiled successfully!") ||
                             result.message.contains(QStringLiteral("cannot be read back")),
                         qPrintable(at));
                if (now != o.after) {
                    // A backup of its own it could not remove: kept in the journal, and gone
                    // at the next start.
                    installation.recover();
                }
                const QMap<QString, QByteArray> whole = snapshot(installation.root());
                QVERIFY2(whole == o.after, qPrintable(at + u' ' + differences(whole, o.after)));
                continue;
            }
            QVERIFY2(result.message.startsWith(QStringLiteral("Cannot compile the Adventure.")),
                     qPrintable(at));
            QVERIFY2(result.message.contains(QStringLiteral("Injected failure")) ||
                         result.message.contains(QStringLiteral("talvo.lock cannot be written")),
                     qPrintable(at));
            QVERIFY2(result.message.endsWith(QStringLiteral("No file was changed.")),
                     qPrintable(at));
            QVERIFY2(now == o.before, qPrintable(at + u' ' + differences(now, o.before)));
            ++refused;
        }
        // Each failure of a file the compile makes, before its replacements, refuses the compile.
        if (QStringList{"create", "write", "sync", "replace"}.contains(kind)) {
            QVERIFY(refused > 0);
        }
    }

    void kills_data() { failures_data(); }
    void kills() {
        QFETCH(QString, kind);
        const Operation operation = kKinds.at(kind);
        const Outcomes o = outcomes();
        const int calls = o.calls.count(operation) ? o.calls.at(operation) : 0;
        for (int n = 1; n <= calls; ++n) {
            Scene installation;
            QProcessEnvironment kill;
            kill.insert(QStringLiteral("TALVO_SEAM_FAULT"), kind + u':' + QString::number(n));
            kill.insert(QStringLiteral("TALVO_SEAM_KILL"), QStringLiteral("1"));
            const CompileRun run = runCompile(installation, {"60", "33000"}, kill);
            const QString at = QStringLiteral("killed at %1 %2").arg(kind).arg(n);
            QVERIFY2(run.killed, qPrintable(at + u' ' + run.message));
            const QMap<QString, QByteArray> now = snapshot(installation.root());
            for (const QString& file : o.after.keys()) {
                QVERIFY2(now.value(file) == o.before.value(file) ||
                             now.value(file) == o.after.value(file),
                         qPrintable(at + QStringLiteral(": ") + file));
            }
            // The next start makes the adventure whole, all old or all new.
            installation.recover();
            const QMap<QString, QByteArray> whole = snapshot(installation.root());
            QVERIFY2(whole == o.before || whole == o.after,
                     qPrintable(at + QStringLiteral(": ") + differences(whole, o.before) +
                                QStringLiteral(" / ") + differences(whole, o.after)));
            // The next compile finishes the job and leaves nothing behind.
            const compiler::CompileResult next = installation.compileNew();
            QVERIFY2(next.outcome == compiler::CompileOutcome::Compiled,
                     qPrintable(at + QStringLiteral(": ") + next.message));
            const QMap<QString, QByteArray> after = snapshot(installation.root());
            QVERIFY2(after == o.after,
                     qPrintable(at + QStringLiteral(": ") + differences(after, o.after)));
        }
    }
};

QTEST_GUILESS_MAIN(TestFaultSeam)
#include "tst_faultseam.moc"
