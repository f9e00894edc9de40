#pragma once

#include <QString>

namespace ui {

// The logs through which the end-to-end tests see what only the program knows: a test names a
// file in an environment variable, and the program appends a line to it for each event.
class TestLog {
public:
    // The log named by the variable; one that no variable names writes nothing.
    explicit TestLog(const char* variable);

    bool isOn() const { return !path_.isEmpty(); }
    // Appends text and a line end, as UTF-8.
    void append(const QString& text) const;

private:
    QString path_;
};

} // namespace ui
