#include "scriptcheck/failure.h"
#include "scriptcheck/parser.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace scriptcheck {

// module Name [(params)] [: type];  declarations  code statements endmodule.
// fsm Name [(params)] [: type];  declarations (functions and states)  endfsm.
void Parser::parseFile() {
    advance();
    moduleHeader();
    declarations(true);
    if (!fsm_) {
        if (!at(Tok::Code))
            expected(u"code"_s);
        advance();
        routine_ = module_;
        statementList({Tok::EndModule});
        expect(Tok::EndModule);
    } else {
        expect(Tok::EndFsm);
    }
    expect(Tok::Period);
    if (!at(Tok::Eof))
        failAt(current_, u"nothing may follow %1. (the script ends there)"_s.arg(
                             fsm_ ? u"endfsm"_s : u"endmodule"_s));
    checkEnd();
}

void Parser::moduleHeader() {
    if (at(Tok::Fsm)) {
        fsm_ = true;
        scanner_.setEndWord(u"endfsm"_s);
    } else if (!at(Tok::Module)) {
        failAt(current_, u"module expected: a script begins with module and its name"_s);
    }
    advance();
    if (!at(Tok::Identifier))
        expected(u"the script's name"_s);
    Symbol module;
    module.kind = Kind::Module;
    module_ = declare(0, current_, module);
    advance();
    symbols_.enter();
    if (at(Tok::LParen))
        formalParams(*module_);
    module_->type = resultType();
    expect(Tok::Semicolon);
}

// [: type] after a header; no value when there is none.
TypePtr Parser::resultType() {
    if (!accept(Tok::Colon))
        return nullptr;
    if (!at(Tok::Identifier))
        expected(u"a type"_s);
    const Token name = current_;
    const Symbol* type = lookup(name);
    if (type->kind == Kind::Unknown)
        return builtins().unknown;
    if (type->kind != Kind::TypeName)
        failAt(name, u"%1 is not a type"_s.arg(name.text));
    advance();
    return type->type;
}

// function|order|state Name [(params)] [: type]; then either forward or
// [const ...] [type ...] [var ...] code statements endfunction|endorder|endstate
void Parser::routine() {
    const bool isState = at(Tok::State);
    const bool isOrder = at(Tok::Order);
    const QString kind = spelling(current_.kind);
    advance();
    if (!at(Tok::Identifier))
        expected(u"the name of the %1"_s.arg(kind));
    const Token name = current_;
    Symbol* self = symbols_.findAt(1, name.lower);
    const bool defined = self && self->kind == Kind::Routine && self->forward;
    if (self && !defined)
        failAt(name, u"%1 is already declared"_s.arg(name.text));
    if (defined && (self->isState != isState || self->isOrder != isOrder))
        failAt(name, u"%1 was named before as another kind of routine"_s.arg(name.text));
    if (!self) {
        Symbol fresh;
        fresh.kind = Kind::Routine;
        fresh.isState = isState;
        fresh.isOrder = isOrder;
        self = declare(1, name, fresh);
    }
    advance();
    symbols_.enter();
    if (at(Tok::LParen)) {
        if (defined)
            failAt(current_,
                   u"%1 was declared before: its parameters may not be repeated"_s.arg(name.text));
        formalParams(*self);
    }
    if (defined && at(Tok::Colon))
        failAt(current_,
               u"%1 was declared before: its result may not be repeated"_s.arg(name.text));
    // As in the interpreter, a routine defined after its forward declaration gives no value.
    self->type = resultType();
    if (isOrder && self->type != builtins().integer && !isUnknown(self->type))
        failAt(name, u"an order must give an integer: order %1 ... : integer"_s.arg(name.text));
    expect(Tok::Semicolon);
    if (at(Tok::Identifier) && current_.lower == u"forward"_s) {
        self->forward = true;
        self->line = name.line;
        self->file = name.file;
        advance();
    } else {
        self->forward = false;
        Symbol* const outer = routine_;
        routine_ = self;
        declarations(false);
        if (!at(Tok::Code))
            expected(u"code"_s);
        advance();
        const Tok end = isState ? Tok::EndState : isOrder ? Tok::EndOrder : Tok::EndFunction;
        statementList({end});
        expect(end);
        routine_ = outer;
    }
    symbols_.leave();
}

// ( [@]type name, ... ): @ passes a variable itself, which the routine may change.
void Parser::formalParams(Symbol& owner) {
    advance();
    owner.params.clear();
    if (accept(Tok::RParen))
        return;
    for (;;) {
        const bool byReference = accept(Tok::At);
        if (!at(Tok::Identifier))
            expected(u"a parameter type"_s);
        const Token typeName = current_;
        const Symbol* type = lookup(typeName);
        if (type->kind != Kind::TypeName && type->kind != Kind::Unknown)
            failAt(typeName, u"%1 is not a type"_s.arg(typeName.text));
        advance();
        if (at(Tok::LBracket))
            failAt(current_, u"a parameter cannot be declared as an array here: declare a type "
                             "for the array in the type section and use its name"_s);
        if (!at(Tok::Identifier))
            expected(u"a parameter name"_s);
        Symbol param;
        param.kind = byReference ? Kind::RefParam : Kind::ValueParam;
        param.type = type->type;
        declare(symbols_.level(), current_, param);
        owner.params.push_back({type->type, byReference});
        advance();
        if (!accept(Tok::Comma))
            break;
    }
    expect(Tok::RParen);
}

// A routine declared forward, or a state named by trans, must be defined in the file.
void Parser::checkEnd() {
    const Symbol* first = nullptr;
    for (const Symbol* symbol : symbols_.scriptSymbols()) {
        if (symbol->kind == Kind::Routine && symbol->forward &&
            (!first || std::pair(symbol->file, symbol->line) < std::pair(first->file, first->line)))
            first = symbol;
    }
    if (!first)
        return;
    if (first->isState)
        fail(first->line, first->file,
             u"the state %1 is named here but never defined"_s.arg(first->name));
    fail(first->line, first->file, u"%1 is declared forward but never defined"_s.arg(first->name));
}

} // namespace scriptcheck
