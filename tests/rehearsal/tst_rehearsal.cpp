#include "rehearsal/flights.h"
#include "rehearsal/roles.h"
#include "rehearsal/rules.h"

#include <algorithm>
#include <functional>
#include <QFile>
#include <QtTest>
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

const rehearsal::Flight& flightNamed(const std::vector<rehearsal::Flight>& flights,
                                     const QString& name) {
    for (const rehearsal::Flight& flight : flights) {
        if (flight.name == name)
            return flight;
    }
    qFatal("no flight %s", qPrintable(name));
}

// The speed call-outs a sound script makes: each at the first run that reaches its speed, on the
// runway (V2 in the climb as well), once per flight.
std::vector<rehearsal::Record> callsAtSpeed(const rehearsal::Flight& flight,
                                            const rehearsal::Settings& v) {
    const std::pair<QString, double> calls[] = {
        {u"Eighty knots"_s, 80}, {u"V1"_s, v.v1}, {u"Rotate"_s, v.vr}, {u"V2"_s, v.v2}};
    std::vector<rehearsal::Record> records;
    for (const rehearsal::Sample& sample : flight.samples) {
        for (const auto& [text, speed] : calls) {
            const bool done =
                std::any_of(records.begin(), records.end(),
                            [&](const rehearsal::Record& r) { return r.text == text; });
            if (!done && sample.speed >= speed && (sample.onGround || text == u"V2"_s))
                records.push_back({sample, text});
        }
    }
    return records;
}

// Every rule held when expected is empty, else one broken rule begins with it.
void verifyBroken(const std::vector<rehearsal::BrokenRule>& broken, const QString& expected) {
    QStringList rules;
    for (const auto& b : broken)
        rules << b.rule;
    if (expected.isEmpty())
        QVERIFY2(broken.empty(), qPrintable(rules.join(u"; "_s)));
    else
        QVERIFY2(std::any_of(rules.begin(), rules.end(),
                             [&](const QString& rule) { return rule.startsWith(expected); }),
                 qPrintable(rules.join(u"; "_s)));
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
    void speedCallRules_data();
    void speedCallRules();
    void optionRules_data();
    void optionRules();
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

using Change = std::function<void(std::vector<rehearsal::Record>&, const rehearsal::Flight&)>;
Q_DECLARE_METATYPE(Change)

void TestRehearsal::speedCallRules_data() {
    QTest::addColumn<QString>("flight");
    QTest::addColumn<QList<double>>("speeds");
    QTest::addColumn<bool>("callSpeed");
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("expected"); // one broken rule, or empty when all hold
    const QList<double> normal{148, 166, 178};
    const Change none = [](auto&, const auto&) {
    };
    const auto findCall = [](std::vector<rehearsal::Record>& r, const QString& text) {
        return std::find_if(r.begin(), r.end(), [&](const auto& x) { return x.text == text; });
    };
    QTest::newRow("kept") << u"normal take-off and climb"_s << normal << true << none << QString();
    QTest::newRow("kept, decimal") << u"normal take-off and climb"_s
                                   << QList<double>{150.5, 166, 178.5} << true << none << QString();
    // "Take-off rejected" when the aircraft has slowed below 30 kt after a roll through 80 kt
    const Change rejectAt30 = [](auto& r, const rehearsal::Flight& f) {
        const auto fastest =
            std::max_element(f.samples.begin(), f.samples.end(),
                             [](const auto& a, const auto& b) { return a.speed < b.speed; });
        r.push_back(
            {*std::find_if(fastest, f.samples.end(), [](const auto& s) { return s.speed < 30; }),
             u"Take-off rejected"_s});
    };
    QTest::newRow("kept, rejected")
        << u"take-off rejected after V1"_s << normal << true << rejectAt30 << QString();
    QTest::newRow("rejection never called")
        << u"take-off rejected below V1"_s << normal << true << none
        << u"\"Take-off rejected\" never called, though the take-off roll stopped"_s;
    QTest::newRow("rejection twice")
        << u"take-off rejected below V1"_s << normal << true
        << Change([=](auto& r, const rehearsal::Flight& f) {
               rejectAt30(r, f);
               rejectAt30(r, f);
           })
        << u"\"Take-off rejected\" called 2 times in one take-off roll"_s;
    QTest::newRow("rejection after a fast taxi")
        << u"fast taxi that stops"_s << normal << true << rejectAt30
        << u"\"Take-off rejected\" at 29.5 kt, though no take-off roll stopped on the runway"_s;
    QTest::newRow("kept, second take-off")
        << u"second take-off after landing"_s << normal << true
        << Change([](auto& r, const rehearsal::Flight& f) {
               // the same calls again in the second roll
               const auto second =
                   std::find_if(f.samples.begin() + 1, f.samples.end(), [&](const auto& s) {
                       return s.time > 100 && s.onGround && s.speed == 0;
                   });
               rehearsal::Flight rest{f.name, {second, f.samples.end()}};
               const auto more = callsAtSpeed(rest, {148, 166, 178, true});
               r.insert(r.end(), more.begin(), more.end());
           })
        << QString();
    QTest::newRow("option off") << u"normal take-off and climb"_s << normal << false << none
                                << u"\"Eighty knots\" called though CallSpeed is 0"_s;
    QTest::newRow("never called") << u"normal take-off and climb"_s << normal << true
                                  << Change([=](auto& r, const auto&) {
                                         r.erase(findCall(r, u"V2"_s));
                                     })
                                  << u"\"V2\" never called"_s;
    QTest::newRow("twice") << u"normal take-off and climb"_s << normal << true
                           << Change(
                                  [=](auto& r, const auto&) { r.push_back(*findCall(r, u"V1"_s)); })
                           << u"\"V1\" called 2 times in one take-off roll"_s;
    QTest::newRow("late")
        << u"normal take-off and climb"_s << normal << true
        << Change([=](auto& r, const rehearsal::Flight& f) {
               auto v1 = findCall(r, u"V1"_s);
               v1->state = f.samples[size_t(v1->state.time * rehearsal::kRunsPerSecond) + 4];
           })
        << u"\"V1\" late"_s;
    QTest::newRow("before its speed")
        << u"normal take-off and climb"_s << normal << true
        << Change([=](auto& r, const rehearsal::Flight& f) {
               auto v1 = findCall(r, u"V1"_s);
               v1->state = f.samples[size_t(v1->state.time * rehearsal::kRunsPerSecond) - 2];
           })
        << u"\"V1\" at 146.9 kt, before its speed 148.0 kt"_s;
    QTest::newRow("no eighty knots call below a V1 of 80 kt")
        << u"normal take-off and climb"_s << QList<double>{78, 120, 130} << true
        << Change([=](auto& r, const auto&) { r.erase(findCall(r, u"Eighty knots"_s)); })
        << QString();
    QTest::newRow("speeds out of order")
        << u"normal take-off and climb"_s << QList<double>{165, 160, 180} << true << none
        << u"\"Rotate\" before \"V1\""_s;
    QTest::newRow("V2 after a touch-and-go from the air")
        << u"touch-and-go from the air"_s << normal << true << none
        << u"\"V2\" outside a take-off roll"_s;
}

void TestRehearsal::speedCallRules() {
    QFETCH(QString, flight);
    QFETCH(QList<double>, speeds);
    QFETCH(bool, callSpeed);
    QFETCH(Change, change);
    QFETCH(QString, expected);
    const rehearsal::Settings settings{speeds[0], speeds[1], speeds[2], callSpeed};
    const auto flights = rehearsal::builtInFlights(speeds[0], speeds[1], speeds[2]);
    const rehearsal::Flight& f = flightNamed(flights, flight);
    std::vector<rehearsal::Record> records = callsAtSpeed(f, settings);
    change(records, f);
    const auto broken = rehearsal::speedCallRules(f, records, settings);
    verifyBroken(broken, expected);
}

// Texts shown in one flight at given seconds after the stop that follows its landing (a negative
// time: that many seconds from the flight's start).
using Shown = QList<std::pair<double, QString>>;
Q_DECLARE_METATYPE(Shown)

void TestRehearsal::optionRules_data() {
    QTest::addColumn<QString>("flight");
    QTest::addColumn<QList<int>>("options"); // CallSpeed, CallList, RateFlight
    QTest::addColumn<Shown>("shown");
    QTest::addColumn<QString>("expected"); // one broken rule, or empty when all hold
    const QString landing = u"flight saved in the air that lands"_s;
    const Shown rated{{-1, u"Approach checklist"_s},
                      {25, u"Flight rating: A - excellent"_s},
                      {50, u"Touchdown smooth"_s}};
    QTest::newRow("kept") << landing << QList<int>{1, 1, 1} << rated << QString();
    QTest::newRow("remarks are no prompts")
        << landing << QList<int>{1, 0, 1} << Shown{rated[1], rated[2]} << QString();
    QTest::newRow("prompt with CallList 0")
        << landing << QList<int>{1, 0, 1} << rated
        << u"check-list prompt \"Approach checklist\" shown though CallList is 0"_s;
    QTest::newRow("rating with RateFlight 0")
        << landing << QList<int>{1, 1, 0} << rated
        << u"\"Flight rating: A - excellent\" shown though RateFlight is 0"_s;
    QTest::newRow("no rating") << landing << QList<int>{1, 1, 1} << Shown{rated[0]}
                               << u"no flight rating after the landing and stop at"_s;
    QTest::newRow("rating twice") << landing << QList<int>{1, 1, 1} << (Shown(rated) << rated[1])
                                  << u"flight rating shown 2 times after the landing and stop"_s;
    QTest::newRow("rating before landing")
        << landing << QList<int>{1, 1, 1} << (Shown(rated) << std::pair{-10.0, rated[1].second})
        << u"\"Flight rating: A - excellent\" shown before the aircraft landed and stopped"_s;
    QTest::newRow("no stop, no rating due")
        << u"go-around"_s << QList<int>{1, 1, 1} << Shown{} << QString();
    QTest::newRow("one rating per stop, second take-off")
        << u"second take-off after landing"_s << QList<int>{1, 1, 1} << Shown{rated[1]}
        << QString();
    QTest::newRow("rejection with CallSpeed 0")
        << u"take-off rejected below V1"_s << QList<int>{0, 1, 1}
        << Shown{{-60, u"Take-off rejected"_s}}
        << u"\"Take-off rejected\" called though CallSpeed is 0"_s;
}

void TestRehearsal::optionRules() {
    QFETCH(QString, flight);
    QFETCH(QList<int>, options);
    QFETCH(Shown, shown);
    QFETCH(QString, expected);
    const rehearsal::Settings settings{
        148, 166, 178, options[0] == 1, options[1] == 1, options[2] == 1};
    const auto flights = rehearsal::builtInFlights(148, 166, 178);
    const rehearsal::Flight& f = flightNamed(flights, flight);
    // the first run of the stop after the first landing
    double stop = f.samples.back().time;
    bool landed = false;
    for (size_t i = 1; i < f.samples.size(); ++i) {
        landed = landed || (f.samples[i].onGround && !f.samples[i - 1].onGround);
        if (landed && f.samples[i].onGround && f.samples[i].speed < 3) {
            stop = f.samples[i].time;
            break;
        }
    }
    std::vector<rehearsal::Record> records;
    for (const auto& [at, text] : shown) {
        const double t = at < 0 ? -at : stop + at;
        records.push_back({f.samples[size_t(t * rehearsal::kRunsPerSecond)], text});
    }
    std::sort(records.begin(), records.end(),
              [](const auto& a, const auto& b) { return a.state.time < b.state.time; });
    const auto broken = rehearsal::optionRules(f, records, settings);
    verifyBroken(broken, expected);
}

QTEST_GUILESS_MAIN(TestRehearsal)
#include "tst_rehearsal.moc"
