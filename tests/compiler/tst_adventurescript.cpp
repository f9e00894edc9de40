#include "compiler/adventurescript.h"

#include <QtTest>

class TestAdventureScript : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void variableLines_data() {
        QTest::addColumn<QStringList>("speeds");
        QTest::addColumn<QList<bool>>("options"); // speed calls, check list, rate the flight
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::newRow("all ticked")
            << QStringList{"142", "157", "172"} << QList<bool>{true, true, true}
            << QList<QByteArray>{"nV1=142;",       "nVr=157;",      "nV2=172;",
                                 "CallSpeed = 1;", "CallList = 1;", "RateFlight = 1;"};
        QTest::newRow("none ticked")
            << QStringList{"133", "143", "163"} << QList<bool>{false, false, false}
            << QList<QByteArray>{"nV1=133;",       "nVr=143;",      "nV2=163;",
                                 "CallSpeed = 0;", "CallList = 0;", "RateFlight = 0;"};
        QTest::newRow("each option its own line")
            << QStringList{"1", "2", "3"} << QList<bool>{false, true, false}
            << QList<QByteArray>{"nV1=1;",         "nVr=2;",        "nV2=3;",
                                 "CallSpeed = 0;", "CallList = 1;", "RateFlight = 0;"};
        QTest::newRow("speeds as shown, empty ones too")
            << QStringList{"", "12abc", " 150"} << QList<bool>{true, false, true}
            << QList<QByteArray>{"nV1=;",          "nVr=12abc;",    "nV2= 150;",
                                 "CallSpeed = 1;", "CallList = 0;", "RateFlight = 1;"};
    }
    void variableLines() {
        QFETCH(QStringList, speeds);
        QFETCH(QList<bool>, options);
        QFETCH(QList<QByteArray>, lines);
        compiler::AdventureValues values;
        values.v1 = speeds[0];
        values.vr = speeds[1];
        values.v2 = speeds[2];
        values.speedCalls = options[0];
        values.checkList = options[1];
        values.rateFlight = options[2];
        QCOMPARE(compiler::scriptVariableLines(values), lines);
    }
};

QTEST_APPLESS_MAIN(TestAdventureScript)
#include "tst_adventurescript.moc"
