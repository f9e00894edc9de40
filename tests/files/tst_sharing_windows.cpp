// Windows only: another program holding a file open without sharing it (the simulator, an
// editor, a virus scanner, a cloud client). A brief hold is waited out; a long one is reported as
// such, after about two seconds, for a read, a replacement and a removal alike.
#include "files/filesystem.h"
#include "support/scratchfolder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QtTest>
#include <thread>
#include <windows.h>

namespace {

// Opens the file as a program that shares it with nobody would.
HANDLE holdWithoutSharing(const QString& path) {
    return CreateFileW(QDir::toNativeSeparators(path).toStdWString().c_str(), GENERIC_READ, 0,
                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

const QString kHeld = QStringLiteral("another program holds it open (close it in the simulator, an "
                                     "editor or whatever else has it open, then try again)");

} // namespace

class TestSharing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void heldFile_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("holdMilliseconds"); // -1: held throughout
        QTest::newRow("read, held briefly") << "read" << 300;
        QTest::newRow("read, held throughout") << "read" << -1;
        QTest::newRow("replace, held briefly") << "replace" << 300;
        QTest::newRow("replace, held throughout") << "replace" << -1;
        QTest::newRow("remove, held briefly") << "remove" << 300;
        QTest::newRow("remove, held throughout") << "remove" << -1;
    }
    void heldFile() {
        QFETCH(QString, operation);
        QFETCH(int, holdMilliseconds);
        ScratchFolder folder;
        folder.write(QStringLiteral("Talvo.FLT"), "old");
        folder.write(QStringLiteral("Talvo.FLT.new"), "new");
        const QString path = folder.filePath(QStringLiteral("Talvo.FLT"));
        const HANDLE holder = holdWithoutSharing(path);
        QVERIFY(holder != INVALID_HANDLE_VALUE);
        std::thread release;
        if (holdMilliseconds >= 0) {
            release = std::thread([holder, holdMilliseconds] {
                Sleep(static_cast<DWORD>(holdMilliseconds));
                CloseHandle(holder);
            });
        }
        QElapsedTimer clock;
        clock.start();
        std::optional<QString> failure;
        QFile file;
        if (operation == QLatin1String("read")) {
            failure = files::filesystem::openRegularFile(path, file, 1 << 20);
        } else if (operation == QLatin1String("replace")) {
            failure = files::filesystem::replaceFile(
                folder.filePath(QStringLiteral("Talvo.FLT.new")), path);
        } else {
            failure = files::filesystem::removeFile(path);
        }
        const qint64 waited = clock.elapsed();
        file.close();
        if (release.joinable()) {
            release.join();
            QVERIFY2(!failure, qPrintable(failure.value_or(QString())));
        } else {
            CloseHandle(holder);
            QCOMPARE(failure.value_or(QString()), kHeld);
            QVERIFY2(waited >= 1900 && waited < 5000, qPrintable(QString::number(waited)));
            // Nothing changed: the file is whole and old.
            QCOMPARE(folder.read(QStringLiteral("Talvo.FLT")), QByteArray("old"));
        }
    }
};

QTEST_GUILESS_MAIN(TestSharing)
#include "tst_sharing_windows.moc"
