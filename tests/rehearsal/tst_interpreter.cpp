// The interpreter that rehearses a script, on small scripts that each exercise one part of the
// language, on runaway scripts, and the rehearsal of the shipped templates over every built-in
// flight: every rule kept, the options' rules broken when a switch is taken out, and the three
// faults the templates once had (a V2 after a touch-and-go from the air, "Take-off rejected" after
// a fast taxi, silence after the first landing) seen when put back.
#include "rehearsal/interpreter.h"
#include "rehearsal/rehearsal.h"

#include <optional>
#include <QFile>
#include <QtTest>

using namespace rehearsal;

namespace {

QByteArray dataFile(const char* name) {
    QFile file(QStringLiteral(TALVO_DATA_DIR "/lib/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("cannot read %s", name);
    }
    return file.readAll();
}

const QByteArray kAllOptions = "CallSpeed = 1;\r\nCallList = 1;\r\nRateFlight = 1;\r\n";

// The shipped templates around the six lines, as the compile writes them.
QByteArray assembled(const QByteArray& speeds, const QByteArray& opening = dataFile("Talvo.abl"),
                     const QByteArray& closing = dataFile("Talvo2.abl"),
                     const QByteArray& options = kAllOptions) {
    return opening + speeds + options + closing;
}

const QByteArray kSpeeds = "nV1=148;\r\nnVr=166;\r\nnV2=178;\r\n";

// The shipped templates with one passage of one of them changed, as the compile writes them;
// empty when neither or both templates hold the passage.
QByteArray changed(const QByteArray& from, const QByteArray& to,
                   const QByteArray& options = kAllOptions) {
    QByteArray opening = dataFile("Talvo.abl");
    QByteArray closing = dataFile("Talvo2.abl");
    if (opening.contains(from) == closing.contains(from)) {
        return {};
    }
    return assembled(kSpeeds, opening.replace(from, to), closing.replace(from, to), options);
}

QByteArray options(int callSpeed, int callList, int rateFlight) {
    return QStringLiteral("CallSpeed = %1;\r\nCallList = %2;\r\nRateFlight = %3;\r\n")
        .arg(callSpeed)
        .arg(callList)
        .arg(rateFlight)
        .toLatin1();
}

QStringList texts(const FlightRehearsal& flight) {
    QStringList shown;
    for (const Record& record : flight.records) {
        if (!record.text.startsWith(QLatin1String("sound: "))) {
            shown.append(record.text);
        }
    }
    return shown;
}

const FlightRehearsal& flightNamed(const Rehearsal& r, const QString& name) {
    for (const FlightRehearsal& flight : r.flights) {
        if (flight.flight.name == name) {
            return flight;
        }
    }
    qFatal("no flight %s", qPrintable(name));
}

} // namespace

class TestInterpreter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A module whose main body runs three times; the value of n after the third run.
    void language_data() {
        QTest::addColumn<QByteArray>("declarations");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<double>("expected");
        QTest::newRow("precedence")
            << QByteArray("static integer n;") << QByteArray("n = 2 + 3 * 4 - 10 / 3;") << 11.0;
        QTest::newRow("brackets and sign")
            << QByteArray("static integer n;") << QByteArray("n = -(2 + 3) * 2;") << -10.0;
        QTest::newRow("real division")
            << QByteArray("static real n;") << QByteArray("n = 7.0 / 2;") << 3.5;
        QTest::newRow("mod") << QByteArray("static integer n;") << QByteArray("n = 17 mod 5;")
                             << 2.0;
        QTest::newRow("statics keep their value")
            << QByteArray("static integer n;") << QByteArray("n = n + 1;") << 3.0;
        QTest::newRow("module variables start again")
            << QByteArray("integer k; static integer n;") << QByteArray("k = k + 1; n = k;") << 1.0;
        QTest::newRow("if and else") << QByteArray("static integer n;")
                                     << QByteArray("if ((n > 1) and not (n == 5)) then n = 5; "
                                                   "else n = n + 1; endif;")
                                     << 5.0;
        QTest::newRow("while") << QByteArray("static integer n; integer k;")
                               << QByteArray("k = 0; n = 0; while (k < 10) do k = k + 1; "
                                             "n = n + k; endwhile;")
                               << 55.0;
        QTest::newRow("repeat") << QByteArray("static integer n;")
                                << QByteArray("n = 0; repeat n = n + 2; until (n >= 7);") << 8.0;
        QTest::newRow("for") << QByteArray("static integer n; integer k;")
                             << QByteArray("n = 0; for k = 1 to 4 do n = n * 10 + k; endfor;")
                             << 1234.0;
        QTest::newRow("for: the body changes its counter, not its passes")
            << QByteArray("static integer n; integer k;")
            << QByteArray("n = 0; for k = 1 to 5 do n = n + 1; k = k + 1; endfor; n = n * 10 + k;")
            << 56.0;
        QTest::newRow("a function init runs once, before the first run")
            << QByteArray("static integer n;\r\nfunction Init;\r\ncode\r\nn = 100;\r\n"
                          "endfunction;")
            << QByteArray("n = n + 1;") << 103.0;
        QTest::newRow("switch") << QByteArray("static integer n, m;")
                                << QByteArray("m = m + 1; switch (m) case 1, 2: n = 10; endcase; "
                                              "case 3: n = 30; endcase; endswitch;")
                                << 30.0;
        QTest::newRow("function and recursion")
            << QByteArray("static integer n;\r\nfunction F (integer k) : integer;\r\ncode\r\n"
                          "if (k <= 1) then return (1); endif;\r\nreturn (k * F(k - 1));\r\n"
                          "endfunction;")
            << QByteArray("n = F(5);") << 120.0;
        // reals are single precision, and numbers are read as the simulator's interpreter reads
        // them: its digits gathered in a single precision real
        QTest::newRow("single precision sum") << QByteArray("static integer n;")
                                              << QByteArray("n = 0; if ((0.1 + 0.2) == 0.3) "
                                                            "then n = 1; endif;")
                                              << 1.0;
        QTest::newRow("single precision accumulates")
            << QByteArray("static integer n; static real f;")
            << QByteArray("f = f + 0.1; n = 0; if (f == 0.3) then n = 1; endif;") << 1.0;
        QTest::newRow("beyond 2^24 digits are lost")
            << QByteArray("static integer n;")
            << QByteArray("n = 0; if (16777217.0 == 16777216.0) then n = 1; endif;") << 1.0;
        QTest::newRow("a number read digit by digit")
            << QByteArray("static integer n;")
            << QByteArray("n = 0; if ((1.0 / 3.0) == 0.333333333) then n = 1; endif;") << 0.0;
        QTest::newRow("trunc") << QByteArray("static integer n;")
                               << QByteArray("n = trunc(-2.7) * 10 + trunc(2.7);") << -18.0;
        QTest::newRow("round halves away from zero")
            << QByteArray("static integer n;") << QByteArray("n = round(2.5) * 10 + round(-2.5);")
            << 27.0;
        QTest::newRow("abs and sqrt")
            << QByteArray("static real n;") << QByteArray("n = abs(-3) + sqrt(16.0);") << 7.0;
    }
    void language() {
        QFETCH(QByteArray, declarations);
        QFETCH(QByteArray, body);
        QFETCH(double, expected);
        const bool functions = declarations.contains("function");
        const QByteArray script =
            "module T;\r\nvar\r\n" +
            (functions ? declarations.left(declarations.indexOf("function")) : declarations) +
            "\r\n" + (functions ? declarations.mid(declarations.indexOf("function")) : "") +
            "\r\ncode\r\n" + body + "\r\nendmodule.\r\n";
        Interpreter interpreter(script, {});
        for (int run = 0; run < 3; ++run) {
            QVERIFY2(interpreter.run(Sample{}), qPrintable(interpreter.problem()));
        }
        QCOMPARE(interpreter.variable(QStringLiteral("n"))->number, expected);
    }

    // A script that would never give the simulator back its run is stopped, naming its line; so
    // is one that does what a rehearsal cannot.
    void runaways_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("problem");
        QTest::newRow("endless loop")
            << QByteArray("module T;\r\nvar\r\nstatic integer n;\r\ncode\r\nwhile (true) do\r\n"
                          "n = n + 1;\r\nendwhile;\r\nendmodule.\r\n")
            << QStringLiteral("line 5: a loop of more than 100000 passes");
        QTest::newRow("loops within a loop")
            << QByteArray("module T;\r\nvar\r\nstatic integer n, k;\r\ncode\r\nwhile (true) do\r\n"
                          "for k = 1 to 50000 do n = n + 1; endfor;\r\nendwhile;\r\nendmodule.\r\n")
            << QStringLiteral("line 6: the script ran more than 1000000 steps");
        QTest::newRow("recursion without end")
            << QByteArray("module T;\r\nvar\r\nstatic integer n;\r\nfunction F : integer;\r\n"
                          "code\r\nreturn (F);\r\nendfunction;\r\ncode\r\nn = F;\r\nendmodule.\r\n")
            << QStringLiteral("calls nested more than 200 deep");
        QTest::newRow("text without bound")
            << QByteArray("module T;\r\nvar\r\nstatic char s;\r\ncode\r\ns = \"ab\";\r\n"
                          "while (true) do s = s + s; endwhile;\r\nendmodule.\r\n")
            << QStringLiteral("a text longer than 65536 characters");
        QTest::newRow("a routine of the language's a rehearsal cannot run")
            << QByteArray("module T;\r\nvar\r\nstatic integer n;\r\ncode\r\nn = random(6);\r\n"
                          "endmodule.\r\n")
            << QStringLiteral("line 5: random is one of the language's own routines");
        QTest::newRow("an array")
            << QByteArray("module T;\r\nvar\r\nstatic integer[4] a;\r\nstatic integer n;\r\n"
                          "code\r\nn = a[1];\r\nendmodule.\r\n")
            << QStringLiteral("line 6: a is an array: a rehearsal cannot run arrays");
        QTest::newRow("a state machine")
            << QByteArray("fsm T;\r\nvar\r\nstatic integer n;\r\nstate start;\r\ncode\r\n"
                          "n = 1;\r\nendstate;\r\nendfsm.\r\n")
            << QStringLiteral("line 1: a state machine (fsm) cannot be rehearsed");
        QTest::newRow("the square root of a negative number")
            << QByteArray("module T;\r\nvar\r\nstatic real n;\r\ncode\r\nn = sqrt(-1.0);\r\n"
                          "endmodule.\r\n")
            << QStringLiteral("line 5: the square root of a negative number");
    }
    void runaways() {
        QFETCH(QByteArray, script);
        QFETCH(QString, problem);
        Interpreter interpreter(script, {});
        QVERIFY(!interpreter.run(Sample{}));
        QVERIFY2(interpreter.problem().contains(problem), qPrintable(interpreter.problem()));
        QVERIFY(!interpreter.run(Sample{}));
    }

    // The shipped templates, their placeholders rehearsed like real names, keep every rule on
    // every built-in flight, with whole and decimal speeds and each of the eight settings of the
    // pilot's three options.
    void shippedTemplatesKeepEveryRule_data() {
        QTest::addColumn<QByteArray>("speeds");
        QTest::addColumn<QByteArray>("options");
        const QByteArray decimal("nV1=150.5;\r\nnVr=166;\r\nnV2=178.5;\r\n");
        for (int bits = 0; bits < 8; ++bits) {
            const int speed = bits & 1, list = (bits >> 1) & 1, rate = (bits >> 2) & 1;
            const QByteArray set = options(speed, list, rate);
            QTest::addRow("whole speeds, options %d%d%d", speed, list, rate) << kSpeeds << set;
            QTest::addRow("decimal speeds, options %d%d%d", speed, list, rate) << decimal << set;
        }
    }
    void shippedTemplatesKeepEveryRule() {
        QFETCH(QByteArray, speeds);
        QFETCH(QByteArray, options);
        const Rehearsal r =
            rehearse(assembled(speeds, dataFile("Talvo.abl"), dataFile("Talvo2.abl"), options));
        QVERIFY2(r.problem.isEmpty(), qPrintable(r.problem));
        QCOMPARE(r.flights.size(), std::size_t(10));
        for (const FlightRehearsal& flight : r.flights) {
            QVERIFY2(flight.broken.empty(),
                     qPrintable(flight.flight.name + QStringLiteral(": ") +
                                (flight.broken.empty() ? QString() : flight.broken[0].rule)));
        }
        if (!r.settings.callSpeed) {
            return;
        }
        const QStringList normal =
            texts(flightNamed(r, QStringLiteral("normal take-off and climb")));
        QVERIFY2(
            normal.indexOf(QStringLiteral("Eighty knots")) < normal.indexOf(QStringLiteral("V1")) &&
                normal.indexOf(QStringLiteral("V1")) < normal.indexOf(QStringLiteral("Rotate")) &&
                normal.indexOf(QStringLiteral("Rotate")) < normal.indexOf(QStringLiteral("V2")) &&
                normal.indexOf(QStringLiteral("Eighty knots")) >= 0,
            qPrintable(normal.join(u'|')));
    }

    // V1 above Vr, which the window takes: the aircraft reaches Vr first, then V1 before it lifts
    // off, and the rehearsal names the order broken.
    void speedsOutOfOrder() {
        const Rehearsal r = rehearse(assembled("nV1=164;\r\nnVr=160;\r\nnV2=178;\r\n"));
        QVERIFY(r.problem.isEmpty());
        const FlightRehearsal& normal = flightNamed(r, QStringLiteral("normal take-off and climb"));
        QVERIFY(!normal.broken.empty());
        QVERIFY2(normal.broken[0].rule.contains(QStringLiteral("\"Rotate\" before \"V1\"")),
                 qPrintable(normal.broken[0].rule));
    }

    // Each mend of the templates, put back the way it was, shows its fault again.
    void mendedFaults() {
        const Rehearsal shipped = rehearse(assembled(kSpeeds));
        auto rehearsedWith = [](const QByteArray& from, const QByteArray& to) {
            const QByteArray script = changed(from, to);
            return script.isEmpty() ? std::optional<Rehearsal>() : rehearse(script);
        };

        // V2 and the climb prompts in any climb: a touch-and-go from the air calls "V2".
        std::optional<Rehearsal> r =
            rehearsedWith("((nPhase == PH_CLIMB) and (bTakeoffClimb) and (not bClimbedOut))",
                          "((nPhase == PH_CLIMB) and (not bClimbedOut))");
        QVERIFY(r);
        QVERIFY(!flightNamed(*r, QStringLiteral("touch-and-go from the air")).broken.empty());
        QVERIFY(!texts(flightNamed(shipped, QStringLiteral("touch-and-go from the air")))
                     .contains(QStringLiteral("V2")));
        QVERIFY(!texts(flightNamed(shipped, QStringLiteral("touch-and-go from the air")))
                     .contains(QStringLiteral("Positive rate - gear up")));

        // A fast taxi that stops is no rejected take-off.
        QVERIFY(!texts(flightNamed(shipped, QStringLiteral("fast taxi that stops")))
                     .contains(QStringLiteral("Take-off rejected")));
        QVERIFY(texts(flightNamed(shipped, QStringLiteral("take-off rejected below V1")))
                    .contains(QStringLiteral("Take-off rejected")));
        r = rehearsedWith("if ((CallSpeed == 1) and (bRollEighty)) then",
                          "if (CallSpeed == 1) then");
        QVERIFY(r);
        QVERIFY(texts(flightNamed(*r, QStringLiteral("fast taxi that stops")))
                    .contains(QStringLiteral("Take-off rejected")));
        QVERIFY(!flightNamed(*r, QStringLiteral("fast taxi that stops")).broken.empty());

        // A second take-off after landing and stopping gets its call-outs again.
        const QStringList second =
            texts(flightNamed(shipped, QStringLiteral("second take-off after landing")));
        QCOMPARE(second.count(QStringLiteral("Rotate")), 2);
        QCOMPARE(second.count(QStringLiteral("V2")), 2);
        r = rehearsedWith("  if ((nWas == PH_DONE) and (bGround) and (fIAS >= ROLL_IAS)) then\r\n"
                          "    StartNewFlight;\r\n    nPhase = PH_ROLL;\r\n  endif;\r\n",
                          "");
        QVERIFY(r);
        QCOMPARE(texts(flightNamed(*r, QStringLiteral("second take-off after landing")))
                     .count(QStringLiteral("Rotate")),
                 1);
        QVERIFY(!flightNamed(*r, QStringLiteral("second take-off after landing")).broken.empty());

        // Raising the gear in a go-around's climb is right: no "Too low - gear" then.
        QVERIFY(!texts(flightNamed(shipped, QStringLiteral("go-around")))
                     .contains(QStringLiteral("Too low - gear")));
        r = rehearsedWith("(fHeight < GEAR_WARN_HEIGHT) and (not bGear) and (fVS < 0.0)",
                          "(fHeight < GEAR_WARN_HEIGHT) and (not bGear)");
        QVERIFY(r);
        QVERIFY(texts(flightNamed(*r, QStringLiteral("go-around")))
                    .contains(QStringLiteral("Too low - gear")));
    }

    // The templates with an option's switch taken out: the rehearsal names the option's rule.
    void optionSwitchesTakenOut_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QByteArray>("options");
        QTest::addColumn<QString>("rule");
        QTest::newRow("prompts without CallList")
            << QByteArray("if (CallList == 1) then") << QByteArray("if (CallList >= 0) then")
            << options(1, 0, 1) << QStringLiteral("check-list prompt \"Before take-off");
        QTest::newRow("rating without RateFlight")
            << QByteArray("if ((RateFlight == 1) and (nPhase == PH_DONE)) then")
            << QByteArray("if (nPhase == PH_DONE) then") << options(1, 1, 0)
            << QStringLiteral("\"Flight rating: A - excellent\" shown though RateFlight is 0");
        QTest::newRow("rating started again at every run")
            << QByteArray("    if (not bRated) then\r\n      RateTheFlight;")
            << QByteArray("    if (true) then\r\n      RateTheFlight;") << kAllOptions
            << QStringLiteral("no flight rating after the landing and stop");
        QTest::newRow("grade shown twice")
            << QByteArray("if (nRateStep == 2) then nMsg = nRotMsg; endif;")
            << QByteArray("if (nRateStep == 2) then nMsg = nGradeMsg; endif;") << kAllOptions
            << QStringLiteral("flight rating shown 2 times after the landing and stop");
        QTest::newRow("rejection without CallSpeed")
            << QByteArray("if ((CallSpeed == 1) and (bRollEighty)) then")
            << QByteArray("if (bRollEighty) then") << options(0, 1, 1)
            << QStringLiteral("\"Take-off rejected\" called though CallSpeed is 0");
    }
    void optionSwitchesTakenOut() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QByteArray, options);
        QFETCH(QString, rule);
        const QByteArray script = changed(from, to, options);
        QVERIFY(!script.isEmpty());
        const Rehearsal r = rehearse(script);
        QVERIFY2(r.problem.isEmpty(), qPrintable(r.problem));
        QStringList rules;
        for (const FlightRehearsal& flight : r.flights) {
            for (const BrokenRule& broken : flight.broken) {
                rules.append(flight.flight.name + QStringLiteral(": ") + broken.rule);
            }
        }
        QVERIFY2(std::any_of(rules.begin(), rules.end(),
                             [&](const QString& line) { return line.contains(rule); }),
                 qPrintable(rules.join(u'|')));
    }
};

QTEST_GUILESS_MAIN(TestInterpreter)
#include "tst_interpreter.moc"
