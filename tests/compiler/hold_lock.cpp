// Holds the compile lock of the current folder, as a compile of another instance would, for the
// milliseconds given as the first argument; says "held" once it holds it.
#include <cstdio>
#include <QCoreApplication>
#include <QLockFile>
#include <QThread>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QLockFile lock(QStringLiteral("talvo.lock"));
    if (!lock.tryLock(0)) {
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    QThread::msleep(QCoreApplication::arguments().value(1).toULong());
    return 0;
}
