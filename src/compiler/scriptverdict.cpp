#include "compiler/scriptverdict.h"

#include "scriptcheck/scriptcheck.h"

#include <array>
#include <QDir>

namespace compiler {
namespace {

constexpr qsizetype kSettingLines = 6;

struct Setting {
    const char* name;              // as the pilot knows it
    QString AdventureValues::*box; // the text it was written from; null for a check box
};

const std::array<Setting, kSettingLines> kSettings = {{
    {"V1", &AdventureValues::v1},
    {"Vr", &AdventureValues::vr},
    {"V2", &AdventureValues::v2},
    {"Speed Calls", nullptr},
    {"Check List", nullptr},
    {"Rate the Flight", nullptr},
}};

// The problem, told from where its line came from.
QString explain(const scriptcheck::Problem& problem, const ScriptLayout& layout,
                const AdventureValues& values) {
    const qsizetype line = problem.line;
    if (!problem.file.isEmpty()) {
        return QStringLiteral("line %1 of %2, which the script includes: %3.")
            .arg(line)
            .arg(problem.file, problem.message);
    }
    if (line > layout.openingLines && line <= layout.openingLines + kSettingLines) {
        const Setting& setting =
            kSettings[static_cast<std::size_t>(line - layout.openingLines - 1)];
        if (setting.box) {
            const QString text = values.*setting.box;
            if (text.trimmed().isEmpty()) {
                return QStringLiteral("%1 is empty: please fill in %1 in the compiler window and "
                                      "compile again.")
                    .arg(QLatin1String(setting.name));
            }
            return QStringLiteral("%1 \"%2\" is no number the script can take: please give %1 "
                                  "in knots, with a point before any decimals, and compile again.")
                .arg(QLatin1String(setting.name), text);
        }
        return QStringLiteral("the setting %1: %2.")
            .arg(QLatin1String(setting.name), problem.message);
    }
    const bool opening = line <= layout.openingLines;
    const QString templateName =
        opening ? QStringLiteral("lib\\Talvo.abl") : QStringLiteral("lib\\Talvo2.abl");
    const qsizetype templateLine = opening ? line : line - layout.openingLines - kSettingLines;
    if (!problem.placeholder.isEmpty()) {
        return QStringLiteral(
                   "%1 in %2 line %3 is a placeholder: replace it with your "
                   "simulator's name.\nAdapt the template as its block LINES TO ADAPT TO "
                   "YOUR SIMULATOR says, then compile again.")
            .arg(problem.placeholder, templateName)
            .arg(templateLine);
    }
    return QStringLiteral("line %1 of %2: %3.\nMend the template, then compile again.")
        .arg(templateLine)
        .arg(templateName, problem.message);
}

} // namespace

std::optional<QString> scriptProblem(QByteArrayView script, const ScriptLayout& layout,
                                     const AdventureValues& values) {
    const std::optional<scriptcheck::Problem> problem = scriptcheck::checkScript(script);
    if (!problem) {
        return std::nullopt;
    }
    return QStringLiteral("The adventure's files are written, but the simulator will not run its "
                          "script %1.\nLine %2: %3")
        .arg(QDir::toNativeSeparators(layout.path))
        .arg(problem->line)
        .arg(explain(*problem, layout, values));
}

} // namespace compiler
