#include "support/geometry.h"
#include "support/scratchfolder.h"
#include "support/wineprefix.h"
#include "ui/application.h"
#include "ui/directorylist.h"

#include <QDir>
#include <QSignalSpy>
#include <QtTest>

namespace {
// The path of a scratch folder as the list gives it: in the system's own notation.
QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// The root the list's chain starts from: "/", or on Windows the drive of the scratch folders.
QString rootOf(const QString& path) {
#ifdef Q_OS_WIN
    return path.left(2) + QLatin1Char('\\');
#else
    Q_UNUSED(path);
    return QStringLiteral("/");
#endif
}

QStringList shownNames(const ui::DirectoryList& list) {
    QStringList names;
    for (int row = 0; row < list.count(); ++row) {
        names.append(list.item(row)->text());
    }
    return names;
}
} // namespace

class TestDirectoryList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ui::prepareApplication(); }

    // A drive's root is the drive's folder in the pilot's Wine prefix, or "/" without one.
    void driveRoot_data() {
        QTest::addColumn<bool>("withPrefix");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected"); // <drive_c>: the prefix's C: drive
        QTest::newRow("C:\\ is drive_c") << true << "C:\\"
                                         << "<drive_c>";
        QTest::newRow("c: is drive_c") << true << "c:"
                                       << "<drive_c>";
        QTest::newRow("C:/ is drive_c") << true << "C:/"
                                        << "<drive_c>";
        QTest::newRow("Z:\\ is the root") << true << "Z:\\"
                                          << "/";
        QTest::newRow("a drive the prefix lacks") << true << "D:\\"
                                                  << "/";
        QTest::newRow("C:\\ without a prefix") << false << "C:\\"
                                               << "/";
        QTest::newRow("/") << true << "/"
                           << "/";
    }
    void driveRoot() {
#ifdef Q_OS_WIN
        QSKIP("on Windows a drive's root is the drive itself, without a Wine prefix");
#endif
        QFETCH(bool, withPrefix);
        QFETCH(QString, path);
        QFETCH(QString, expected);
        FakeWinePrefix wine;
        if (!withPrefix) {
            QVERIFY(QDir(wine.prefix()).removeRecursively());
        }
        expected.replace(QStringLiteral("<drive_c>"), wine.driveC());
        ui::DirectoryList list;
        list.setPath(path);
        QCOMPARE(list.path(), expected);
        QCOMPARE(list.item(0)->text(), QStringLiteral("/"));
        QCOMPARE(list.currentItem()->text(),
                 expected == QLatin1String("/") ? expected : QStringLiteral("drive_c"));
    }

    // The chain from the root down to the current folder, then its subfolders, hidden ones too,
    // in alphabetical order whatever the letter case; files are not shown.
    void showsTheChainAndTheSubfolders() {
        ScratchFolder work;
        work.write(QStringLiteral("Games/.wine/x"), "");
        work.write(QStringLiteral("Games/beta/x"), "");
        work.write(QStringLiteral("Games/Alpha/x"), "");
        work.write(QStringLiteral("Games/file.txt"), "");
        ui::DirectoryList list;
        list.setPath(work.filePath(QStringLiteral("Games")));
        QStringList chain = work.path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
#ifdef Q_OS_WIN
        chain.removeFirst(); // the drive, the root below
#endif
        chain.prepend(rootOf(work.path()));
        chain.append(QStringLiteral("Games"));
        QCOMPARE(shownNames(list), chain + QStringList({".wine", "Alpha", "beta"}));
        QCOMPARE(list.currentRow(), chain.size() - 1);
    }

    void openingAFolderMakesItCurrent() {
        ScratchFolder work;
        work.write(QStringLiteral("Games/Flight Simulator Files/x"), "");
        ui::DirectoryList list;
        QSignalSpy changes(&list, &ui::DirectoryList::pathChanged);
        list.setPath(work.filePath(QStringLiteral("Games")));
        QListWidgetItem* folder = list.item(list.count() - 1);
        QCOMPARE(folder->text(), QStringLiteral("Flight Simulator Files"));
        // Selecting a folder does not open it.
        list.setCurrentItem(folder);
        QCOMPARE(list.path(), shown(work.filePath(QStringLiteral("Games"))));
        Q_EMIT list.itemActivated(folder);
        QCOMPARE(list.path(), shown(work.filePath(QStringLiteral("Games/Flight Simulator Files"))));
        QCOMPARE(changes.count(), 2);
        // Opening a folder of the chain goes back up.
        Q_EMIT list.itemActivated(list.item(0));
        QCOMPARE(list.path(), rootOf(work.path()));
    }

    void doubleClickAndEnterOpen() {
        ScratchFolder work;
        work.write(QStringLiteral("Games/Sub/x"), "");
        ui::DirectoryList list;
        list.resize(300, 600);
        list.setPath(work.filePath(QStringLiteral("Games")));
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const int row = list.count() - 1;
        const QPoint centre = list.visualItemRect(list.item(row)).center();
        // A double click, as the window system delivers it: a click, then the second press.
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(list.path(), shown(work.filePath(QStringLiteral("Games/Sub"))));
        list.setCurrentRow(list.count() - 2); // the parent folder "Games"
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(list.path(), shown(work.filePath(QStringLiteral("Games"))));
    }

    // At a drive's root the other drives are listed, so that a saved-flights folder on another
    // drive (a Documents folder Windows moved there) can be reached; one opens like a folder.
    // A POSIX system has one root: nothing is added there.
    void otherDrivesAtARoot() {
        const QFileInfoList drives = QDir::drives();
        ui::DirectoryList list;
        const QString first = QDir::toNativeSeparators(drives.first().absoluteFilePath());
        list.setPath(first);
        const QStringList names = shownNames(list);
        QStringList others;
        for (const QFileInfo& drive : drives.mid(1)) {
            others.append(QDir::toNativeSeparators(drive.absoluteFilePath()));
        }
        QCOMPARE(names.mid(names.size() - others.size()), others);
        QCOMPARE(names.count(first), 1);
        if (others.isEmpty()) {
            return;
        }
        list.setCurrentRow(list.count() - 1);
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(list.path(), others.last());
        QVERIFY(shownNames(list).contains(first)); // and back again from there
    }
};

QTEST_MAIN(TestDirectoryList)
#include "tst_directorylist.moc"
