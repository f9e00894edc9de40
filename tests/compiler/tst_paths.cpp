// Compiles where the pilot's folders stand deep or are named outside ASCII: a saved-flights
// folder whose files' paths are longer than Windows' old limit of 260 characters, and a user
// folder such as "Zoë". The compile, a second compile over the first (backups and journal in
// the same folders) and a compile cut short and recovered all work there as anywhere else.
#include "files/faultseam.h"
#include "support/files.h"
#include "support/installation.h"

#include <QtTest>

using compiler::CompileOutcome;

namespace {

// Five folders of 60 letters: with the working folder, every path of the saved-flights folder
// is well beyond 260 characters.
QString deepFolder() {
    QStringList parts;
    for (int i = 0; i < 5; ++i) {
        parts.append(QString(60, QChar(u'a' + i)));
    }
    return parts.join(QLatin1Char('/'));
}

} // namespace

class TestPaths : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void compilesThere_data() {
        QTest::addColumn<QString>("savedFlights");
        QTest::newRow("longer than 260 characters") << deepFolder() + QStringLiteral("/fs");
        QTest::newRow("user folder outside ASCII")
            << QStringLiteral("users/Zo\u00eb/Documents/Flight Simulator Files");
        QTest::newRow("both") << QStringLiteral("Zo\u00eb/") + deepFolder();
    }
    void compilesThere() {
        QFETCH(QString, savedFlights);
        Installation installation(savedFlights);
        const QString plan = installation.work.filePath(savedFlights + QStringLiteral("/P.pln"));
        if (savedFlights.size() > 260) {
            QVERIFY(plan.size() > 300);
        }
        compiler::CompileResult result = installation.compile();
        QCOMPARE(result.message, QStringLiteral("Adventure compiled successfully!"));
        const QMap<QString, QByteArray> first = snapshot(installation.work.path());
        QVERIFY(first.value(savedFlights + QStringLiteral("/P.pln")).contains("31000"));

        // Again over the first: the plan replaced through a backup in the same deep folder.
        result = installation.compile();
        QCOMPARE(result.message, QStringLiteral("Adventure compiled successfully!"));
        QCOMPARE(snapshot(installation.work.path()), first);

        // Cut short after its replacements began: the next compile finishes it and says so.
        installation.values.cruisingAltitude = QStringLiteral("29000");
        int replaced = 0;
        files::filesystem::setFaultHook([&replaced](files::filesystem::Operation operation,
                                                    const QString&) -> std::optional<QString> {
            if (operation == files::filesystem::Operation::Replace && ++replaced == 2) {
                return QStringLiteral("Injected failure");
            }
            return std::nullopt;
        });
        result = installation.compile();
        files::filesystem::setFaultHook({});
        QCOMPARE(result.outcome, CompileOutcome::Failed);
        QVERIFY(result.message.endsWith(QStringLiteral("No file was changed.")));
        QCOMPARE(snapshot(installation.work.path()), first);
        result = installation.compile();
        QCOMPARE(result.message, QStringLiteral("Adventure compiled successfully!"));
        QVERIFY(installation.work.read(savedFlights + QStringLiteral("/P.pln")).contains("29000"));
    }
};

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
