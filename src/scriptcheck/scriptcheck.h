#pragma once

#include <functional>
#include <optional>
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// A check of an adventure script against the rules of the simulator's script language: the
// scanner, the grammar of a module or fsm file, the declarations and the type rules. It finds
// what keeps a script from loading, before the pilot takes it into the simulator.
//
// Names the script takes from the simulator are listed in "host lines" of the script itself:
// whole-line comments of the form
//     //  host  real     SimVar_IndicatedAirspeed
//     //  host  routine  SimCall_ShowText (char[])
// (see hostblock.h). Every other name must be declared by the script or be one of the
// language's own. A name that begins with SimVar_ or SimCall_ (letter case ignored) is a
// placeholder that the pilot still has to replace with the simulator's real name.
namespace scriptcheck {

struct Problem {
    int line = 0;        // 1-based line of the checked text where the problem stands
    QString message;     // the problem in plain words, without the location
    QString placeholder; // when the problem is a placeholder still to adapt: its name as written
    QString file;        // empty: the checked text; else the #include file the line belongs to
};

struct Options {
    // Names nobody declares are taken as the simulator's own, of any type and signature. For
    // scripts written for another host, whose names are not listed; the compile never uses it.
    bool allowUndeclared = false;
    // The bytes of a file that an #include names, or no value when it cannot be read. Without
    // it, an #include is a problem: the checker cannot see what it would bring in.
    std::function<std::optional<QByteArray>(const QString& name)> includeFile;
};

// The first problem that keeps the script from loading, in file order, as the interpreter stops
// at its first error; no value when the script would load. bytes = the file's bytes (8-bit text,
// CR LF or LF line ends).
std::optional<Problem> checkScript(QByteArrayView bytes);
std::optional<Problem> checkScript(QByteArrayView bytes, const Options& options);

// True for a name of the placeholder form: it begins with SimVar_ or SimCall_, in any case.
bool isPlaceholder(QStringView name);

} // namespace scriptcheck
