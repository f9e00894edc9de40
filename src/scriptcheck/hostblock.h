#pragma once

#include "scriptcheck/failure.h"
#include "scriptcheck/symbols.h"

#include <optional>
#include <QByteArrayView>
#include <vector>

namespace scriptcheck {

// The names a script takes from the simulator, listed in host lines: comment lines of their own
// whose text begins with the word host (any case), one name a line:
//
//     //  host  <type>     <name>
//     //  host  routine    <name> [ ( <argument> {, <argument>} ) ] [ : <result> ]
//
// <type> and <result>: integer, real, boolean (a variable may also be char).
// <argument>: integer, real, boolean, char, number (an integer or a real), char[] (a text),
// integer[], real[], boolean[] (arrays), any.
// Nothing else may follow on a host line. The simulator reads them as comments.
struct HostName {
    Symbol symbol;
    QString lower;
};

struct HostBlock {
    std::vector<HostName> names;
    std::optional<Failure> problem; // the first host line that could not be read
};

HostBlock readHostBlock(QByteArrayView bytes);

} // namespace scriptcheck
