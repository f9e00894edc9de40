#pragma once

#include "scriptcheck/types.h"

#include <deque>
#include <QHash>
#include <QString>
#include <vector>

namespace scriptcheck {

enum class Kind {
    Constant,
    TypeName,
    Variable,
    ValueParam,
    RefParam,
    Module,
    Routine,  // declared by the script: function, order, state
    Standard, // the language's own routines and the simulator's
    Unknown,  // not declared, taken as the simulator's in the lenient check
};

// The argument kinds of the language's own routines (and of the simulator's).
enum class ArgClass {
    Anything,
    Char,
    Integer,
    Real,
    Boolean,
    Number,
    Text,
    Integers,
    Reals,
    Booleans
};

// The four routines the interpreter reads in its own way; all others follow their table entry.
enum class Special { None, Return, Print, Concat, GetStateHandle };

struct Param {
    TypePtr type;
    bool byReference = false;
};

struct Symbol {
    QString name; // as written where it was declared
    Kind kind = Kind::Variable;
    TypePtr type;     // constants and variables: their type; routines: their result (null: none)
    qint64 value = 0; // integer constants: their value (array sizes)
    int line = 0;
    int file = 0;
    // routines declared by the script
    std::vector<Param> params;
    bool forward = false; // declared "forward" or named by a trans, not yet defined
    bool isState = false;
    bool isOrder = false;
    // standard routines
    Special special = Special::None;
    std::vector<ArgClass> args;
};

// Scopes as the interpreter keeps them: level 0 the language's and the simulator's names, level 1
// the script's (its name stands at level 0), level 2 a routine's parameters and locals.
class SymbolTable {
public:
    SymbolTable();

    Symbol* find(const QString& lower) const; // innermost level first
    Symbol* findAt(int level, const QString& lower) const;
    Symbol* add(int level, const QString& lower, Symbol symbol);
    int level() const { return int(levels_.size()) - 1; }
    void enter() { levels_.emplace_back(); }
    void leave() { levels_.pop_back(); }

    // Every symbol of level 1 (for the checks at the end of the file).
    std::vector<const Symbol*> scriptSymbols() const;

private:
    std::deque<Symbol> store_;
    std::vector<QHash<QString, Symbol*>> levels_;
};

// The argument classes of a signature as the interpreter's table writes it ("iC": an integer
// and a text).
std::vector<ArgClass> argClasses(const char* signature);
QString describe(ArgClass arg);
bool fits(ArgClass arg, const TypePtr& type);

} // namespace scriptcheck
