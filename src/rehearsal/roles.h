#pragma once

#include "scriptcheck/hostblock.h"

#include <QByteArrayView>
#include <QString>
#include <vector>

namespace rehearsal {

// What a host name stands for in a simulated flight: one value of the aircraft's state, or a
// routine whose calls the rehearsal records.
enum class Role {
    Speed,         // indicated airspeed, knots
    Height,        // height above the ground, feet
    VerticalSpeed, // feet per minute
    Pitch,         // degrees, nose up positive
    Flaps,         // degrees
    OnGround,      // 1 on the ground, 0 in the air
    Gear,          // 1 down, 0 up
    ShowText,      // a routine that shows a text
    PlaySound,     // a routine that plays a sound
};

QString roleName(Role role);

struct PlacedName {
    QString name; // as the host line spells it
    int line = 0; // the host line
    Role role = Role::Speed;
};

// The host names of a script with their roles, or the first name whose role cannot be placed.
struct Roles {
    std::vector<PlacedName> names;
    QString problem; // empty when every host name has its role
};

// Each name's role from the words it is made of (see docs/rehearsal.md). A name that matches no
// role, or more than one, or a value named like a routine (and the other way round), is not
// placed: the rehearsal says so instead of guessing.
Roles placeRoles(const scriptcheck::HostBlock& block);
Roles placeRoles(QByteArrayView script);

} // namespace rehearsal
