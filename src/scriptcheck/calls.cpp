#include "scriptcheck/failure.h"
#include "scriptcheck/parser.h"

using namespace Qt::StringLiterals;

namespace scriptcheck {

namespace {

QString arguments(qsizetype count) {
    return count == 1 ? u"1 argument"_s : u"%1 arguments"_s.arg(count);
}

} // namespace

TypePtr Parser::call(Symbol* routine, const Token& name) {
    if (routine->kind == Kind::Routine)
        return declaredCall(routine, name);
    if (routine->special != Special::None)
        return specialCall(routine, name);
    return standardCall(routine, name);
}

// A routine of the script: without brackets when it has no parameters; each argument fits its
// parameter as in an assignment, and a variable of the very type for a @ parameter.
TypePtr Parser::declaredCall(Symbol* routine, const Token& name) {
    const std::vector<Param> params = routine->params;
    std::size_t given = 0;
    if (at(Tok::LParen)) {
        do {
            advance();
            const Token start = current_;
            if (given >= params.size())
                failAt(start, params.empty() ? u"%1 takes no arguments"_s.arg(name.text)
                                             : u"%1 takes only %2"_s.arg(
                                                   name.text, arguments(qsizetype(params.size()))));
            const Param& param = params[given++];
            const QString which = u"argument %1 of %2"_s.arg(given).arg(name.text);
            if (!param.byReference) {
                const TypePtr value = expression();
                if (!assignable(param.type, value))
                    failAt(start, u"%1 must be %2, not %3"_s.arg(which, describe(param.type),
                                                                 describe(value)));
                continue;
            }
            if (!at(Tok::Identifier))
                failAt(start,
                       u"%1 must be a variable, which %2 may change"_s.arg(which, name.text));
            Symbol* variable = lookup(start);
            advance();
            const TypePtr type = variableRest(variable, start);
            if (type != param.type && !isUnknown(type) && !isUnknown(param.type))
                failAt(start, u"%1 must be a variable holding %2, not %3"_s.arg(
                                  which, describe(param.type), describe(type)));
        } while (at(Tok::Comma));
        expect(Tok::RParen);
    }
    if (given < params.size())
        failAt(name, u"%1 needs %2"_s.arg(name.text, arguments(qsizetype(params.size()))));
    return routine->type;
}

// A routine of the language or of the simulator, by its table entry: each argument of the
// exact kind (an integer does not pass for a real), in brackets, or no brackets at all.
TypePtr Parser::standardCall(Symbol* routine, const Token& name) {
    const std::vector<ArgClass> args = routine->args;
    if (args.empty()) {
        if (at(Tok::LParen))
            failAt(current_, u"%1 takes no arguments: write it without brackets"_s.arg(name.text));
        return routine->type;
    }
    if (!at(Tok::LParen))
        failAt(name,
               u"%1 needs %2 in brackets"_s.arg(name.text, arguments(qsizetype(args.size()))));
    advance();
    for (std::size_t i = 0; i < args.size(); ++i) {
        const Token start = current_;
        const TypePtr value = expression();
        if (!fits(args[i], value))
            failAt(start, u"argument %1 of %2 must be %3, not %4"_s.arg(i + 1).arg(
                              name.text, describe(args[i]), describe(value)));
        if (i + 1 == args.size())
            expect(Tok::RParen);
        else if (at(Tok::RParen))
            failAt(current_, u"%1 needs %2"_s.arg(name.text, arguments(qsizetype(args.size()))));
        else
            expect(Tok::Comma);
    }
    return routine->type;
}

// return, print, concat and getstatehandle, which the interpreter reads in their own way.
TypePtr Parser::specialCall(Symbol* routine, const Token& name) {
    if (routine->special == Special::Return) {
        returnCall(name);
        return nullptr;
    }
    const Builtins& b = builtins();
    expect(Tok::LParen);
    Token start = current_;
    TypePtr value = expression();
    switch (routine->special) {
    case Special::Print:
        if (value != b.integer && value != b.real && value != b.character &&
            !isArrayOf(value, b.character))
            failAt(start, u"print takes an integer, a real, a char or a text, not %1"_s.arg(
                              describe(value)));
        break;
    case Special::Concat:
        if (!isArrayOf(value, b.character))
            failAt(start, u"argument 1 of concat must be a text, not %1"_s.arg(describe(value)));
        expect(Tok::Comma);
        start = current_;
        value = expression();
        if (value != b.integer && value != b.real && value != b.character && value != b.boolean &&
            !isArrayOf(value, b.character))
            failAt(start, u"argument 2 of concat must be an integer, a real, a char, a boolean "
                          "or a text, not %1"_s.arg(describe(value)));
        break;
    default:
        if (!isArrayOf(value, b.character))
            failAt(start,
                   u"argument 1 of %1 must be a text, not %2"_s.arg(name.text, describe(value)));
        break;
    }
    expect(Tok::RParen);
    return routine->type;
}

// return (value) gives the routine's value, of its very type: an integer does not become a
// real here. return alone ends a routine that gives no value.
void Parser::returnCall(const Token& name) {
    const TypePtr wanted = routine_ ? routine_->type : nullptr;
    const QString owner = routine_ ? routine_->name : u"the script"_s;
    if (!at(Tok::LParen)) {
        if (wanted)
            failAt(name,
                   u"return needs a value in brackets: %1 gives %2"_s.arg(owner, describe(wanted)));
        return;
    }
    advance();
    const Token start = current_;
    const TypePtr value = expression();
    if (!wanted)
        failAt(start, u"%1 gives no value: write return without one"_s.arg(owner));
    if (value != wanted && !isUnknown(value) && !isUnknown(wanted)) {
        const bool widen = wanted == builtins().real && value == builtins().integer;
        failAt(start,
               u"return gives %1, but %2 gives %3%4"_s.arg(
                   describe(value), owner, describe(wanted),
                   widen ? u": assign the value to a real variable and return that"_s : QString()));
    }
    expect(Tok::RParen);
}

// The arguments of a name the lenient check takes as the simulator's: any number, any types.
void Parser::unknownArguments() {
    if (!accept(Tok::LParen))
        return;
    do
        expression();
    while (accept(Tok::Comma));
    expect(Tok::RParen);
}

} // namespace scriptcheck
