#include "scriptcheck/scriptcheck.h"

#include <QFile>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray templateBytes(const char* name) {
    QFile file(QStringLiteral(TALVO_DATA_DIR "/lib/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the template %s", name);
    return file.readAll();
}

// The templates as a pilot adapts them: every placeholder replaced by a simulator's name, in
// the code and in the host lines alike.
QByteArray adapted(QByteArray bytes) {
    return bytes.replace("SimVar_", "FsVar_").replace("SimCall_", "FsCall_");
}

int lineCount(const QByteArray& bytes) {
    return int(bytes.count('\n'));
}

// As the compile writes the script: the opening template, six lines, the closing template.
QByteArray assembled(const QByteArray& opening, const QStringList& speeds,
                     const QList<bool>& options, const QByteArray& closing) {
    auto option = [](const char* name, bool on) {
        return QByteArray(name) + (on ? " = 1;\r\n" : " = 0;\r\n");
    };
    return opening + "nV1=" + speeds[0].toLatin1() + ";\r\n" + "nVr=" + speeds[1].toLatin1() +
           ";\r\n" + "nV2=" + speeds[2].toLatin1() + ";\r\n" + option("CallSpeed", options[0]) +
           option("CallList", options[1]) + option("RateFlight", options[2]) + closing;
}

} // namespace

class TestTemplates : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void templatesEndInCrLf() {
        QVERIFY(templateBytes("Talvo.abl").endsWith("\r\n"));
        QVERIFY(templateBytes("Talvo2.abl").endsWith("\r\n"));
    }

    // The verdict on the adapted templates around the six lines a compile writes; the line is
    // counted from the first of the six (0: the script loads).
    void adaptedScript_data() {
        QTest::addColumn<QStringList>("speeds");
        QTest::addColumn<QList<bool>>("options");
        QTest::addColumn<int>("settingsLine");
        QTest::addColumn<QString>("message");
        const QList<bool> allOn{true, true, true};
        QTest::newRow("typical") << QStringList{"142", "157", "172"} << allOn << 0 << QString();
        QTest::newRow("all options off") << QStringList{"142", "157", "172"}
                                         << QList<bool>{false, false, false} << 0 << QString();
        QTest::newRow("decimal speeds")
            << QStringList{"150.5", "157", "172.25"} << allOn << 0 << QString();
        QTest::newRow("whole numbers beyond 32 bits, as the window takes them")
            << QStringList{"-99999999999", "-2147483648", "2147483648"} << allOn << 0 << QString();
        QTest::newRow("empty V1 box")
            << QStringList{"", "157", "172"} << allOn << 1 << u"expression expected"_s;
        QTest::newRow("empty V2 box")
            << QStringList{"142", "157", ""} << allOn << 3 << u"expression expected"_s;
        QTest::newRow("letters after the digits")
            << QStringList{"142", "12abc", "172"} << allOn << 2 << u"; expected"_s;
        QTest::newRow("decimal comma")
            << QStringList{"148,5", "157", "172"} << allOn << 1 << u"; expected"_s;
        QTest::newRow("exponent") << QStringList{"142", "157", "1e2"} << allOn << 3
                                  << u"a number cannot have an exponent: write it with digits "
                                     "and at most one decimal point"_s;
    }
    void adaptedScript() {
        QFETCH(QStringList, speeds);
        QFETCH(QList<bool>, options);
        QFETCH(int, settingsLine);
        QFETCH(QString, message);
        const QByteArray opening = adapted(templateBytes("Talvo.abl"));
        const QByteArray script =
            assembled(opening, speeds, options, adapted(templateBytes("Talvo2.abl")));
        const std::optional<scriptcheck::Problem> problem = scriptcheck::checkScript(script);
        if (settingsLine == 0) {
            QVERIFY2(!problem,
                     qPrintable(problem ? u"%1: %2"_s.arg(problem->line).arg(problem->message)
                                        : QString()));
            return;
        }
        QVERIFY(problem);
        QCOMPARE(problem->message, message);
        QCOMPARE(problem->line, lineCount(opening) + settingsLine);
    }

    // As shipped, the opening template still holds placeholders: the first one used in the
    // code is named, on its line, and not one in a comment.
    void shippedTemplatesNameTheFirstPlaceholder() {
        const QByteArray opening = templateBytes("Talvo.abl");
        const QList<QByteArray> lines = opening.split('\n');
        int firstUse = 0;
        for (int i = 0; i < lines.size() && firstUse == 0; ++i) {
            if (lines[i].contains("SimVar_") && !lines[i].trimmed().startsWith("//"))
                firstUse = i + 1;
        }
        QVERIFY(firstUse > 0);
        const auto problem = scriptcheck::checkScript(assembled(
            opening, {"142", "157", "172"}, {true, true, true}, templateBytes("Talvo2.abl")));
        QVERIFY(problem);
        QCOMPARE(problem->line, firstUse);
        QCOMPARE(problem->placeholder, u"SimVar_IndicatedAirspeed"_s);
        QCOMPARE(problem->message, u"SimVar_IndicatedAirspeed is a placeholder: replace it with "
                                   "your simulator's name"_s);
    }

    // A slip in the templates' own names or in the host lines is caught, where it stands.
    void slipsInAdaptedTemplates_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("message");
        QTest::newRow("own variable misspelt")
            << QByteArray("bDoneFlapsUp = true;") << QByteArray("bDoneFlapUp = true;")
            << u"bDoneFlapUp is not declared"_s;
        QTest::newRow("host name left out")
            << QByteArray("\n//  host  real     FsVar_IndicatedAirspeed") << QByteArray("\n//")
            << u"FsVar_IndicatedAirspeed is not declared"_s;
        QTest::newRow("host value returned directly")
            << QByteArray("  return (fValue > 0.5);") << QByteArray("  return (FsVar_OnGround);")
            << u"return gives a real, but IsOnGround gives a boolean"_s;
    }
    void slipsInAdaptedTemplates() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, message);
        QByteArray opening = adapted(templateBytes("Talvo.abl"));
        const qsizetype at = opening.indexOf(from);
        QVERIFY(at >= 0);
        const int line = int(opening.left(at).count('\n')) + 1;
        opening.replace(at, from.size(), to);
        const auto problem =
            scriptcheck::checkScript(assembled(opening, {"142", "157", "172"}, {true, true, true},
                                               adapted(templateBytes("Talvo2.abl"))));
        QVERIFY(problem);
        QCOMPARE(problem->message, message);
        if (!to.startsWith("\n"))
            QCOMPARE(problem->line, line);
    }
};

QTEST_APPLESS_MAIN(TestTemplates)
#include "tst_templates.moc"
