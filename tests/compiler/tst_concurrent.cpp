// Two instances of the program compiling in one working folder at the same moment: one compile
// waits for the other, or is told that the other runs; the adventure is always wholly one of the
// two, never a mixture.
#include "support/compileprocess.h"

#include <QProcess>
#include <QtTest>

namespace {

const QStringList kOutputs = {"P.flt", "P.pln", "fs/P.pln", "lib/P.abl"};

// Files large enough that a compile takes a while, so that two compiles overlap.
class Scene : public Installation {
public:
    Scene() {
        QByteArray flight = "[Main]\r\nTitle=x\r\nCenter=50\r\nLeftMain=50\r\nRightMain=50\r\n";
        QByteArray plan = "[flightplan]\r\ncruising_altitude=35000\r\n";
        for (int i = 0; i < 20000; ++i) {
            flight += "Line" + QByteArray::number(i) + "=some setting of the saved flight\r\n";
            plan += "waypoint." + QByteArray::number(i) + "=KK, WPT, , WPT, I, +000000.00,\r\n";
        }
        savedFlight(flight);
        this->plan(QStringLiteral("P.pln"), plan);
    }
    QList<QByteArray> outputs() const {
        QList<QByteArray> bytes;
        for (const QString& output : kOutputs) {
            bytes.append(work.read(output));
        }
        return bytes;
    }
};

const QStringList kFirst = {"80", "31000"};
const QStringList kSecond = {"60", "33000"};

QList<QByteArray> outputsOf(const QStringList& values) {
    Scene installation;
    runCompile(installation, values);
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
            Scene installation;
            const std::unique_ptr<QProcess> a = startCompile(installation, kFirst);
            const std::unique_ptr<QProcess> b = startCompile(installation, kSecond);
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
