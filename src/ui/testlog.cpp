#include "ui/testlog.h"

#include <QFile>

namespace ui {

TestLog::TestLog(const char* variable)
    : path_(qEnvironmentVariable(variable)) {}

void TestLog::append(const QString& text) const {
    if (!isOn()) {
        return;
    }
    QFile log(path_);
    if (log.open(QIODevice::WriteOnly | QIODevice::Append)) {
        log.write(text.toUtf8() + '\n');
    }
}

} // namespace ui
