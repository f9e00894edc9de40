#include "compiler/interruptedcompile.h"

#include "compiler/compilelock.h"
#include "files/winpath.h"

#include <QDir>

namespace compiler {

const QString kCompileJournal = QStringLiteral("talvo.journal");

QStringList compileFolders(const QString& savedFlightFolder) {
    return {
        QDir::currentPath(), files::localPath(QStringLiteral("lib")),
        files::localPath(savedFlightFolder.isEmpty() ? QStringLiteral(".") : savedFlightFolder)};
}

files::Recovery recoverInterruptedCompile(const QString& savedFlightFolder) {
    return files::recoverInterruptedReplacement(kCompileJournal, QDir::currentPath(),
                                                compileFolders(savedFlightFolder));
}

std::optional<QString> recoverInterruptedCompileAtStart(const QString& savedFlightFolder) {
    CompileLock lock;
    if (!lock.tryAcquire()) {
        return std::nullopt; // the next compile sees to it
    }
    const files::Recovery recovery = recoverInterruptedCompile(savedFlightFolder);
    if (recovery.message.isEmpty()) {
        return std::nullopt;
    }
    return recovery.message;
}

} // namespace compiler
