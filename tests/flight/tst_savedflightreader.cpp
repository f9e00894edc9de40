#include "flight/savedflightreader.h"
#include "support/compilerwindow.h"
#include "support/geometry.h"
#include "support/messagerecorder.h"
#include "support/scratchfolder.h"
#include "ui/application.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
using Lines = QList<QByteArray>;
const QByteArray kLong(120, 'P');
} // namespace

class TestSavedFlightReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ui::prepareApplication(); }

    // Text1 shows "previous" before every read, so an unchanged plan name can be seen.
    void reads_data() {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<QString>("planName");
        QTest::addColumn<QString>("text1");
        QTest::addColumn<QString>("aircraft");
        QTest::addColumn<QString>("fuelOnBoard");
        QTest::addColumn<QString>("percent");

        QTest::newRow("worked example")
            << Lines{"[Main]",       "Title=x",
                     "[GPS_Engine]", "Filename=FLIGHTS\\MYFLTS\\KJFK-EGLL",
                     "[Sim.0]",      "Aircraft=Boeing 747-400 Passengers",
                     "[fuel]",       "LeftMain=50",
                     "RightMain=50", "LeftAux=0",
                     "Center=30",    "RightAux=0",
                     "Center 2=0"}
            << "KJFK-EGLL"
            << "KJFK-EGLL"
            << "Boeing 747-400 Passengers"
            << "22337"
            << "39";
        QTest::newRow("no GPS section keeps Text1")
            << Lines{"Aircraft=Boeing 747-400", "Center=100"} << ""
            << "previous"
            << "Boeing 747-400"
            << "19473"
            << "34";
        QTest::newRow("prefix in lower case")
            << Lines{"[GPS_Engine]", "filename=flights\\myflts\\KSEA-Panc"} << "KSEA-Panc"
            << "KSEA-Panc"
            << ""
            << "0"
            << "0";
        QTest::newRow("other prefix: name from the tenth character")
            << Lines{"[GPS_Engine]", "Filepath=C:\\Plans\\EGLL"} << "C:\\Plans\\EGLL"
            << "C:\\Plans\\EGLL"
            << ""
            << "0"
            << "0";
        QTest::newRow("short plan line gives an empty name")
            << Lines{"[GPS_Engine]", "Filename="} << ""
            << ""
            << ""
            << "0"
            << "0";
        QTest::newRow("plan name cut to 100 characters")
            << Lines{"[GPS_Engine]", "Filename=FLIGHTS\\MYFLTS\\" + kLong}
            << QString::fromLatin1(kLong.left(100)) << QString::fromLatin1(kLong.left(100)) << ""
            << "0"
            << "0";
        QTest::newRow("last GPS section wins")
            << Lines{"[GPS_Engine]", "Filename=FLIGHTS\\MYFLTS\\ONE", "[GPS_Engine]",
                     "Filename=FLIGHTS\\MYFLTS\\TWO"}
            << "TWO"
            << "TWO"
            << ""
            << "0"
            << "0";
        QTest::newRow("tank line right after [GPS is a plan line and a tank line")
            << Lines{"[GPS", "Center=100"} << "0"
            << "0"
            << ""
            << "19473"
            << "34";
        QTest::newRow("Center2= is not Center 2=") << Lines{"Center2=100"} << ""
                                                   << "previous"
                                                   << ""
                                                   << "0"
                                                   << "0";
        QTest::newRow("Center 2= is read") << Lines{"Center 2=100"} << ""
                                           << "previous"
                                           << ""
                                           << "2863"
                                           << "5";
        QTest::newRow("level rounded down: 72.9 is 72") << Lines{"LeftMain=72.9"} << ""
                                                        << "previous"
                                                        << ""
                                                        << "12027"
                                                        << "21";
        QTest::newRow("negative level") << Lines{"LeftMain=-5", "RightMain=100"} << ""
                                        << "previous"
                                        << ""
                                        << "15464"
                                        << "27";
        QTest::newRow("letters and empty values are 0")
            << Lines{"LeftMain=full", "RightMain=", "LeftAux=100"} << ""
            << "previous"
            << ""
            << "0"
            << "0";
        QTest::newRow("all tanks full")
            << Lines{"LeftMain=100.000000", "RightMain=100.000000", "LeftAux=100.000000",
                     "Center=100.000000",   "RightAux=100.000000",  "Center 2=100.000000"}
            << ""
            << "previous"
            << ""
            << "57275"
            << "100";
        QTest::newRow("no tank lines") << Lines{"[Main]", "Title=x"} << ""
                                       << "previous"
                                       << ""
                                       << "0"
                                       << "0";
        QTest::newRow("keys in another case or after a blank do not match")
            << Lines{"leftmain=100", " RightMain=100", "aircraft=Boeing 747-400"} << ""
            << "previous"
            << ""
            << "0"
            << "0";
        QTest::newRow("a second line of a tank replaces the first")
            << Lines{"LeftMain=100", "LeftMain=10"} << ""
            << "previous"
            << ""
            << "1145"
            << "2";
        QTest::newRow("aircraft cut to 30 characters, last line wins")
            << Lines{"Aircraft=Cessna", "Aircraft=Boeing 747-400 Passengers Extended Range"} << ""
            << "previous"
            << "Boeing 747-400 Passengers Exte"
            << "0"
            << "0";
        QTest::newRow("8-bit text")
            << Lines{"[GPS", "Filename=FLIGHTS\\MYFLTS\\Z\xfcrich"} << QStringLiteral("Z\u00fcrich")
            << QStringLiteral("Z\u00fcrich") << ""
            << "0"
            << "0";
    }
    void reads() {
        QFETCH(Lines, lines);
        QFETCH(QString, planName);
        QFETCH(QString, text1);
        QFETCH(QString, aircraft);
        QFETCH(QString, fuelOnBoard);
        QFETCH(QString, percent);
        ScratchFolder work;
        work.write(QStringLiteral("fs/Talvo.FLT"), crlf(lines));
        MessageRecorder recorder;
        CompilerWindow window;
        window.box("Text1")->setText(QStringLiteral("previous"));
        const std::optional<QString> name =
            flight::ReadSavedFlight(work.filePath(QStringLiteral("fs/")), window.window);
        QVERIFY(name.has_value());
        QCOMPARE(*name, planName);
        QCOMPARE(window.text("Text1"), text1);
        QCOMPARE(window.combo()->currentText(), aircraft);
        QCOMPARE(window.text("FuelOnBoard"), fuelOnBoard);
        QCOMPARE(window.text("Text14"), percent);
    }

    // Fields are written while the file is read: the centre level first, the total at the end,
    // and the running sum of the tanks after every line.
    void writesWhileReading() {
        ScratchFolder work;
        work.write(QStringLiteral("fs/Talvo.FLT"),
                   crlf({"[Main]", "LeftMain=50", "RightMain=50", "LeftAux=0", "Center=30",
                         "RightAux=0", "Center 2=0"}));
        CompilerWindow window;
        QSignalSpy percent(window.box("Text14"), &QLineEdit::textChanged);
        QStringList fuelWrites;
        QObject::connect(window.box("FuelOnBoard"), &QLineEdit::textChanged,
                         [&](const QString& text) { fuelWrites.append(text); });
        QVERIFY(flight::ReadSavedFlight(work.filePath(QStringLiteral("fs/")), window.window));
        QCOMPARE(percent.count(), 2);
        QCOMPARE(percent.at(0).at(0).toString(), QStringLiteral("30"));
        QCOMPARE(percent.at(1).at(0).toString(), QStringLiteral("39"));
        // [Main] 0, LeftMain 8357, RightMain 16715, (LeftAux: same text), Center: the handler's
        // 17182 then the sum 22578, (the rest: same text), the handler of 39 %: 22337.
        QCOMPARE(fuelWrites, QStringList({"0", "8357", "16715", "17182", "22578", "22337"}));
        QCOMPARE(window.fuelAndSpeeds(), QStringLiteral("22337/139/152/169"));
    }

    // When the total percentage is the same text as the centre level, Text14 does not change at
    // the end, so the fuel on board keeps the sum of the tanks.
    void totalSameAsCentreLevel() {
        ScratchFolder work;
        work.write(QStringLiteral("fs/Talvo.FLT"),
                   crlf({"Center=40", "LeftMain=40", "RightMain=40", "LeftAux=40", "RightAux=40",
                         "Center 2=41"}));
        CompilerWindow window;
        QVERIFY(flight::ReadSavedFlight(work.filePath(QStringLiteral("fs/")), window.window));
        QCOMPARE(window.text("Text14"), QStringLiteral("40"));
        QCOMPARE(window.text("FuelOnBoard"), QStringLiteral("22943"));
    }

    void centreAbove100IsRefusedWhileReading() {
        ScratchFolder work;
        work.write(QStringLiteral("fs/Talvo.FLT"), crlf({"Center=150"}));
        MessageRecorder recorder;
        CompilerWindow window;
        QVERIFY(flight::ReadSavedFlight(work.filePath(QStringLiteral("fs/")), window.window));
        QCOMPARE(recorder.messages, QStringList{QStringLiteral("Range allowed: 10 to 100 ")});
        QCOMPARE(window.text("FuelOnBoard"), QStringLiteral("29210"));
        QCOMPARE(window.text("Text14"), QStringLiteral("51"));
    }

    // Failures end the pass; what was written stays, and no field shows a number the compile
    // could not use.
    void failures_data() {
        QTest::addColumn<QByteArray>("bytes"); // null: no file
        QTest::addColumn<QString>("fuelBefore");
        QTest::addColumn<QString>("text1");
        QTest::newRow("missing file") << QByteArray() << ""
                                      << "previous";
        QTest::newRow("[GPS as the last line")
            << crlf({"Aircraft=Boeing 747-400", "[GPS_Engine]"}) << ""
            << "previous";
        QTest::newRow("empty file, empty fuel box") << QByteArray("") << ""
                                                    << "previous";
        QTest::newRow("empty file, fuel box not a number") << QByteArray("") << "lots"
                                                           << "previous";
        QTest::newRow("tank value beyond the arithmetic")
            << crlf({"[GPS", "Filename=FLIGHTS\\MYFLTS\\X", "LeftMain=1e308"}) << ""
            << "X";
        QTest::newRow("tank value beyond the double range") << crlf({"LeftMain=1e999"}) << ""
                                                            << "previous";
        QTest::newRow("sum beyond the arithmetic")
            << crlf({"LeftMain=1e306", "RightMain=1e306"}) << ""
            << "previous";
        QTest::newRow("centre level beyond the arithmetic") << crlf({"Center=1e308"}) << ""
                                                            << "previous";
    }
    void failures() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fuelBefore);
        QFETCH(QString, text1);
        ScratchFolder work;
        if (!bytes.isNull()) {
            work.write(QStringLiteral("fs/Talvo.FLT"), bytes);
        }
        MessageRecorder recorder;
        CompilerWindow window;
        window.box("Text1")->setText(QStringLiteral("previous"));
        window.box("FuelOnBoard")->setText(fuelBefore);
        QVERIFY(!flight::ReadSavedFlight(work.filePath(QStringLiteral("fs/")), window.window));
        QCOMPARE(window.text("Text1"), text1);
        QCOMPARE(window.fieldWithUnusableNumber(), QString());
    }

    // A file without lines leaves the fuel box as it was; a number there still gives the total.
    void emptyFileWithAFuelNumber() {
        ScratchFolder work;
        work.write(QStringLiteral("fs/Talvo.FLT"), "");
        CompilerWindow window;
        window.box("FuelOnBoard")->setText(QStringLiteral("28637"));
        QVERIFY(flight::ReadSavedFlight(work.filePath(QStringLiteral("fs/")), window.window));
        QCOMPARE(window.text("Text14"), QStringLiteral("49"));
    }

    void onlyLineFeeds() {
        ScratchFolder work;
        work.write(QStringLiteral("fs/Talvo.FLT"),
                   "[GPS_Engine]\nFilename=FLIGHTS\\MYFLTS\\LF\nCenter=100\n");
        CompilerWindow window;
        QCOMPARE(flight::ReadSavedFlight(work.filePath(QStringLiteral("fs/")), window.window),
                 std::optional<QString>(QStringLiteral("LF")));
        QCOMPARE(window.text("FuelOnBoard"), QStringLiteral("19473"));
    }
};

QTEST_MAIN(TestSavedFlightReader)
#include "tst_savedflightreader.moc"
