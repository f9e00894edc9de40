#include "files/filereplacement.h"

#include "files/filesystem.h"
#include "files/winpath.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace files {
namespace {

// Journal records, one a line, fields separated by tabs:
//   T <target> <names beside it that already looked like its temporary files>
//   B <backup of a target's old contents>
constexpr char kTargetRecord = 'T';
constexpr char kBackupRecord = 'B';

// The file a target name stands for once symbolic links are followed: the temporary file of a
// target is made beside it.
QString resolved(const QString& path) {
    QFileInfo info(path);
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth) {
        info.setFile(info.symLinkTarget());
    }
    return info.filePath();
}

// A temporary file of a target is named after it: the target's name, a dot and six letters or
// digits ("KSEA-PANC.pln.a8Zq3T"). Where the system offers unnamed temporary files, the name
// shows only for a moment before the target is replaced.
bool looksLikeTemporaryOf(const QString& entry, const QString& target) {
    if (entry.size() != target.size() + 7 || !entry.startsWith(target) ||
        entry[target.size()] != u'.') {
        return false;
    }
    for (qsizetype i = target.size() + 1; i < entry.size(); ++i) {
        const char16_t c = entry[i].unicode();
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))) {
            return false;
        }
    }
    return true;
}

QStringList temporaryLookalikes(const QString& target) {
    const QFileInfo info(target);
    QStringList names;
    const QStringList entries =
        info.dir().entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString& entry : entries) {
        if (looksLikeTemporaryOf(entry, info.fileName())) {
            names.append(entry);
        }
    }
    return names;
}

QString backupName(const QString& target) {
    QString name = target + QStringLiteral(".talvo-backup");
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n) {
        name = target + QStringLiteral(".talvo-backup-%1").arg(n);
    }
    return name;
}

} // namespace

FileReplacement::FileReplacement(const QString& journalName)
    : journalPath_(localPath(journalName)) {}

FileReplacement::~FileReplacement() {
    targets_.clear(); // drops the temporary files of anything not committed
    if (journal_.isOpen()) {
        journal_.close();
        QFile::remove(journalPath_);
    }
}

bool FileReplacement::fail(const QString& path, const QString& action, const QString& reason) {
    failure_ = {path, action, reason, failure_.restored};
    return false;
}

bool FileReplacement::journal(const QByteArray& record) {
    if (!journal_.isOpen()) {
        journal_.setFileName(journalPath_);
        if (!journal_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
            return fail(journalPath_, QStringLiteral("written"), journal_.errorString());
        }
    }
    const QByteArray line = record + '\n';
    if (journal_.write(line) != line.size()) {
        return fail(journalPath_, QStringLiteral("written"), journal_.errorString());
    }
    return true;
}

OutputTextFile* FileReplacement::add(const QString& windowsName) {
    auto file = std::make_unique<OutputTextFile>(windowsName);
    const QString target = resolved(localPath(windowsName));
    const QStringList lookalikes = temporaryLookalikes(target);
    QByteArray record = QByteArray(1, kTargetRecord) + '\t' + target.toUtf8();
    for (const QString& name : lookalikes) {
        record += '\t' + name.toUtf8();
    }
    if (!journal(record)) {
        return nullptr;
    }
    if (!file->open()) {
        fail(file->path(), QStringLiteral("written"), file->errorString());
        return nullptr;
    }
    targets_.push_back({std::move(file), QString()});
    return targets_.back().file.get();
}

bool FileReplacement::makeBackups() {
    for (Target& target : targets_) {
        const QString path = resolved(target.file->path());
        if (!QFileInfo(path).isFile()) {
            continue; // a new file: undone by removing it
        }
        const QString backup = backupName(path);
        if (!journal(QByteArray(1, kBackupRecord) + '\t' + backup.toUtf8())) {
            removeBackups();
            return false;
        }
        // A second name costs nothing; where the file system has none, a copy.
        if (filesystem::hardLink(path, backup) && !QFile::copy(path, backup)) {
            removeBackups();
            return fail(path, QStringLiteral("replaced"),
                        QStringLiteral("its old contents cannot be kept for the time of the "
                                       "replacement in %1")
                            .arg(backup));
        }
        target.backup = backup;
    }
    return true;
}

void FileReplacement::removeBackups() {
    for (Target& target : targets_) {
        if (!target.backup.isEmpty()) {
            QFile::remove(target.backup);
            target.backup.clear();
        }
    }
}

void FileReplacement::rollBack(std::size_t replaced) {
    for (std::size_t i = replaced; i-- > 0;) {
        Target& target = targets_[i];
        const QString path = resolved(target.file->path());
        if (target.backup.isEmpty()) {
            QFile::remove(path);
            continue;
        }
        if (filesystem::replaceFile(target.backup, path)) {
            failure_.restored +=
                QStringLiteral("The old contents of %1 are kept in %2. ").arg(path, target.backup);
        }
        target.backup.clear();
    }
}

bool FileReplacement::commit() {
    for (const Target& target : targets_) {
        if (!target.file->finish()) {
            return fail(target.file->path(), QStringLiteral("written"), target.file->errorString());
        }
    }
    if (!makeBackups()) {
        return false;
    }
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        OutputTextFile& file = *targets_[i].file;
        if (!file.commit()) {
            const QString reason = file.errorString();
            rollBack(i);
            removeBackups();
            return fail(resolved(file.path()), QStringLiteral("replaced"), reason);
        }
    }
    removeBackups();
    return true;
}

void FileReplacement::cleanUpAfterInterruption(const QString& journalName) {
    const QString path = localPath(journalName);
    QFile journal(path);
    if (!journal.open(QIODevice::ReadOnly)) {
        return;
    }
    const QList<QByteArray> records = journal.readAll().split('\n');
    journal.close();
    for (const QByteArray& record : records) {
        const QList<QByteArray> fields = record.split('\t');
        if (fields.size() < 2 || fields[0].size() != 1) {
            continue;
        }
        const QString file = QString::fromUtf8(fields[1]);
        if (fields[0][0] == kBackupRecord) {
            QFile::remove(file);
            continue;
        }
        if (fields[0][0] != kTargetRecord) {
            continue;
        }
        QSet<QString> before;
        for (qsizetype i = 2; i < fields.size(); ++i) {
            before.insert(QString::fromUtf8(fields[i]));
        }
        const QFileInfo target(file);
        for (const QString& name : temporaryLookalikes(file)) {
            if (!before.contains(name)) {
                QFile::remove(target.dir().filePath(name));
            }
        }
    }
    QFile::remove(path);
}

} // namespace files
