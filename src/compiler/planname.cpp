#include "compiler/planname.h"

#include <QRegularExpression>

namespace compiler {

std::optional<QString> planNameProblem(const QString& planName) {
    if (planName == QLatin1String(".") || planName == QLatin1String("..")) {
        return QStringLiteral("it names a folder");
    }
    for (const QChar c : planName) {
        if (c == u'\\' || c == u'/') {
            return QStringLiteral("it holds the folder separator %1").arg(c);
        }
        if (c == u':') {
            return QStringLiteral("it holds a drive colon");
        }
        if (c.unicode() < 32 || QStringView(u"<>\"|?*").contains(c)) {
            return QStringLiteral("it holds a character that file names cannot hold (code %1)")
                .arg(c.unicode());
        }
    }
    static const QRegularExpression device(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    if (device.match(planName).hasMatch()) {
        return QStringLiteral("Windows keeps this name for a device");
    }
    if (planName.compare(QLatin1String("Talvo"), Qt::CaseInsensitive) == 0 ||
        planName.compare(QLatin1String("Talvo2"), Qt::CaseInsensitive) == 0) {
        return QStringLiteral("its adventure script would replace the template lib\\%1.abl")
            .arg(planName);
    }
    return std::nullopt;
}

} // namespace compiler
