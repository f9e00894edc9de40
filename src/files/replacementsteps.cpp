#include "files/replacementsteps.h"

#include "files/filesystem.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace files::steps {
namespace {

const JournalFile* backupOf(const JournalContents& journal, const QString& target) {
    for (const JournalFile& backup : journal.backups) {
        if (backup.target == target) {
            return &backup;
        }
    }
    return nullptr;
}

// The file at path is the one the journal recorded: the same file, of the recorded size.
bool isRecorded(const QString& path, const JournalFile& file) {
    const std::optional<filesystem::FileIdentity> now = filesystem::fileIdentity(path);
    return now && now->sameFile(file.identity) && now->size == file.identity.size;
}

bool isSameFile(const QString& path, const JournalFile& file) {
    const std::optional<filesystem::FileIdentity> now = filesystem::fileIdentity(path);
    return now && now->sameFile(file.identity);
}

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

int pendingReplacements(const JournalContents& journal) {
    int pending = 0;
    for (const JournalFile& version : journal.newVersions) {
        pending += version.finished && isRecorded(version.path, version) ? 1 : 0;
    }
    return pending;
}

std::optional<Problem> replaceTargets(const JournalContents& journal) {
    for (const JournalFile& version : journal.newVersions) {
        if (version.finished && isRecorded(version.path, version)) {
            if (const std::optional<QString> why =
                    filesystem::replaceFile(version.path, version.target)) {
                return Problem{version.target, QStringLiteral("replaced"), *why};
            }
            continue;
        }
        if (!isSameFile(version.target, version)) {
            return Problem{version.target, QStringLiteral("replaced"),
                           QStringLiteral("its new version %1 is no longer there as it was "
                                          "written")
                               .arg(native(version.path))};
        }
    }
    return std::nullopt;
}

Kept restoreTargets(const JournalContents& journal) {
    Kept kept;
    for (auto it = journal.newVersions.rbegin(); it != journal.newVersions.rend(); ++it) {
        const JournalFile& version = *it;
        const JournalFile* backup = backupOf(journal, version.target);
        const bool isNew = isSameFile(version.target, version);
        if (!backup) {
            if (isNew && !filesystem::removeFile(version.target)) {
                ++kept.restored;
            }
            continue;
        }
        if (isSameFile(version.target, *backup)) {
            continue; // never replaced
        }
        if (!isRecorded(backup->path, *backup)) {
            kept.sentences.append(QStringLiteral("The old contents of %1 are lost: its backup %2 "
                                                 "is no longer there.")
                                      .arg(native(version.target), native(backup->path)));
            continue;
        }
        std::optional<QString> why;
        if (!isNew && filesystem::entryKind(version.target) != filesystem::EntryKind::Missing) {
            why = QStringLiteral("%1 was changed by another program in the meantime")
                      .arg(native(version.target));
        } else {
            why = filesystem::replaceFile(backup->path, version.target);
            kept.retry = kept.retry || why.has_value();
            kept.restored += why ? 0 : 1;
        }
        if (why) {
            kept.sentences.append(QStringLiteral("The old contents of %1 are kept in %2 (%3).")
                                      .arg(native(version.target), native(backup->path), *why));
        }
    }
    return kept;
}

QString foreignFile(const JournalContents& journal) {
    for (const JournalFile& version : journal.newVersions) {
        if (filesystem::entryKind(version.path) != filesystem::EntryKind::Missing &&
            !isSameFile(version.path, version)) {
            return version.path;
        }
    }
    for (const JournalFile& backup : journal.backups) {
        if (filesystem::entryKind(backup.path) != filesystem::EntryKind::Missing &&
            !isRecorded(backup.path, backup)) {
            return backup.path;
        }
    }
    return QString();
}

bool removeMadeFiles(const JournalContents& journal, const QStringList& keep) {
    bool removed = true;
    // A file the program ended while making: an empty new version, or a second name of its
    // target.
    for (const JournalFile& unmade : journal.unmadeNewVersions) {
        const std::optional<filesystem::FileIdentity> now = filesystem::fileIdentity(unmade.path);
        if (now && now->size == 0) {
            removed &= !filesystem::removeFile(unmade.path);
        }
    }
    for (const JournalFile& unmade : journal.unmadeBackups) {
        const std::optional<filesystem::FileIdentity> now = filesystem::fileIdentity(unmade.path);
        const std::optional<filesystem::FileIdentity> target =
            filesystem::fileIdentity(unmade.target);
        if (now && target && now->sameFile(*target)) {
            removed &= !filesystem::removeFile(unmade.path);
        }
    }
    for (const JournalFile& version : journal.newVersions) {
        if (isSameFile(version.path, version)) {
            removed &= !filesystem::removeFile(version.path);
        }
    }
    for (const JournalFile& backup : journal.backups) {
        bool kept = false;
        for (const QString& sentence : keep) {
            kept = kept || sentence.contains(native(backup.path));
        }
        if (!kept && isRecorded(backup.path, backup)) {
            removed &= !filesystem::removeFile(backup.path);
        }
    }
    return removed;
}

std::optional<Problem> syncFolders(const JournalContents& journal) {
    QSet<QString> folders;
    for (const JournalFile& version : journal.newVersions) {
        folders.insert(QFileInfo(version.target).absolutePath());
    }
    for (const QString& folder : folders) {
        if (const std::optional<QString> why = filesystem::syncFolder(folder)) {
            return Problem{folder, QStringLiteral("written"), *why};
        }
    }
    return std::nullopt;
}

QString targetNames(const JournalContents& journal) {
    QStringList names;
    for (const JournalFile& version : journal.newVersions) {
        const QString name = native(version.target);
        if (!names.contains(name)) {
            names.append(name);
        }
    }
    if (names.size() < 2) {
        return names.value(0);
    }
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

} // namespace files::steps
