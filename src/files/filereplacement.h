#pragma once

#include "files/textfiles.h"

#include <memory>
#include <QFile>
#include <QString>
#include <vector>

namespace files {

// Replaces several files as one change. Every new file is written whole, checked and synced to
// the disk beside its target before the first target is replaced; the targets are then replaced
// in the order the files were added, and when one of them cannot be, those already replaced get
// their old contents back. So a failure leaves every target as it was. Only the program's own
// end in the middle of the replacements (a kill, a power cut), a matter of a few renames, can
// leave some targets old and others new, each of them whole.
//
// While it runs, a journal (a file of the caller's choosing, in a folder the caller may write)
// records what it may leave behind: the names that the temporary files of its targets may take
// and the backups of the old contents. The next replacement with the same journal removes what an
// interrupted one left. One replacement at a time may use a journal: the caller holds a lock.
class FileReplacement {
public:
    // What went wrong, for the pilot.
    struct Failure {
        QString path;     // the file on this machine
        QString action;   // "written" or "replaced"
        QString reason;   // in the system's words
        QString restored; // when the old contents of a target could not be put back: what stays
    };

    explicit FileReplacement(const QString& journalName);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Opens the new version of a target, to be written line by line; nullptr when it cannot be
    // made (see failure()).
    OutputTextFile* add(const QString& windowsName);

    // Finishes every file, then replaces the targets; false, with every target as it was, when
    // one of the files could not be written whole or one of the targets could not be replaced.
    bool commit();

    const Failure& failure() const { return failure_; }

    // Removes what an interrupted replacement with this journal left behind.
    static void cleanUpAfterInterruption(const QString& journalName);

private:
    struct Target {
        std::unique_ptr<OutputTextFile> file;
        QString backup; // the old contents under a second name while the targets are replaced
    };

    bool journal(const QByteArray& record);
    bool fail(const QString& path, const QString& action, const QString& reason);
    bool makeBackups();
    void rollBack(std::size_t replaced);
    void removeBackups();

    QString journalPath_;
    QFile journal_;
    std::vector<Target> targets_;
    Failure failure_;
};

} // namespace files
