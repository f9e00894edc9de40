#include "compiler/adventureflightwriter.h"
#include "compiler/compileadventure.h"
#include "files/textfiles.h"
#include "support/compilerwindow.h"
#include "support/files.h"
#include "support/geometry.h"
#include "support/installation.h"
#include "support/messagerecorder.h"
#include "support/scratchfolder.h"
#include "ui/application.h"
#include "ui/picturebutton.h"

#include <QDir>
#include <QtTest>

namespace {

using Lines = QList<QByteArray>;
using compiler::CompileOutcome;

const QByteArray kOpening = Installation::kOpening;
const QByteArray kClosing = Installation::kClosing;
const QByteArray kFlight = Installation::kSavedFlight;
const QByteArray kPlan = Installation::kPlan;

QByteArray expectedFlight(const QByteArray& plan = "P", bool engineOff = true) {
    const QByteArray description =
        "Description=IFR Flight from SEATTLE To ANCHORAGE at 31000 feet. Aircraft used: Boeing "
        "747-400 Passengers Created with MERIDO Ver. 1.0 - Talvo 2003, the adventure compiler for "
        "the Boeing 747-400.";
    return crlf({"[Main]",
                 "ABLSCRIPT=LIB\\" + plan,
                 "Title=" + plan,
                 description,
                 "[GPS_Engine]",
                 "Filename=FLIGHTS\\MYFLTS\\P",
                 "[Sim.0]",
                 "Aircraft=Boeing 747-400 Passengers",
                 "[fuel_quantity]",
                 "Center=80",
                 "LeftMain=80",
                 "RightMain=80",
                 "LeftAux=80",
                 "RightAux=80",
                 "RightTip=0.000000",
                 "Center 2=50.000000",
                 "Center2=80",
                 "[Engine Parameters.1.0]",
                 engineOff ? "Pct Engine RPM=0.000000" : "Pct Engine RPM=0.842512",
                 "[Systems.0]",
                 engineOff ? "BatterySwitch=FALSE" : "BatterySwitch=True",
                 engineOff ? "AvionicsSwitch=FALSE" : "AvionicsSwitch=True"});
}

const QByteArray kExpectedPlan = crlf({"[flightplan]", "type=IFR", "cruising_altitude=31000",
                                       "departure_name=SEATTLE", "destination_name=ANCHORAGE"});
const QByteArray kExpectedScript = kOpening +
                                   crlf({"nV1=147;", "nVr=165;", "nV2=177;", "CallSpeed = 1;",
                                         "CallList = 1;", "RateFlight = 1;"}) +
                                   kClosing;

} // namespace

class TestCompileAdventure : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ui::prepareApplication(); }

    void compilesTheThreeFiles() {
        Installation installation;
        const compiler::CompileResult result = installation.compile();
        QCOMPARE(result.outcome, CompileOutcome::Compiled);
        QCOMPARE(result.message, QStringLiteral("Adventure compiled successfully!"));
        const ScratchFolder& work = installation.work;
        QCOMPARE(work.read(QStringLiteral("P.flt")), expectedFlight());
        QCOMPARE(work.read(QStringLiteral("fs/P.pln")), kExpectedPlan);
        QCOMPARE(work.read(QStringLiteral("P.pln")), kExpectedPlan); // the working copy stays
        QCOMPARE(work.read(QStringLiteral("lib/P.abl")), kExpectedScript);
        QCOMPARE(work.read(QStringLiteral("fs/Talvo.FLT")), kFlight);
        // Nothing else was left behind (no temporary files).
        QCOMPARE(snapshot(work.path()).keys(),
                 QStringList({"P.flt", "P.pln", "fs", "fs/P.pln", "fs/Talvo.FLT", "lib",
                              "lib/P.abl", "lib/Talvo.abl", "lib/Talvo2.abl"}));
    }

    void twoCompilesAreByteIdentical() {
        Installation installation;
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        const QMap<QString, QByteArray> first = snapshot(installation.work.path());
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        QCOMPARE(snapshot(installation.work.path()), first);
    }

    void optionsAndEngineState() {
        Installation installation;
        installation.values.engineOff = false;
        installation.values.speedCalls = false;
        installation.values.checkList = false;
        installation.values.rateFlight = false;
        installation.values.v1.clear();
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        QCOMPARE(installation.work.read(QStringLiteral("P.flt")), expectedFlight("P", false));
        QCOMPARE(installation.work.read(QStringLiteral("lib/P.abl")),
                 kOpening +
                     crlf({"nV1=;", "nVr=165;", "nV2=177;", "CallSpeed = 0;", "CallList = 0;",
                           "RateFlight = 0;"}) +
                     kClosing);
    }

    // Empty templates, and a template whose last line has no line end.
    void templates() {
        Installation installation;
        installation.work.write(QStringLiteral("lib/Talvo.abl"), "");
        installation.work.write(QStringLiteral("lib/Talvo2.abl"), "endmodule.");
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        QCOMPARE(installation.work.read(QStringLiteral("lib/P.abl")),
                 crlf({"nV1=147;", "nVr=165;", "nV2=177;", "CallSpeed = 1;", "CallList = 1;",
                       "RateFlight = 1;", "endmodule."}));
        installation.work.write(QStringLiteral("lib/Talvo2.abl"), "");
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        QVERIFY(
            installation.work.read(QStringLiteral("lib/P.abl")).endsWith("RateFlight = 1;\r\n"));
    }

    void planNameWithBlanks() {
        Installation installation;
        installation.work.write(QStringLiteral("fs/My Plan.pln"), kPlan);
        installation.values.planName = QStringLiteral("My Plan");
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        QCOMPARE(installation.work.read(QStringLiteral("My Plan.flt")), expectedFlight("My Plan"));
        QCOMPARE(installation.work.read(QStringLiteral("lib/My Plan.abl")), kExpectedScript);
        QCOMPARE(installation.work.read(QStringLiteral("fs/My Plan.pln")), kExpectedPlan);
    }

    // Without "[Main]" the adventure flight cannot name its script: the files are written, and
    // the pilot is told that the simulator will not run the adventure, not that it succeeded.
    void savedFlightWithoutMain_data() {
        QTest::addColumn<QByteArray>("flight");
        QTest::newRow("no [Main]")
            << crlf({"[GPS_Engine]", "Filename=FLIGHTS\\MYFLTS\\P", "Center=50"});
        QTest::newRow("[Main] only inside the GPS section")
            << crlf({"[GPS_Engine]", "[Main]", "Center=50"});
        QTest::newRow("empty") << QByteArray();
    }
    void savedFlightWithoutMain() {
        QFETCH(QByteArray, flight);
        Installation installation;
        installation.savedFlight(flight);
        const compiler::CompileResult result = installation.compile();
        QCOMPARE(result.outcome, CompileOutcome::Compiled);
        QVERIFY2(result.message.contains(QStringLiteral("has no [Main] section")) &&
                     result.message.contains(QDir::toNativeSeparators(
                         installation.work.filePath(QStringLiteral("P.flt")))),
                 qPrintable(result.message));
        QVERIFY(!installation.work.read(QStringLiteral("P.flt")).contains("ABLSCRIPT="));
    }

    // Existing files are found whatever their letter case and replaced under their own name.
    void filesInAnotherLetterCase() {
        Installation installation;
        // Through another name: Wine takes a rename that changes only the case for no change.
        const auto renameCase = [&](const QString& from, const QString& to) {
            QDir work(installation.work.path());
            return work.rename(from, QStringLiteral("renamed")) &&
                   work.rename(QStringLiteral("renamed"), to);
        };
        QVERIFY(renameCase(QStringLiteral("lib/Talvo.abl"), QStringLiteral("lib/talvo.ABL")));
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        QVERIFY(renameCase(QStringLiteral("P.flt"), QStringLiteral("p.FLT")));
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        QCOMPARE(installation.work.read(QStringLiteral("p.FLT")), expectedFlight());
        // As the folder lists it: Windows would find the file under either name.
        const QStringList names = QDir(installation.work.path()).entryList(QDir::Files);
        QVERIFY2(names.contains(QStringLiteral("p.FLT")), qPrintable(names.join(u' ')));
        QVERIFY2(!names.contains(QStringLiteral("P.flt")), qPrintable(names.join(u' ')));
    }

    void entryChecks_data() {
        QTest::addColumn<QString>("planName");
        QTest::addColumn<QString>("aircraft");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("message");
        const QString noPlan = QStringLiteral("Please, load the Flight Plan first!");
        const QString foreign =
            QStringLiteral("Cannot compile the Adventure. Please save the flight with Talvo Fleet");
        QTest::newRow("empty plan name")
            << ""
            << "Boeing 747-400" << int(CompileOutcome::NoFlightPlan) << noPlan;
        QTest::newRow("plan name checked first")
            << ""
            << "Cessna" << int(CompileOutcome::NoFlightPlan) << noPlan;
        QTest::newRow("foreign aircraft")
            << "P"
            << "Cessna Skyhawk" << int(CompileOutcome::ForeignAircraft) << foreign;
        QTest::newRow("shorter than the model")
            << "P"
            << "Boeing 747" << int(CompileOutcome::ForeignAircraft) << foreign;
        QTest::newRow("other letter case")
            << "P"
            << "BOEING 747-400" << int(CompileOutcome::ForeignAircraft) << foreign;
        QTest::newRow("empty aircraft") << "P"
                                        << "" << int(CompileOutcome::ForeignAircraft) << foreign;
    }
    void entryChecks() {
        QFETCH(QString, planName);
        QFETCH(QString, aircraft);
        QFETCH(int, outcome);
        QFETCH(QString, message);
        Installation installation;
        installation.values.planName = planName;
        installation.values.aircraft = aircraft;
        const QMap<QString, QByteArray> before = snapshot(installation.work.path());
        const compiler::CompileResult result = installation.compile();
        QCOMPARE(int(result.outcome), outcome);
        QCOMPARE(result.message, message);
        QCOMPARE(snapshot(installation.work.path()), before);
    }

    void longerModelNamePasses() {
        Installation installation;
        installation.values.aircraft = QStringLiteral("Boeing 747-400 Freighter GE CF6");
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        QVERIFY(installation.work.read(QStringLiteral("P.flt"))
                    .contains("\r\nAircraft=Boeing 747-400 Freighter GE CF6\r\n"));
    }

    // A plan name comes from the pilot's saved flight: one that would put a file outside its
    // folder, that file names cannot hold, or whose script would replace a template, is refused
    // before anything is written.
    void unsafePlanNames_data() {
        QTest::addColumn<QString>("planName");
        QTest::addColumn<QString>("why");
        QTest::newRow("parent folder") << ".."
                                       << "names a folder";
        QTest::newRow("climbing out") << "..\\..\\evil"
                                      << "folder separator";
        QTest::newRow("slash") << "sub/plan"
                               << "folder separator";
        QTest::newRow("drive") << "C:plan"
                               << "drive colon";
        QTest::newRow("question mark") << "plan?"
                                       << "cannot hold";
        QTest::newRow("star") << "pl*n"
                              << "cannot hold";
        QTest::newRow("control character") << QStringLiteral("pl\tan") << "cannot hold";
        QTest::newRow("device name") << "con"
                                     << "device";
        QTest::newRow("device name with extension") << "LPT1.txt"
                                                    << "device";
        QTest::newRow("the opening template") << "Talvo"
                                              << "template";
        QTest::newRow("the closing template") << "TALVO2"
                                              << "template";
    }
    void unsafePlanNames() {
        QFETCH(QString, planName);
        QFETCH(QString, why);
        Installation installation;
        installation.values.planName = planName;
        const QMap<QString, QByteArray> before = snapshot(installation.work.path());
        const compiler::CompileResult result = installation.compile();
        QCOMPARE(result.outcome, CompileOutcome::Refused);
        QVERIFY2(result.message.contains(why), qPrintable(result.message));
        QVERIFY(result.message.contains(planName));
        QCOMPARE(snapshot(installation.work.path()), before);
    }

    // The working folder may be the saved-flights folder: the plan and its working copy are then
    // one file, which ends up whole and updated.
    void workingFolderIsTheSavedFlightsFolder() {
        Installation installation;
        installation.work.write(QStringLiteral("fs/lib/Talvo.abl"), kOpening);
        installation.work.write(QStringLiteral("fs/lib/Talvo2.abl"), kClosing);
        QDir::setCurrent(installation.work.filePath(QStringLiteral("fs")));
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        QCOMPARE(installation.work.read(QStringLiteral("fs/P.pln")), kExpectedPlan);
        QCOMPARE(installation.work.read(QStringLiteral("fs/P.flt")), expectedFlight());
        QCOMPARE(installation.work.read(QStringLiteral("fs/Talvo.FLT")), kFlight);
        QCOMPARE(installation.work.read(QStringLiteral("fs/lib/P.abl")), kExpectedScript);
        QCOMPARE(snapshot(installation.work.filePath(QStringLiteral("fs"))).size(), 7);
    }

    // A file rewritten from itself (what the adventure flight would be if its name were the
    // saved flight's) is read whole before it is replaced.
    void fileRewrittenFromItself() {
        ScratchFolder work;
        QByteArray big;
        for (int i = 0; i < 100000; ++i) {
            big += "Title=" + QByteArray::number(i) + "\r\n";
        }
        work.write(QStringLiteral("Talvo.FLT"), big);
        {
            files::OutputTextFile out(QStringLiteral("talvo.flt"));
            QVERIFY(out.open());
            {
                files::InputTextFile in(QStringLiteral("Talvo.FLT"));
                QVERIFY(in.open());
                compiler::AdventureValues values;
                values.planName = QStringLiteral("X");
                compiler::writeAdventureFlightLines(in.reader(), out.writer(), values);
            }
            // Closed first, as a compile closes its inputs: Windows replaces no open file.
            QVERIFY(out.commit());
        }
        // A replaced line's successor is copied as it stands.
        QByteArray expected;
        for (int i = 0; i < 100000; ++i) {
            expected +=
                i % 2 == 0 ? QByteArray("Title=X\r\n") : "Title=" + QByteArray::number(i) + "\r\n";
        }
        QCOMPARE(work.read(QStringLiteral("Talvo.FLT")), expected);
    }

    // A missing or unreadable input, or an output that cannot be made, is reported with the
    // file's name; there is no success message, and files are closed.
    void failures_data() {
        QTest::addColumn<QString>("remove");  // file to remove before the compile
        QTest::addColumn<QString>("blocker"); // a folder put where an output goes
        QTest::addColumn<QString>("named");   // in the message
        QTest::addColumn<bool>("nothingWritten");
        QTest::newRow("no saved flight") << "fs/Talvo.FLT"
                                         << ""
                                         << "Talvo.FLT" << true;
        QTest::newRow("no flight plan") << "fs/P.pln"
                                        << ""
                                        << "P.pln" << true;
        QTest::newRow("no opening template") << "lib/Talvo.abl"
                                             << ""
                                             << "Talvo.abl" << true;
        QTest::newRow("no closing template") << "lib/Talvo2.abl"
                                             << ""
                                             << "Talvo2.abl" << true;
        QTest::newRow("no lib folder") << "lib"
                                       << ""
                                       << "Talvo.abl" << true;
        QTest::newRow("plan is a folder") << "fs/P.pln"
                                          << "fs/P.pln"
                                          << "P.pln" << true;
        QTest::newRow("adventure flight cannot be written") << ""
                                                            << "P.flt"
                                                            << "P.flt" << true;
        QTest::newRow("working copy cannot be written") << ""
                                                        << "P.pln"
                                                        << "P.pln" << true;
        QTest::newRow("script cannot be written") << ""
                                                  << "lib/P.abl"
                                                  << "P.abl" << true;
    }
    void failures() {
        QFETCH(QString, remove);
        QFETCH(QString, blocker);
        QFETCH(QString, named);
        QFETCH(bool, nothingWritten);
        Installation installation;
        const ScratchFolder& work = installation.work;
        if (!remove.isEmpty()) {
            QFileInfo(work.filePath(remove)).isDir()
                ? QDir(work.filePath(remove)).removeRecursively()
                : QFile::remove(work.filePath(remove));
        }
        if (!blocker.isEmpty()) {
            QDir().mkpath(work.filePath(blocker));
        }
        const QMap<QString, QByteArray> before = snapshot(work.path());
        const int filesBefore = openFiles();
        const compiler::CompileResult result = installation.compile();
        QCOMPARE(result.outcome, CompileOutcome::Failed);
        QVERIFY2(result.message.contains(named), qPrintable(result.message));
        QVERIFY(result.message.startsWith(QStringLiteral("Cannot compile the Adventure.")));
        QCOMPARE(openFiles(), filesBefore);
        const QMap<QString, QByteArray> after = snapshot(work.path());
        if (nothingWritten) {
            QCOMPARE(after, before);
        }
        // Whatever was written is whole: the plan is the old one or the new one.
        const QByteArray plan = after.value(QStringLiteral("fs/P.pln"));
        QVERIFY(plan == kPlan || plan == kExpectedPlan || plan == "<folder>" || plan.isEmpty());
        QVERIFY(!after.contains(QStringLiteral("lib/P.abl")) ||
                after.value(QStringLiteral("lib/P.abl")) == "<folder>");
    }

    // Inputs that are no text files are refused at once with the reason; nothing is written.
    void inputsThatAreNoFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("what");
        QTest::addColumn<QString>("reason");
        const std::pair<const char*, const char*> files[] = {
            {"saved flight", "fs/Talvo.FLT"},
            {"plan", "fs/P.pln"},
            {"opening template", "lib/Talvo.abl"},
            {"closing template", "lib/Talvo2.abl"}};
        for (const auto& [label, file] : files) {
            QTest::addRow("%s is a FIFO", label)
                << file << int(NotAFile::Fifo) << "it is a pipe (FIFO), not a regular file";
            QTest::addRow("%s is a link to /dev/urandom", label)
                << file << int(NotAFile::EndlessDevice) << "it is a device, not a regular file";
            QTest::addRow("%s has a line of 16 MiB", label)
                << file << int(NotAFile::HugeLine) << "it holds a line longer than 16 MiB";
            QTest::addRow("%s is a folder", label)
                << file << int(NotAFile::Folder) << "it is a folder, not a file";
        }
    }
    void inputsThatAreNoFiles() {
        QFETCH(QString, file);
        QFETCH(int, what);
        if (!canPutInPlace(NotAFile(what))) {
            QSKIP("this system has no FIFOs nor devices in its folders");
        }
        QFETCH(QString, reason);
        Installation installation;
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        installation.values.fuelPercent = QStringLiteral("55");
        putInPlace(installation.work.filePath(file), NotAFile(what));
        const QMap<QString, QByteArray> before = snapshot(installation.work.path());
        const compiler::CompileResult result = installation.compile();
        QCOMPARE(result.outcome, CompileOutcome::Failed);
        QVERIFY2(
            result.message.contains(QDir::toNativeSeparators(installation.work.filePath(file)) +
                                    QStringLiteral(" cannot be read: ") + reason),
            qPrintable(result.message));
        QVERIFY(result.message.endsWith(QStringLiteral("No file was changed.")));
        QCOMPARE(snapshot(installation.work.path()), before);
    }

    // A line break in a field, pasted or loaded, is written as a blank: no file gains a line.
    void lineBreaksInFields() {
        Installation installation;
        installation.values.routeType = QStringLiteral("IFR\r\n[Main]");
        installation.values.cruisingAltitude = QStringLiteral("31000\n");
        installation.values.fuelPercent = QStringLiteral("8\r0");
        installation.values.v1 = QStringLiteral("147\r\nnVr=1;");
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        const QByteArray flight = installation.work.read(QStringLiteral("P.flt"));
        QCOMPARE(flight.count('\n'), expectedFlight().count('\n'));
        QVERIFY(flight.contains("\r\nDescription=IFR [Main] Flight from SEATTLE To ANCHORAGE at "
                                "31000  feet."));
        QVERIFY(flight.contains("\r\nCenter=8 0\r\n"));
        QCOMPARE(installation.work.read(QStringLiteral("fs/P.pln")),
                 QByteArray(kExpectedPlan).replace("=31000", "=31000 "));
        const QByteArray script = installation.work.read(QStringLiteral("lib/P.abl"));
        QCOMPARE(script.count('\n'), kExpectedScript.count('\n'));
        QVERIFY(script.contains("\r\nnV1=147 nVr=1;;\r\n"));
    }

    // After the files are written, the script is checked as the simulator would load it: the
    // success message only when it would; otherwise where and why not, the files written all
    // the same.
    void scriptVerdicts_data() {
        QTest::addColumn<bool>("adapted"); // the shipped templates, their placeholders replaced
        QTest::addColumn<QString>("v1");
        QTest::addColumn<QString>("vr");
        QTest::addColumn<QString>("message"); // a part of it; empty: success
        QTest::newRow("adapted, typical speeds") << true << "147"
                                                 << "165"
                                                 << "";
        QTest::newRow("adapted, decimal speeds") << true << "150.5"
                                                 << "164.75"
                                                 << "";
        QTest::newRow("shipped: a placeholder")
            << false << "147"
            << "165"
            << "SimVar_IndicatedAirspeed in lib\\Talvo.abl line %1 is a placeholder: replace it "
               "with your simulator's name.";
        QTest::newRow("V1 empty") << true << ""
                                  << "165"
                                  << "V1 is empty";
        QTest::newRow("Vr of letters") << true << "147"
                                       << "12abc"
                                       << "Vr \"12abc\" is no number the script can take";
        QTest::newRow("V1 with a decimal comma") << true << "148,5"
                                                 << "165"
                                                 << "V1 \"148,5\" is no number the script can take";
        QTest::newRow("V1 with an exponent") << true << "1e2"
                                             << "165"
                                             << "V1 \"1e2\" is no number the script can take";
    }
    void scriptVerdicts() {
        QFETCH(bool, adapted);
        QFETCH(QString, v1);
        QFETCH(QString, vr);
        QFETCH(QString, message);
        Installation installation;
        for (const char* name : {"Talvo.abl", "Talvo2.abl"}) {
            QFile shipped(QStringLiteral(TALVO_DATA_DIR "/lib/") + QLatin1String(name));
            QVERIFY(shipped.open(QIODevice::ReadOnly));
            QByteArray bytes = shipped.readAll();
            if (adapted) {
                bytes.replace("SimVar_", "FsVar_").replace("SimCall_", "FsCall_");
            }
            installation.work.write(QStringLiteral("lib/") + QLatin1String(name), bytes);
        }
        // The first use of a placeholder: the first line outside comments that names one.
        const QList<QByteArray> lines =
            installation.work.read(QStringLiteral("lib/Talvo.abl")).split('\n');
        qsizetype firstUse = 0;
        while (firstUse < lines.size() && (!lines[firstUse].contains("SimVar_") ||
                                           lines[firstUse].trimmed().startsWith("//"))) {
            ++firstUse;
        }
        installation.values.v1 = v1;
        installation.values.vr = vr;
        const compiler::CompileResult result = installation.compile();
        QCOMPARE(result.outcome, CompileOutcome::Compiled);
        QVERIFY(installation.work.exists(QStringLiteral("lib/P.abl")));
        if (message.isEmpty()) {
            QCOMPARE(result.message, QStringLiteral("Adventure compiled successfully!"));
            return;
        }
        QVERIFY2(
            result.message.startsWith(
                QStringLiteral("The adventure's files are written, but the simulator will "
                               "not run its script ") +
                QDir::toNativeSeparators(installation.work.filePath(QStringLiteral("lib/P.abl")))),
            qPrintable(result.message));
        message.replace(QStringLiteral("%1"), QString::number(firstUse + 1));
        QVERIFY2(result.message.contains(message), qPrintable(result.message));
    }

    // A template the pilot broke: the line of the template itself and the problem.
    void brokenClosingTemplate() {
        Installation installation;
        installation.work.write(
            QStringLiteral("lib/Talvo2.abl"),
            crlf({"if (CallSpeed == 1) then", "  nV1 = nV1 + 1;", "endmodule."}));
        const compiler::CompileResult result = installation.compile();
        QCOMPARE(result.outcome, CompileOutcome::Compiled);
        QVERIFY2(result.message.contains(
                     QStringLiteral("Line 13: line 2 of lib\\Talvo2.abl: endif expected.")),
                 qPrintable(result.message));
    }

    // The window compiles what its fields show and reports the outcome.
    void fromTheWindow() {
        Installation installation;
        MessageRecorder recorder;
        CompilerWindow window(installation.prefix);
        window.window.Form_Load();
        window.box("Text14")->setText(QStringLiteral("80"));
        window.box("Text4")->setText(QStringLiteral("31000"));
        window.check("Check4")->setChecked(false);
        window.window.findChild<ui::PictureButton*>(QStringLiteral("Command2"))->click();
        QCOMPARE(recorder.messages.last(), QStringLiteral("Adventure compiled successfully!"));
        QCOMPARE(installation.work.read(QStringLiteral("P.flt")), expectedFlight("P", false));
        QCOMPARE(installation.work.read(QStringLiteral("fs/P.pln")), kExpectedPlan);
        QCOMPARE(installation.work.read(QStringLiteral("lib/P.abl")), kExpectedScript);
        QVERIFY(window.window.findChild<QWidget*>(QStringLiteral("Command2")));
    }

    // After a compile that changed nothing the focus is on the first field, never on a button
    // that Enter would press (the Load button would reload the flight over the pilot's edits).
    void focusAfterTheCompile_data() {
        QTest::addColumn<bool>("templateIsAFolder");
        QTest::addColumn<QString>("focus");
        QTest::newRow("compiled: the button keeps it") << false << "Command2";
        QTest::newRow("failed: the first field") << true << "Text1";
    }
    void focusAfterTheCompile() {
        QFETCH(bool, templateIsAFolder);
        QFETCH(QString, focus);
        Installation installation;
        if (templateIsAFolder) {
            putInPlace(installation.work.filePath(QStringLiteral("lib/Talvo2.abl")),
                       NotAFile::Folder);
        }
        MessageRecorder recorder;
        CompilerWindow window(installation.prefix);
        window.window.Form_Load();
        window.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window.window));
        auto* compile = window.window.findChild<ui::PictureButton*>(QStringLiteral("Command2"));
        QTest::mouseClick(compile, Qt::LeftButton);
        QCOMPARE(recorder.messages.size(), 2); // the load's and the compile's
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    }

    void emptyPlanNameFromTheWindow() {
        Installation installation;
        MessageRecorder recorder;
        CompilerWindow window(installation.prefix);
        const QMap<QString, QByteArray> before = snapshot(installation.work.path());
        window.window.findChild<ui::PictureButton*>(QStringLiteral("Command2"))->click();
        QCOMPARE(recorder.messages,
                 QStringList{QStringLiteral("Please, load the Flight Plan first!")});
        QCOMPARE(snapshot(installation.work.path()), before);
    }
};

QTEST_MAIN(TestCompileAdventure)
#include "tst_compileadventure.moc"
