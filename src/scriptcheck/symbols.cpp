#include "scriptcheck/symbols.h"

using namespace Qt::StringLiterals;

namespace scriptcheck {

namespace {

struct StandardRoutine {
    const char* name;
    Special special;
    const char* args; // as argClasses reads them
    TypePtr result;
};

void predeclare(SymbolTable& table) {
    const Builtins& b = builtins();
    auto add = [&](const QString& name, Kind kind, const TypePtr& type) {
        Symbol symbol;
        symbol.name = name;
        symbol.kind = kind;
        symbol.type = type;
        table.add(0, name, symbol);
    };
    add(u"integer"_s, Kind::TypeName, b.integer);
    add(u"char"_s, Kind::TypeName, b.character);
    add(u"real"_s, Kind::TypeName, b.real);
    add(u"boolean"_s, Kind::TypeName, b.boolean);
    add(u"false"_s, Kind::Constant, b.boolean);
    add(u"true"_s, Kind::Constant, b.boolean);
    const StandardRoutine routines[] = {
        {"return", Special::Return, "", nullptr},
        {"print", Special::Print, "", nullptr},
        {"concat", Special::Concat, "", b.integer},
        {"getstatehandle", Special::GetStateHandle, "", b.integer},
        {"fatal", Special::None, "iC", nullptr},
        {"assert", Special::None, "biC", nullptr},
        {"getcurrentstatehandle", Special::None, "", b.integer},
        {"abs", Special::None, "*", b.real},
        {"sqrt", Special::None, "*", b.real},
        {"round", Special::None, "r", b.integer},
        {"trunc", Special::None, "r", b.integer},
        {"random", Special::None, "i", b.integer},
        {"seedrandom", Special::None, "i", nullptr},
        {"setmaxloops", Special::None, "i", nullptr},
        {"fileopen", Special::None, "C", b.integer},
        {"filewrite", Special::None, "iC", nullptr},
        {"fileclose", Special::None, "i", nullptr},
        {"getmodule", Special::None, "CC", b.integer},
        {"resetorders", Special::None, "i", nullptr},
        {"setstate", Special::None, "i", nullptr},
        {"getfunctionhandle", Special::None, "C", b.integer},
        {"callfunction", Special::None, "i", nullptr},
        {"setflag", Special::None, "iib", b.integer},
        {"getflag", Special::None, "ii", b.boolean},
    };
    for (const StandardRoutine& routine : routines) {
        Symbol symbol;
        symbol.name = QString::fromLatin1(routine.name);
        symbol.kind = Kind::Standard;
        symbol.special = routine.special;
        symbol.args = argClasses(routine.args);
        symbol.type = routine.result;
        table.add(0, symbol.name, symbol);
    }
}

} // namespace

SymbolTable::SymbolTable() {
    enter();
    predeclare(*this);
}

Symbol* SymbolTable::find(const QString& lower) const {
    for (int level = this->level(); level >= 0; --level) {
        if (Symbol* symbol = levels_[level].value(lower))
            return symbol;
    }
    return nullptr;
}

Symbol* SymbolTable::findAt(int level, const QString& lower) const {
    return level <= this->level() ? levels_[level].value(lower) : nullptr;
}

Symbol* SymbolTable::add(int level, const QString& lower, Symbol symbol) {
    store_.push_back(std::move(symbol));
    levels_[level].insert(lower, &store_.back());
    return &store_.back();
}

std::vector<const Symbol*> SymbolTable::scriptSymbols() const {
    std::vector<const Symbol*> symbols;
    if (level() >= 1) {
        for (const Symbol* symbol : levels_[1])
            symbols.push_back(symbol);
    }
    return symbols;
}

std::vector<ArgClass> argClasses(const char* signature) {
    std::vector<ArgClass> args;
    for (const char* c = signature; *c; ++c) {
        switch (*c) {
        case 'c':
            args.push_back(ArgClass::Char);
            break;
        case 'i':
            args.push_back(ArgClass::Integer);
            break;
        case 'r':
            args.push_back(ArgClass::Real);
            break;
        case 'b':
            args.push_back(ArgClass::Boolean);
            break;
        case '*':
            args.push_back(ArgClass::Number);
            break;
        case 'C':
            args.push_back(ArgClass::Text);
            break;
        case 'I':
            args.push_back(ArgClass::Integers);
            break;
        case 'R':
            args.push_back(ArgClass::Reals);
            break;
        case 'B':
            args.push_back(ArgClass::Booleans);
            break;
        default:
            args.push_back(ArgClass::Anything);
            break;
        }
    }
    return args;
}

QString describe(ArgClass arg) {
    switch (arg) {
    case ArgClass::Anything:
        return u"any value"_s;
    case ArgClass::Char:
        return u"a char"_s;
    case ArgClass::Integer:
        return u"an integer"_s;
    case ArgClass::Real:
        return u"a real"_s;
    case ArgClass::Boolean:
        return u"a boolean"_s;
    case ArgClass::Number:
        return u"an integer or a real"_s;
    case ArgClass::Text:
        return u"a text"_s;
    case ArgClass::Integers:
        return u"an array of integers"_s;
    case ArgClass::Reals:
        return u"an array of reals"_s;
    case ArgClass::Booleans:
        return u"an array of booleans"_s;
    }
    return QString();
}

// As the interpreter's standard routine calls check their arguments: the exact type, with no
// widening of an integer to a real.
bool fits(ArgClass arg, const TypePtr& type) {
    const Builtins& b = builtins();
    if (!type)
        return false;
    if (isUnknown(type))
        return true;
    switch (arg) {
    case ArgClass::Anything:
        return true;
    case ArgClass::Char:
        return type == b.character;
    case ArgClass::Integer:
        return type == b.integer;
    case ArgClass::Real:
        return type == b.real;
    case ArgClass::Boolean:
        return type == b.boolean;
    case ArgClass::Number:
        return type == b.integer || type == b.real;
    case ArgClass::Text:
        return isArrayOf(type, b.character);
    case ArgClass::Integers:
        return isArrayOf(type, b.integer);
    case ArgClass::Reals:
        return isArrayOf(type, b.real);
    case ArgClass::Booleans:
        return isArrayOf(type, b.boolean);
    }
    return false;
}

} // namespace scriptcheck
