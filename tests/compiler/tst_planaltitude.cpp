#include "compiler/planaltitude.h"
#include "support/files.h"
#include "support/scratchfolder.h"
#include "textio/linereader.h"
#include "textio/linewriter.h"

#include <QtTest>

namespace {

using Lines = QList<QByteArray>;

QByteArray rewrite(const QByteArray& input, const QByteArray& altitude) {
    return throughLines(input, [&](textio::LineReader& in, textio::LineWriter& out) {
        compiler::rewriteCruisingAltitude(in, out, altitude);
    });
}

} // namespace

class TestPlanAltitude : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rewrites_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("altitude");
        QTest::addColumn<QByteArray>("output");
        QTest::newRow("cruising line replaced")
            << crlf({"type=IFR", "cruising_altitude=22000", "departure_id=EGPB"})
            << QByteArray("31000")
            << crlf({"type=IFR", "cruising_altitude=31000", "departure_id=EGPB"});
        QTest::newRow("any line beginning with cruising")
            << crlf({"cruising speed=480"}) << QByteArray("31000")
            << crlf({"cruising_altitude=31000"});
        QTest::newRow("two cruising lines: the second copied untested")
            << crlf({"cruising_altitude=22000", "cruising_altitude=23000", "x"})
            << QByteArray("31000")
            << crlf({"cruising_altitude=31000", "cruising_altitude=23000", "x"});
        QTest::newRow("three cruising lines: the third replaced again")
            << crlf({"cruising_altitude=1", "cruising_altitude=2", "cruising_altitude=3"})
            << QByteArray("4")
            << crlf({"cruising_altitude=4", "cruising_altitude=2", "cruising_altitude=4"});
        QTest::newRow("other case not replaced")
            << crlf({"Cruising_altitude=22000", " cruising_altitude=22000"}) << QByteArray("31000")
            << crlf({"Cruising_altitude=22000", " cruising_altitude=22000"});
        QTest::newRow("no cruising line: same lines")
            << crlf({"[flightplan]", "type=VFR"}) << QByteArray("31000")
            << crlf({"[flightplan]", "type=VFR"});
        QTest::newRow("line ends other than CR LF become CR LF")
            << QByteArray("[flightplan]\ntype=VFR") << QByteArray("31000")
            << crlf({"[flightplan]", "type=VFR"});
        QTest::newRow("cruising line last")
            << crlf({"type=VFR", "cruising_altitude=22000"}) << QByteArray("31000")
            << crlf({"type=VFR", "cruising_altitude=31000"});
        QTest::newRow("altitude written as shown")
            << crlf({"cruising_altitude=22000"}) << QByteArray("350,5")
            << crlf({"cruising_altitude=350,5"});
        QTest::newRow("empty altitude")
            << crlf({"cruising_altitude=22000"}) << QByteArray() << crlf({"cruising_altitude="});
        QTest::newRow("empty plan") << QByteArray() << QByteArray("31000") << QByteArray();
    }
    void rewrites() {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, altitude);
        QFETCH(QByteArray, output);
        QCOMPARE(rewrite(input, altitude), output);
    }

    void publicPlan() {
        QFile file(QStringLiteral(TALVO_SAMPLES_DIR "/EGPB-EISG.pln"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray expected = file.readAll();
        const QByteArray input = expected;
        expected.replace("cruising_altitude=22000", "cruising_altitude=30000");
        QCOMPARE(rewrite(input, "30000"), expected);
    }
};

QTEST_APPLESS_MAIN(TestPlanAltitude)
#include "tst_planaltitude.moc"
