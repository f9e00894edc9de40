// Two instances of the program compiling in one working folder at the same moment: one compile
// waits for the other, or is told that the other runs; the adventure is always wholly one of the
// two, never a mixture.
#include "support/files.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QStringList kOutputs = {"work/P.flt", "work/P.pln", "fs/P.pln", "work/lib/P.abl"};

class Installation {
public:
    Installation() {
        write("work/lib/Talvo.abl", "code\r\n");
        write("work/lib/Talvo2.abl", "endmodule.\r\n");
        QByteArray flight = "[Main]\r\nTitle=x\r\nCenter=50\r\nLeftMain=50\r\nRightMain=50\r\n";
        QByteArray plan = "[flightplan]\r\ncruising_altitude=35000\r\n";
        // Large enough that a compile takes a while, so that two compiles overlap.
        for (int i = 0; i < 20000; ++i) {
            flight += "Line" + QByteArray::number(i) + "=some setting of the saved flight\r\n";
            plan += "waypoint." + QByteArray::number(i) + "=KK, WPT, , WPT, I, +000000.00,\r\n";
        }
        write("fs/Talvo.FLT", flight);
        write("fs/P.pln", plan);
    }
    QProcess* start(const QStringList& values) {
        auto* process = new QProcess;
        process->setWorkingDirectory(dir_.filePath(QStringLiteral("work")));
        process->start(QCoreApplication::applicationDirPath() + QStringLiteral("/compile_once"),
                       QStringList{dir_.filePath(QStringLiteral("fs")) + u'\\'} + values);
        return process;
    }
    QList<QByteArray> outputs() const {
        QList<QByteArray> bytes;
        for (const QString& output : kOutputs) {
            QFile file(dir_.filePath(output));
            bytes.append(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
        }
        return bytes;
    }

private:
    void write(const char* relative, const QByteArray& bytes) {
        const QString path = dir_.filePath(QLatin1String(relative));
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QTemporaryDir dir_;
};

const QStringList kFirst = {"80", "31000"};
const QStringList kSecond = {"60", "33000"};

QList<QByteArray> outputsOf(const QStringList& values) {
    Installation installation;
    std::unique_ptr<QProcess> compile(installation.start(values));
    compile->waitForFinished(60000);
    return installation.outputs();
}

} // namespace

class TestConcurrent : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void twoAtOnce() {
        const QList<QByteArray> first = outputsOf(kFirst);
        const QList<QByteArray> second = outputsOf(kSecond);
        QVERIFY(first != second);
        int waited = 0;
        for (int run = 0; run < 30; ++run) {
            Installation installation;
            std::unique_ptr<QProcess> a(installation.start(kFirst));
            std::unique_ptr<QProcess> b(installation.start(kSecond));
            QVERIFY(a->waitForFinished(60000) && b->waitForFinished(60000));
            const QList<QByteArray> outputs = installation.outputs();
            QVERIFY2(outputs == first || outputs == second,
                     qPrintable(QStringLiteral("run %1: a mixed adventure").arg(run)));
            for (QProcess* compile : {a.get(), b.get()}) {
                const QString message = QString::fromUtf8(compile->readAllStandardOutput());
                QVERIFY2(compile->exitCode() == 0 ||
                             message.contains(QStringLiteral("is compiling an adventure")),
                         qPrintable(message));
            }
            waited += a->exitCode() == 0 && b->exitCode() == 0;
        }
        qInfo("in %d of 30 runs both compiles ran, one after the other", waited);
    }
};

QTEST_GUILESS_MAIN(TestConcurrent)
#include "tst_concurrent.moc"
