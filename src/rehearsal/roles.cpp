#include "rehearsal/roles.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace rehearsal {

namespace {

struct RoleWords {
    Role role;
    QStringList words; // joined words of a name, lower case, without _
    bool routine;
};

// The words a name may contain for each role, longest first where one holds another.
const std::vector<RoleWords>& roleWords() {
    static const std::vector<RoleWords> table{
        {Role::VerticalSpeed, {u"verticalspeed"_s, u"vertspeed"_s, u"climbrate"_s, u"vs"_s}, false},
        {Role::Speed, {u"indicatedairspeed"_s, u"airspeed"_s, u"ias"_s, u"speed"_s}, false},
        {Role::Height,
         {u"heightaboveground"_s, u"altitudeaboveground"_s, u"agl"_s, u"radioaltitude"_s,
          u"height"_s},
         false},
        {Role::Pitch, {u"pitch"_s}, false},
        {Role::Flaps, {u"flaps"_s, u"flap"_s}, false},
        {Role::OnGround, {u"onground"_s, u"ongnd"_s, u"groundcontact"_s}, false},
        {Role::Gear, {u"gear"_s}, false},
        {Role::ShowText, {u"showtext"_s, u"text"_s, u"message"_s, u"display"_s}, true},
        {Role::PlaySound, {u"playsound"_s, u"sound"_s, u"wav"_s}, true},
    };
    return table;
}

// The words of a name: split at _ and where a small letter meets a capital, lower case.
QStringList wordsOf(const QString& name) {
    QString spaced;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c == u'_') {
            spaced += u' ';
            continue;
        }
        if (i > 0 && c.isUpper() && name[i - 1].isLower())
            spaced += u' ';
        spaced += c.toLower();
    }
    return spaced.split(u' ', Qt::SkipEmptyParts);
}

// Whether the run of words, joined, holds the role word as whole words.
bool holds(const QStringList& words, const QString& roleWord) {
    for (qsizetype from = 0; from < words.size(); ++from) {
        QString joined;
        for (qsizetype to = from; to < words.size() && joined.size() < roleWord.size(); ++to) {
            joined += words[to];
            if (joined == roleWord)
                return true;
        }
    }
    return false;
}

} // namespace

QString roleName(Role role) {
    switch (role) {
    case Role::Speed:
        return u"speed"_s;
    case Role::Height:
        return u"height above ground"_s;
    case Role::VerticalSpeed:
        return u"vertical speed"_s;
    case Role::Pitch:
        return u"pitch"_s;
    case Role::Flaps:
        return u"flaps"_s;
    case Role::OnGround:
        return u"on ground"_s;
    case Role::Gear:
        return u"gear"_s;
    case Role::ShowText:
        return u"show a text"_s;
    case Role::PlaySound:
        return u"play a sound"_s;
    }
    return {};
}

Roles placeRoles(const scriptcheck::HostBlock& block) {
    Roles roles;
    if (block.problem) {
        roles.problem = u"line %1: %2"_s.arg(block.problem->line).arg(block.problem->message);
        return roles;
    }
    for (const scriptcheck::HostName& host : block.names) {
        const bool routine = host.symbol.kind != scriptcheck::Kind::Variable;
        const QStringList words = wordsOf(host.symbol.name);
        std::vector<Role> found;
        for (const RoleWords& entry : roleWords()) {
            if (entry.routine != routine)
                continue;
            for (const QString& word : entry.words) {
                if (holds(words, word)) {
                    found.push_back(entry.role);
                    break;
                }
            }
        }
        // A vertical speed is also a speed by its words; the longer meaning wins.
        if (found.size() == 2 && found[0] == Role::VerticalSpeed && found[1] == Role::Speed)
            found.pop_back();
        if (found.size() != 1) {
            const QString what =
                found.empty() ? u"matches no role"_s : u"matches more than one role"_s;
            roles.problem =
                u"line %1: the host name %2 %3 the rehearsal knows (%4); the script is not "
                "rehearsed"_s.arg(host.symbol.line)
                    .arg(host.symbol.name, what,
                         routine ? u"a routine that shows a text or plays a sound"_s
                                 : u"speed, height above ground, vertical speed, pitch, flaps, "
                                   "on ground, gear"_s);
            roles.names.clear();
            return roles;
        }
        roles.names.push_back({host.symbol.name, host.symbol.line, found.front()});
    }
    return roles;
}

Roles placeRoles(QByteArrayView script) {
    return placeRoles(scriptcheck::readHostBlock(script));
}

} // namespace rehearsal
