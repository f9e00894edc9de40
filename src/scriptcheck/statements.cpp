#include "scriptcheck/failure.h"
#include "scriptcheck/parser.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace scriptcheck {

// Statements separated by semicolons, up to one of the tokens that end the list (the caller
// takes that token). A list may be empty, and semicolons may repeat.
void Parser::statementList(std::initializer_list<Tok> ends) {
    if (atAny(ends))
        return;
    // Anything else than a statement or a semicolon is an error of the interpreter's too; the
    // caller names the end it expected.
    if (!atStatementStart() && !at(Tok::Semicolon))
        return;
    do {
        statement();
        while (accept(Tok::Semicolon)) {
        }
        if (atAny(ends))
            return;
    } while (atStatementStart());
}

void Parser::statement() {
    const Nesting nesting(*this);
    switch (current_.kind) {
    case Tok::Identifier: {
        const Token name = current_;
        Symbol* symbol = lookup(name);
        advance();
        if (symbol->kind == Kind::Routine || symbol->kind == Kind::Standard)
            call(symbol, name); // a value it gives is dropped
        else if (symbol->kind == Kind::Unknown && !atAny({Tok::Equal, Tok::LBracket}))
            unknownArguments();
        else
            assignment(symbol, name);
        break;
    }
    case Tok::If:
        ifStatement();
        break;
    case Tok::While:
        whileStatement();
        break;
    case Tok::Repeat:
        repeatStatement();
        break;
    case Tok::For:
        forStatement();
        break;
    case Tok::Switch:
        switchStatement();
        break;
    case Tok::Trans:
        transStatement();
        break;
    case Tok::TransBack:
        advance();
        break;
    default:
        break; // an empty statement
    }
    if (!atStatementEnd())
        expected(u";"_s);
}

// name [indexes] = expression
void Parser::assignment(Symbol* target, const Token& name) {
    const TypePtr targetType = variableRest(target, name);
    const Token equal = current_;
    if (!accept(Tok::Equal))
        expected(u"="_s);
    const TypePtr value = expression();
    if (!assignable(targetType, value))
        failAt(equal, u"cannot assign %1 to %2"_s.arg(describe(value), describe(targetType)));
}

// The condition of if, while and until: a boolean, never a number.
void Parser::condition() {
    const Token start = current_;
    const TypePtr type = expression();
    if (!isBoolean(type))
        failAt(start, u"a condition must be a boolean (true or false), not %1: compare it, as "
                      "in (CallList == 1)"_s.arg(describe(type)));
}

// if condition then statements [else statements] endif
void Parser::ifStatement() {
    advance();
    condition();
    expect(Tok::Then);
    statementList({Tok::EndIf, Tok::Else});
    if (accept(Tok::Else))
        statementList({Tok::EndIf});
    expect(Tok::EndIf);
}

// while condition do statements endwhile
void Parser::whileStatement() {
    advance();
    condition();
    expect(Tok::Do);
    statementList({Tok::EndWhile});
    expect(Tok::EndWhile);
}

// repeat statements until condition
void Parser::repeatStatement() {
    advance();
    statementList({Tok::Until});
    expect(Tok::Until);
    condition();
}

// for variable = expression to expression do statements endfor
void Parser::forStatement() {
    advance();
    if (!at(Tok::Identifier))
        expected(u"the name of the variable that counts"_s);
    const Token name = current_;
    const Symbol* counter = lookup(name);
    if (counter->kind != Kind::Variable && counter->kind != Kind::Unknown)
        failAt(name, u"%1 cannot count a for loop: it must be a variable"_s.arg(name.text));
    const TypePtr type = counter->type;
    if (type != builtins().integer && type->form != Form::Enum && !isUnknown(type))
        failAt(name, u"a for loop counts with an integer, not %1"_s.arg(describe(type)));
    advance();
    for (const Tok limit : {Tok::Equal, Tok::To}) {
        expect(limit);
        const Token start = current_;
        const TypePtr value = expression();
        if (!assignable(type, value))
            failAt(start, u"cannot assign %1 to %2"_s.arg(describe(value), describe(type)));
    }
    expect(Tok::Do);
    statementList({Tok::EndFor});
    expect(Tok::EndFor);
}

// switch expression case value, value: statements endcase; ... endswitch
void Parser::switchStatement() {
    advance();
    const Token start = current_;
    const TypePtr type = expression();
    if (!isUnknown(type) &&
        ((type->form != Form::Scalar && type->form != Form::Enum) || type == builtins().real))
        failAt(start,
               u"switch needs an integer, a char or a boolean, not %1"_s.arg(describe(type)));
    if (!atAny({Tok::Case, Tok::Semicolon}))
        expected(u"case"_s);
    while (accept(Tok::Case))
        caseBranch(type);
    expect(Tok::EndSwitch);
}

void Parser::caseBranch(const TypePtr& switchType) {
    for (;;) {
        const Token start = current_;
        const TypePtr label = caseLabel();
        if (label != switchType && !isUnknown(label) && !isUnknown(switchType))
            failAt(start, u"this case value is %1, but the switch is on %2"_s.arg(
                              describe(label), describe(switchType)));
        if (!accept(Tok::Comma))
            break;
    }
    expect(Tok::Colon);
    statementList({Tok::EndCase});
    expect(Tok::EndCase);
    expect(Tok::Semicolon);
}

// [+|-] whole number, or a constant: integer (with a sign or not), char or boolean.
TypePtr Parser::caseLabel() {
    const Token sign = current_;
    const bool signed_ = accept(Tok::Plus) || accept(Tok::Minus);
    const Token label = current_;
    if (at(Tok::Integer)) {
        advance();
        return builtins().integer;
    }
    if (at(Tok::Real))
        failAt(label, u"a case value must be a whole number"_s);
    if (at(Tok::String))
        failAt(label, u"a case value cannot be a text in double quotes: declare a constant "
                      "for it"_s);
    if (!at(Tok::Identifier))
        expected(u"a case value"_s);
    Symbol* constant = symbols_.find(label.lower);
    if (!constant && options_.allowUndeclared)
        constant = lookup(label);
    if (!constant)
        failAt(label, u"%1 is not declared"_s.arg(label.text));
    if (constant->kind == Kind::Unknown) {
        advance();
        return builtins().unknown;
    }
    if (constant->kind != Kind::Constant)
        failAt(label, u"%1 is not a constant: a case value must be one"_s.arg(label.text));
    const TypePtr type = constant->type;
    if (type != builtins().integer && type != builtins().character && type->form != Form::Enum)
        failAt(label, u"a case value must be an integer, a char or a boolean, not %1"_s.arg(
                          describe(type)));
    if (signed_ && type != builtins().integer)
        failAt(sign, u"a sign (+ or -) may stand only before a number"_s);
    advance();
    return type;
}

// trans state: the state may be defined further on.
void Parser::transStatement() {
    advance();
    if (!at(Tok::Identifier))
        expected(u"the name of a state"_s);
    const Token name = current_;
    const Symbol* state = symbols_.findAt(1, name.lower);
    if (!state) {
        Symbol forward;
        forward.kind = Kind::Routine;
        forward.isState = true;
        forward.forward = true;
        declare(1, name, forward);
    } else if (state->kind != Kind::Routine || !state->isState) {
        failAt(name, u"%1 is not a state: trans needs the name of a state"_s.arg(name.text));
    }
    advance();
}

} // namespace scriptcheck
