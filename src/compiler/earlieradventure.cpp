#include "compiler/earlieradventure.h"

#include "compiler/adventurevalues.h"
#include "files/textfiles.h"
#include "textio/keys.h"

#include <QDir>
#include <QFileInfo>

namespace compiler {

std::optional<QString> earlierAdventureProblem(const QString& windowsName,
                                               const QString& planName) {
    // The part of the credit sentence every version of the program writes.
    static const QByteArray kCredit = " Created with MERIDO Ver. 1.0";
    const QByteArray reference = "ABLSCRIPT=LIB\\" + lineBytes(planName);
    files::InputTextFile file(windowsName);
    if (!file.open()) {
        if (!QFileInfo::exists(file.path()) && !QFileInfo(file.path()).isSymLink()) {
            return std::nullopt;
        }
        return QStringLiteral("The file %1 cannot be read: %2.")
            .arg(QDir::toNativeSeparators(file.path()), file.errorString());
    }
    QByteArray line;
    bool afterMain = false;
    while (file.readLine(line)) {
        if ((textio::matchesKey(line, "Description=") && line.contains(kCredit)) ||
            (afterMain && line == reference)) {
            return std::nullopt;
        }
        afterMain = textio::matchesKey(line, "[Main]");
    }
    if (file.hasError()) {
        return QStringLiteral("The file %1 cannot be read: %2.")
            .arg(QDir::toNativeSeparators(file.path()), file.errorString());
    }
    return QStringLiteral("The saved flight %1 is not an adventure of Talvo 2003, and the "
                          "adventure flight would replace it: it is kept as it is. Please move "
                          "or rename it, or save the flight plan under another name, and compile "
                          "again.")
        .arg(QDir::toNativeSeparators(file.path()));
}

} // namespace compiler
