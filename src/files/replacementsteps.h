#pragma once

#include "files/journal.h"

#include <QString>
#include <QStringList>

// The steps of a replacement of files that both a running replacement and the recovery of an
// interrupted one take, on what the journal records. Each step touches a file only when it has
// the identity the journal gives it, and may be taken again after an interruption.
namespace files::steps {

// What a step could not do, for the pilot.
struct Problem {
    QString path;   // the file on this machine
    QString action; // "replaced", "restored", ...
    QString reason;
};

// How many targets still wait for their new version (written whole and still under its own name).
int pendingReplacements(const JournalContents& journal);

// Replaces each target with its new version, in the journal's order; a target that already is
// its new version is passed over. Stops at the first target that cannot be replaced.
std::optional<Problem> replaceTargets(const JournalContents& journal);

// What restoreTargets could not do.
struct Kept {
    QStringList sentences; // for the pilot: one per target whose old contents were not put back
                           // and where they are kept
    bool retry = false;    // a later try may succeed (the system refused a rename)
    int restored = 0;      // targets that got their old contents back, or went as new files
};

// Gives every target its old contents back: a target that existed gets its backup back, a target
// that did not is removed when it is the new version. A target that is neither its old nor its
// new version (changed by someone else since) is left alone.
Kept restoreTargets(const JournalContents& journal);

// A file the journal records whose name now stands for another file: the journal is not about
// these files (it was copied, or written by someone else). Empty when there is none.
QString foreignFile(const JournalContents& journal);

// Removes the new versions that are still under their own names, and the backups, but those
// named in keep. False when one of them could not be removed (it stays recorded in the journal,
// for the next try).
bool removeMadeFiles(const JournalContents& journal, const QStringList& keep = {});

// Hands the entries of every folder holding a target to the disk.
std::optional<Problem> syncFolders(const JournalContents& journal);

// The files the journal's targets are, for the pilot ("P.flt, P.pln and P.abl").
QString targetNames(const JournalContents& journal);

} // namespace files::steps
