#include "files/textfiles.h"
#include "support/files.h"
#include "support/scratchfolder.h"
#include "textio/linereader.h"
#include "textio/linewriter.h"

#include <QBuffer>
#include <QDir>
#include <QtTest>

namespace {

QList<QByteArray> readAll(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    textio::LineReader reader(&buffer);
    QList<QByteArray> lines;
    QByteArray line;
    while (reader.readLine(line)) {
        lines.append(line);
    }
    return lines;
}

// A device that never ends, as /dev/zero: every read gets a full block of one byte.
class EndlessDevice : public QIODevice {
public:
    explicit EndlessDevice(char byte)
        : byte_(byte) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 size) override {
        std::memset(data, byte_, static_cast<std::size_t>(size));
        return size;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    char byte_;
};

// A device that takes at most a few bytes a write, and fails once it holds a given amount, as a
// disk that fills up.
class ShortWriteDevice : public QIODevice {
public:
    explicit ShortWriteDevice(qint64 room)
        : room_(room) {
        open(QIODevice::WriteOnly);
    }
    QByteArray bytes;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        const qint64 taken = std::min<qint64>({size, 3, room_ - bytes.size()});
        if (taken <= 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        bytes.append(data, taken);
        return taken;
    }

private:
    qint64 room_;
};

} // namespace

class TestLineReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splitsLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QByteArray>>("lines");
        using L = QList<QByteArray>;
        QTest::newRow("empty file has no lines") << QByteArray() << L{};
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << L{"a", "b"};
        QTest::newRow("last line without line end") << QByteArray("a\r\nb") << L{"a", "b"};
        QTest::newRow("lone LF") << QByteArray("a\nb\n") << L{"a", "b"};
        QTest::newRow("mixed") << QByteArray("a\r\nb\nc") << L{"a", "b", "c"};
        QTest::newRow("empty lines") << QByteArray("\r\n\r\nx\r\n") << L{"", "", "x"};
        QTest::newRow("only a line end") << QByteArray("\r\n") << L{""};
        QTest::newRow("lone CR belongs to the line") << QByteArray("a\rb\r\n") << L{"a\rb"};
        QTest::newRow("CR at the very end stays") << QByteArray("a\r") << L{"a\r"};
        QTest::newRow("NUL and high bytes")
            << QByteArray("\0\x80\xff\r\n", 5) << L{QByteArray("\0\x80\xff", 3)};
    }
    void splitsLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QByteArray>, lines);
        QCOMPARE(readAll(bytes), lines);
    }

    // The reader works in large blocks: a CR LF split between two blocks is still one line end.
    void lineEndsAcrossBlocks() {
        for (const int size : {256 * 1024 - 1, 256 * 1024, 256 * 1024 + 1}) {
            const QByteArray first(size, 'x');
            const QList<QByteArray> lines = readAll(first + "\r\nsecond\r\n");
            QCOMPARE(lines.size(), 2);
            QCOMPARE(lines[0], first);
            QCOMPARE(lines[1], QByteArray("second"));
        }
    }

    void writesCrLfAfterEveryLine() {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        textio::LineWriter writer(&buffer);
        writer.writeLine("a");
        writer.writeLine("");
        writer.writeLine(QByteArray("\xe9\0", 2));
        QVERIFY(writer.flush());
        QCOMPARE(buffer.data(), QByteArray("a\r\n\r\n\xe9\0\r\n", 9));
    }

    // A file written through an output file replaces its target only when committed.
    void outputReplacesOnlyOnCommit() {
        ScratchFolder folder;
        folder.write(QStringLiteral("plan.pln"), "old\r\n");
        {
            files::OutputTextFile out(QStringLiteral("plan.pln"));
            QVERIFY(out.open());
            out.writeLine("new");
        }
        QCOMPARE(folder.read(QStringLiteral("plan.pln")), QByteArray("old\r\n"));
        files::OutputTextFile out(QStringLiteral("PLAN.PLN"));
        QVERIFY(out.open());
        out.writeLine("new");
        QVERIFY(out.commit());
        QCOMPARE(folder.read(QStringLiteral("plan.pln")), QByteArray("new\r\n"));
        // Under its own name, as the folder lists it: Windows would find it under either name.
        const QStringList names = QDir(folder.path()).entryList(QDir::Files);
        QCOMPARE(names, QStringList{QStringLiteral("plan.pln")});
    }

    // Lines and files beyond the bounds stop the reading with an error; the lines before them are
    // delivered. The bounds here are small stand-ins for 16 MiB and 1 GiB.
    void bounds_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("linesDelivered");
        QTest::addColumn<int>("error");
        using E = textio::LineReader::Error;
        QTest::newRow("line of the longest length")
            << QByteArray("ab\r\n12345678\r\n") << 2 << int(E::None);
        QTest::newRow("last line of the longest length")
            << QByteArray("12345678") << 1 << int(E::None);
        QTest::newRow("line one too long")
            << QByteArray("ab\r\n123456789\r\n") << 1 << int(E::LineTooLong);
        QTest::newRow("last line one too long")
            << QByteArray("ab\n123456789") << 1 << int(E::LineTooLong);
        QTest::newRow("file of the largest size") << QByteArray(16, '\n') << 16 << int(E::None);
        // The block read past the bound is not delivered: here the whole file.
        QTest::newRow("file one byte too large")
            << QByteArray(17, '\n') << 0 << int(E::FileTooLarge);
    }
    void bounds() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, linesDelivered);
        QFETCH(int, error);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        textio::LineReader reader(&buffer, {8, 16});
        int lines = 0;
        QByteArray line;
        while (reader.readLine(line)) {
            ++lines;
        }
        QCOMPARE(lines, linesDelivered);
        QCOMPARE(int(reader.error()), error);
        QCOMPARE(reader.errorString().isEmpty(), error == int(textio::LineReader::Error::None));
    }

    // An endless input ends with an error at the bound, with the reader's memory bounded too.
    void endlessInput() {
        EndlessDevice zeros('\0');
        textio::LineReader reader(&zeros, {1024 * 1024, 64 * 1024 * 1024});
        QByteArray line;
        QVERIFY(!reader.readLine(line));
        QCOMPARE(reader.error(), textio::LineReader::Error::LineTooLong);
        EndlessDevice lineFeeds('\n');
        textio::LineReader lines(&lineFeeds, {1024, 4 * 1024 * 1024});
        qint64 count = 0;
        while (lines.readLine(line)) {
            ++count;
        }
        QCOMPARE(lines.error(), textio::LineReader::Error::FileTooLarge);
        QVERIFY(count <= 4 * 1024 * 1024);
    }

    // A write the device takes only in part is continued; a device that fills up fails the
    // writer, which says so.
    void shortWrites() {
        ShortWriteDevice roomy(1000);
        textio::LineWriter writer(&roomy);
        writer.writeLine("cruising_altitude=31000");
        QVERIFY(writer.flush());
        QCOMPARE(roomy.bytes, QByteArray("cruising_altitude=31000\r\n"));
        ShortWriteDevice small(10);
        textio::LineWriter full(&small);
        full.writeLine("cruising_altitude=31000");
        QVERIFY(!full.flush());
        QVERIFY(full.hasFailed());
        QCOMPARE(small.errorString(), QStringLiteral("No space left on device"));
    }

    // Only a regular file is opened; anything else is refused at once, without reading from it
    // or waiting for it.
    void inputRefusesWhatIsNoFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder") << "folder"
                                << "it is a folder, not a file";
        QTest::newRow("FIFO") << "fifo"
                              << "it is a pipe (FIFO), not a regular file";
        QTest::newRow("link to /dev/zero") << "/dev/zero"
                                           << "it is a device, not a regular file";
        QTest::newRow("link to /dev/urandom") << "/dev/urandom"
                                              << "it is a device, not a regular file";
        QTest::newRow("link in a loop") << "loop"
                                        << "Too many levels of symbolic links";
        QTest::newRow("larger than 1 GiB") << "huge"
                                           << "larger than 1 GiB";
    }
    void inputRefusesWhatIsNoFile() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        if (kind != QLatin1String("folder") && kind != QLatin1String("huge") &&
            !canPutInPlace(NotAFile::Fifo)) {
            QSKIP("this system has no FIFOs, devices or symbolic links in its folders");
        }
        ScratchFolder folder;
        const QString path = folder.filePath(QStringLiteral("Talvo.FLT"));
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(path));
        } else if (kind == QLatin1String("fifo")) {
            putSpecialFile(path, NotAFile::Fifo);
        } else if (kind == QLatin1String("loop")) {
            QVERIFY(QFile::link(path, path));
        } else if (kind == QLatin1String("huge")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(textio::LineReader::kMaxFileSize + 1)); // sparse: takes no disk
        } else {
            QVERIFY(QFile::link(kind, path));
        }
        files::InputTextFile in(QStringLiteral("Talvo.FLT"));
        QVERIFY(!in.open());
        QVERIFY2(in.errorString().contains(reason), qPrintable(in.errorString()));
    }

    void inputReportsAMissingFile() {
        ScratchFolder folder;
        files::InputTextFile in(QStringLiteral("lib\\missing.abl"));
        QVERIFY(!in.open());
        QCOMPARE(in.errorString(), QStringLiteral("file not found"));
        QCOMPARE(in.name(), QStringLiteral("lib\\missing.abl"));
    }

    void inputRefusesAFolder() {
        ScratchFolder folder;
        folder.write(QStringLiteral("plan.pln/inside"), "x");
        files::InputTextFile in(QStringLiteral("plan.pln"));
        QVERIFY(!in.open());
        QCOMPARE(in.errorString(), QStringLiteral("it is a folder, not a file"));
    }
};

QTEST_APPLESS_MAIN(TestLineReader)
#include "tst_linereader.moc"
