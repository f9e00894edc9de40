#pragma once

#include "rehearsal/roles.h"
#include "rehearsal/rules.h"
#include "scriptcheck/token.h"

#include <map>
#include <QByteArrayView>
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

// Runs a script the checker accepted as the simulator does: its main body again and again, one
// run per record of a flight, the statics keeping their values from run to run. The host's
// values are read from the record, by the role of each host name; each call of a host routine
// is recorded with the run's record. A script that runs away (a loop without end, recursion
// without end, a text without bound) is stopped with a message naming its line.
class Interpreter {
public:
    // The limits of one run of the main body.
    static constexpr long long kStepsPerRun = 1'000'000;
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
        QStringList parameters;
        bool givesValue = false;
    };
    using Frame = std::map<QString, Value>;
    struct ReturnSignal {
        Value value;
    };

    void prepare();
    void declarations(bool statics, Frame* frame);
    Value zero(const QString& typeName) const;

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
    Value call(const QString& name, bool run);
    Value callFunction(const Function& function, const std::vector<Value>& arguments);
    Value* lookup(const QString& name);
    void step();

    const scriptcheck::Token& at() const { return tokens_[static_cast<std::size_t>(pos_)]; }
    bool is(scriptcheck::Tok kind) const { return at().kind == kind; }
    bool accept(scriptcheck::Tok kind);
    void expect(scriptcheck::Tok kind);
    [[noreturn]] void stop(const QString& why) const;

    std::vector<scriptcheck::Token> tokens_;
    qsizetype pos_ = 0;
    qsizetype mainBody_ = -1;
    std::map<QString, Value> constants_;
    Frame statics_;   // statics and module variables
    Frame runLocals_; // the module's variables without "static", zero at each run
    std::map<QString, QString> moduleTypes_;
    std::vector<Frame*> frames_;
    std::map<QString, Function> functions_;
    std::map<QString, Role> hostNames_;
    Sample state_;
    std::vector<Record> records_;
    QString problem_;
    long long steps_ = 0;
    int depth_ = 0;
};

} // namespace rehearsal
