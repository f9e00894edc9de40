// The compile's word on a script that loads: rehearsed over the simulated flights, it keeps every
// rule (the success message, exactly), or the message names the rule broken, the flight, the
// time and the speeds, and what to do.
#include "support/installation.h"

#include <QFile>
#include <QtTest>

using compiler::CompileOutcome;

namespace {

// A shipped template as a pilot adapts it: every placeholder replaced by a simulator's name.
QByteArray adapted(const char* name) {
    QFile file(QStringLiteral(TALVO_DATA_DIR "/lib/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("cannot read %s", name);
    }
    return file.readAll().replace("SimVar_", "FsVar_").replace("SimCall_", "FsCall_");
}

} // namespace

class TestRehearsalVerdict : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void verdicts_data() {
        QTest::addColumn<QStringList>("speeds");
        QTest::addColumn<QByteArray>("from"); // a change to the opening template, "" for none
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QStringList>("said");
        QTest::newRow("every rule kept")
            << QStringList{"148", "166", "178"} << QByteArray() << QByteArray()
            << QStringList{"Adventure compiled successfully!"};
        QTest::newRow("V1 above Vr")
            << QStringList{"164", "160", "178"} << QByteArray() << QByteArray()
            << QStringList{"will load its script", "the flight \"normal take-off and climb\"",
                           "\"Rotate\" before \"V1\"", "(V1 164, Vr 160, V2 178)",
                           "V1, Vr and V2 are out of order: please check them in the compiler "
                           "window and compile again."};
        QTest::newRow("V2 after a touch-and-go")
            << QStringList{"148", "166", "178"}
            << QByteArray("((nPhase == PH_CLIMB) and (bTakeoffClimb) and (not bClimbedOut))")
            << QByteArray("((nPhase == PH_CLIMB) and (not bClimbedOut))")
            << QStringList{"the flight \"touch-and-go from the air\"", "\"V2\"",
                           "Mend the template, then compile again."};
    }
    void verdicts() {
        QFETCH(QStringList, speeds);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QStringList, said);
        Installation installation;
        QByteArray opening = adapted("Talvo.abl");
        if (!from.isEmpty()) {
            QVERIFY(opening.contains(from));
            opening.replace(from, to);
        }
        installation.work.write(QStringLiteral("lib/Talvo.abl"), opening);
        installation.work.write(QStringLiteral("lib/Talvo2.abl"), adapted("Talvo2.abl"));
        installation.values.v1 = speeds[0];
        installation.values.vr = speeds[1];
        installation.values.v2 = speeds[2];
        const compiler::CompileResult result = installation.compile();
        QCOMPARE(result.outcome, CompileOutcome::Compiled);
        if (said.size() == 1) {
            QCOMPARE(result.message, said.first());
            return;
        }
        for (const QString& words : said) {
            QVERIFY2(result.message.contains(words), qPrintable(result.message));
        }
    }
};

QTEST_GUILESS_MAIN(TestRehearsalVerdict)
#include "tst_rehearsalverdict.moc"
