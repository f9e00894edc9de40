#include "scriptcheck/types.h"

using namespace Qt::StringLiterals;

namespace scriptcheck {

namespace {

TypePtr make(Form form, const QString& name) {
    auto type = std::make_shared<Type>();
    type->form = form;
    type->name = name;
    return type;
}

QString plural(const TypePtr& type) {
    if (!type)
        return u"values"_s;
    if (type->form == Form::Array)
        return u"arrays"_s;
    return type->name + u"s"_s;
}

} // namespace

const Builtins& builtins() {
    static const Builtins types{make(Form::Scalar, u"integer"_s), make(Form::Scalar, u"real"_s),
                                make(Form::Scalar, u"char"_s), make(Form::Enum, u"boolean"_s),
                                make(Form::Unknown, u"value of the simulator"_s)};
    return types;
}

TypePtr makeArray(const TypePtr& element, int count) {
    auto type = std::make_shared<Type>();
    type->form = Form::Array;
    type->element = element;
    type->count = count;
    return type;
}

TypePtr makeEnum(const QString& name) {
    return make(Form::Enum, name);
}

TypePtr makeText(int length) {
    return makeArray(builtins().character, length + 1);
}

bool isUnknown(const TypePtr& type) {
    return type && type->form == Form::Unknown;
}

bool isArrayOf(const TypePtr& type, const TypePtr& element) {
    if (isUnknown(type))
        return true;
    return type && type->form == Form::Array && type->element == element;
}

bool assignable(const TypePtr& target, const TypePtr& value) {
    if (!target || !value)
        return false;
    if (isUnknown(target) || isUnknown(value) || target == value)
        return true;
    const Builtins& b = builtins();
    if (target == b.real && value == b.integer)
        return true;
    // a text fits into a char array at least as long
    return isArrayOf(target, b.character) && isArrayOf(value, b.character) &&
           target->count >= value->count;
}

bool comparable(const TypePtr& a, const TypePtr& b) {
    if (!a || !b)
        return false;
    if (isUnknown(a) || isUnknown(b))
        return true;
    if (a == b && (a->form == Form::Scalar || a->form == Form::Enum))
        return true;
    if (isNumber(a) && isNumber(b))
        return true;
    const TypePtr& character = builtins().character;
    return isArrayOf(a, character) && isArrayOf(b, character) && a->count == b->count;
}

bool isNumber(const TypePtr& type) {
    return isUnknown(type) || type == builtins().integer || type == builtins().real;
}

bool isBoolean(const TypePtr& type) {
    return isUnknown(type) || type == builtins().boolean;
}

QString describe(const TypePtr& type) {
    if (!type)
        return u"no value"_s;
    if (type->form == Form::Unknown)
        return u"a value of the simulator"_s;
    if (type->form == Form::Array) {
        if (type->element == builtins().character)
            return u"a text (char[%1])"_s.arg(type->count);
        return u"an array of "_s + plural(type->element);
    }
    const QChar first = type->name.isEmpty() ? QChar() : type->name.front().toLower();
    const bool vowel = QStringView(u"aeiou").contains(first);
    return (vowel ? u"an "_s : u"a "_s) + type->name;
}

} // namespace scriptcheck
