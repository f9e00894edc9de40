// The flight load when the files are against it. Each case gives the pilot the load's message
// for the stage it reached, or the fields a pilot would expect from the lines there are; nothing
// crashes and no file is written.
// Run as an ordinary user (see unprivileged.sh), so permissions hold.
#include "support/compilerwindow.h"
#include "support/files.h"
#include "support/geometry.h"
#include "support/installation.h"
#include "support/messagerecorder.h"
#include "support/scratchfolder.h"
#include "ui/application.h"

#include <QDirIterator>
#include <QtTest>

namespace {

const QString kNoFlight = QStringLiteral("The required file Talvo.flt does not exist");
const QString kNoPlan = QStringLiteral("The required flight plan does not exist");

QStringList load(CompilerWindow& window) {
    MessageRecorder recorder;
    window.window.Form_Load();
    return recorder.messages;
}

} // namespace

class TestLoadFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ui::prepareApplication(); }

    void savedFlightOfZeroBytes() {
        Installation folder;
        folder.work.write(QStringLiteral("fs/Talvo.FLT"), "");
        CompilerWindow window(folder.prefix);
        QCOMPARE(load(window), QStringList{kNoFlight});
    }

    void planIsAFolder() {
        Installation folder;
        QFile::remove(folder.work.filePath(QStringLiteral("fs/P.pln")));
        folder.work.write(QStringLiteral("fs/P.pln/inside"), "");
        CompilerWindow window(folder.prefix);
        QCOMPARE(load(window), QStringList{kNoPlan});
    }

    void planOf100000Lines() {
        Installation folder;
        QByteArray plan = "type=IFR\r\n";
        for (int i = 0; i < 100000; ++i) {
            plan += "waypoint." + QByteArray::number(i) + "=KK, WPT, , WPT, I, +000000.00,\r\n";
        }
        plan += "cruising_altitude=33000\r\n";
        folder.work.write(QStringLiteral("fs/P.pln"), plan);
        CompilerWindow window(folder.prefix);
        QCOMPARE(load(window), QStringList{QStringLiteral("Flight Plan P Loaded")});
        QCOMPARE(window.text("Text4"), QStringLiteral("33000"));
    }

    void nulAndHighBytes() {
        Installation folder;
        QByteArray odd("x\0", 2);
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            odd += static_cast<char>(byte);
        }
        folder.work.write(QStringLiteral("fs/Talvo.FLT"),
                          crlf({odd, "[GPS", "Filename=FLIGHTS\\MYFLTS\\P", "Aircraft=" + odd}));
        folder.work.write(QStringLiteral("fs/P.pln"), crlf({odd, "departure_name=" + odd}));
        CompilerWindow window(folder.prefix);
        QCOMPARE(load(window), QStringList{QStringLiteral("Flight Plan P Loaded")});
        QCOMPARE(window.combo()->currentText().size(), 30);
        QCOMPARE(window.text("Text6").size(), 40);
        QCOMPARE(window.text("Text6").at(4), QChar(0x201A)); // byte 0x82
    }

    void lineFeedsOnly() {
        Installation folder;
        folder.work.write(QStringLiteral("fs/Talvo.FLT"),
                          "[GPS_Engine]\nFilename=FLIGHTS\\MYFLTS\\P\nCenter=50\n");
        folder.work.write(QStringLiteral("fs/P.pln"), "type=VFR\ncruising_altitude=12000");
        CompilerWindow window(folder.prefix);
        QCOMPARE(load(window), QStringList{QStringLiteral("Flight Plan P Loaded")});
        QCOMPARE(window.text("Text3"), QStringLiteral("VFR"));
        QCOMPARE(window.text("Text4"), QStringLiteral("12000"));
    }

    void filesThatAreNoFiles_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("what");
        QTest::addColumn<QStringList>("messages");
        // The pilot hears what keeps the saved flight from being read, not that it is missing.
        const QString unreadable =
            QStringLiteral("The required file Talvo.flt cannot be read: %1.");
        for (const auto& [label, what, why] :
             {std::tuple{"a FIFO", NotAFile::Fifo, "it is a pipe (FIFO), not a regular file"},
              std::tuple{"a link to /dev/urandom", NotAFile::EndlessDevice,
                         "it is a device, not a regular file"},
              std::tuple{"a line of 16 MiB", NotAFile::HugeLine,
                         "it holds a line longer than 16 MiB, so it is no text file of the "
                         "simulator"}}) {
            QTest::addRow("saved flight: %s", label)
                << "fs/Talvo.FLT" << int(what)
                << QStringList{unreadable.arg(QString::fromLatin1(why))};
            QTest::addRow("flight plan: %s", label)
                << "fs/P.pln" << int(what) << QStringList{kNoPlan};
        }
    }
    void filesThatAreNoFiles() {
        QFETCH(QString, path);
        QFETCH(int, what);
        if (!canPutInPlace(NotAFile(what))) {
            QSKIP("this system has no FIFOs nor devices in its folders");
        }
        QFETCH(QStringList, messages);
        Installation folder;
        putInPlace(folder.work.filePath(path), NotAFile(what));
        CompilerWindow window(folder.prefix);
        QCOMPARE(load(window), messages);
    }

    void unreadableFiles_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("saved flight")
            << "fs/Talvo.FLT"
            << QStringList{QStringLiteral(
                   "The required file Talvo.flt cannot be read: Permission denied.")};
        QTest::newRow("flight plan") << "fs/P.pln" << QStringList{kNoPlan};
        QTest::newRow("saved-flights folder") << "fs" << QStringList{kNoFlight};
    }
    void unreadableFiles() {
        if (!posixPermissionsHold()) {
            QSKIP("POSIX file permissions do not hold here (root, or Windows); run through "
                  "unprivileged.sh");
        }
        QFETCH(QString, path);
        QFETCH(QStringList, messages);
        Installation folder;
        const QString file = folder.work.filePath(path);
        const QFileDevice::Permissions mode = QFile::permissions(file);
        QFile::setPermissions(file, QFileDevice::WriteOwner);
        CompilerWindow window(folder.prefix);
        const QStringList shown = load(window);
        QFile::setPermissions(file, mode);
        QCOMPARE(shown, messages);
    }
};

QTEST_MAIN(TestLoadFaults)
#include "tst_loadfaults.moc"
