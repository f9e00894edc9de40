// A compile killed at any moment (SIGKILL, a power cut as far as the program can tell) leaves
// the flight plan wholly the old one or wholly the new one, never a mixture or a stump. The kills
// here land at moments of the clock, on a plan of some 24 MB; tst_faultinjection kills a compile
// at each of its calls of the system, before and after every replacement.
#include "support/scratchfolder.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

namespace {

QByteArray planWithCruising(const QByteArray& altitude, int waypoints) {
    QByteArray plan = "[flightplan]\r\ntype=IFR\r\ncruising_altitude=" + altitude + "\r\n";
    plan.reserve(waypoints * 80);
    for (int i = 0; i < waypoints; ++i) {
        plan += "waypoint." + QByteArray::number(i) +
                "=KK, WPT, , WPT, I, N58* 27.53', W003* 06.02', +000000.00,\r\n";
    }
    return plan;
}

} // namespace

class TestInterrupted : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void planIsOldOrNew() {
        ScratchFolder work;
        const QByteArray oldPlan = planWithCruising("35000", 300000);
        const QByteArray newPlan = planWithCruising("31000", 300000);
        work.write(QStringLiteral("lib/Talvo.abl"), "code\r\n");
        work.write(QStringLiteral("lib/Talvo2.abl"), "endmodule.\r\n");
        work.write(QStringLiteral("fs/Talvo.FLT"), crlf({"[Main]", "Title=x", "Center=50"}));
        const QString prefix = work.filePath(QStringLiteral("fs")) + QLatin1Char('\\');
        const QString program =
            QCoreApplication::applicationDirPath() + QStringLiteral("/compile_once");

        int landed = 0; // kills that struck a running compile
        auto run = [&](qint64 killAfterMicroseconds) {
            QProcess compile;
            compile.setWorkingDirectory(work.path());
            compile.start(program, {prefix});
            QVERIFY(compile.waitForStarted());
            if (killAfterMicroseconds >= 0) {
                QElapsedTimer clock;
                clock.start();
                while (clock.nsecsElapsed() / 1000 < killAfterMicroseconds) {
                }
                compile.kill();
            }
            QVERIFY(compile.waitForFinished(60000));
            landed += compile.exitStatus() == QProcess::CrashExit;
        };

        // One whole compile, to know how long one takes.
        work.write(QStringLiteral("fs/P.pln"), oldPlan);
        QElapsedTimer whole;
        whole.start();
        run(-1);
        const qint64 duration = whole.nsecsElapsed() / 1000;
        QCOMPARE(work.read(QStringLiteral("fs/P.pln")), newPlan);

        int oldSeen = 0;
        int newSeen = 0;
        constexpr int kKills = 40;
        for (int k = 0; k < kKills; ++k) {
            work.write(QStringLiteral("fs/P.pln"), oldPlan);
            run(duration * k * 5 / (4 * kKills));
            const QByteArray plan = work.read(QStringLiteral("fs/P.pln"));
            QVERIFY2(plan == oldPlan || plan == newPlan,
                     qPrintable(QStringLiteral("killed after %1 us: a plan of %2 bytes")
                                    .arg(duration * k * 5 / (4 * kKills))
                                    .arg(plan.size())));
            (plan == oldPlan ? oldSeen : newSeen)++;
        }
        qInfo("one compile took %lld us; %d kills struck a running compile; after the kills the "
              "plan was old %d times, new %d times",
              duration, landed, oldSeen, newSeen);
        QVERIFY(landed > 0);
        QCOMPARE(work.read(QStringLiteral("fs/Talvo.FLT")),
                 crlf({"[Main]", "Title=x", "Center=50"}));
    }
};

QTEST_GUILESS_MAIN(TestInterrupted)
#include "tst_interrupted.moc"
