#include "flight/aircraft.h"
#include "flight/loadflight.h"
#include "params/aircraft.h"
#include "support/compilerwindow.h"
#include "support/files.h"
#include "support/geometry.h"
#include "support/installation.h"
#include "support/messagerecorder.h"
#include "support/scratchfolder.h"
#include "support/wineprefix.h"
#include "ui/application.h"
#include "ui/picturebutton.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

const QString kNoFlight = QStringLiteral("The required file Talvo.flt does not exist");
const QString kNoPlan = QStringLiteral("The required flight plan does not exist");

QByteArray savedFlight(const QByteArray& planLine, const QByteArray& centre = "Center=30") {
    return crlf({"[Main]", "Title=Demo", "[GPS_Engine]", planLine, "[Sim.0]",
                 "Aircraft=Boeing 747-400 Passengers", "[fuel_quantity]", centre, "LeftMain=50",
                 "RightMain=50", "LeftAux=0", "RightAux=0", "Center 2=0"});
}

// The saved-flights folder under its usual name, with no saved flight or plan yet.
struct Folder : Installation {
    Folder()
        : Installation(QStringLiteral("Flight Simulator Files")) {
        QFile::remove(work.filePath(QStringLiteral("Flight Simulator Files/Talvo.FLT")));
        QFile::remove(work.filePath(QStringLiteral("Flight Simulator Files/P.pln")));
    }
};

} // namespace

class TestLoadFlight : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ui::prepareApplication(); }

    void wholeLoad() {
        Folder folder;
        folder.savedFlight(savedFlight("Filename=FLIGHTS\\MYFLTS\\KJFK-EGLL"));
        folder.plan(QStringLiteral("KJFK-EGLL.pln"),
                    crlf({"[flightplan]", "type=IFR", "cruising_altitude=35000",
                          "departure_id=KJFK, N40* 38.35', W073* 46.68', +000013.00",
                          "departure_position=31L",
                          "destination_id=EGLL, N51* 28.65', W000* 27.68', +000083.00",
                          "departure_name=KENNEDY INTL", "destination_name=HEATHROW"}));
        MessageRecorder recorder;
        CompilerWindow window(folder.prefix);
        window.window.Form_Load();
        QCOMPARE(recorder.messages, QStringList{QStringLiteral("Flight Plan KJFK-EGLL Loaded")});
        QCOMPARE(window.text("Text1"), QStringLiteral("KJFK-EGLL"));
        QCOMPARE(window.combo()->currentText(), QStringLiteral("Boeing 747-400 Passengers"));
        QCOMPARE(window.text("Text14"), QStringLiteral("39"));
        QCOMPARE(window.fuelAndSpeeds(), QStringLiteral("22337/139/152/169"));
        QCOMPARE(window.text("Text4"), QStringLiteral("35000"));
        QCOMPARE(window.text("Text6"), QStringLiteral("KENNEDY INTL"));
        QCOMPARE(window.text("Text11"), QStringLiteral("83"));
    }

    // Every message of a load, in the order the pilot sees them.
    void messageOrder_data() {
        QTest::addColumn<QByteArray>("flight"); // null: no saved flight
        QTest::addColumn<QByteArray>("plan");   // null: no plan
        QTest::addColumn<QStringList>("messages");
        const QByteArray plan39000 = crlf({"cruising_altitude=39000", "type=IFR"});
        QTest::newRow("centre and altitude refused, then loaded")
            << savedFlight("Filename=FLIGHTS\\MYFLTS\\P", "Center=150") << plan39000
            << QStringList{"Range allowed: 10 to 100 ", "Max Altitude 37000 feet.",
                           "Flight Plan P Loaded"};
        QTest::newRow("no saved flight") << QByteArray() << plan39000 << QStringList{kNoFlight};
        QTest::newRow("no plan") << savedFlight("Filename=FLIGHTS\\MYFLTS\\P") << QByteArray()
                                 << QStringList{kNoPlan};
        QTest::newRow("refused centre, then no plan")
            << savedFlight("Filename=FLIGHTS\\MYFLTS\\P", "Center=101") << QByteArray()
            << QStringList{"Range allowed: 10 to 100 ", kNoPlan};
        QTest::newRow("[GPS at the end")
            << crlf({"Center=20", "[GPS"}) << plan39000 << QStringList{kNoFlight};
        QTest::newRow("overflow in a tank")
            << crlf({"LeftMain=1e308"}) << plan39000 << QStringList{kNoFlight};
        QTest::newRow("no GPS section: plan .pln is missing")
            << crlf({"Center=20"}) << plan39000 << QStringList{kNoPlan};
    }
    void messageOrder() {
        QFETCH(QByteArray, flight);
        QFETCH(QByteArray, plan);
        QFETCH(QStringList, messages);
        Folder folder;
        if (!flight.isNull()) {
            folder.savedFlight(flight);
        }
        if (!plan.isNull()) {
            folder.plan(QStringLiteral("P.pln"), plan);
        }
        MessageRecorder recorder;
        CompilerWindow window(folder.prefix);
        const int filesBefore = openFiles();
        window.window.Form_Load();
        QCOMPARE(recorder.messages, messages);
        QCOMPARE(openFiles(), filesBefore); // closed on every path
    }

    // The demo flight in the saved-flights folder of a Wine prefix, named the Windows way as
    // talvo.ini holds it after "Set Path" on Windows (or under Wine, as Z:).
    void loadsFromTheWinePrefix_data() {
        QTest::addColumn<QString>("savedFlightFolder"); // <home>: the scratch home, backslashes
        QTest::newRow("C:\\ as Windows writes it")
            << "C:\\users\\pilot\\Documents\\Flight Simulator Files\\";
        QTest::newRow("c:\\ in other case")
            << "c:\\USERS\\Pilot\\documents\\flight simulator files\\";
        QTest::newRow("Z:\\ through the root")
            << "Z:<home>\\.wine\\drive_c\\users\\pilot\\Documents\\Flight Simulator Files\\";
    }
    void loadsFromTheWinePrefix() {
#ifdef Q_OS_WIN
        QSKIP("on Windows the drives are Windows' own, without a Wine prefix");
#endif
        QFETCH(QString, savedFlightFolder);
        FakeWinePrefix wine;
        const QString demo = QStringLiteral(TALVO_DATA_DIR "/demo/Flight Simulator Files/");
        const QString folder =
            wine.driveC() + QStringLiteral("/users/pilot/Documents/Flight Simulator Files/");
        wine.makeFolder(QDir(wine.home()).relativeFilePath(folder));
        for (const QString& name : QDir(demo).entryList(QDir::Files)) {
            QVERIFY(QFile::copy(demo + name, folder + name));
        }
        savedFlightFolder.replace(QStringLiteral("<home>"),
                                  QString(wine.home()).replace(u'/', u'\\'));
        ScratchFolder work;
        QVERIFY(params::isBoeing747400(
            flight::readSavedFlightAircraft(savedFlightFolder).value_or(QString())));
        MessageRecorder recorder;
        CompilerWindow window(savedFlightFolder);
        window.window.Form_Load();
        QCOMPARE(recorder.messages, QStringList{QStringLiteral("Flight Plan KSEA-PANC Loaded")});
        QVERIFY(window.combo()->currentText().startsWith(QLatin1String("Boeing 747-400")));
    }

    // A failed load undoes nothing: what the saved flight gave stays.
    void missingPlanKeepsTheSavedFlightsFields() {
        Folder folder;
        folder.savedFlight(savedFlight("Filename=FLIGHTS\\MYFLTS\\GONE"));
        MessageRecorder recorder;
        CompilerWindow window(folder.prefix);
        window.window.Form_Load();
        QCOMPARE(window.text("Text1"), QStringLiteral("GONE"));
        QCOMPARE(window.text("Text14"), QStringLiteral("39"));
        // The speeds are those the fuel box's handler computed.
        QCOMPARE(window.fuelAndSpeeds(), QStringLiteral("22337/139/152/169"));
        QCOMPARE(window.text("Text3"), QString());
    }

    // The reload button reads the files again: what the files hold replaces the pilot's edits,
    // fields whose lines are absent keep them, and the boxes keep their ticks.
    void reloadAfterEdits() {
        Folder folder;
        folder.savedFlight(savedFlight("Filename=FLIGHTS\\MYFLTS\\P"));
        folder.plan(QStringLiteral("P.pln"), crlf({"type=IFR", "cruising_altitude=30000"}));
        MessageRecorder recorder;
        CompilerWindow window(folder.prefix);
        window.window.Form_Load();
        window.box("Text14")->setText(QStringLiteral("80"));
        window.box("Text4")->setText(QStringLiteral("25000"));
        window.box("V2")->setText(QStringLiteral("180"));
        window.box("Text2")->setText(QStringLiteral("ABCD"));
        window.check("Check4")->setChecked(false);
        folder.plan(QStringLiteral("P.pln"), crlf({"type=VFR", "cruising_altitude=31000"}));
        window.window.findChild<ui::PictureButton*>(QStringLiteral("Command7"))->click();
        QCOMPARE(recorder.messages, QStringList({"Flight Plan P Loaded", "Flight Plan P Loaded"}));
        QCOMPARE(window.text("Text3"), QStringLiteral("VFR"));
        QCOMPARE(window.text("Text4"), QStringLiteral("31000"));
        QCOMPARE(window.text("Text14"), QStringLiteral("39"));
        QCOMPARE(window.fuelAndSpeeds(), QStringLiteral("22337/139/152/169"));
        QCOMPARE(window.text("Text2"), QStringLiteral("ABCD"));
        QVERIFY(!window.check("Check4")->isChecked());
    }

    // A reload reads whatever Talvo.FLT holds now, another aircraft too.
    void reloadOfAnotherAircraft() {
        Folder folder;
        folder.savedFlight(savedFlight("Filename=FLIGHTS\\MYFLTS\\P"));
        folder.plan(QStringLiteral("P.pln"), crlf({"type=IFR"}));
        MessageRecorder recorder;
        CompilerWindow window(folder.prefix);
        window.window.Form_Load();
        folder.savedFlight(
            crlf({"[GPS", "Filename=FLIGHTS\\MYFLTS\\P", "Aircraft=Cessna Skyhawk 172SP"}));
        window.window.findChild<ui::PictureButton*>(QStringLiteral("Command7"))->click();
        QCOMPARE(window.combo()->currentText(), QStringLiteral("Cessna Skyhawk 172SP"));
        QCOMPARE(recorder.messages.last(), QStringLiteral("Flight Plan P Loaded"));
    }

    void typingInTheAircraftBoxChangesNothingElse() {
        CompilerWindow window;
        window.box("Text14")->setText(QStringLiteral("50"));
        const QString before = window.fuelAndSpeeds();
        window.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window.window));
        QTest::keyClicks(window.combo(), QStringLiteral("Boeing 747-400F"));
        QCOMPARE(window.combo()->currentText(), QStringLiteral("Boeing 747-400F"));
        QCOMPARE(window.fuelAndSpeeds(), before);
    }
};

QTEST_MAIN(TestLoadFlight)
#include "tst_loadflight.moc"
