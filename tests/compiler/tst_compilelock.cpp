// One compile at a time in a working folder: a compile waits up to five seconds for the lock that
// another instance holds, then says which process holds it; a lock whose process has ended, or
// that a folder stands in for, is named as such.
#include "support/installation.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

using compiler::CompileOutcome;

namespace {

// Another instance holding the lock of the current folder for a while.
std::unique_ptr<QProcess> holdLock(int milliseconds) {
    auto holder = std::make_unique<QProcess>();
    holder->start(QCoreApplication::applicationDirPath() + QStringLiteral("/hold_lock"),
                  {QString::number(milliseconds)});
    [&] {
        QVERIFY(holder->waitForReadyRead(10000));
        // A line, ended as the system ends lines (CR LF on Windows).
        QCOMPARE(holder->readAllStandardOutput().trimmed(), QByteArray("held"));
    }();
    return holder;
}

} // namespace

class TestCompileLock : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void waitsForAShortCompile() {
        Installation installation;
        const std::unique_ptr<QProcess> holder = holdLock(1500);
        QElapsedTimer clock;
        clock.start();
        const compiler::CompileResult result = installation.compile();
        QCOMPARE(result.message, QStringLiteral("Adventure compiled successfully!"));
        QVERIFY2(clock.elapsed() >= 1000, "the compile did not wait for the lock");
        holder->waitForFinished();
    }

    void namesTheProcessAfterFiveSeconds() {
        Installation installation;
        const std::unique_ptr<QProcess> holder = holdLock(20000);
        const qint64 pid = holder->processId();
        QElapsedTimer clock;
        clock.start();
        const compiler::CompileResult result = installation.compile();
        const qint64 waited = clock.elapsed();
        holder->kill();
        holder->waitForFinished();
        QCOMPARE(result.outcome, CompileOutcome::Failed);
        QVERIFY2(result.message.contains(
                     QStringLiteral("Another Talvo 2003 (process %1) is compiling").arg(pid)),
                 qPrintable(result.message));
        QVERIFY2(waited >= 4500 && waited < 15000, qPrintable(QString::number(waited)));
        QVERIFY(!installation.work.exists(QStringLiteral("P.flt")));
    }

    // The lock of a process that was killed is taken over at once.
    void lockOfAKilledProcess() {
        Installation installation;
        const std::unique_ptr<QProcess> holder = holdLock(20000);
        holder->kill();
        holder->waitForFinished();
        QVERIFY(installation.work.exists(QStringLiteral("talvo.lock")));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(installation.compile().message,
                 QStringLiteral("Adventure compiled successfully!"));
        QVERIFY(clock.elapsed() < 4000);
    }

    void folderInTheLocksPlace() {
        Installation installation;
        QVERIFY(QDir().mkdir(QStringLiteral("talvo.lock")));
        const compiler::CompileResult result = installation.compile();
        QCOMPARE(result.outcome, CompileOutcome::Failed);
        QVERIFY2(result.message.contains(QStringLiteral("holds a folder named talvo.lock")),
                 qPrintable(result.message));
        QVERIFY(!result.message.contains(QStringLiteral("process 0")));
    }
};

QTEST_GUILESS_MAIN(TestCompileLock)
#include "tst_compilelock.moc"
