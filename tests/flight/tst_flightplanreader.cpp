#include "flight/flightplanreader.h"
#include "support/compilerwindow.h"
#include "support/geometry.h"
#include "support/messagerecorder.h"
#include "support/scratchfolder.h"
#include "ui/application.h"

#include <QtTest>

namespace {

using Lines = QList<QByteArray>;

// The route fields in the order of the table rows below.
const char* const kRouteFields[] = {"Text3", "Text4",  "Text5",  "Text6", "Text7",
                                    "Text2", "Text12", "Text10", "Text11"};

QString routeOf(const CompilerWindow& window) {
    QStringList texts;
    for (const char* name : kRouteFields) {
        texts.append(window.text(name));
    }
    return texts.join(u'|');
}

QByteArray sample(const char* name) {
    QFile file(QStringLiteral(TALVO_SAMPLES_DIR "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString kUntouched = QStringLiteral("-|-|-|-|-|-|-|-|-");

} // namespace

class TestFlightPlanReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ui::prepareApplication(); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // Every route field shows "-" before the read, so an untouched field can be seen.
    // route: Text3|Text4|Text5|Text6|Text7|Text2|Text12|Text10|Text11
    void reads_data() {
        QTest::addColumn<QByteArray>("plan");
        QTest::addColumn<QString>("route");
        QTest::newRow("public plan EGPB-EISG")
            << sample("EGPB-EISG.pln") << "IFR|22000|1|SUMBURGH|SLIGO|EGPB|20|EISG|11";
        QTest::newRow("public plan EDDB-OMDB, altitude refused")
            << sample("EDDB-OMDB.pln")
            << "IFR|37000|1|BERLIN BRANDENBURG|DUBAI / INTERNATIONAL|EDDB|157|OMDB|62";
        QTest::newRow("no recognised lines") << crlf({"[flightplan]", "title=x"}) << kUntouched;
        QTest::newRow("no cruising line") << crlf({"type=VFR"}) << "VFR|-|-|-|-|-|-|-|-";
        QTest::newRow("6-digit altitude: first 5 digits")
            << crlf({"cruising_altitude=350000"}) << "-|35000|-|-|-|-|-|-|-";
        QTest::newRow("FL350 is 0") << crlf({"cruising_altitude=FL350"}) << "-|0|-|-|-|-|-|-|-";
        QTest::newRow("altitude with a fraction")
            << crlf({"cruising_altitude=350.5"}) << "-|350.5|-|-|-|-|-|-|-";
        QTest::newRow("3-letter identifier keeps its comma")
            << crlf({"departure_id=JFK, N40* 38.35', W073* 46.68', +000013.00"})
            << "-|-|-|-|-|JFK,|13|-|-";
        QTest::newRow("identifier without position: altitude from inside the key")
            << crlf({"destination_id=KJFK"}) << "-|-|-|-|-|-|-|KJFK|0";
        QTest::newRow("negative altitude")
            << crlf({"destination_id=EHAM, N52* 18.52', E004* 45.83', -000010.00"})
            << "-|-|-|-|-|-|-|EHAM|-10";
        QTest::newRow("altitude taken by position, not searched")
            << crlf({"departure_id=EGPB, +000020.00, then more text"}) << "-|-|-|-|-|EGPB|0|-|-";
        QTest::newRow("long values are cut")
            << crlf({"type=INSTRUMENTAL-FLIGHT", "departure_name=" + QByteArray(50, 'D'),
                     "destination_name=" + QByteArray(45, 'A'),
                     "departure_position=" + QByteArray(41, 'P')})
            << QStringLiteral("INSTRUMENT|-|%1|%2|%3|-|-|-|-")
                   .arg(QString(40, u'P'), QString(40, u'D'), QString(40, u'A'));
        QTest::newRow("keys are case-sensitive")
            << crlf({"Type=VFR", "CRUISING_ALTITUDE=1000", " departure_name=X"}) << kUntouched;
        QTest::newRow("the later line wins")
            << crlf({"type=VFR", "type=IFR"}) << "IFR|-|-|-|-|-|-|-|-";
        QTest::newRow("empty values")
            << crlf({"type=", "cruising_altitude=", "departure_name="}) << "|0|-||-|-|-|-|-";
    }
    void reads() {
        QFETCH(QByteArray, plan);
        QFETCH(QString, route);
        ScratchFolder work;
        work.write(QStringLiteral("fs/PLAN.pln"), plan);
        MessageRecorder recorder;
        CompilerWindow window;
        for (const char* name : kRouteFields) {
            window.box(name)->setText(QStringLiteral("-"));
        }
        window.box("FuelOnBoard")->setText(QStringLiteral("28637"));
        QVERIFY(flight::ReadFlightPlan(work.filePath(QStringLiteral("fs/")), QStringLiteral("PLAN"),
                                       window.window));
        QCOMPARE(routeOf(window), route);
        // The speeds come from the fuel on board at the end.
        QCOMPARE(window.fuelAndSpeeds(), QStringLiteral("28637/141/155/171"));
    }

    // An altitude above the limit is refused while the plan is read.
    void altitudeAboveTheLimitIsReported() {
        ScratchFolder work;
        work.write(QStringLiteral("fs/EDDB-OMDB.pln"), sample("EDDB-OMDB.pln"));
        MessageRecorder recorder;
        CompilerWindow window;
        QString altitudeAtMessage;
        recorder.onShow = [&](const QString&) {
            altitudeAtMessage = window.text("Text4");
        };
        window.box("FuelOnBoard")->setText(QStringLiteral("0"));
        QVERIFY(flight::ReadFlightPlan(work.filePath(QStringLiteral("fs/")),
                                       QStringLiteral("EDDB-OMDB"), window.window));
        QCOMPARE(recorder.messages, QStringList{QStringLiteral("Max Altitude 37000 feet.")});
        QCOMPARE(altitudeAtMessage, QStringLiteral("39000"));
        QCOMPARE(window.text("Text4"), QStringLiteral("37000"));
    }

    void fractionInTheUsersLocale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        ScratchFolder work;
        work.write(QStringLiteral("fs/P.pln"), crlf({"cruising_altitude=350.5"}));
        CompilerWindow window;
        window.box("FuelOnBoard")->setText(QStringLiteral("0"));
        QVERIFY(flight::ReadFlightPlan(work.filePath(QStringLiteral("fs/")), QStringLiteral("P"),
                                       window.window));
        QCOMPARE(window.text("Text4"), QStringLiteral("350,5"));
    }

    void planFoundWhateverTheLetterCase() {
        ScratchFolder work;
        work.write(QStringLiteral("fs/ksea-panc.PLN"), crlf({"type=IFR"}));
        CompilerWindow window;
        window.box("FuelOnBoard")->setText(QStringLiteral("0"));
        QVERIFY(flight::ReadFlightPlan(work.filePath(QStringLiteral("fs/")),
                                       QStringLiteral("KSEA-PANC"), window.window));
        QCOMPARE(window.text("Text3"), QStringLiteral("IFR"));
    }

    // A failure sets no speeds; route fields read before it keep their new text.
    void failures_data() {
        QTest::addColumn<QByteArray>("plan"); // null: no plan file
        QTest::addColumn<QString>("planName");
        QTest::addColumn<QString>("fuel");
        QTest::addColumn<QString>("type"); // Text3 afterwards
        QTest::newRow("missing plan") << QByteArray() << "PLAN"
                                      << "0"
                                      << "-";
        QTest::newRow("empty plan name looks for .pln") << QByteArray() << ""
                                                        << "0"
                                                        << "-";
        QTest::newRow("fuel box not a number") << crlf({"type=IFR"}) << "PLAN"
                                               << ""
                                               << "IFR";
        QTest::newRow("altitude beyond the double range")
            << crlf({"type=IFR", "cruising_altitude=9e999"}) << "PLAN"
            << "0"
            << "IFR";
        QTest::newRow("airport altitude beyond the double range")
            << crlf({"type=IFR", "departure_id=EGPB, N59* 52.88', W001* 17.63', +9e99999.0"})
            << "PLAN"
            << "0"
            << "IFR";
    }
    void failures() {
        QFETCH(QByteArray, plan);
        QFETCH(QString, planName);
        QFETCH(QString, fuel);
        QFETCH(QString, type);
        ScratchFolder work;
        if (!plan.isNull()) {
            work.write(QStringLiteral("fs/PLAN.pln"), plan);
        }
        CompilerWindow window;
        window.box("Text3")->setText(QStringLiteral("-"));
        window.box("FuelOnBoard")->setText(fuel);
        QVERIFY(
            !flight::ReadFlightPlan(work.filePath(QStringLiteral("fs/")), planName, window.window));
        QCOMPARE(window.text("Text3"), type);
        QCOMPARE(window.text("V1"), QString());
        QVERIFY(!window.text("Text4").contains(QStringLiteral("inf")));
        QVERIFY(!window.text("Text12").contains(QStringLiteral("inf")));
    }
};

QTEST_MAIN(TestFlightPlanReader)
#include "tst_flightplanreader.moc"
