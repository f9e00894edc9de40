#pragma once

#include <QString>
#include <QStringList>

namespace files {

// What the recovery of an interrupted replacement did.
struct Recovery {
    enum class Outcome {
        Nothing,   // no journal: nothing was interrupted
        Undone,    // interrupted before a target was replaced: every target is as it was
        Completed, // interrupted while the targets were replaced: every target is new
        SetAside,  // the journal is not one the program wrote here: renamed, nothing else touched
        Failed,    // some old contents could not be put back: the journal stays for another try
    };
    Outcome outcome = Outcome::Nothing;
    QString message; // one sentence for the pilot; empty when there is nothing to tell
};

// Finishes or undoes the replacement the journal at journalName records, before anything else
// happens in the folders: a replacement cut short while its targets were replaced is completed
// when every new version is still there as it was written, and otherwise undone; one cut short
// earlier is undone. Only the files the journal names with the identity it gives are renamed or
// removed. A journal the program did not write for these folders (unreadable, not a regular
// file, too large, written in another working folder, or naming any other file) is renamed to
// journalName + ".set-aside" (or ".set-aside-2", ...) and nothing it names is touched.
// workingFolder: the folder the replacement was run from; folders: the only folders whose files
// it may have replaced. The caller holds the lock that keeps replacements apart.
Recovery recoverInterruptedReplacement(const QString& journalName, const QString& workingFolder,
                                       const QStringList& folders);

} // namespace files
