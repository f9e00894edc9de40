#include "files/recovery.h"

#include "files/filesystem.h"
#include "files/journal.h"
#include "files/replacementsteps.h"
#include "files/winpath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace files {
namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

Recovery setAside(const QString& journal, const QString& why) {
    QString aside = journal + QStringLiteral(".set-aside");
    for (int n = 2; filesystem::entryKind(aside) != filesystem::EntryKind::Missing && n < 1000;
         ++n) {
        aside = journal + QStringLiteral(".set-aside-%1").arg(n);
    }
    if (const std::optional<QString> problem = filesystem::replaceFile(journal, aside)) {
        return {Recovery::Outcome::Failed,
                QStringLiteral("The file %1 was not written by Talvo 2003 for this working "
                               "folder (%2) and cannot be set aside (%3); no file it names was "
                               "touched. Please move it out of the working folder.")
                    .arg(native(journal), why, *problem)};
    }
    return {Recovery::Outcome::SetAside,
            QStringLiteral("The file %1 was not written by Talvo 2003 for this working folder "
                           "(%2): it was set aside as %3, and no file it names was touched.")
                .arg(native(journal), why, native(aside))};
}

// "P.flt and P.pln are as they were", "P.flt is as it was".
QString asTheyWere(const JournalContents& journal) {
    const bool several = journal.newVersions.size() > 1;
    return QStringLiteral("%1 %2 before it")
        .arg(steps::targetNames(journal),
             several ? QStringLiteral("are as they were") : QStringLiteral("is as it was"));
}

Recovery notCleaned(const JournalContents& journal) {
    return {Recovery::Outcome::Failed,
            QStringLiteral("Files that an earlier compile of Talvo 2003 made beside %1 cannot be "
                           "removed: please make their folders writable and compile again.")
                .arg(steps::targetNames(journal))};
}

Recovery undo(const JournalContents& journal) {
    const steps::Kept kept = steps::restoreTargets(journal);
    const bool clean = steps::removeMadeFiles(journal, kept.sentences);
    steps::syncFolders(journal);
    if (!clean && kept.sentences.isEmpty()) {
        return notCleaned(journal);
    }
    if (!kept.sentences.isEmpty()) {
        // While a rename the system refused may succeed later, the journal stays for another
        // try; otherwise there is nothing more to do than to tell.
        return {kept.retry ? Recovery::Outcome::Failed : Recovery::Outcome::Undone,
                QStringLiteral("A compile of Talvo 2003 was interrupted and could not be wholly "
                               "undone. %1")
                    .arg(kept.sentences.join(u' '))};
    }
    if (kept.restored == 0) {
        return {Recovery::Outcome::Undone, QString()}; // only what it made was left to remove
    }
    return {Recovery::Outcome::Undone,
            QStringLiteral("A compile of Talvo 2003 was interrupted while it replaced its files, "
                           "and has been undone: %1.")
                .arg(asTheyWere(journal))};
}

} // namespace

Recovery recoverInterruptedReplacement(const QString& journalName, const QString& workingFolder,
                                       const QStringList& folders) {
    const QString path = localPath(journalName);
    const auto read = readJournal(path, workingFolder, folders);
    if (!read) {
        return {};
    }
    if (const QString* why = std::get_if<QString>(&*read)) {
        return setAside(path, *why);
    }
    const JournalContents& journal = std::get<JournalContents>(*read);
    if (const QString other = steps::foreignFile(journal); !other.isEmpty()) {
        return setAside(path, QStringLiteral("%1 is not the file it made").arg(native(other)));
    }
    Recovery recovery;
    switch (journal.stage) {
    case JournalStage::Preparing:
        // No target was touched: what the compile made goes.
        if (!steps::removeMadeFiles(journal)) {
            return notCleaned(journal);
        }
        if (!journal.newVersions.empty()) {
            recovery = {Recovery::Outcome::Undone,
                        QStringLiteral("A compile of Talvo 2003 was interrupted before it changed "
                                       "any file, and has been undone: %1.")
                            .arg(asTheyWere(journal))};
        }
        break;
    case JournalStage::Replacing: {
        const int pending = steps::pendingReplacements(journal);
        if (!steps::replaceTargets(journal)) {
            steps::syncFolders(journal);
            if (!steps::removeMadeFiles(journal)) {
                return notCleaned(journal);
            }
            if (pending == 0) {
                break; // every target was replaced; only the backups were left
            }
            recovery = {Recovery::Outcome::Completed,
                        QStringLiteral("A compile of Talvo 2003 was interrupted while it replaced "
                                       "its files, and has been completed: %1 hold the new "
                                       "adventure.")
                            .arg(steps::targetNames(journal))};
            break;
        }
        recovery = undo(journal);
        break;
    }
    case JournalStage::RollingBack:
        recovery = undo(journal);
        break;
    }
    if (recovery.outcome != Recovery::Outcome::Failed) {
        filesystem::removeFile(path);
        filesystem::syncFolder(QFileInfo(path).absolutePath());
    }
    return recovery;
}

} // namespace files
