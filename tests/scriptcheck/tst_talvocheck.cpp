#include "support/scratchfolder.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// A console program ends its lines as its system does, with CR LF on Windows: the tests compare
// the lines.
QString lines(const QByteArray& output) {
    QString text = QString::fromUtf8(output);
#ifdef Q_OS_WIN
    text.replace(u"\r\n"_s, u"\n"_s);
#endif
    return text;
}

Run talvoCheck(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(TALVO_CHECK), arguments);
    if (!process.waitForFinished(30000))
        qFatal("talvo-check did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            lines(process.readAllStandardOutput()), lines(process.readAllStandardError())};
}

QByteArray templateBytes(const char* name) {
    QFile file(QStringLiteral(TALVO_DATA_DIR "/lib/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the template %s", name);
    return file.readAll();
}

const QByteArray kGood = "module T;\r\nvar integer a;\r\ncode\r\na = 1;\r\nendmodule.\r\n";
const QByteArray kBad = "module T;\r\nvar integer a;\r\ncode\r\na = 1.5;\r\nendmodule.\r\n";

} // namespace

class TestTalvoCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void version() {
        const Run run = talvoCheck({u"--version"_s});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, u"talvo-check 1.0.0\n"_s);
    }

    void help() {
        const Run run = talvoCheck({u"--help"_s});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.startsWith(u"usage: talvo-check [--help] [--version] SCRIPT..."_s));
        QVERIFY(run.out.contains(u"host"_s));
    }

    void wrongUse_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no script") << QStringList{};
        QTest::newRow("unknown option") << QStringList{u"--fix"_s};
    }
    void wrongUse() {
        QFETCH(QStringList, arguments);
        const Run run = talvoCheck(arguments);
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.contains(u"usage: talvo-check"_s));
    }

    // Every file gets its verdict; the status is the worst of them.
    void verdicts() {
        ScratchFolder folder;
        folder.write(u"good.abl"_s, kGood);
        folder.write(u"bad.abl"_s, kBad);
        Run run = talvoCheck({u"good.abl"_s});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, u"good.abl: the simulator will load this script\n"_s);

        run = talvoCheck({u"bad.abl"_s, u"good.abl"_s});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, u"bad.abl:4: cannot assign a real to an integer\n"
                          "good.abl: the simulator will load this script\n"_s);

        run = talvoCheck({u"missing.abl"_s, u"bad.abl"_s});
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.startsWith(u"missing.abl: cannot be read: "_s));
        QVERIFY(run.out.endsWith(u"bad.abl:4: cannot assign a real to an integer\n"_s));
    }

    // A template is checked together with the other one beside it, found in any letter case,
    // and a problem is named in the file and line where it stands.
    void templates() {
        ScratchFolder folder;
        QByteArray opening = templateBytes("Talvo.abl");
        const QByteArray closing = templateBytes("Talvo2.abl");
        folder.write(u"lib/Talvo.abl"_s, opening);
        folder.write(u"lib/TALVO2.ABL"_s, closing);
        const int firstUse =
            int(opening.left(opening.indexOf("  fValue = SimVar_")).count('\n')) + 1;
        Run run = talvoCheck({u"lib/Talvo.abl"_s});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, u"lib/Talvo.abl:%1: SimVar_IndicatedAirspeed is a placeholder: replace "
                          "it with your simulator's name\n"_s.arg(firstUse));

        opening.replace("SimVar_", "FsVar_").replace("SimCall_", "FsCall_");
        folder.write(u"lib/Talvo.abl"_s, opening);
        run = talvoCheck({u"lib/TALVO2.ABL"_s});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, u"lib/TALVO2.ABL: the simulator will load this script\n"_s);

        QByteArray broken = closing;
        broken.replace("  fIAS = GetIAS;", "  fIAS = GetIAS");
        const int line = int(broken.left(broken.indexOf("  fIAS = GetIAS")).count('\n')) + 1;
        folder.write(u"lib/TALVO2.ABL"_s, broken);
        run = talvoCheck({u"lib/Talvo.abl"_s});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, u"lib/TALVO2.ABL:%1: ; expected\n"_s.arg(line));
    }

    void templateWithoutPartner() {
        ScratchFolder folder;
        folder.write(u"lib/Talvo.abl"_s, templateBytes("Talvo.abl"));
        const Run run = talvoCheck({u"lib/Talvo.abl"_s});
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.startsWith(u"lib/Talvo2.abl: cannot be read: "_s));
    }
};

QTEST_MAIN(TestTalvoCheck)
#include "tst_talvocheck.moc"
