#pragma once

#include "files/journal.h"
#include "files/stagedfile.h"

#include <functional>
#include <memory>
#include <QString>
#include <vector>

namespace files {

// Replaces several files as one change. Every new version is written whole, checked and synced
// to the disk beside its target before the first target is replaced; the targets are then
// replaced in the order they were added, and when one of them cannot be, those already replaced
// get their old contents back. So a failure leaves every target as it was.
//
// A journal (a file of the caller's choosing in the working folder) records every file the
// replacement makes, with its identity, and how far it went; it is synced to the disk before any
// target is replaced. A replacement that ends half-way (a kill, a crash, a power cut) is finished
// or undone from it by recoverInterruptedReplacement() before the next one starts. One
// replacement at a time may use a journal: the caller holds a lock.
class FileReplacement {
public:
    // What went wrong, for the pilot.
    struct Failure {
        QString path;     // the file on this machine
        QString action;   // "written" or "replaced"
        QString reason;   // in the system's words
        QString restored; // when the old contents of a target could not be put back: where they are
    };

    // The moments at which a replacement may be cut short in tests, as a power cut would: each
    // comes after what precedes it has been synced to the disk.
    enum class Moment {
        NewVersionsWritten, // every new version written whole, no backup yet
        BackupsMade,        // every backup made, the targets not yet being replaced
        ReplacingRecorded,  // the journal says the targets are being replaced
        TargetReplaced,     // one more target replaced (index: how many)
        AllReplaced,        // every target replaced, the backups still there
    };
    // Returns false to cut the replacement short at that moment: it then ends as if the
    // program had ended there, leaving every file and the journal as they are.
    using Interruption = std::function<bool(Moment moment, int index)>;
    static void setInterruptionForTesting(Interruption interruption);

    // workingFolder: the folder the replacement runs from, recorded in the journal.
    FileReplacement(const QString& journalName, const QString& workingFolder);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // The path on this machine of the file a name stands for, symbolic links followed: two names
    // of one file give one path.
    static QString targetPath(const QString& windowsName);

    // Opens the new version of a target, to be written line by line; nullptr when it cannot be
    // made (see failure()).
    StagedFile* add(const QString& windowsName);

    // Finishes every file, then replaces the targets; false, with every target as it was, when
    // one of the files could not be written whole or one of the targets could not be replaced.
    bool commit();

    const Failure& failure() const { return failure_; }

private:
    bool fail(const QString& path, const QString& action, const QString& reason);
    bool failAndUndo(const QString& path, const QString& action, const QString& reason);
    bool openJournal();
    bool finishNewVersions();
    bool makeBackups();
    bool replaceTargets();
    bool cutShort(Moment moment, int index = 0);
    void closeJournal(bool clean);

    QString journalPath_;
    QString workingFolder_;
    JournalWriter journal_;
    JournalContents recorded_;
    std::vector<std::unique_ptr<StagedFile>> files_;
    Failure failure_;
    bool over_ = false; // committed, undone, or cut short: nothing left for the destructor
};

} // namespace files
