#include "params/fuel.h"
#include "support/compilerwindow.h"
#include "support/geometry.h"
#include "support/messagerecorder.h"
#include "textio/numbers.h"
#include "ui/application.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

void workedExamples() {
    QTest::addColumn<QString>("percent");
    QTest::addColumn<QString>("expected"); // FuelOnBoard/V1/Vr/V2
    QTest::newRow("100") << "100"
                         << "57275/151/171/181";
    QTest::newRow("75") << "75"
                        << "42956/146/163/176";
    QTest::newRow("55.5") << "55.5"
                          << "31787/142/157/172";
    QTest::newRow("55") << "55"
                        << "31501/142/157/172";
    QTest::newRow("50, excess exactly 8.4 knots") << "50"
                                                  << "28637/141/155/171";
    QTest::newRow("25") << "25"
                        << "14318/136/147/166";
    QTest::newRow("10, no excess") << "10"
                                   << "5727/133/143/163";
    QTest::newRow("10.01, less than a knot") << "10.01"
                                             << "5733/133/143/163";
    QTest::newRow("0") << "0"
                       << "0/133/143/163";
    QTest::newRow("empty") << ""
                           << "0/133/143/163";
    QTest::newRow("text") << "abc"
                          << "0/133/143/163";
    QTest::newRow("12abc counts as 12") << "12abc"
                                        << "6873/133/143/163";
    QTest::newRow("-0.1, floor not truncation") << "-0.1"
                                                << "-58/133/143/163";
    QTest::newRow("-20") << "-20"
                         << "-11455/133/143/163";
    QTest::newRow("V1 and V2 first rise") << "14.77"
                                          << "8459/134/144/164";
}

} // namespace

class TestFuel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ui::prepareApplication(); }

    void rule_data() { workedExamples(); }
    void rule() {
        QFETCH(QString, percent);
        QFETCH(QString, expected);
        const double fuel = params::ComputeFuelOnBoard(textio::lenientNumber(percent));
        const params::TakeoffSpeeds speeds = params::ComputeTakeoffSpeeds(fuel);
        const QString got =
            QStringList{textio::wholeNumberText(fuel), textio::wholeNumberText(speeds.v1),
                        textio::wholeNumberText(speeds.vr), textio::wholeNumberText(speeds.v2)}
                .join(u'/');
        QCOMPARE(got, expected);
    }

    // The speeds rise in whole knots at their thresholds: V1 and V2 at 8455 gallons, Vr at 7517.
    void thresholds_data() {
        QTest::addColumn<double>("fuel");
        QTest::addColumn<double>("v1");
        QTest::addColumn<double>("vr");
        QTest::newRow("below Vr's first knot") << 7516.0 << 133.0 << 143.0;
        QTest::newRow("Vr's first knot") << 7517.0 << 133.0 << 144.0;
        QTest::newRow("below V1's first knot") << 8454.0 << 133.0 << 144.0;
        QTest::newRow("V1's first knot") << 8455.0 << 134.0 << 144.0;
    }
    void thresholds() {
        QFETCH(double, fuel);
        QFETCH(double, v1);
        QFETCH(double, vr);
        const params::TakeoffSpeeds speeds = params::ComputeTakeoffSpeeds(fuel);
        QCOMPARE(speeds.v1, v1);
        QCOMPARE(speeds.vr, vr);
        QCOMPARE(speeds.v2, v1 + 30);
    }

    // On the window: the handler of the fuel box writes the fuel on board and the speeds, keeps
    // the pilot's text and never sets off a speed limit.
    void onTheWindow_data() { workedExamples(); }
    void onTheWindow() {
        QFETCH(QString, percent);
        QFETCH(QString, expected);
        MessageRecorder recorder;
        CompilerWindow window;
        window.box("Text14")->setText(QStringLiteral("33"));
        window.box("Text14")->setText(percent);
        QCOMPARE(window.fuelAndSpeeds(), expected);
        QCOMPARE(window.text("Text14"), percent);
        QVERIFY(recorder.messages.isEmpty());
    }

    // The fuel on board is written before the speeds, and the speeds in the order V1, Vr, V2.
    void writesInOrder() {
        CompilerWindow window;
        QStringList writes;
        for (const char* name : {"FuelOnBoard", "V1", "Vr", "V2"}) {
            QObject::connect(window.box(name), &QLineEdit::textChanged,
                             [&writes, name] { writes.append(QLatin1String(name)); });
        }
        window.box("Text14")->setText(QStringLiteral("75"));
        QCOMPARE(writes, QStringList({"FuelOnBoard", "V1", "Vr", "V2"}));
    }

    void typingKeyByKey() {
        MessageRecorder recorder;
        CompilerWindow window;
        window.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window.window));
        QSignalSpy fuel(window.box("FuelOnBoard"), &QLineEdit::textChanged);
        QStringList afterEachKey;
        QObject::connect(window.box("Text14"), &QLineEdit::textChanged,
                         [&] { afterEachKey.append(window.fuelAndSpeeds()); });
        QTest::keyClicks(window.box("Text14"), QStringLiteral("75"));
        QCOMPARE(afterEachKey, QStringList({"4009/133/143/163", "42956/146/163/176"}));
        QCOMPARE(fuel.count(), 2);
        QVERIFY(recorder.messages.isEmpty());
    }

    // Clearing the box sets the fuel on board to 0 and the base speeds; the box stays empty.
    void clearingTheBox() {
        CompilerWindow window;
        window.box("Text14")->setText(QStringLiteral("100"));
        window.box("Text14")->clear();
        QCOMPARE(window.fuelAndSpeeds(), QStringLiteral("0/133/143/163"));
        QCOMPARE(window.text("Text14"), QString());
    }

    // Assigning the text the box already shows is no change: the handler does not run, so a
    // speed the pilot edited stays.
    void sameTextIsNoChange() {
        CompilerWindow window;
        window.box("Text14")->setText(QStringLiteral("75"));
        window.box("V1")->setText(QStringLiteral("140"));
        window.box("Text14")->setText(QStringLiteral("75"));
        QCOMPARE(window.text("V1"), QStringLiteral("140"));
        window.box("Text14")->setText(QStringLiteral("75.0"));
        QCOMPARE(window.text("V1"), QStringLiteral("146"));
    }
};

QTEST_MAIN(TestFuel)
#include "tst_fuel.moc"
