// A file of the adventure the pilot (or a copy from a CD, or an archive) made read-only: on
// Windows its read-only attribute, on Linux a file without write permission. The compile refuses
// with the same words on both systems, names the file, and changes nothing. Run as an ordinary
// user on Linux (see unprivileged.sh): root writes every file.
#include "support/files.h"
#include "support/installation.h"

#include <QDir>
#include <QtTest>

using compiler::CompileOutcome;

class TestReadOnly : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusedWithTheSameWords_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("the flight plan") << "fs/P.pln";
        QTest::newRow("an earlier adventure flight") << "P.flt";
        QTest::newRow("an earlier adventure script") << "lib/P.abl";
    }
    void refusedWithTheSameWords() {
        QFETCH(QString, file);
        Installation installation;
        QCOMPARE(installation.compile().outcome, CompileOutcome::Compiled);
        const QString path = installation.work.filePath(file);
        const QFileDevice::Permissions writable = QFile::permissions(path);
        QVERIFY(QFile::setPermissions(
            path, writable & ~(QFileDevice::WriteOwner | QFileDevice::WriteUser |
                               QFileDevice::WriteGroup | QFileDevice::WriteOther)));
        if (QFileInfo(path).isWritable()) {
            QFile::setPermissions(path, writable);
            QSKIP("this user writes read-only files (root): run through unprivileged.sh");
        }
        const QMap<QString, QByteArray> before = snapshot(installation.work.path());
        installation.values.cruisingAltitude = QStringLiteral("29000");
        const compiler::CompileResult result = installation.compile();
        QFile::setPermissions(path, writable);
        QCOMPARE(result.outcome, CompileOutcome::Failed);
        QCOMPARE(result.message, QStringLiteral("Cannot compile the Adventure.\nThe file %1 "
                                                "cannot be written: Permission denied.\nNo "
                                                "file was changed.")
                                     .arg(QDir::toNativeSeparators(path)));
        QCOMPARE(snapshot(installation.work.path()), before);
    }
};

QTEST_GUILESS_MAIN(TestReadOnly)
#include "tst_readonly.moc"
