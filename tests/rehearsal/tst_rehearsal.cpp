#include "rehearsal/flights.h"
#include "rehearsal/roles.h"

#include <QFile>
#include <QtTest>
#include <algorithm>
#include <set>

using namespace Qt::StringLiterals;
using rehearsal::Role;

Q_DECLARE_METATYPE(Role)

namespace {

QByteArray templateBytes(const char* name) {
    QFile file(QStringLiteral(TALVO_DATA_DIR "/lib/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the template %s", name);
    return file.readAll();
}

} // namespace

class TestRehearsal : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void placesRoleByName_data();
    void placesRoleByName();
    void refusesUnplacedName_data();
    void refusesUnplacedName();
    void placesTemplatePlaceholders();
    void flightShapes_data();
    void flightShapes();
};

void TestRehearsal::placesRoleByName_data() {
    QTest::addColumn<QByteArray>("hostLine");
    QTest::addColumn<Role>("role");
    QTest::newRow("placeholder speed")
        << "//  host real SimVar_IndicatedAirspeed"_ba << Role::Speed;
    QTest::newRow("short speed") << "//  host integer IAS"_ba << Role::Speed;
    QTest::newRow("vertical speed, not speed")
        << "//  host real Plane_VerticalSpeed"_ba << Role::VerticalSpeed;
    QTest::newRow("vs in capitals") << "//  host real AIRCRAFT_VS"_ba << Role::VerticalSpeed;
    QTest::newRow("height") << "//  host real radio_height"_ba << Role::Height;
    QTest::newRow("agl") << "//  host real AltAGL"_ba << Role::Height;
    QTest::newRow("pitch") << "//  host real PitchDeg"_ba << Role::Pitch;
    QTest::newRow("flaps") << "//  host integer FlapHandle"_ba << Role::Flaps;
    QTest::newRow("on ground") << "//  host boolean IsOnGround"_ba << Role::OnGround;
    QTest::newRow("gear") << "//  host real GearDown"_ba << Role::Gear;
    QTest::newRow("show text") << "//  host routine Fs_ShowText (char[])"_ba << Role::ShowText;
    QTest::newRow("message") << "//  host routine PutMessage (char[])"_ba << Role::ShowText;
    QTest::newRow("sound") << "//  host routine PlayWav (char[])"_ba << Role::PlaySound;
}

void TestRehearsal::placesRoleByName() {
    QFETCH(QByteArray, hostLine);
    QFETCH(Role, role);
    const rehearsal::Roles roles = rehearsal::placeRoles(hostLine);
    QCOMPARE(roles.problem, QString());
    QCOMPARE(roles.names.size(), size_t(1));
    QCOMPARE(roles.names.front().role, role);
}

void TestRehearsal::refusesUnplacedName_data() {
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no role") << "// host real Throttle\n"_ba
                             << u"line 1: the host name Throttle matches no role"_s;
    QTest::newRow("two roles") << "\n// host real GearPitch\n"_ba
                               << u"line 2: the host name GearPitch matches more than one role"_s;
    QTest::newRow("value named like a routine")
        << "// host real ShowText\n"_ba << u"line 1: the host name ShowText matches no role"_s;
    QTest::newRow("word inside another word")
        << "// host real Gearbox\n"_ba << u"line 1: the host name Gearbox matches no role"_s;
    QTest::newRow("host line not read")
        << "// host table Speed\n"_ba << u"line 1: this host line is not understood"_s;
}

void TestRehearsal::refusesUnplacedName() {
    QFETCH(QByteArray, script);
    QFETCH(QString, expected);
    const rehearsal::Roles roles = rehearsal::placeRoles(script);
    QVERIFY2(roles.problem.startsWith(expected), qPrintable(roles.problem));
    QVERIFY(roles.names.empty());
}

void TestRehearsal::placesTemplatePlaceholders() {
    for (const char* name : {"Talvo.abl", "Talvo2.abl"}) {
        const rehearsal::Roles roles = rehearsal::placeRoles(templateBytes(name));
        QVERIFY2(roles.problem.isEmpty(), qPrintable(roles.problem));
        std::set<Role> seen;
        for (const rehearsal::PlacedName& placed : roles.names)
            seen.insert(placed.role);
        if (!roles.names.empty())
            QCOMPARE(seen.size(), roles.names.size());
    }
    const rehearsal::Roles opening = rehearsal::placeRoles(templateBytes("Talvo.abl"));
    QCOMPARE(opening.names.size(), size_t(9));
}

void TestRehearsal::flightShapes_data() {
    QTest::addColumn<QString>("flight");
    QTest::addColumn<int>("liftOffs");
    QTest::addColumn<int>("touchDowns");
    QTest::addColumn<bool>("rollsPastV1");
    QTest::addColumn<bool>("endsStopped");
    QTest::newRow("normal") << u"normal take-off and climb"_s << 1 << 0 << true << false;
    QTest::newRow("rejected below V1")
        << u"take-off rejected below V1"_s << 0 << 0 << false << true;
    QTest::newRow("rejected after V1") << u"take-off rejected after V1"_s << 0 << 0 << true << true;
    QTest::newRow("fast taxi") << u"fast taxi that stops"_s << 0 << 0 << false << true;
    QTest::newRow("saved in the air")
        << u"flight saved in the air that lands"_s << 0 << 1 << false << true;
    QTest::newRow("touch-and-go, ground")
        << u"touch-and-go from the ground"_s << 2 << 1 << true << false;
    QTest::newRow("touch-and-go, air") << u"touch-and-go from the air"_s << 1 << 1 << true << false;
    QTest::newRow("go-around") << u"go-around"_s << 0 << 0 << false << false;
    QTest::newRow("bounce") << u"bounce"_s << 1 << 2 << false << true;
    QTest::newRow("second take-off")
        << u"second take-off after landing"_s << 2 << 1 << true << false;
}

// Each built-in flight does what its name says, for whole and decimal speeds in and out of order.
void TestRehearsal::flightShapes() {
    QFETCH(QString, flight);
    QFETCH(int, liftOffs);
    QFETCH(int, touchDowns);
    QFETCH(bool, rollsPastV1);
    QFETCH(bool, endsStopped);
    const double speeds[][3] = {{148, 166, 178}, {150.5, 166, 178.5}, {170, 160, 150}};
    for (const auto& v : speeds) {
        const std::vector<rehearsal::Flight> flights = rehearsal::builtInFlights(v[0], v[1], v[2]);
        const auto found =
            std::find_if(flights.begin(), flights.end(),
                         [&](const rehearsal::Flight& f) { return f.name == flight; });
        QVERIFY(found != flights.end());
        const std::vector<rehearsal::Sample>& s = found->samples;
        QVERIFY(s.size() > 10);
        int ups = 0;
        int downs = 0;
        bool pastV1 = false;
        for (size_t i = 1; i < s.size(); ++i) {
            QCOMPARE(s[i].time - s[i - 1].time, 1 / rehearsal::kRunsPerSecond);
            QVERIFY(s[i].height >= 0 && s[i].speed >= 0);
            QVERIFY(!s[i].onGround || s[i].height == 0);
            ups += s[i - 1].onGround && !s[i].onGround;
            downs += !s[i - 1].onGround && s[i].onGround;
            pastV1 = pastV1 || (s[i].onGround && s[i].speed > s[i - 1].speed &&
                                s[i].speed >= std::min(v[0], v[1]));
        }
        QCOMPARE(ups, liftOffs);
        QCOMPARE(downs, touchDowns);
        QCOMPARE(pastV1, rollsPastV1);
        QCOMPARE(s.back().onGround && s.back().speed == 0, endsStopped);
    }
}

QTEST_GUILESS_MAIN(TestRehearsal)
#include "tst_rehearsal.moc"
