#include "scriptcheck/parser.h"

#include "scriptcheck/failure.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace scriptcheck {

Parser::Parser(Scanner& scanner, SymbolTable& symbols, const Options& options)
    : scanner_(scanner)
    , symbols_(symbols)
    , options_(options) {}

constexpr int kMaxNesting = 200;

Parser::Nesting::Nesting(Parser& parser)
    : parser_(parser) {
    if (++parser_.depth_ > kMaxNesting)
        parser_.failAt(parser_.current_, u"this is nested too deeply (more than %1 levels of "
                                         "brackets or statements)"_s.arg(kMaxNesting));
}

void Parser::advance() {
    previous_ = current_;
    current_ = scanner_.next();
    if (current_.kind == Tok::Identifier && isPlaceholder(current_.text)) {
        throw Failure{
            current_.line, current_.file,
            u"%1 is a placeholder: replace it with your simulator's name"_s.arg(current_.text),
            current_.text};
    }
}

bool Parser::atAny(std::initializer_list<Tok> kinds) const {
    return std::find(kinds.begin(), kinds.end(), current_.kind) != kinds.end();
}

bool Parser::accept(Tok kind) {
    if (!at(kind))
        return false;
    advance();
    return true;
}

void Parser::expect(Tok kind) {
    if (!accept(kind))
        expected(spelling(kind));
}

// What is missing belongs after the token before: when the token found stands on a later line,
// the problem is reported on the line of the token before it.
void Parser::expected(const QString& what) const {
    const bool before =
        previous_.line > 0 && previous_.file == current_.file && previous_.line < current_.line;
    failAt(before ? previous_ : current_, what + u" expected"_s);
}

void Parser::failAt(const Token& token, const QString& message) const {
    fail(token.line, token.file, message);
}

Symbol* Parser::lookup(const Token& name) {
    if (Symbol* symbol = symbols_.find(name.lower))
        return symbol;
    if (!options_.allowUndeclared)
        failAt(name, u"%1 is not declared"_s.arg(name.text));
    Symbol unknown;
    unknown.name = name.text;
    unknown.kind = Kind::Unknown;
    unknown.type = builtins().unknown;
    return symbols_.add(0, name.lower, unknown);
}

Symbol* Parser::declare(int level, const Token& name, Symbol symbol) {
    if (symbols_.findAt(level, name.lower))
        failAt(name, u"%1 is already declared"_s.arg(name.text));
    symbol.name = name.text;
    symbol.line = name.line;
    symbol.file = name.file;
    return symbols_.add(level, name.lower, std::move(symbol));
}

bool Parser::atStatementStart() const {
    return atAny({Tok::For, Tok::If, Tok::Repeat, Tok::While, Tok::Switch, Tok::Trans,
                  Tok::TransBack, Tok::Identifier});
}

// The tokens that may follow a statement. endmodule, endfsm and endcase are not among them: the
// last statement before them needs its semicolon.
bool Parser::atStatementEnd() const {
    return atAny({Tok::Semicolon, Tok::EndIf, Tok::EndWhile, Tok::EndFor, Tok::EndSwitch,
                  Tok::EndFunction, Tok::EndOrder, Tok::EndState, Tok::Else, Tok::Until, Tok::Eof});
}

} // namespace scriptcheck
