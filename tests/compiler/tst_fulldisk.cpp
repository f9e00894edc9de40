// The compile on real full disks: small tmpfs file systems mounted in a scratch folder as the
// working folder or the saved-flights folder, full before the compile or filling up during it.
// The compile fails with the disk's own reason, names the file, and every file of the pilot stays
// as it was. Needs the right to mount (CI runs as root); skipped with the reason elsewhere.
#include "compiler/compileadventure.h"
#include "support/files.h"
#include "support/scratchfolder.h"

#include <cerrno>
#include <cstring>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/mount.h>

namespace {

// A tmpfs of the given size mounted on a folder while the object lives.
class SmallDisk {
public:
    SmallDisk(const QString& folder, int kilobytes)
        : folder_(folder) {
        QDir().mkpath(folder);
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
        mounted_ = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0,
                           options.constData()) == 0;
        error_ = mounted_ ? QString() : QString::fromLocal8Bit(std::strerror(errno));
    }
    ~SmallDisk() {
        if (mounted_) {
            ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
        }
    }
    bool mounted() const { return mounted_; }
    const QString& error() const { return error_; }
    // Fills the disk but for about room bytes.
    void fill(qint64 room) const {
        QFile filler(folder_ + QStringLiteral("/.filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            qFatal("cannot fill %s", qPrintable(folder_));
        }
        const QByteArray block(4096, '\0');
        while (filler.write(block) == block.size()) {
        }
        filler.close();
        filler.resize(qMax<qint64>(0, filler.size() - room));
    }

private:
    QString folder_;
    bool mounted_ = false;
    QString error_;
};

QByteArray planOf(int waypoints, const QByteArray& altitude) {
    QByteArray plan = "[flightplan]\r\ncruising_altitude=" + altitude + "\r\n";
    for (int i = 0; i < waypoints; ++i) {
        plan += "waypoint." + QByteArray::number(i) +
                "=KK, WPT, , WPT, I, N58* 27.53', W003* 06.02', +000000.00,\r\n";
    }
    return plan;
}

} // namespace

class TestFullDisk : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fullDisks_data() {
        QTest::addColumn<QString>("disk");  // the folder on the small disk: work or fs
        QTest::addColumn<int>("room");      // bytes left free on it
        QTest::addColumn<int>("waypoints"); // of the plan
        QTest::addColumn<QString>("named"); // the file the message names
        QTest::newRow("working folder full") << "work" << 0 << 10 << "talvo.lock";
        QTest::newRow("saved-flights folder full") << "fs" << 0 << 10 << "P.pln";
        QTest::newRow("working folder fills during the compile")
            << "work" << 40000 << 2000 << "P.pln";
        QTest::newRow("saved-flights folder fills during the compile")
            << "fs" << 40000 << 2000 << "P.pln";
    }
    void fullDisks() {
        QFETCH(QString, disk);
        QFETCH(int, room);
        QFETCH(int, waypoints);
        QFETCH(QString, named);
        QTemporaryDir root;
        const SmallDisk small(root.filePath(disk), 1024);
        if (!small.mounted()) {
            QSKIP(qPrintable(QStringLiteral("cannot mount a small tmpfs here (%1): this test needs "
                                            "root, as in CI")
                                 .arg(small.error())));
        }
        auto write = [&](const QString& relative, const QByteArray& bytes) {
            QDir().mkpath(QFileInfo(root.filePath(relative)).absolutePath());
            QFile file(root.filePath(relative));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        };
        write(QStringLiteral("work/lib/Talvo.abl"), "code\r\n");
        write(QStringLiteral("work/lib/Talvo2.abl"), "endmodule.\r\n");
        write(QStringLiteral("work/P.pln"), planOf(waypoints, "29000"));
        write(QStringLiteral("fs/Talvo.FLT"), crlf({"[Main]", "Title=x", "Center=50"}));
        write(QStringLiteral("fs/P.pln"), planOf(waypoints, "35000"));
        small.fill(room);
        const QMap<QString, QByteArray> before = snapshot(root.path());

        const QString previous = QDir::currentPath();
        QDir::setCurrent(root.filePath(QStringLiteral("work")));
        compiler::AdventureValues values;
        values.planName = QStringLiteral("P");
        values.aircraft = QStringLiteral("Boeing 747-400");
        values.cruisingAltitude = QStringLiteral("31000");
        values.fuelPercent = QStringLiteral("80");
        const compiler::CompileResult result =
            compiler::CompileAdventure(root.filePath(QStringLiteral("fs")) + u'\\', values);
        QDir::setCurrent(previous);

        QCOMPARE(result.outcome, compiler::CompileOutcome::Failed);
        QVERIFY2(result.message.contains(QStringLiteral("No space left on device")),
                 qPrintable(result.message));
        QVERIFY2(result.message.contains(named), qPrintable(result.message));
        QVERIFY2(result.message.contains(root.filePath(disk)), qPrintable(result.message));
        QCOMPARE(snapshot(root.path()), before);
    }
};

QTEST_GUILESS_MAIN(TestFullDisk)
#include "tst_fulldisk.moc"
