#include "compiler/adventureflightwriter.h"
#include "support/files.h"
#include "support/scratchfolder.h"
#include "textio/linereader.h"
#include "textio/linewriter.h"

#include <QtTest>

namespace {

using Lines = QList<QByteArray>;

compiler::AdventureValues values(bool engineOff = true) {
    compiler::AdventureValues v;
    v.planName = QStringLiteral("KSEA-PANC");
    v.routeType = QStringLiteral("IFR");
    v.departureName = QStringLiteral("SEATTLE-TACOMA INTL");
    v.arrivalName = QStringLiteral("TED STEVENS ANCHORAGE INTL");
    v.cruisingAltitude = QStringLiteral("35000");
    v.aircraft = QStringLiteral("Boeing 747-400 Passengers");
    v.fuelPercent = QStringLiteral("80");
    v.engineOff = engineOff;
    return v;
}

QByteArray rewrite(const QByteArray& input, const compiler::AdventureValues& v) {
    return throughLines(input, [&](textio::LineReader& in, textio::LineWriter& out) {
        compiler::writeAdventureFlightLines(in, out, v);
    });
}

const QByteArray kDescription =
    QByteArray("Description=IFR Flight from SEATTLE-TACOMA INTL To TED STEVENS ANCHORAGE INTL at "
               "35000 feet. Aircraft used: Boeing 747-400 Passengers"
               // The credit sentence the pilot reads in the simulator's flight list.
               " Created with MERIDO Ver. 1.0 - Talvo 2003, the adventure compiler for the Boeing "
               "747-400.");
const QByteArray kScript = "ABLSCRIPT=LIB\\KSEA-PANC";

// The tank block of a saved flight and what becomes of it at 80 %.
const Lines kTanks = {"Center=45.000000",   "LeftMain=89.999992",  "RightMain=89.999992",
                      "LeftAux=100.000000", "RightAux=100.000000", "LeftTip=0.000000",
                      "RightTip=0.000000",  "Center 2=50.000000"};
const Lines kTanksAt80 = {"Center=80",   "LeftMain=80",       "RightMain=80",       "LeftAux=80",
                          "RightAux=80", "RightTip=0.000000", "Center 2=50.000000", "Center2=80"};

} // namespace

class TestAdventureFlight : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rewrites_data() {
        QTest::addColumn<Lines>("input");
        QTest::addColumn<bool>("engineOff");
        QTest::addColumn<Lines>("output");

        QTest::newRow("title, description and aircraft replaced whole")
            << Lines{"Title=Seattle departure", "Description=A long description, with commas",
                     "Aircraft=Boeing 747-400 Freighter"}
            << true << Lines{"Title=KSEA-PANC", kDescription, "Aircraft=Boeing 747-400 Passengers"};
        QTest::newRow("leading blank or other case copied")
            << Lines{" Title=x", "title=x", "DESCRIPTION=y", "aircraft=z"} << true
            << Lines{" Title=x", "title=x", "DESCRIPTION=y", "aircraft=z"};
        QTest::newRow("[Main] gets the script reference")
            << Lines{"[Main]", "Title=x", "[Options]"} << true
            << Lines{"[Main]", kScript, "Title=KSEA-PANC", "[Options]"};
        QTest::newRow("[Main] after a replaced line still gets it")
            << Lines{"Title=x", "[Main]", "FlightVersion=1"} << true
            << Lines{"Title=KSEA-PANC", "[Main]", kScript, "FlightVersion=1"};
        QTest::newRow("an existing script reference is kept")
            << Lines{"[Main]", "ABLSCRIPT=LIB\\OLD", "Title=x"} << true
            << Lines{"[Main]", kScript, "ABLSCRIPT=LIB\\OLD", "Title=KSEA-PANC"};
        QTest::newRow("no [Main], no script reference")
            << Lines{"[Options]", "Sound=True"} << true << Lines{"[Options]", "Sound=True"};
        QTest::newRow("[Main] inside the GPS section gets nothing")
            << Lines{"[GPS_Engine]", "[Main]", "x"} << true << Lines{"[GPS_Engine]", "[Main]", "x"};
        QTest::newRow("plan line passed untested")
            << Lines{"[GPS_Engine]", "Aircraft=x", "y"} << true
            << Lines{"[GPS_Engine]", "Aircraft=x", "y"};
        QTest::newRow("line after the plan line is tested by the later rules")
            << Lines{"[GPS_Engine]", "Filename=FLIGHTS\\MYFLTS\\KSEA-PANC", "Aircraft=x"} << true
            << Lines{"[GPS_Engine]", "Filename=FLIGHTS\\MYFLTS\\KSEA-PANC",
                     "Aircraft=Boeing 747-400 Passengers"};
        QTest::newRow("line after the plan line is not tested by the earlier rules, next one is")
            << Lines{"[GPS_Engine]", "Filename=x", "Title=y", "Title=z"} << true
            << Lines{"[GPS_Engine]", "Filename=x", "Title=y", "Title=KSEA-PANC"};
        QTest::newRow("tank block by position") << kTanks << true << kTanksAt80;
        QTest::newRow("tanks in another order keep the fixed keys")
            << Lines{"Center=1",  "RightAux=2", "LeftAux=3", "RightMain=4", "LeftMain=5",
                     "Dropped=6", "Kept6=7",    "Kept7=8",   "After=9"}
            << true
            << Lines{"Center=80", "LeftMain=80", "RightMain=80", "LeftAux=80", "RightAux=80",
                     "Kept6=7",   "Kept7=8",     "Center2=80",   "After=9"};
        QTest::newRow("[Main] inside the tank block gets nothing")
            << Lines{"Center=1", "a", "b", "c", "d", "e", "[Main]", "g"} << true
            << Lines{"Center=80", "LeftMain=80", "RightMain=80", "LeftAux=80", "RightAux=80",
                     "[Main]",    "g",           "Center2=80"};
        QTest::newRow("line after the tank block is tested by the later rules")
            << kTanks + Lines{"Aircraft=x"} << true
            << kTanksAt80 + Lines{"Aircraft=Boeing 747-400 Passengers"};
        QTest::newRow("engine and switches off")
            << Lines{"Pct Engine RPM=0.842512", "BatterySwitch=True", "x", "AvionicsSwitch=True"}
            << true
            << Lines{"Pct Engine RPM=0.000000", "BatterySwitch=FALSE", "x", "AvionicsSwitch=FALSE"};
        QTest::newRow("engine option clear copies them")
            << Lines{"Pct Engine RPM=0.842512", "BatterySwitch=True", "AvionicsSwitch=True"}
            << false
            << Lines{"Pct Engine RPM=0.842512", "BatterySwitch=True", "AvionicsSwitch=True"};
        QTest::newRow("avionics then battery: the battery line is copied")
            << Lines{"AvionicsSwitch=True", "BatterySwitch=True"} << true
            << Lines{"AvionicsSwitch=FALSE", "BatterySwitch=True"};
        QTest::newRow("battery then avionics: both replaced")
            << Lines{"BatterySwitch=True", "AvionicsSwitch=True"} << true
            << Lines{"BatterySwitch=FALSE", "AvionicsSwitch=FALSE"};
        QTest::newRow("other lines byte for byte")
            << Lines{"", "Potentiometer.2 = 0.5", QByteArray("\xe9\x81\x00z", 4)} << true
            << Lines{"", "Potentiometer.2 = 0.5", QByteArray("\xe9\x81\x00z", 4)};
        // Input that ends while a rule still needs lines: what the rule makes of the lines
        // there are is written, then the copy ends.
        QTest::newRow("ends on a title line")
            << Lines{"[Main]", "Title=x"} << true << Lines{"[Main]", kScript, "Title=KSEA-PANC"};
        QTest::newRow("ends on [GPS")
            << Lines{"a", "[GPS_Engine]"} << true << Lines{"a", "[GPS_Engine]"};
        QTest::newRow("ends on the plan line")
            << Lines{"[GPS_Engine]", "Filename=x"} << true << Lines{"[GPS_Engine]", "Filename=x"};
        QTest::newRow("ends inside the tank block")
            << Lines{"Center=1", "a", "b"} << true
            << Lines{"Center=80", "LeftMain=80", "RightMain=80"};
        QTest::newRow("ends on the dropped tank line")
            << kTanks.mid(0, 6) << true << kTanksAt80.mid(0, 5);
        QTest::newRow("ends right after the tank block") << kTanks << true << kTanksAt80;
        QTest::newRow("ends on a switch line")
            << Lines{"BatterySwitch=True"} << true << Lines{"BatterySwitch=FALSE"};
        QTest::newRow("empty saved flight") << Lines{} << true << Lines{};
    }
    void rewrites() {
        QFETCH(Lines, input);
        QFETCH(bool, engineOff);
        QFETCH(Lines, output);
        QCOMPARE(rewrite(crlf(input), values(engineOff)), crlf(output));
    }

    // Values are written as the fields show them, never reformatted.
    void valuesAsShown() {
        compiler::AdventureValues v = values();
        v.planName = QStringLiteral("My Plan");
        v.fuelPercent = QStringLiteral("055.50");
        v.cruisingAltitude = QStringLiteral("");
        v.aircraft = QStringLiteral("Boeing 747-400 Z\u00fcrich");
        const QByteArray out =
            rewrite(crlf({"[Main]", "Title=x", "Description=", "Aircraft=", "x", "Center=1"}), v);
        const QList<QByteArray> lines = out.split('\n');
        QCOMPARE(lines[1], QByteArray("ABLSCRIPT=LIB\\My Plan\r"));
        QCOMPARE(lines[2], QByteArray("Title=My Plan\r"));
        QVERIFY(lines[3].contains(" at  feet. Aircraft used: Boeing 747-400 Z\xfcrich Created with "
                                  "MERIDO Ver. 1.0"));
        QCOMPARE(lines[4], QByteArray("Aircraft=Boeing 747-400 Z\xfcrich\r"));
        QCOMPARE(lines[6], QByteArray("Center=055.50\r"));
    }

    void descriptionLine() {
        QCOMPARE(compiler::descriptionLine(values()), kDescription);
        QVERIFY(kDescription.contains(". Aircraft used: Boeing 747-400 Passengers Created with "
                                      "MERIDO Ver. 1.0"));
    }

    // The saved flights of the simulator's era end their lines with CR LF; a lone LF is read as
    // a line end too, and written as CR LF.
    void lineFeedsOnly() {
        QCOMPARE(rewrite("[Main]\nTitle=x\n", values()),
                 crlf({"[Main]", kScript, "Title=KSEA-PANC"}));
    }

    void demoFlight() {
        QFile file(QStringLiteral(TALVO_DATA_DIR "/demo/Flight Simulator Files/Talvo.FLT"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray input = file.readAll();
        const QByteArray output = rewrite(input, values());
        const QList<QByteArray> in = input.split('\n');
        const QList<QByteArray> out = output.split('\n');
        // One line more for the script reference, one less for the dropped tank, one more for
        // Center2=.
        QCOMPARE(out.size(), in.size() + 1);
        QVERIFY(output.contains("\r\nCenter2=80\r\n"));
        QVERIFY(output.startsWith("[Main]\r\nABLSCRIPT=LIB\\KSEA-PANC\r\nTitle=KSEA-PANC\r\n"));
        QCOMPARE(output.count("Pct Engine RPM=0.000000"), 4);
        QVERIFY(!output.contains("LeftTip="));
    }
};

QTEST_APPLESS_MAIN(TestAdventureFlight)
#include "tst_adventureflight.moc"
