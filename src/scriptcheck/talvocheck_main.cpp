// talvo-check: tells a pilot whether the simulator will load an adventure script, and if not,
// where the first problem stands and what it is.

#include "scriptcheck/assembly.h"
#include "scriptcheck/scriptcheck.h"

#include <algorithm>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

const QString kUsage = u"usage: talvo-check [--help] [--version] SCRIPT...\n"
                       "\n"
                       "Checks each SCRIPT as the simulator's script interpreter reads it and\n"
                       "prints FILE:LINE: and the first problem, or that the simulator will\n"
                       "load it. SCRIPT is a generated script (lib/<plan>.abl) or one of the\n"
                       "templates Talvo.abl and Talvo2.abl, which is checked together with the\n"
                       "other one beside it, as Talvo puts them together.\n"
                       "\n"
                       "The simulator's own names must be listed in the script's host lines,\n"
                       "comment lines such as\n"
                       "    //  host  real     SimVar_IndicatedAirspeed\n"
                       "    //  host  routine  SimCall_ShowText (char[])\n"
                       "Names beginning with SimVar_ or SimCall_ are placeholders to replace\n"
                       "with your simulator's names.\n"
                       "\n"
                       "Exit status: 0 every script loads, 1 a script has a problem,\n"
                       "2 a file cannot be read or the command is wrong.\n"_s;

enum Status { Loads = 0, HasProblem = 1, Unreadable = 2 };

struct Input {
    QString path;
    QByteArray bytes;
};

std::optional<Input> readFile(const QString& path, QTextStream& out) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        out << path << ": cannot be read: " << file.errorString() << '\n';
        return std::nullopt;
    }
    Input input{path, file.readAll()};
    if (file.error() != QFileDevice::NoError) {
        out << path << ": cannot be read: " << file.errorString() << '\n';
        return std::nullopt;
    }
    return input;
}

// The other template beside a template, found without regard to letter case.
QString partnerPath(const QFileInfo& info, const QString& partnerName) {
    const QDir folder(info.path());
    const QStringList names = folder.entryList(QDir::Files);
    const auto found = std::find_if(names.begin(), names.end(), [&](const QString& name) {
        return name.compare(partnerName, Qt::CaseInsensitive) == 0;
    });
    return folder.filePath(found != names.end() ? *found : partnerName);
}

int checkTemplates(const Input& given, bool givenIsOpening, QTextStream& out) {
    const QFileInfo info(given.path);
    const QString partner = partnerPath(info, givenIsOpening ? u"Talvo2.abl"_s : u"Talvo.abl"_s);
    const std::optional<Input> other = readFile(partner, out);
    if (!other)
        return Unreadable;
    const Input& opening = givenIsOpening ? given : *other;
    const Input& closing = givenIsOpening ? *other : given;
    const scriptcheck::AssembledScript script =
        scriptcheck::assembleScript(opening.bytes, closing.bytes);
    const std::optional<scriptcheck::Problem> problem = scriptcheck::checkScript(script.bytes);
    if (!problem) {
        out << given.path << ": the simulator will load this script\n";
        return Loads;
    }
    const int settingsEnd = script.openingLines + int(script.settings.size());
    if (problem->line <= script.openingLines)
        out << opening.path << ':' << problem->line;
    else if (problem->line <= settingsEnd)
        out << opening.path << ": in the line Talvo writes after its last line, "
            << QString::fromLatin1(script.settings[problem->line - script.openingLines - 1]);
    else
        out << closing.path << ':' << problem->line - settingsEnd;
    out << ": " << problem->message << '\n';
    return HasProblem;
}

int checkFile(const QString& path, QTextStream& out) {
    const std::optional<Input> input = readFile(path, out);
    if (!input)
        return Unreadable;
    const QString name = QFileInfo(path).fileName();
    if (name.compare(u"Talvo.abl"_s, Qt::CaseInsensitive) == 0)
        return checkTemplates(*input, true, out);
    if (name.compare(u"Talvo2.abl"_s, Qt::CaseInsensitive) == 0)
        return checkTemplates(*input, false, out);
    const std::optional<scriptcheck::Problem> problem = scriptcheck::checkScript(input->bytes);
    if (!problem) {
        out << path << ": the simulator will load this script\n";
        return Loads;
    }
    out << path << ':' << problem->line << ": " << problem->message << '\n';
    return HasProblem;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList files;
    bool optionsEnd = false;
    for (const QString& argument : app.arguments().mid(1)) {
        if (optionsEnd || !argument.startsWith(u'-') || argument == u"-"_s) {
            files << argument;
        } else if (argument == u"--"_s) {
            optionsEnd = true;
        } else if (argument == u"--help"_s || argument == u"-h"_s) {
            out << kUsage;
            return Loads;
        } else if (argument == u"--version"_s) {
            out << "talvo-check " << TALVO_VERSION << '\n';
            return Loads;
        } else {
            err << "talvo-check: unknown option " << argument << "\n\n" << kUsage;
            return Unreadable;
        }
    }
    if (files.isEmpty()) {
        err << "talvo-check: no script named\n\n" << kUsage;
        return Unreadable;
    }
    int status = Loads;
    for (const QString& file : files)
        status = std::max(status, checkFile(file, out));
    return status;
}
