// talvo-check: tells a pilot whether the simulator will load an adventure script, and if not,
// where the first problem stands and what it is.

#include "scriptcheck/assembly.h"
#include "scriptcheck/scriptcheck.h"
#include "talvocheck_rehearse.h"

#include <algorithm>
#include <memory>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSysInfo>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

const QString kUsage = u"usage: talvo-check [--help] [--version] SCRIPT...\n"
                       "       talvo-check --rehearse SCRIPT [--plot FILE.png]\n"
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
                       "With --rehearse, runs a generated script over simulated flights (a\n"
                       "normal take-off, rejected take-offs, a fast taxi, landings, touch-and-\n"
                       "goes, a go-around, a bounce, a second take-off) and prints, per flight,\n"
                       "the time, speed, height and text of each call-out and every rule it\n"
                       "broke (speed calls, check-list prompts, rating); --plot also draws\n"
                       "speed and height over time\n"
                       "with each call-out marked, into FILE.png.\n"
                       "\n"
                       "Exit status: 0 every script loads (with --rehearse: every rule kept),\n"
                       "1 a script has a problem (or breaks a rule), 2 a file cannot be read\n"
                       "or written, or the command is wrong.\n"_s;

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
    // A plot is drawn with the system's fonts, which need Qt's GUI part; no window opens, so
    // without a display (and not on Windows) the offscreen platform does.
    bool plotting = false;
    for (int i = 1; i < argc; ++i) {
        plotting = plotting || qstrcmp(argv[i], "--plot") == 0;
    }
    if (plotting && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM") &&
        QSysInfo::kernelType() != u"winnt"_s) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    std::unique_ptr<QCoreApplication> app = plotting
                                                ? std::make_unique<QGuiApplication>(argc, argv)
                                                : std::make_unique<QCoreApplication>(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList files;
    bool optionsEnd = false;
    bool rehearse = false;
    QString plot;
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnd || !argument.startsWith(u'-') || argument == u"-"_s) {
            files << argument;
        } else if (argument == u"--rehearse"_s) {
            rehearse = true;
        } else if (argument == u"--plot"_s && i + 1 < arguments.size()) {
            plot = arguments[++i];
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
    if (rehearse || !plot.isEmpty()) {
        if (files.size() != 1) {
            err << "talvo-check: --rehearse takes one script\n\n" << kUsage;
            return Unreadable;
        }
        return rehearseScript(files.first(), plot, out);
    }
    int status = Loads;
    for (const QString& file : files)
        status = std::max(status, checkFile(file, out));
    return status;
}
