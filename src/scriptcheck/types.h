#pragma once

#include <memory>
#include <QString>

namespace scriptcheck {

// The script language's types. Two types are the same only when they are the same object, as
// in the interpreter: every "integer[3]" written in a declaration is a type of its own, while
// the names declared together ("integer[3] a, b;") or through one type name share theirs.
enum class Form { Scalar, Enum, Array, Unknown };

struct Type;
using TypePtr = std::shared_ptr<const Type>; // null: no value (a routine that gives none)

struct Type {
    Form form = Form::Scalar;
    QString name;    // integer, real, char, boolean, or the name of a declared type
    TypePtr element; // arrays
    int count = 0;   // arrays: number of elements
};

struct Builtins {
    TypePtr integer;
    TypePtr real;
    TypePtr character;
    TypePtr boolean;
    TypePtr unknown; // a simulator's name in the lenient check: fits everywhere
};
const Builtins& builtins();

TypePtr makeArray(const TypePtr& element, int count);
TypePtr makeEnum(const QString& name);
// A text in double quotes of length characters (longer than one: one is a char).
TypePtr makeText(int length);

bool isUnknown(const TypePtr& type);
bool isArrayOf(const TypePtr& type, const TypePtr& element);

// What a value of type value may be assigned to (or passed as) a variable of type target.
bool assignable(const TypePtr& target, const TypePtr& value);
// Whether two values may be compared with < <= == <> >= >.
bool comparable(const TypePtr& a, const TypePtr& b);
bool isNumber(const TypePtr& type);
bool isBoolean(const TypePtr& type);

// The type in words with its article: "an integer", "a real", "a text", "an array of reals".
QString describe(const TypePtr& type);

} // namespace scriptcheck
