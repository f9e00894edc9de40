#include "scriptcheck/failure.h"
#include "scriptcheck/parser.h"

using namespace Qt::StringLiterals;

namespace scriptcheck {

// Precedence as in Pascal: one comparison at most, below + - or, below * / mod and, below not
// and signs. So (a > 1) and (b < 2) needs its brackets.
TypePtr Parser::expression() {
    const TypePtr left = simpleExpression();
    if (!atAny({Tok::Less, Tok::LessEqual, Tok::EqualEqual, Tok::NotEqual, Tok::GreaterEqual,
                Tok::Greater}))
        return left;
    const Token op = current_;
    advance();
    const TypePtr right = simpleExpression();
    if (!comparable(left, right))
        failAt(op, u"cannot compare %1 with %2"_s.arg(describe(left), describe(right)));
    return builtins().boolean;
}

TypePtr Parser::simpleExpression() {
    const Token sign = current_;
    const bool signed_ = accept(Tok::Plus) || accept(Tok::Minus);
    TypePtr left = term();
    if (signed_ && !isNumber(left))
        failAt(sign, u"a sign (+ or -) needs a number, not %1"_s.arg(describe(left)));
    while (atAny({Tok::Plus, Tok::Minus, Tok::Or})) {
        const Token op = current_;
        advance();
        left = binary(op, left, term());
    }
    return left;
}

TypePtr Parser::term() {
    TypePtr left = factor();
    while (atAny({Tok::Star, Tok::Slash, Tok::Mod, Tok::And})) {
        const Token op = current_;
        advance();
        left = binary(op, left, factor());
    }
    return left;
}

// + - * / on numbers (two integers give an integer, even for /), mod on integers, and / or on
// booleans.
TypePtr Parser::binary(const Token& op, const TypePtr& left, const TypePtr& right) const {
    const Builtins& b = builtins();
    auto integer = [&](const TypePtr& type) {
        return type == b.integer || isUnknown(type);
    };
    auto refuse = [&](const QString& hint) {
        failAt(op, u"cannot use %1 with %2 and %3%4"_s.arg(spelling(op.kind), describe(left),
                                                           describe(right), hint));
    };
    switch (op.kind) {
    case Tok::And:
    case Tok::Or:
        if (!isBoolean(left) || !isBoolean(right))
            refuse(u": put each comparison in brackets, as in (a > 1) %1 (b < 2)"_s.arg(
                spelling(op.kind)));
        return b.boolean;
    case Tok::Mod:
        if (!integer(left) || !integer(right))
            refuse(QString());
        return b.integer;
    default:
        if (!isNumber(left) || !isNumber(right))
            refuse(QString());
        if (isUnknown(left) || isUnknown(right))
            return b.unknown;
        return left == b.integer && right == b.integer ? b.integer : b.real;
    }
}

TypePtr Parser::factor() {
    const Nesting nesting(*this);
    const Builtins& b = builtins();
    const Token token = current_;
    switch (token.kind) {
    case Tok::Identifier: {
        Symbol* symbol = lookup(token);
        advance();
        switch (symbol->kind) {
        case Kind::Routine:
        case Kind::Standard: {
            const TypePtr result = call(symbol, token);
            if (!result)
                failAt(token,
                       u"%1 gives no value, so it cannot stand in an expression"_s.arg(token.text));
            return result;
        }
        case Kind::Constant:
            return symbol->type;
        case Kind::Unknown:
            if (at(Tok::LParen))
                unknownArguments();
            return variableRest(symbol, token);
        default:
            return variableRest(symbol, token);
        }
    }
    case Tok::Integer:
        advance();
        return b.integer;
    case Tok::Real:
        advance();
        return b.real;
    case Tok::String:
        advance();
        return token.length == 1 ? b.character : makeText(token.length);
    case Tok::Not: {
        advance();
        const TypePtr operand = factor();
        if (!isBoolean(operand))
            failAt(token, u"not needs a boolean (true or false), not %1"_s.arg(describe(operand)));
        return isUnknown(operand) ? operand : b.boolean;
    }
    case Tok::LParen: {
        advance();
        const TypePtr inner = expression();
        expect(Tok::RParen);
        return inner;
    }
    default:
        expected(u"expression"_s);
    }
}

// What follows a variable's name (already read): indexes, if it is an array.
TypePtr Parser::variableRest(Symbol* symbol, const Token& name) {
    switch (symbol->kind) {
    case Kind::Variable:
    case Kind::ValueParam:
    case Kind::RefParam:
    case Kind::Unknown:
        break;
    case Kind::Constant:
        failAt(name, u"%1 is a constant, not a variable"_s.arg(name.text));
    case Kind::TypeName:
        failAt(name, u"%1 is a type, not a variable"_s.arg(name.text));
    case Kind::Module:
        failAt(name, u"%1 is the script's name, not a variable"_s.arg(name.text));
    case Kind::Routine:
    case Kind::Standard:
        failAt(name, u"%1 is a routine, not a variable"_s.arg(name.text));
    }
    if (at(Tok::LParen))
        failAt(current_, u"%1 is a variable, not a routine: ( cannot follow it"_s.arg(name.text));
    TypePtr type = symbol->type;
    while (at(Tok::LBracket))
        type = subscripts(type, name);
    return type;
}

// [index, index, ...] after an array: each index an integer.
TypePtr Parser::subscripts(TypePtr type, const Token& name) {
    do {
        if (!isUnknown(type) && type->form != Form::Array)
            failAt(current_, u"too many indexes for %1"_s.arg(name.text));
        advance();
        const Token start = current_;
        const TypePtr index = expression();
        if (!assignable(builtins().integer, index))
            failAt(start, u"an array index must be an integer, not %1"_s.arg(describe(index)));
        if (!isUnknown(type))
            type = type->element;
    } while (at(Tok::Comma));
    expect(Tok::RBracket);
    return type;
}

} // namespace scriptcheck
