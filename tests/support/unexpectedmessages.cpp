// Linked into every test program: a message that shows while no MessageRecorder is in place is
// one nobody expected. It fails the running test at once, naming the message, instead of opening
// a real modal box that would wait for a pilot until the test runner's watchdog ends it.
#include "ui/messages.h"

#include <QtTest>

namespace {

class UnexpectedMessages : public ui::MessageService {
public:
    void show(const QString& text) override {
        const QByteArray report =
            "a message that no test expected showed: \"" + text.toUtf8() + '"';
        QTest::qFail(report.constData(), __FILE__, __LINE__);
    }
};

UnexpectedMessages guard;
// Put in place before main() runs; a MessageRecorder replaces it while it lives.
const bool installed = (ui::setMessageService(&guard), true);

} // namespace
