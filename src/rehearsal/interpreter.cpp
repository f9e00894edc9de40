#include "rehearsal/interpreter.h"

#include "scriptcheck/failure.h"
#include "scriptcheck/scanner.h"
#include "scriptcheck/symbols.h"

#include <algorithm>
#include <cmath>

using scriptcheck::Tok;

namespace rehearsal {
namespace {

struct Stopped {
    QString why;
};

// A number as the simulator's interpreter reads it: its digits gathered one by one into a single
// precision real, then scaled by the power of ten of its decimals, so 0.1 is the real nearest
// to it but 0.333333333 is not, and a whole number beyond 2^24 loses its last digits.
double literalValue(const QString& text, bool real) {
    float value = 0;
    int decimals = 0;
    bool fraction = false;
    for (QChar c : text) {
        if (c == u'.') {
            fraction = true;
            continue;
        }
        value = 10 * value + float(c.unicode() - u'0');
        decimals += fraction ? 1 : 0;
    }
    if (decimals != 0) {
        value *= float(std::pow(10.0, -decimals));
    }
    if (real) {
        return value;
    }
    return std::trunc(double(value));
}

} // namespace

Interpreter::Interpreter(QByteArrayView script, const std::vector<PlacedName>& roles) {
    true_ = nameOf(QStringLiteral("true"));
    false_ = nameOf(QStringLiteral("false"));
    return_ = nameOf(QStringLiteral("return"));
    nameTable_[std::size_t(nameOf(QStringLiteral("abs")))].standard = Name::Standard::Abs;
    nameTable_[std::size_t(nameOf(QStringLiteral("sqrt")))].standard = Name::Standard::Sqrt;
    nameTable_[std::size_t(nameOf(QStringLiteral("round")))].standard = Name::Standard::Round;
    nameTable_[std::size_t(nameOf(QStringLiteral("trunc")))].standard = Name::Standard::Trunc;
    for (const PlacedName& name : roles) {
        nameTable_[std::size_t(nameOf(name.name.toLower()))].host = name.role;
    }
    try {
        const scriptcheck::Options options;
        scriptcheck::Scanner scanner(script, options);
        for (;;) {
            tokens_.push_back(scanner.next());
            const scriptcheck::Token& token = tokens_.back();
            names_.push_back(token.kind == Tok::Identifier ? nameOf(token.lower) : -1);
            numbers_.push_back(token.kind == Tok::Integer || token.kind == Tok::Real
                                   ? literalValue(token.text, token.kind == Tok::Real)
                                   : 0.0);
            if (token.kind == Tok::Eof) {
                break;
            }
        }
        // The language's other routines (files, random numbers, modules...), as the checker
        // knows them, are not run.
        const scriptcheck::SymbolTable language;
        for (Name& named : nameTable_) {
            const scriptcheck::Symbol* symbol = language.findAt(0, named.lower);
            if (symbol != nullptr && symbol->kind == scriptcheck::Kind::Standard &&
                named.standard == Name::Standard::None && !named.host &&
                symbol->special != scriptcheck::Special::Return) {
                named.standard = Name::Standard::Other;
            }
        }
        prepare();
    } catch (const scriptcheck::Failure& failure) {
        problem_ = QStringLiteral("line %1: %2").arg(failure.line).arg(failure.message);
    } catch (const Stopped& stopped) {
        problem_ = stopped.why;
    }
}

// Names are numbered as they are first met, each spelling of a name under one number.
int Interpreter::nameOf(const QString& lower) {
    const auto it = nameIndex_.constFind(lower);
    if (it != nameIndex_.constEnd()) {
        return *it;
    }
    const int n = int(nameTable_.size());
    nameIndex_.insert(lower, n);
    nameTable_.push_back(Name{});
    nameTable_.back().lower = lower;
    return n;
}

void Interpreter::stop(const QString& why) const {
    throw Stopped{QStringLiteral("line %1: %2").arg(at().line).arg(why)};
}

bool Interpreter::accept(Tok kind) {
    if (!is(kind)) {
        return false;
    }
    ++pos_;
    return true;
}

void Interpreter::expect(Tok kind) {
    if (!accept(kind)) {
        stop(scriptcheck::spelling(kind) + QStringLiteral(" expected"));
    }
}

// The module's sections: constants, variables, functions (only their places), the main body.
void Interpreter::prepare() {
    if (is(Tok::Fsm) || is(Tok::Library)) {
        stop(QStringLiteral("a %1 cannot be rehearsed, only a module")
                 .arg(is(Tok::Fsm) ? QStringLiteral("state machine (fsm)")
                                   : QStringLiteral("library")));
    }
    expect(Tok::Module);
    pos_ += 1; // the module's name
    expect(Tok::Semicolon);
    if (accept(Tok::Const)) {
        while (is(Tok::Identifier)) {
            const int n = name();
            ++pos_;
            expect(Tok::Equal);
            const bool negative = accept(Tok::Minus);
            Value v = factor(true);
            if (negative) {
                v.number = -v.number;
            }
            nameTable_[std::size_t(n)].constant = v;
            expect(Tok::Semicolon);
        }
    }
    if (accept(Tok::Var)) {
        declarations(true, nullptr);
    }
    while (accept(Tok::Function)) {
        const int n = name();
        Function function;
        ++pos_;
        if (accept(Tok::LParen)) {
            while (!accept(Tok::RParen)) {
                if (is(Tok::Identifier) && tokens_[std::size_t(pos_ + 1)].kind == Tok::Identifier) {
                    ++pos_; // the parameter's type
                }
                function.parameters.push_back(name());
                ++pos_;
                accept(Tok::Comma);
            }
        }
        if (accept(Tok::Colon)) {
            function.givesValue = true;
            ++pos_;
        }
        expect(Tok::Semicolon);
        function.start = pos_;
        while (!is(Tok::EndFunction) && !is(Tok::Eof)) {
            ++pos_;
        }
        expect(Tok::EndFunction);
        expect(Tok::Semicolon);
        if (n >= 0) {
            nameTable_[std::size_t(n)].function = int(functions_.size());
        }
        functions_.push_back(function);
    }
    expect(Tok::Code);
    mainBody_ = pos_;
}

// Variable declarations up to the next section: "static real a, b;", "integer n;".
void Interpreter::declarations(bool moduleLevel, Frame* frame) {
    while (is(Tok::Static) || is(Tok::Eternal) || is(Tok::Identifier)) {
        const bool isStatic = accept(Tok::Static) || accept(Tok::Eternal);
        const QString typeName = at().lower;
        ++pos_;
        if (accept(Tok::LBracket)) { // an array: kept as one value, enough for a rehearsal
            while (!accept(Tok::RBracket)) {
                ++pos_;
            }
        }
        while (is(Tok::Identifier)) {
            const int n = name();
            ++pos_;
            if (!moduleLevel) {
                const auto local =
                    std::find_if(frame->begin(), frame->end(),
                                 [n](const auto& entry) { return entry.first == n; });
                if (local == frame->end()) {
                    frame->emplace_back(n, zero(typeName));
                } else {
                    local->second = zero(typeName);
                }
            } else {
                Name& variable = nameTable_[std::size_t(n)];
                variable.value = variable.zero = zero(typeName);
                if (variable.scope == Name::Scope::None && !isStatic) {
                    runVariables_.push_back(n);
                }
                variable.scope = isStatic ? Name::Scope::Static : Name::Scope::Run;
            }
            accept(Tok::Comma);
        }
        expect(Tok::Semicolon);
    }
}

Value Interpreter::zero(const QString& typeName) const {
    Value v;
    if (typeName == QLatin1String("real")) {
        v.type = Value::Type::Real;
    } else if (typeName == QLatin1String("boolean")) {
        v.type = Value::Type::Boolean;
    } else if (typeName == QLatin1String("char")) {
        v.type = Value::Type::Text;
    }
    return v;
}

bool Interpreter::run(const Sample& state) {
    if (!problem_.isEmpty()) {
        return false;
    }
    state_ = state;
    steps_ = 0;
    depth_ = 0;
    for (int n : runVariables_) {
        Name& variable = nameTable_[std::size_t(n)];
        if (variable.scope == Name::Scope::Run) {
            variable.value = variable.zero;
        }
    }
    frames_.clear();
    returning_ = false; // a return in the main body ends the run
    try {
        if (!initDone_) {
            initDone_ = true;
            const auto init = nameIndex_.constFind(QStringLiteral("init"));
            if (init != nameIndex_.constEnd() && nameTable_[std::size_t(*init)].function >= 0) {
                pos_ = mainBody_;
                callFunction(functions_[std::size_t(nameTable_[std::size_t(*init)].function)], {});
            }
        }
        pos_ = mainBody_;
        statements(true, {Tok::EndModule});
    } catch (const Stopped& stopped) {
        problem_ = stopped.why;
    }
    return problem_.isEmpty();
}

std::optional<Value> Interpreter::variable(const QString& name) const {
    const auto it = nameIndex_.constFind(name.toLower());
    if (it == nameIndex_.constEnd() || nameTable_[std::size_t(*it)].scope == Name::Scope::None) {
        return std::nullopt;
    }
    return nameTable_[std::size_t(*it)].value;
}

void Interpreter::step() {
    if (++steps_ > kStepsPerRun) {
        stop(QStringLiteral("the script ran more than %1 steps in one run of the simulator: a "
                            "loop without end?")
                 .arg(kStepsPerRun));
    }
}

// One more pass of a loop; the pass that reaches the simulator's limit stops the script.
void Interpreter::pass(long long& passes) {
    if (++passes >= kLoopPasses) {
        stop(QStringLiteral("a loop of more than %1 passes: the simulator stops the script here")
                 .arg(kLoopPasses - 1));
    }
}

void Interpreter::statements(bool run, std::initializer_list<Tok> ends) {
    for (;;) {
        while (accept(Tok::Semicolon)) {
        }
        for (Tok end : ends) {
            if (is(end)) {
                return;
            }
        }
        if (is(Tok::Eof)) {
            stop(QStringLiteral("the script ends too early"));
        }
        statement(run && !returning_); // after a return the rest is only read past
    }
}

void Interpreter::statement(bool run) {
    if (run) {
        step();
    }
    switch (at().kind) {
    case Tok::If:
        return ifStatement(run);
    case Tok::While:
        return whileStatement(run);
    case Tok::Repeat:
        return repeatStatement(run);
    case Tok::For:
        return forStatement(run);
    case Tok::Switch:
        return switchStatement(run);
    case Tok::Identifier:
        break;
    default:
        stop(QStringLiteral("a statement the rehearsal cannot run: ") + at().text);
    }
    const int n = name();
    ++pos_;
    if (is(Tok::LBracket)) {
        stop(QStringLiteral("%1 is an array: a rehearsal cannot run arrays")
                 .arg(tokens_[std::size_t(pos_ - 1)].text));
    }
    if (n == return_) {
        Value v;
        if (is(Tok::LParen)) {
            v = expression(run);
        }
        if (run) {
            returning_ = true;
            returned_ = v;
        }
        return;
    }
    if (accept(Tok::Equal)) {
        const Value v = expression(run);
        if (run) {
            Value* target = lookup(n);
            if (target == nullptr) {
                stop(QStringLiteral("%1 cannot be assigned in a rehearsal")
                         .arg(nameTable_[std::size_t(n)].lower));
            }
            const Value::Type type = target->type;
            *target = v;
            if (type == Value::Type::Real || type == Value::Type::Integer) {
                target->type = type;
                if (type == Value::Type::Integer) {
                    target->number = std::trunc(v.number);
                } else {
                    target->number = singlePrecision(v.number);
                }
            }
        }
        return;
    }
    call(n, run);
}

void Interpreter::ifStatement(bool run) {
    ++pos_;
    const bool condition = expression(run).flag;
    expect(Tok::Then);
    statements(run && condition, {Tok::Else, Tok::EndIf});
    if (accept(Tok::Else)) {
        statements(run && !condition, {Tok::EndIf});
    }
    expect(Tok::EndIf);
}

void Interpreter::whileStatement(bool run) {
    ++pos_;
    const qsizetype condition = pos_;
    long long passes = 0;
    for (;;) {
        pos_ = condition;
        const Value condition_value = expression(run && !returning_);
        const bool go = run && !returning_ && condition_value.flag;
        expect(Tok::Do);
        statements(go, {Tok::EndWhile});
        if (!go || returning_) {
            break;
        }
        pos_ = condition; // a runaway loop is named by its first line
        pass(passes);
        step();
    }
    expect(Tok::EndWhile);
}

void Interpreter::repeatStatement(bool run) {
    ++pos_;
    const qsizetype body = pos_;
    long long passes = 0;
    for (;;) {
        pos_ = body;
        statements(run, {Tok::Until});
        expect(Tok::Until);
        const Value until = expression(run && !returning_);
        const bool done = !run || returning_ || until.flag;
        if (done) {
            break;
        }
        pos_ = body - 1; // a runaway loop is named by its first line
        pass(passes);
        step();
    }
}

void Interpreter::forStatement(bool run) {
    ++pos_;
    const int counterName = name();
    const QString& spelled = at().text;
    ++pos_;
    expect(Tok::Equal);
    const Value from = expression(run);
    expect(Tok::To);
    const Value to = expression(run);
    expect(Tok::Do);
    const qsizetype body = pos_;
    Value* counter = run ? lookup(counterName) : nullptr;
    if (run && counter == nullptr) {
        stop(QStringLiteral("%1 cannot count a loop").arg(spelled));
    }
    // The passes are counted apart from the counter: the body may change the counter's value,
    // not the number of passes; after the last pass the counter keeps its last value.
    bool any = false;
    long long passes = 0;
    for (double n = from.number; run && n <= to.number; ++n) {
        any = true;
        counter->number = n;
        pos_ = body;
        statements(true, {Tok::EndFor});
        if (returning_) {
            break;
        }
        const qsizetype end = pos_;
        pos_ = body - 1; // a runaway loop is named by its first line
        pass(passes);
        step();
        pos_ = end;
    }
    if (!any) {
        pos_ = body;
        statements(false, {Tok::EndFor});
    }
    expect(Tok::EndFor);
}

void Interpreter::switchStatement(bool run) {
    ++pos_;
    const Value selector = expression(run);
    bool taken = false;
    while (accept(Tok::Case)) {
        bool match = false;
        do {
            const Value label = expression(run && !returning_);
            match = match || (run && label.number == selector.number);
        } while (accept(Tok::Comma));
        expect(Tok::Colon);
        statements(run && match && !taken, {Tok::EndCase});
        expect(Tok::EndCase);
        accept(Tok::Semicolon);
        taken = taken || match;
    }
    expect(Tok::EndSwitch);
}

} // namespace rehearsal
