#pragma once

#include "rehearsal/roles.h"
#include "rehearsal/rules.h"
#include "scriptcheck/token.h"

#include <limits>
#include <optional>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <vector>

namespace rehearsal {

// A value of the script language: a whole number, a real, a boolean or a text.
struct Value {
    enum class Type { Integer, Real, Boolean, Text };
    Type type = Type::Integer;
    double number = 0; // Integer (whole) and Real
    bool flag = false;
    QString text;
};

// The script's reals are single precision, as the simulator's interpreter keeps them (a real
// beyond the range of one is infinite).
inline double singlePrecision(double x) {
    if (x > std::numeric_limits<float>::max()) {
        return std::numeric_limits<double>::infinity();
    }
    if (x < -std::numeric_limits<float>::max()) {
        return -std::numeric_limits<double>::infinity();
    }
    return double(float(x));
}

// Runs a script the checker accepted as the simulator does: its main body again and again, one
// run per record of a flight, the statics keeping their values from run to run. The host's
// values are read from the record, by the role of each host name; each call of a host routine
// is recorded with the run's record. A script that runs away (a loop without end, recursion
// without end, a text without bound) is stopped with a message naming its line.
class Interpreter {
public:
    // The limits of one run of the main body.
    static constexpr long long kStepsPerRun = 1'000'000;
    // The simulator's interpreter stops a loop at this many passes ("infinite loop").
    static constexpr long long kLoopPasses = 100'001;
    static constexpr int kCallDepth = 200;
    static constexpr qsizetype kTextLength = 1 << 16;

    // script: the bytes of a whole script (module); roles: the host names and their roles.
    Interpreter(QByteArrayView script, const std::vector<PlacedName>& roles);

    // Runs the main body once with the aircraft in state; false when the script was stopped
    // (problem() says why), also at every later run.
    bool run(const Sample& state);
    const QString& problem() const { return problem_; }
    // What the script showed (a text) or played (a sound, as "sound: <file>") so far.
    const std::vector<Record>& records() const { return records_; }
    // A static or module variable's value after the last run (tests, and the speeds of the six
    // lines): no value when the script has no such name.
    std::optional<Value> variable(const QString& name) const;

private:
    struct Function {
        qsizetype start = 0; // the token after the function's name
        std::vector<int> parameters;
        bool givesValue = false;
    };
    // A function's parameters and locals: few, so a list is searched.
    using Frame = std::vector<std::pair<int, Value>>;
    // What a name (all its spellings, as names are compared without regard to case) stands for.
    struct Name {
        QString lower;
        std::optional<Value> constant;
        int function = -1; // in functions_
        std::optional<Role> host;
        // the language's own functions of numbers
        // (Other: one the rehearsal cannot run, such as files and random numbers)
        enum class Standard { None, Abs, Sqrt, Round, Trunc, Other } standard = Standard::None;
        enum class Scope { None, Static, Run } scope = Scope::None;
        Value value; // a static's or the module's variable's value
        Value zero;  // the module's variable's value at the start of each run
    };

    void prepare();
    void declarations(bool statics, Frame* frame);
    Value zero(const QString& typeName) const;
    int nameOf(const QString& lower);

    // statements, executed when run is true, only read past otherwise
    void statements(bool run, std::initializer_list<scriptcheck::Tok> ends);
    void statement(bool run);
    void ifStatement(bool run);
    void whileStatement(bool run);
    void repeatStatement(bool run);
    void forStatement(bool run);
    void switchStatement(bool run);

    Value expression(bool run);
    Value simple(bool run);
    Value term(bool run);
    Value factor(bool run);
    Value call(int name, bool run);
    Value callFunction(const Function& function, const std::vector<Value>& arguments);
    Value standard(const Name& function, double x);
    Value* lookup(int name);
    void step();
    void pass(long long& passes);

    const scriptcheck::Token& at() const { return tokens_[static_cast<std::size_t>(pos_)]; }
    // the name of the identifier at pos_
    int name() const { return names_[static_cast<std::size_t>(pos_)]; }
    bool is(scriptcheck::Tok kind) const { return at().kind == kind; }
    bool accept(scriptcheck::Tok kind);
    void expect(scriptcheck::Tok kind);
    [[noreturn]] void stop(const QString& why) const;

    std::vector<scriptcheck::Token> tokens_;
    std::vector<int> names_;      // per token: its name for an identifier, else -1
    std::vector<double> numbers_; // per token: a number's value
    qsizetype pos_ = 0;
    qsizetype mainBody_ = -1;
    std::vector<Name> nameTable_;
    QHash<QString, int> nameIndex_;
    std::vector<int> runVariables_; // the module's variables without "static"
    std::vector<Function> functions_;
    std::vector<Frame*> frames_;
    int true_ = -1, false_ = -1, return_ = -1;
    bool initDone_ = false;  // a function "init" runs before the main body's first run
    bool returning_ = false; // a return was run: the rest of its function is only read past
    Value returned_;
    Sample state_;
    std::vector<Record> records_;
    QString problem_;
    long long steps_ = 0;
    int depth_ = 0;
};

} // namespace rehearsal
