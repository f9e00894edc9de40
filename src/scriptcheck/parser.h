#pragma once

#include "scriptcheck/scanner.h"
#include "scriptcheck/symbols.h"
#include "scriptcheck/token.h"

#include <initializer_list>

namespace scriptcheck {

// Reads a module or fsm file as the interpreter's parser does, with its type rules, and throws
// Failure at the first problem. Where the interpreter lets something doubtful pass (a missing
// comma in a list, "not" before a number), the check is the stricter one.
class Parser {
public:
    Parser(Scanner& scanner, SymbolTable& symbols, const Options& options);

    void parseFile();

private:
    // parser.cpp: tokens, names, problems
    void advance();
    bool at(Tok kind) const { return current_.kind == kind; }
    bool atAny(std::initializer_list<Tok> kinds) const;
    bool accept(Tok kind);
    void expect(Tok kind);
    [[noreturn]] void expected(const QString& what) const;
    [[noreturn]] void failAt(const Token& token, const QString& message) const;
    Symbol* lookup(const Token& name);
    Symbol* declare(int level, const Token& name, Symbol symbol);
    bool atStatementStart() const;
    bool atStatementEnd() const;

    // module.cpp: the file, its routines and parameters
    void moduleHeader();
    void routine();
    void formalParams(Symbol& owner);
    TypePtr resultType();
    void checkEnd();

    // declarations.cpp: const, type and var
    void declarations(bool routinesAllowed);
    void constants();
    void constantValue(Symbol& constant);
    void typeDefinitions();
    void variables();
    TypePtr typeSpec(const QString& name);
    TypePtr enumeration(const QString& name);
    TypePtr arrayOf(const TypePtr& element);

    // statements.cpp
    void statementList(std::initializer_list<Tok> ends);
    void statement();
    void assignment(Symbol* target, const Token& name);
    void condition();
    void ifStatement();
    void whileStatement();
    void repeatStatement();
    void forStatement();
    void switchStatement();
    void caseBranch(const TypePtr& switchType);
    TypePtr caseLabel();
    void transStatement();

    // expressions.cpp
    TypePtr expression();
    TypePtr simpleExpression();
    TypePtr term();
    TypePtr factor();
    TypePtr binary(const Token& op, const TypePtr& left, const TypePtr& right) const;
    TypePtr variableRest(Symbol* symbol, const Token& name);
    TypePtr subscripts(TypePtr type, const Token& name);

    // calls.cpp: the token after the routine's name is current
    TypePtr call(Symbol* routine, const Token& name);
    TypePtr declaredCall(Symbol* routine, const Token& name);
    TypePtr standardCall(Symbol* routine, const Token& name);
    TypePtr specialCall(Symbol* routine, const Token& name);
    void returnCall(const Token& name);
    void unknownArguments();

    // Counts the nesting of brackets, not and statements inside statements, so that a script
    // nested without end is a problem and not an overflow of the checker's stack.
    class Nesting {
    public:
        explicit Nesting(Parser& parser);
        ~Nesting() { --parser_.depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        Parser& parser_;
    };

    Scanner& scanner_;
    SymbolTable& symbols_;
    const Options& options_;
    Token current_;
    Token previous_;
    bool fsm_ = false;
    Symbol* module_ = nullptr;
    Symbol* routine_ = nullptr; // the routine whose code is read (the module in the main code)
    int depth_ = 0;
};

} // namespace scriptcheck
