#include "scriptcheck/failure.h"
#include "scriptcheck/parser.h"

using namespace Qt::StringLiterals;

namespace scriptcheck {

// const, type and var, each at most once and in this order, then (in the script, not in a
// routine) the routines, each followed by a semicolon.
void Parser::declarations(bool routinesAllowed) {
    if (accept(Tok::Const))
        constants();
    if (accept(Tok::Type))
        typeDefinitions();
    if (accept(Tok::Var))
        variables();
    if (routinesAllowed) {
        while (atAny({Tok::Function, Tok::Order, Tok::State})) {
            routine();
            expect(Tok::Semicolon);
        }
    } else if (atAny({Tok::Function, Tok::Order, Tok::State})) {
        failAt(current_, u"a %1 cannot be declared inside a routine: code expected"_s.arg(
                             spelling(current_.kind)));
    }
    if (atAny({Tok::Const, Tok::Type, Tok::Var}))
        failAt(current_, u"%1 is out of order: const, type and var come once each, in this "
                         "order, before the functions"_s.arg(spelling(current_.kind)));
}

// NAME = value; ...  The value is one literal or constant, with a sign for a number.
void Parser::constants() {
    while (at(Tok::Identifier)) {
        Symbol constant;
        constant.kind = Kind::Constant;
        Symbol* self = declare(symbols_.level(), current_, constant);
        advance();
        expect(Tok::Equal);
        constantValue(*self);
        advance();
        if (!accept(Tok::Semicolon))
            expected(u";"_s);
    }
}

void Parser::constantValue(Symbol& constant) {
    const Builtins& b = builtins();
    const Token sign = current_;
    const bool signed_ = accept(Tok::Plus) || accept(Tok::Minus);
    const qint64 factor = sign.kind == Tok::Minus ? -1 : 1;
    auto noSign = [&] {
        if (signed_)
            failAt(sign, u"a sign (+ or -) may stand only before a number"_s);
    };
    if (at(Tok::Integer)) {
        constant.type = b.integer;
        constant.value = factor * wholeNumber(current_.text);
    } else if (at(Tok::Real)) {
        constant.type = b.real;
    } else if (at(Tok::Identifier)) {
        const Symbol* other = lookup(current_);
        if (other->kind == Kind::Unknown) {
            constant.type = b.unknown;
            return;
        }
        if (other->kind != Kind::Constant || !other->type)
            failAt(current_, u"%1 is not a constant"_s.arg(current_.text));
        if (!isNumber(other->type))
            noSign();
        constant.type = other->type;
        constant.value = factor * other->value;
    } else if (at(Tok::String)) {
        noSign();
        constant.type = current_.length == 1 ? b.character : makeText(current_.length);
    } else {
        expected(u"a constant value"_s);
    }
}

// NAME = type; ...
void Parser::typeDefinitions() {
    while (at(Tok::Identifier)) {
        const Token name = current_;
        Symbol type;
        type.kind = Kind::TypeName;
        Symbol* self = declare(symbols_.level(), name, type);
        advance();
        expect(Tok::Equal);
        self->type = typeSpec(name.text);
        if (!accept(Tok::Semicolon))
            expected(u";"_s);
    }
}

// [static|eternal] type name, name, ...; ...  (commas optional)  Static variables keep their value
// between runs; eternal ones are shared by every script.
void Parser::variables() {
    while (atAny({Tok::Identifier, Tok::Static, Tok::Eternal})) {
        const bool eternal = at(Tok::Eternal);
        if (atAny({Tok::Static, Tok::Eternal})) {
            advance();
            if (!at(Tok::Identifier))
                expected(u"a type"_s);
        }
        const TypePtr type = typeSpec(QString());
        // The interpreter takes the names with or without commas between them, and a comma
        // after the last one.
        while (at(Tok::Identifier)) {
            Symbol variable;
            variable.kind = Kind::Variable;
            variable.type = type;
            declare(eternal ? 0 : symbols_.level(), current_, variable);
            advance();
            accept(Tok::Comma);
        }
        if (!accept(Tok::Semicolon))
            expected(u";"_s);
    }
}

// A type name, a type name with array sizes (integer[3], real[2, 4]), or a list of names
// (red, green, blue), each a constant of the new type.
TypePtr Parser::typeSpec(const QString& name) {
    if (at(Tok::LParen))
        return enumeration(name);
    if (!at(Tok::Identifier))
        expected(u"a type"_s);
    const Token typeName = current_;
    const Symbol* type = lookup(typeName);
    if (type->kind != Kind::TypeName && type->kind != Kind::Unknown)
        failAt(typeName, u"%1 is not a type"_s.arg(typeName.text));
    advance();
    if (at(Tok::LBracket))
        return arrayOf(type->type);
    return type->type;
}

TypePtr Parser::enumeration(const QString& name) {
    const TypePtr type = makeEnum(name.isEmpty() ? u"list of names"_s : name);
    advance();
    qint64 value = 0;
    for (;;) {
        if (!at(Tok::Identifier))
            expected(u"a name"_s);
        Symbol constant;
        constant.kind = Kind::Constant;
        constant.type = type;
        constant.value = value++;
        declare(symbols_.level(), current_, constant);
        advance();
        if (!accept(Tok::Comma))
            break;
    }
    expect(Tok::RParen);
    return type;
}

// [count, count, ...]: each count a whole number or an integer constant.
TypePtr Parser::arrayOf(const TypePtr& element) {
    std::vector<int> counts;
    do {
        advance();
        const Token size = current_;
        qint64 count = 0;
        if (at(Tok::Integer)) {
            count = wholeNumber(size.text);
        } else if (at(Tok::Identifier)) {
            const Symbol* constant = lookup(size);
            if (constant->kind != Kind::Constant || constant->type != builtins().integer)
                failAt(size, u"an array size must be a whole number or an integer constant"_s);
            count = constant->value;
        } else if (at(Tok::Real)) {
            failAt(size, u"an array size must be a whole number"_s);
        } else {
            expected(u"an array size"_s);
        }
        if (count < 1)
            failAt(size, u"an array needs at least one element"_s);
        counts.push_back(int(std::min<qint64>(count, 1 << 30)));
        advance();
    } while (at(Tok::Comma));
    expect(Tok::RBracket);
    TypePtr type = element;
    for (auto count = counts.rbegin(); count != counts.rend(); ++count)
        type = makeArray(type, *count);
    return type;
}

} // namespace scriptcheck
