// The interpreter's expressions and calls, with the language's precedence: comparisons below
// "+ - or", below "* / mod and", below "not", a sign, and the operands.
#include "rehearsal/interpreter.h"

#include <cmath>

using scriptcheck::Tok;

namespace rehearsal {
namespace {

Value number(double n, bool whole) {
    Value v;
    v.type = whole ? Value::Type::Integer : Value::Type::Real;
    v.number = whole ? n : singlePrecision(n);
    return v;
}

Value boolean(bool b) {
    Value v;
    v.type = Value::Type::Boolean;
    v.flag = b;
    return v;
}

bool bothWhole(const Value& a, const Value& b) {
    return a.type == Value::Type::Integer && b.type == Value::Type::Integer;
}

bool equal(const Value& a, const Value& b) {
    if (a.type == Value::Type::Boolean || b.type == Value::Type::Boolean) {
        return a.flag == b.flag;
    }
    if (a.type == Value::Type::Text || b.type == Value::Type::Text) {
        return a.text == b.text;
    }
    return a.number == b.number;
}

} // namespace

Value Interpreter::expression(bool run) {
    Value left = simple(run);
    const Tok op = at().kind;
    if (op != Tok::EqualEqual && op != Tok::NotEqual && op != Tok::Less && op != Tok::LessEqual &&
        op != Tok::Greater && op != Tok::GreaterEqual) {
        return left;
    }
    ++pos_;
    const Value right = simple(run);
    switch (op) {
    case Tok::EqualEqual:
        return boolean(equal(left, right));
    case Tok::NotEqual:
        return boolean(!equal(left, right));
    case Tok::Less:
        return boolean(left.number < right.number);
    case Tok::LessEqual:
        return boolean(left.number <= right.number);
    case Tok::Greater:
        return boolean(left.number > right.number);
    default:
        return boolean(left.number >= right.number);
    }
}

Value Interpreter::simple(bool run) {
    Value left = term(run);
    for (;;) {
        if (accept(Tok::Plus)) {
            const Value right = term(run);
            if (left.type == Value::Type::Text) {
                left.text += right.text;
                if (left.text.size() > kTextLength) {
                    stop(QStringLiteral("a text longer than %1 characters").arg(kTextLength));
                }
            } else {
                left = number(left.number + right.number, bothWhole(left, right));
            }
        } else if (accept(Tok::Minus)) {
            const Value right = term(run);
            left = number(left.number - right.number, bothWhole(left, right));
        } else if (accept(Tok::Or)) {
            const Value right = term(run);
            left = boolean(left.flag || right.flag);
        } else {
            return left;
        }
    }
}

Value Interpreter::term(bool run) {
    Value left = factor(run);
    for (;;) {
        if (accept(Tok::Star)) {
            const Value right = factor(run);
            left = number(left.number * right.number, bothWhole(left, right));
        } else if (accept(Tok::Slash) || accept(Tok::Mod)) {
            const bool modulo = tokens_[std::size_t(pos_ - 1)].kind == Tok::Mod;
            const Value right = factor(run);
            if (run && right.number == 0) {
                stop(QStringLiteral("a division by zero"));
            }
            if (!run) {
                left = number(0, bothWhole(left, right));
            } else if (modulo) {
                left = number(std::fmod(std::trunc(left.number), std::trunc(right.number)), true);
            } else if (bothWhole(left, right)) {
                left = number(std::trunc(left.number / right.number), true);
            } else {
                left = number(left.number / right.number, false);
            }
        } else if (accept(Tok::And)) {
            const Value right = factor(run);
            left = boolean(left.flag && right.flag);
        } else {
            return left;
        }
    }
}

Value Interpreter::factor(bool run) {
    const scriptcheck::Token& token = at();
    switch (token.kind) {
    case Tok::Integer:
        ++pos_;
        return number(numbers_[std::size_t(pos_ - 1)], true);
    case Tok::Real:
        ++pos_;
        return number(numbers_[std::size_t(pos_ - 1)], false);
    case Tok::String: {
        ++pos_;
        Value v;
        v.type = Value::Type::Text;
        v.text = token.text;
        return v;
    }
    case Tok::LParen: {
        ++pos_;
        const Value v = expression(run);
        expect(Tok::RParen);
        return v;
    }
    case Tok::Not: {
        ++pos_;
        return boolean(!factor(run).flag);
    }
    case Tok::Minus: {
        ++pos_;
        Value v = factor(run);
        v.number = -v.number;
        return v;
    }
    case Tok::Plus:
        ++pos_;
        return factor(run);
    case Tok::Identifier:
        break;
    default:
        stop(QStringLiteral("an expression the rehearsal cannot read: ") + token.text);
    }
    const int n = name();
    ++pos_;
    if (is(Tok::LBracket)) {
        stop(QStringLiteral("%1 is an array: a rehearsal cannot run arrays").arg(token.text));
    }
    if (n == true_ || n == false_) {
        return boolean(n == true_);
    }
    const Name& named = nameTable_[std::size_t(n)];
    if (named.constant) {
        return *named.constant;
    }
    if (named.function >= 0 || named.standard != Name::Standard::None ||
        (named.host && is(Tok::LParen))) {
        return call(n, run);
    }
    if (named.host) {
        switch (*named.host) {
        case Role::Speed:
            return number(state_.speed, false);
        case Role::Height:
            return number(state_.height, false);
        case Role::VerticalSpeed:
            return number(state_.verticalSpeed, false);
        case Role::Pitch:
            return number(state_.pitch, false);
        case Role::Flaps:
            return number(state_.flaps, false);
        case Role::OnGround:
            return number(state_.onGround ? 1 : 0, false);
        case Role::Gear:
            return number(state_.gearDown ? 1 : 0, false);
        default:
            return call(n, run);
        }
    }
    if (!run) {
        return Value();
    }
    const Value* v = lookup(n);
    if (v == nullptr) {
        stop(QStringLiteral("%1 has no value in a rehearsal").arg(token.text));
    }
    return *v;
}

Value* Interpreter::lookup(int n) {
    if (!frames_.empty()) {
        for (auto& [local, value] : *frames_.back()) {
            if (local == n) {
                return &value;
            }
        }
    }
    Name& named = nameTable_[std::size_t(n)];
    return named.scope == Name::Scope::None ? nullptr : &named.value;
}

// A call of one of the script's functions or of a host routine; the name is read already.
Value Interpreter::call(int n, bool run) {
    std::vector<Value> arguments;
    if (accept(Tok::LParen)) {
        if (!is(Tok::RParen)) {
            do {
                arguments.push_back(expression(run));
            } while (accept(Tok::Comma));
        }
        expect(Tok::RParen);
    }
    if (!run) {
        return Value();
    }
    const Name& named = nameTable_[std::size_t(n)];
    if (named.function >= 0) {
        return callFunction(functions_[std::size_t(named.function)], arguments);
    }
    if (named.standard != Name::Standard::None) {
        return standard(named, arguments.empty() ? 0.0 : arguments.front().number);
    }
    if (!named.host) {
        stop(QStringLiteral("%1 is no routine the rehearsal knows").arg(named.lower));
    }
    if (*named.host == Role::ShowText || *named.host == Role::PlaySound) {
        const QString what = arguments.empty() ? QString() : arguments.front().text;
        records_.push_back(
            {state_, *named.host == Role::ShowText ? what : QStringLiteral("sound: ") + what});
    }
    return Value();
}

// abs and sqrt give a real; round (halves away from zero) and trunc a whole number; the
// language's other routines stop the rehearsal.
Value Interpreter::standard(const Name& function, double x) {
    switch (function.standard) {
    case Name::Standard::Abs:
        return number(std::abs(x), false);
    case Name::Standard::Sqrt:
        if (x < 0) {
            stop(QStringLiteral("the square root of a negative number"));
        }
        return number(std::sqrt(x), false);
    case Name::Standard::Round:
        return number(std::trunc(x > 0 ? x + 0.5 : x - 0.5), true);
    case Name::Standard::Trunc:
        return number(std::trunc(x), true);
    default:
        stop(QStringLiteral("%1 is one of the language's own routines that a rehearsal cannot run")
                 .arg(function.lower));
    }
}

Value Interpreter::callFunction(const Function& function, const std::vector<Value>& arguments) {
    if (++depth_ > kCallDepth) {
        stop(QStringLiteral("calls nested more than %1 deep: a recursion without end?")
                 .arg(kCallDepth));
    }
    Frame frame;
    for (std::size_t i = 0; i < function.parameters.size(); ++i) {
        frame.emplace_back(function.parameters[i], i < arguments.size() ? arguments[i] : Value());
    }
    const qsizetype back = pos_;
    pos_ = function.start;
    frames_.push_back(&frame);
    Value result;
    try {
        if (accept(Tok::Var)) {
            declarations(false, &frame);
        }
        expect(Tok::Code);
        statements(true, {Tok::EndFunction});
    } catch (...) {
        frames_.pop_back();
        throw;
    }
    if (returning_) {
        result = std::move(returned_);
        returning_ = false;
    }
    frames_.pop_back();
    pos_ = back;
    --depth_;
    return result;
}

} // namespace rehearsal
