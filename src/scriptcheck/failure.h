#pragma once

#include <QString>

namespace scriptcheck {

// Thrown at the first problem: the interpreter stops at its first error, and so does the check.
struct Failure {
    int line = 0;
    int file = 0; // as in Token::file
    QString message;
    QString placeholder;
};

[[noreturn]] inline void fail(int line, int file, const QString& message) {
    throw Failure{line, file, message, {}};
}

} // namespace scriptcheck
