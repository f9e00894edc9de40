#include "support/scratchfolder.h"
#include "textio/linereader.h"
#include "textio/linewriter.h"
#include "textio/textfiles.h"

#include <QBuffer>
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
            textio::OutputTextFile out(QStringLiteral("plan.pln"));
            QVERIFY(out.open());
            out.writeLine("new");
        }
        QCOMPARE(folder.read(QStringLiteral("plan.pln")), QByteArray("old\r\n"));
        textio::OutputTextFile out(QStringLiteral("PLAN.PLN"));
        QVERIFY(out.open());
        out.writeLine("new");
        QVERIFY(out.commit());
        QCOMPARE(folder.read(QStringLiteral("plan.pln")), QByteArray("new\r\n"));
        QVERIFY(!folder.exists(QStringLiteral("PLAN.PLN")));
    }

    void inputReportsAMissingFile() {
        ScratchFolder folder;
        textio::InputTextFile in(QStringLiteral("lib\\missing.abl"));
        QVERIFY(!in.open());
        QCOMPARE(in.errorString(), QStringLiteral("file not found"));
        QCOMPARE(in.name(), QStringLiteral("lib\\missing.abl"));
    }

    void inputRefusesAFolder() {
        ScratchFolder folder;
        folder.write(QStringLiteral("plan.pln/inside"), "x");
        textio::InputTextFile in(QStringLiteral("plan.pln"));
        QVERIFY(!in.open());
        QCOMPARE(in.errorString(), QStringLiteral("it is a folder, not a file"));
    }
};

QTEST_APPLESS_MAIN(TestLineReader)
#include "tst_linereader.moc"
