#pragma once

#include <optional>
#include <QLockFile>
#include <QString>

namespace compiler {

// One compile at a time in a working folder: two instances of the program compiling at once
// would mix their adventures. The lock is a file of the working folder, "talvo.lock", held while
// the object lives; a lock left by a program that ended without removing it is taken over.
class CompileLock {
public:
    CompileLock();

    // Waits a little for another compile to end. No value when the lock is held; otherwise why
    // not, for the pilot.
    std::optional<QString> acquire();
    // Takes the lock only when it is free now.
    bool tryAcquire();

private:
    QString heldBy(const QString& folder);
    bool leftByThisProcess();

    QString path_;
    QLockFile lock_;
};

} // namespace compiler
