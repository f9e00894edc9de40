#include "files/filereplacement.h"

#include "files/filesystem.h"
#include "files/replacementsteps.h"
#include "files/winpath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace files {
namespace {

FileReplacement::Interruption& interruption() {
    static FileReplacement::Interruption hook;
    return hook;
}

// A backup of a target that has no second name on its file system: a copy, synced to the disk.
std::optional<QString> copyToBackup(const QString& target, const QString& backup) {
    QFile source(target);
    if (!source.copy(backup)) {
        return source.errorString();
    }
    QFile copy(backup);
    std::optional<QString> why;
    if (!copy.open(QIODevice::ReadWrite)) {
        why = copy.errorString();
    } else {
        why = filesystem::syncToDisk(copy);
        copy.close();
    }
    if (why) {
        filesystem::removeFile(backup); // the copy just made
    }
    return why;
}

} // namespace

void FileReplacement::setInterruptionForTesting(Interruption hook) {
    interruption() = std::move(hook);
}

FileReplacement::FileReplacement(const QString& journalName, const QString& workingFolder)
    : journalPath_(localPath(journalName))
    , workingFolder_(workingFolder) {}

FileReplacement::~FileReplacement() {
    if (!over_) {
        for (const std::unique_ptr<StagedFile>& file : files_) {
            file->close();
        }
        closeJournal(steps::removeMadeFiles(recorded_));
    }
}

// The journal goes once nothing it records is left; otherwise it stays for the next start or
// compile to finish the clean-up.
void FileReplacement::closeJournal(bool clean) {
    if (!journal_.isOpen()) {
        return;
    }
    if (clean) {
        journal_.remove();
    } else {
        journal_.keep();
    }
}

QString FileReplacement::targetPath(const QString& windowsName) {
    QFileInfo info(localPath(windowsName));
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth) {
        info.setFile(info.symLinkTarget());
    }
    return QDir::cleanPath(info.absoluteFilePath());
}

bool FileReplacement::fail(const QString& path, const QString& action, const QString& reason) {
    failure_ = {path, action, reason, failure_.restored};
    return false;
}

// Before any target is replaced: the new versions and backups go, and so does the journal.
bool FileReplacement::failAndUndo(const QString& path, const QString& action,
                                  const QString& reason) {
    for (const std::unique_ptr<StagedFile>& file : files_) {
        file->close();
    }
    closeJournal(steps::removeMadeFiles(recorded_));
    over_ = true;
    return fail(path, action, reason);
}

bool FileReplacement::cutShort(Moment moment, int index) {
    if (interruption() && !interruption()(moment, index)) {
        for (const std::unique_ptr<StagedFile>& file : files_) {
            file->close();
        }
        journal_.keep();
        over_ = true;
        failure_ = {journalPath_, QStringLiteral("finished"),
                    QStringLiteral("the replacement was cut short"), QString()};
        return true;
    }
    return false;
}

bool FileReplacement::openJournal() {
    if (journal_.isOpen()) {
        return true;
    }
    if (filesystem::entryKind(journalPath_) != filesystem::EntryKind::Missing) {
        return fail(journalPath_, QStringLiteral("written"),
                    QStringLiteral("a file of that name is in the way"));
    }
    if (const std::optional<QString> why = journal_.create(journalPath_, workingFolder_)) {
        return fail(journalPath_, QStringLiteral("written"), *why);
    }
    recorded_.workingFolder = workingFolder_;
    return true;
}

StagedFile* FileReplacement::add(const QString& windowsName) {
    const QString target = targetPath(windowsName);
    const filesystem::EntryKind kind = filesystem::entryKind(target);
    if (kind == filesystem::EntryKind::Other) {
        fail(target, QStringLiteral("written"), QStringLiteral("it is not a regular file"));
        return nullptr;
    }
    if (kind == filesystem::EntryKind::RegularFile && !QFileInfo(target).isWritable()) {
        fail(target, QStringLiteral("written"), QStringLiteral("Permission denied"));
        return nullptr;
    }
    if (!openJournal()) {
        return nullptr;
    }
    auto file = std::make_unique<StagedFile>(windowsName, target);
    // The name goes into the journal before the file is made: a program that ends in between
    // leaves nothing the journal does not name.
    QString name = newVersionName(target);
    while (filesystem::entryKind(name) != filesystem::EntryKind::Missing) {
        name = newVersionName(target);
    }
    recorded_.unmadeNewVersions.push_back({target, name, {}, false});
    if (const std::optional<QString> why = journal_.recordNewVersionName(target, name)) {
        fail(journalPath_, QStringLiteral("written"), *why);
        return nullptr;
    }
    if (const std::optional<QString> why = file->create(name)) {
        fail(target, QStringLiteral("written"), *why);
        return nullptr;
    }
    recorded_.unmadeNewVersions.pop_back();
    const JournalFile entry{target, file->newVersion(), file->identity(), false};
    recorded_.newVersions.push_back(entry);
    if (const std::optional<QString> why = journal_.recordNewVersion(entry)) {
        fail(journalPath_, QStringLiteral("written"), *why);
        return nullptr;
    }
    files_.push_back(std::move(file));
    return files_.back().get();
}

bool FileReplacement::finishNewVersions() {
    for (std::size_t i = 0; i < files_.size(); ++i) {
        StagedFile& file = *files_[i];
        if (const std::optional<QString> why = file.finish()) {
            return failAndUndo(file.path(), QStringLiteral("written"), *why);
        }
        JournalFile& entry = recorded_.newVersions[i];
        entry.identity = file.identity();
        entry.finished = true;
        if (const std::optional<QString> why = journal_.recordFinished(entry)) {
            return failAndUndo(journalPath_, QStringLiteral("written"), *why);
        }
    }
    return true;
}

bool FileReplacement::makeBackups() {
    for (const JournalFile& version : recorded_.newVersions) {
        if (filesystem::entryKind(version.target) != filesystem::EntryKind::RegularFile) {
            continue; // a new file: undone by removing it
        }
        QString backup = backupName(version.target);
        while (filesystem::entryKind(backup) != filesystem::EntryKind::Missing) {
            backup = backupName(version.target);
        }
        recorded_.unmadeBackups.push_back({version.target, backup, {}, false});
        if (const std::optional<QString> why = journal_.recordBackupName(version.target, backup)) {
            return failAndUndo(journalPath_, QStringLiteral("written"), *why);
        }
        // A second name costs nothing; where the file system has none, a copy.
        if (filesystem::hardLink(version.target, backup) && copyToBackup(version.target, backup)) {
            return failAndUndo(version.target, QStringLiteral("replaced"),
                               QStringLiteral("its old contents cannot be kept for the time of "
                                              "the replacement in %1")
                                   .arg(QDir::toNativeSeparators(backup)));
        }
        const std::optional<filesystem::FileIdentity> identity = filesystem::fileIdentity(backup);
        if (!identity) {
            filesystem::removeFile(backup);
            return failAndUndo(version.target, QStringLiteral("replaced"),
                               QStringLiteral("its backup %1 cannot be told from other files")
                                   .arg(QDir::toNativeSeparators(backup)));
        }
        const JournalFile entry{version.target, backup, *identity, true};
        recorded_.unmadeBackups.pop_back();
        recorded_.backups.push_back(entry);
        if (const std::optional<QString> why = journal_.recordBackup(entry)) {
            return failAndUndo(journalPath_, QStringLiteral("written"), *why);
        }
    }
    return true;
}

bool FileReplacement::replaceTargets() {
    const std::optional<steps::Problem> problem = steps::replaceTargets(recorded_);
    if (!problem) {
        return true;
    }
    // From here on the journal says to undo: an end of the program while the old contents come
    // back is undone too.
    recorded_.stage = JournalStage::RollingBack;
    journal_.recordStage(JournalStage::RollingBack);
    const steps::Kept kept = steps::restoreTargets(recorded_);
    const bool clean = steps::removeMadeFiles(recorded_, kept.sentences);
    steps::syncFolders(recorded_);
    over_ = true;
    // What could not be put back stays in the journal: the next compile tries again.
    closeJournal(clean && !kept.retry);
    failure_.restored = kept.sentences.join(u' ');
    return fail(problem->path, problem->action, problem->reason);
}

bool FileReplacement::commit() {
    if (!finishNewVersions()) {
        return false;
    }
    if (cutShort(Moment::NewVersionsWritten)) {
        return false;
    }
    if (!makeBackups()) {
        return false;
    }
    // The new versions, the backups and their records reach the disk before any target is
    // replaced; then the journal says the targets are being replaced.
    if (const std::optional<steps::Problem> problem = steps::syncFolders(recorded_)) {
        return failAndUndo(problem->path, problem->action, problem->reason);
    }
    if (const std::optional<QString> why = journal_.sync()) {
        return failAndUndo(journalPath_, QStringLiteral("written"), *why);
    }
    if (cutShort(Moment::BackupsMade)) {
        return false;
    }
    if (const std::optional<QString> why = journal_.recordStage(JournalStage::Replacing)) {
        return failAndUndo(journalPath_, QStringLiteral("written"), *why);
    }
    recorded_.stage = JournalStage::Replacing;
    if (cutShort(Moment::ReplacingRecorded)) {
        return false;
    }
    if (interruption()) {
        // Tests cut the replacement short after each target.
        JournalContents one = recorded_;
        for (std::size_t i = 0; i < recorded_.newVersions.size(); ++i) {
            one.newVersions.assign(recorded_.newVersions.begin(),
                                   recorded_.newVersions.begin() + static_cast<qsizetype>(i) + 1);
            if (steps::replaceTargets(one)) {
                break;
            }
            if (cutShort(Moment::TargetReplaced, static_cast<int>(i) + 1)) {
                return false;
            }
        }
    }
    if (!replaceTargets()) {
        return false;
    }
    // The replacements are done; a folder that cannot be synced now holds them all the same.
    steps::syncFolders(recorded_);
    if (cutShort(Moment::AllReplaced)) {
        return false;
    }
    closeJournal(steps::removeMadeFiles(recorded_));
    over_ = true;
    return true;
}

} // namespace files
