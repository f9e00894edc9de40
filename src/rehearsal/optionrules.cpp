#include "rehearsal/rules.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace rehearsal {

namespace {

// Slower than this on the ground after a landing: stopped, time for the rating.
constexpr double kStoppedKnots = 3;
// Faster than this on the ground: a new take-off roll has begun.
constexpr double kRollKnots = 40;

bool isSpeedCall(const QString& text) {
    return text == u"Eighty knots"_s || text == u"V1"_s || text == u"Rotate"_s || text == u"V2"_s;
}

bool isGradeLine(const QString& text) {
    return text.startsWith(u"Flight rating"_s);
}

// From a stop after a landing to the next take-off roll or the flight's end.
struct RatingTime {
    double from = 0;
    double to = 0;
};

std::vector<RatingTime> ratingTimes(const std::vector<Sample>& s) {
    std::vector<RatingTime> times;
    bool landed = false;
    for (size_t i = 1; i < s.size(); ++i) {
        if (s[i].onGround && !s[i - 1].onGround)
            landed = true;
        if (!landed || !s[i].onGround || s[i].speed >= kStoppedKnots)
            continue;
        landed = false;
        RatingTime time{s[i].time, s.back().time};
        for (size_t j = i + 1; j < s.size(); ++j) {
            if (!s[j].onGround || s[j].speed >= kRollKnots) {
                time.to = s[j - 1].time;
                break;
            }
        }
        times.push_back(time);
    }
    return times;
}

QString seconds(double time) {
    return QString::number(time, 'f', 2) + u" s"_s;
}

} // namespace

std::vector<BrokenRule> optionRules(const Flight& flight, const std::vector<Record>& records,
                                    const Settings& settings) {
    std::vector<BrokenRule> broken;
    const std::vector<RatingTime> times = ratingTimes(flight.samples);
    auto within = [](const RatingTime& time, double t) {
        return t >= time.from - 1e-9 && t <= time.to + 1e-9;
    };
    // The rating: each grade line and the texts after it up to the next take-off roll.
    std::vector<bool> rating(records.size(), false);
    for (size_t r = 0; r < records.size(); ++r) {
        if (!isGradeLine(records[r].text))
            continue;
        rating[r] = true;
        const double t = records[r].state.time;
        const auto time = std::find_if(times.begin(), times.end(),
                                       [&](const RatingTime& x) { return within(x, t); });
        for (size_t later = r + 1; time != times.end() && later < records.size(); ++later) {
            if (within(*time, records[later].state.time))
                rating[later] = true;
        }
        if (!settings.rateFlight)
            broken.push_back({t, u"\"%1\" shown though RateFlight is 0"_s.arg(records[r].text)});
        else if (time == times.end())
            broken.push_back(
                {t, u"\"%1\" shown before the aircraft landed and stopped"_s.arg(records[r].text)});
    }
    for (size_t r = 0; r < records.size(); ++r) {
        const QString& text = records[r].text;
        const double t = records[r].state.time;
        if (text == u"Take-off rejected"_s && !settings.callSpeed)
            broken.push_back({t, u"\"%1\" called though CallSpeed is 0"_s.arg(text)});
        if (!rating[r] && !isSpeedCall(text) && text != u"Take-off rejected"_s &&
            !settings.callList)
            broken.push_back(
                {t, u"check-list prompt \"%1\" shown though CallList is 0"_s.arg(text)});
    }
    if (!settings.rateFlight)
        return broken;
    for (const RatingTime& time : times) {
        const auto grades = std::count_if(records.begin(), records.end(), [&](const Record& r) {
            return isGradeLine(r.text) && within(time, r.state.time);
        });
        if (grades == 0)
            broken.push_back({time.from, u"no flight rating after the landing and stop at %1"_s.arg(
                                             seconds(time.from))});
        if (grades > 1)
            broken.push_back(
                {time.from,
                 u"flight rating shown %1 times after the landing and stop at %2"_s.arg(grades).arg(
                     seconds(time.from))});
    }
    return broken;
}

} // namespace rehearsal
