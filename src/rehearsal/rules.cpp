#include "rehearsal/rules.h"

#include <algorithm>
#include <array>
#include <optional>

using namespace Qt::StringLiterals;

namespace rehearsal {

namespace {

const std::array<QString, 4> kCalls{u"Eighty knots"_s, u"V1"_s, u"Rotate"_s, u"V2"_s};

int callIndex(const QString& text) {
    for (size_t i = 0; i < kCalls.size(); ++i) {
        if (kCalls[i] == text)
            return int(i);
    }
    return -1;
}

struct Roll {
    size_t first = 0; // the run where the aircraft stood or rolled below 80 kt
    size_t last = 0;  // the last run before the next landing or stop, or the flight's end
};

std::vector<Roll> takeOffRolls(const std::vector<Sample>& s) {
    std::vector<Roll> rolls;
    size_t i = 0;
    while (i < s.size()) {
        if (!(s[i].onGround && s[i].speed < 80)) {
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < s.size() && s[j].onGround && s[j].speed >= s[j - 1].speed && s[j].speed < 80)
            ++j;
        if (j >= s.size() || !s[j].onGround || s[j].speed < 80 || s[j].speed < s[j - 1].speed) {
            i = j;
            continue;
        }
        // Through 80 kt on the ground: a take-off roll, up to a stop or the next touch-down.
        Roll roll{i, j};
        bool airborne = false;
        while (roll.last + 1 < s.size()) {
            const Sample& next = s[roll.last + 1];
            if ((airborne && next.onGround) || (next.onGround && next.speed == 0))
                break;
            airborne = airborne || !next.onGround;
            ++roll.last;
        }
        rolls.push_back(roll);
        i = roll.last + 1;
    }
    return rolls;
}

QString knots(double speed) {
    return QString::number(speed, 'f', 1) + u" kt"_s;
}

// "Take-off rejected": once in each take-off roll that stops on the runway without lifting off,
// and nowhere else (a fast taxi that stops is no take-off).
void rejectionRule(const std::vector<Sample>& s, const std::vector<Roll>& rolls,
                   const std::vector<Record>& records, std::vector<BrokenRule>& broken) {
    const QString rejected = u"Take-off rejected"_s;
    std::vector<bool> placed(records.size(), false);
    for (const Roll& roll : rolls) {
        const bool airborne = std::any_of(s.begin() + std::ptrdiff_t(roll.first),
                                          s.begin() + std::ptrdiff_t(roll.last) + 1,
                                          [](const Sample& x) { return !x.onGround; });
        if (airborne)
            continue;
        int count = 0;
        for (size_t r = 0; r < records.size(); ++r) {
            const double t = records[r].state.time;
            if (records[r].text == rejected && t >= s[roll.first].time - 1e-9 &&
                t <= s[roll.last].time + 1e-9) {
                placed[r] = true;
                ++count;
            }
        }
        if (count == 0)
            broken.push_back(
                {s[roll.last].time,
                 u"\"%1\" never called, though the take-off roll stopped on the runway"_s.arg(
                     rejected)});
        if (count > 1)
            broken.push_back(
                {s[roll.first].time,
                 u"\"%1\" called %2 times in one take-off roll"_s.arg(rejected).arg(count)});
    }
    for (size_t r = 0; r < records.size(); ++r) {
        if (records[r].text == rejected && !placed[r])
            broken.push_back({records[r].state.time,
                              u"\"%1\" at %2, though no take-off roll stopped on the runway"_s.arg(
                                  rejected, knots(records[r].state.speed))});
    }
}

} // namespace

std::vector<BrokenRule> speedCallRules(const Flight& flight, const std::vector<Record>& records,
                                       const Settings& settings) {
    std::vector<BrokenRule> broken;
    const std::vector<Sample>& s = flight.samples;
    const std::array<double, 4> speeds{80, settings.v1, settings.vr, settings.v2};
    const double late = kLateRuns / kRunsPerSecond + 1e-9;
    std::vector<bool> placed(records.size(), false);
    const std::vector<Roll> rolls = takeOffRolls(s);
    for (const Roll& roll : rolls) {
        const double from = s[roll.first].time;
        const double to = s[roll.last].time;
        int lastIndex = -1;
        QString lastText;
        std::array<int, 4> count{};
        for (size_t r = 0; r < records.size(); ++r) {
            const int index = callIndex(records[r].text);
            const double t = records[r].state.time;
            if (index < 0 || t < from - 1e-9 || t > to + 1e-9)
                continue;
            placed[r] = true;
            if (!settings.callSpeed)
                continue;
            ++count[index];
            if (records[r].state.speed < speeds[index])
                broken.push_back(
                    {t, u"\"%1\" at %2, before its speed %3"_s.arg(
                            kCalls[index], knots(records[r].state.speed), knots(speeds[index]))});
            if (index < lastIndex)
                broken.push_back({t, u"\"%1\" before \"%2\""_s.arg(lastText, kCalls[index])});
            if (index > lastIndex) {
                lastIndex = index;
                lastText = kCalls[index];
            }
        }
        if (!settings.callSpeed)
            continue;
        for (size_t c = 0; c < kCalls.size(); ++c) {
            // When the speed is reached: on the runway, or for V2 in the climb as well.
            std::optional<double> reached;
            for (size_t i = roll.first; i <= roll.last && !reached; ++i) {
                if (s[i].speed >= speeds[c] && (c == 3 || s[i].onGround))
                    reached = s[i].time;
            }
            if (count[c] > 1)
                broken.push_back(
                    {from, u"\"%1\" called %2 times in one take-off roll"_s.arg(kCalls[c]).arg(
                               count[c])});
            // A V1 of 80 kt or less is the first call of its roll: "Eighty knots" may be left out.
            const bool optional = c == 0 && settings.v1 <= 80;
            if (reached && count[c] == 0 && !optional)
                broken.push_back({*reached, u"\"%1\" never called, though %2 was reached"_s.arg(
                                                kCalls[c], knots(speeds[c]))});
            if (!reached && count[c] > 0)
                broken.push_back({from, u"\"%1\" called, though %2 was never reached"_s.arg(
                                            kCalls[c], knots(speeds[c]))});
            if (reached && count[c] > 0) {
                for (const Record& record : records) {
                    if (record.text == kCalls[c] && record.state.time >= from - 1e-9 &&
                        record.state.time <= to + 1e-9 && record.state.time > *reached + late)
                        broken.push_back(
                            {record.state.time,
                             u"\"%1\" late: %2 was reached at %3 s"_s.arg(
                                 kCalls[c], knots(speeds[c]), QString::number(*reached, 'f', 2))});
                }
            }
        }
    }
    for (size_t r = 0; r < records.size(); ++r) {
        const int index = callIndex(records[r].text);
        if (index < 0)
            continue;
        if (!settings.callSpeed)
            broken.push_back({records[r].state.time,
                              u"\"%1\" called though CallSpeed is 0"_s.arg(records[r].text)});
        else if (!placed[r])
            broken.push_back(
                {records[r].state.time, u"\"%1\" outside a take-off roll"_s.arg(records[r].text)});
    }
    if (settings.callSpeed)
        rejectionRule(s, rolls, records, broken);
    return broken;
}

} // namespace rehearsal
