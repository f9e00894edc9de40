#include "files/journal.h"

#include "files/faultseam.h"
#include "files/filesystem.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>

namespace files {
namespace {

// One record a line, its fields separated by tabs; paths in UTF-8 with "/" between folders:
//   talvo-journal  1  <working folder>      the first line
//   n  <target>  <new version>                         a new version about to be made
//   N  <target>  <new version>  <volume>  <index>      a new version made
//   b  <target>  <backup>                              a backup about to be made
//   F  <new version>  <size>                           the new version written whole and synced
//   B  <target>  <backup>  <volume>  <index>  <size>   the target's old contents under a 2nd name
//   C                                                  every target is now being replaced
//   R                                                  the replaced targets get their old back
// Only lines ended by a line feed count: a record cut short by the end of the program was never
// acted on. A journal that holds less than its first line was cut short while it was made.
const QByteArray kMagic = "talvo-journal";
const QByteArray kVersion = "1";
const QString kNewVersionInfix = QStringLiteral(".talvo-new-");
const QString kBackupInfix = QStringLiteral(".talvo-backup-");
constexpr int kSuffixLength = 6;

QString withSuffix(const QString& target, const QString& infix) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString name = target + infix;
    for (int i = 0; i < kSuffixLength; ++i) {
        name += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(36)]);
    }
    return name;
}

bool hasSuffix(const QString& path, const QString& target, const QString& infix) {
    if (path.size() != target.size() + infix.size() + kSuffixLength || !path.startsWith(target) ||
        QStringView(path).mid(target.size(), infix.size()) != infix) {
        return false;
    }
    for (qsizetype i = target.size() + infix.size(); i < path.size(); ++i) {
        const char16_t c = path[i].unicode();
        if (!((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'))) {
            return false;
        }
    }
    return true;
}

QByteArray pathField(const QString& path) {
    return QDir::fromNativeSeparators(path).toUtf8();
}

QByteArray number(quint64 value) {
    return QByteArray::number(value);
}

// A path the journal may hold: absolute, without the separators of its own format.
bool recordablePath(const QString& path) {
    return QDir::isAbsolutePath(path) && !path.contains(u'\t') && !path.contains(u'\n') &&
           !path.contains(u'\r');
}

QByteArray headerFor(const QString& workingFolder) {
    return kMagic + '\t' + kVersion + '\t' + pathField(QDir(workingFolder).absolutePath()) + '\n';
}

QString canonicalFolder(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QDir(folder).absolutePath()) : canonical;
}

// Reads the records of a journal, checking each against what the program writes.
class JournalParser {
public:
    JournalParser(const QString& workingFolder, const QStringList& folders)
        : workingFolder_(canonicalFolder(workingFolder)) {
        for (const QString& folder : folders) {
            folders_.insert(canonicalFolder(folder));
        }
    }

    std::variant<JournalContents, QString> parse(const QByteArray& data) {
        QList<QByteArray> lines = data.split('\n');
        lines.removeLast(); // after the last line feed: empty, or a record cut short
        if (lines.isEmpty()) {
            if (headerFor(workingFolder_).startsWith(data)) {
                return contents_; // made by the program, which ended before it had a record
            }
            return QStringLiteral("it is no journal of Talvo 2003");
        }
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QList<QByteArray> fields = lines[i].split('\t');
            const std::optional<QString> problem = i == 0 ? header(fields) : record(fields);
            if (problem) {
                return *problem;
            }
        }
        return contents_;
    }

private:
    std::optional<QString> header(const QList<QByteArray>& fields) {
        if (fields.size() != 3 || fields[0] != kMagic || fields[1] != kVersion) {
            return QStringLiteral("it is no journal of this version of Talvo 2003");
        }
        const QString folder = QString::fromUtf8(fields[2]);
        if (canonicalFolder(folder) != workingFolder_) {
            return QStringLiteral("it was written in another working folder, %1")
                .arg(QDir::toNativeSeparators(folder));
        }
        contents_.workingFolder = folder;
        return std::nullopt;
    }

    std::optional<QString> record(const QList<QByteArray>& fields) {
        const QByteArray& kind = fields[0];
        if ((kind == "n" || kind == "b") && fields.size() == 3) {
            return unmade(fields,
                          kind == "n" ? contents_.unmadeNewVersions : contents_.unmadeBackups,
                          kind == "n" ? isNewVersionName : isBackupName);
        }
        if (kind == "N" && fields.size() == 5) {
            return file(fields, QString(), contents_.newVersions, isNewVersionName);
        }
        if (kind == "B" && fields.size() == 6) {
            return file(fields, QString::fromUtf8(fields[5]), contents_.backups, isBackupName);
        }
        if (kind == "F" && fields.size() == 3) {
            return finished(fields);
        }
        if (kind == "C" && fields.size() == 1 && contents_.stage == JournalStage::Preparing) {
            contents_.stage = JournalStage::Replacing;
            return std::nullopt;
        }
        if (kind == "R" && fields.size() == 1 && contents_.stage == JournalStage::Replacing) {
            contents_.stage = JournalStage::RollingBack;
            return std::nullopt;
        }
        return malformed();
    }

    std::optional<QString> unmade(const QList<QByteArray>& fields, std::vector<JournalFile>& list,
                                  bool (*namedFor)(const QString&, const QString&)) {
        JournalFile entry;
        entry.target = QString::fromUtf8(fields[1]);
        entry.path = QString::fromUtf8(fields[2]);
        if (contents_.stage != JournalStage::Preparing || !recordablePath(entry.target) ||
            !namedFor(entry.path, entry.target)) {
            return malformed();
        }
        if (const std::optional<QString> problem = outsideFolders(entry.target)) {
            return problem;
        }
        list.push_back(entry);
        return std::nullopt;
    }

    // Once made, a file is no longer one about to be made.
    static void made(std::vector<JournalFile>& unmade, const QString& path) {
        std::erase_if(unmade, [&](const JournalFile& entry) { return entry.path == path; });
    }

    QString malformed() const {
        return QStringLiteral("it holds a record Talvo 2003 does not write");
    }

    std::optional<QString> file(const QList<QByteArray>& fields, const QString& size,
                                std::vector<JournalFile>& list,
                                bool (*namedFor)(const QString&, const QString&)) {
        if (contents_.stage != JournalStage::Preparing) {
            return malformed();
        }
        JournalFile entry;
        entry.target = QString::fromUtf8(fields[1]);
        entry.path = QString::fromUtf8(fields[2]);
        bool ok = true;
        entry.identity.volume = fields[3].toULongLong(&ok);
        bool indexOk = true;
        entry.identity.index = fields[4].toULongLong(&indexOk);
        bool sizeOk = true;
        entry.identity.size = size.isEmpty() ? 0 : size.toLongLong(&sizeOk);
        if (!ok || !indexOk || !sizeOk || !recordablePath(entry.target) ||
            !namedFor(entry.path, entry.target) || seen_.contains(entry.path)) {
            return malformed();
        }
        if (const std::optional<QString> problem = outsideFolders(entry.target)) {
            return problem;
        }
        seen_.insert(entry.path);
        made(contents_.unmadeNewVersions, entry.path);
        made(contents_.unmadeBackups, entry.path);
        list.push_back(entry);
        return std::nullopt;
    }

    std::optional<QString> finished(const QList<QByteArray>& fields) {
        const QString path = QString::fromUtf8(fields[1]);
        bool ok = false;
        const qint64 size = fields[2].toLongLong(&ok);
        for (JournalFile& entry : contents_.newVersions) {
            if (entry.path == path && ok && size >= 0 && !entry.finished &&
                contents_.stage == JournalStage::Preparing) {
                entry.identity.size = size;
                entry.finished = true;
                return std::nullopt;
            }
        }
        return malformed();
    }

    // A compile replaces adventure flights, flight plans and adventure scripts in its own
    // folders; a journal that names anything else was not written by it.
    std::optional<QString> outsideFolders(const QString& target) const {
        const QFileInfo info(target);
        const QString suffix = info.suffix().toLower();
        if (!folders_.contains(canonicalFolder(info.absolutePath())) ||
            (suffix != u"flt" && suffix != u"pln" && suffix != u"abl")) {
            return QStringLiteral("it names %1, which no compile in this working folder writes")
                .arg(QDir::toNativeSeparators(target));
        }
        return std::nullopt;
    }

    QString workingFolder_;
    QSet<QString> folders_;
    QSet<QString> seen_;
    JournalContents contents_;
};

} // namespace

QString newVersionName(const QString& target) {
    return withSuffix(target, kNewVersionInfix);
}

QString backupName(const QString& target) {
    return withSuffix(target, kBackupInfix);
}

bool isNewVersionName(const QString& path, const QString& target) {
    return hasSuffix(path, target, kNewVersionInfix);
}

bool isBackupName(const QString& path, const QString& target) {
    return hasSuffix(path, target, kBackupInfix);
}

std::optional<QString> JournalWriter::create(const QString& path, const QString& workingFolder) {
    path_ = path;
    if (!recordablePath(QDir(workingFolder).absolutePath())) {
        return QStringLiteral("the working folder's name holds a tab or a line break");
    }
    if (const std::optional<QString> problem = filesystem::createNewFile(path, file_)) {
        return problem;
    }
    QByteArray header = headerFor(workingFolder);
    header.chop(1);
    std::optional<QString> problem = append(header);
    if (!problem) {
        problem = sync();
    }
    if (!problem) {
        problem = filesystem::syncFolder(QFileInfo(path).absolutePath());
    }
    if (problem) {
        file_.close();
        filesystem::removeFile(path); // made just now, exclusively
    }
    return problem;
}

std::optional<QString> JournalWriter::append(const QByteArray& record) {
    const QByteArray line = record + '\n';
    if (std::optional<QString> fault =
            filesystem::injectedFault(filesystem::Operation::Write, file_.fileName())) {
        return fault;
    }
    if (file_.write(line) != line.size()) {
        const QString reason = file_.errorString();
        return reason.isEmpty() ? QStringLiteral("write error") : reason;
    }
    return std::nullopt;
}

std::optional<QString> JournalWriter::recordNewVersionName(const QString& target,
                                                           const QString& path) {
    if (!recordablePath(target)) {
        return QStringLiteral("its name holds a tab or a line break");
    }
    return append("n\t" + pathField(target) + '\t' + pathField(path));
}

std::optional<QString> JournalWriter::recordBackupName(const QString& target, const QString& path) {
    return append("b\t" + pathField(target) + '\t' + pathField(path));
}

std::optional<QString> JournalWriter::recordNewVersion(const JournalFile& file) {
    if (!recordablePath(file.target)) {
        return QStringLiteral("its name holds a tab or a line break");
    }
    return append("N\t" + pathField(file.target) + '\t' + pathField(file.path) + '\t' +
                  number(file.identity.volume) + '\t' + number(file.identity.index));
}

std::optional<QString> JournalWriter::recordFinished(const JournalFile& file) {
    return append("F\t" + pathField(file.path) + '\t' +
                  number(static_cast<quint64>(file.identity.size)));
}

std::optional<QString> JournalWriter::recordBackup(const JournalFile& file) {
    if (!recordablePath(file.target)) {
        return QStringLiteral("its name holds a tab or a line break");
    }
    return append("B\t" + pathField(file.target) + '\t' + pathField(file.path) + '\t' +
                  number(file.identity.volume) + '\t' + number(file.identity.index) + '\t' +
                  number(static_cast<quint64>(file.identity.size)));
}

std::optional<QString> JournalWriter::recordStage(JournalStage stage) {
    if (stage == JournalStage::Preparing) {
        return std::nullopt;
    }
    if (const std::optional<QString> problem =
            append(stage == JournalStage::Replacing ? "C" : "R")) {
        return problem;
    }
    return sync();
}

std::optional<QString> JournalWriter::sync() {
    return filesystem::syncToDisk(file_);
}

std::optional<QString> JournalWriter::remove() {
    file_.close();
    if (const std::optional<QString> problem = filesystem::removeFile(path_)) {
        return problem;
    }
    return filesystem::syncFolder(QFileInfo(path_).absolutePath());
}

void JournalWriter::keep() {
    file_.close();
}

std::optional<std::variant<JournalContents, QString>>
readJournal(const QString& path, const QString& workingFolder, const QStringList& folders) {
    switch (filesystem::entryKind(path)) {
    case filesystem::EntryKind::Missing:
        return std::nullopt;
    case filesystem::EntryKind::Other:
        return QStringLiteral("it is not a regular file");
    case filesystem::EntryKind::RegularFile:
        break;
    }
    QFile file;
    if (const std::optional<QString> problem =
            filesystem::openRegularFile(path, file, kMaxJournalSize)) {
        if (QFileInfo(path).size() > kMaxJournalSize) {
            return QStringLiteral("it is larger than any journal Talvo 2003 writes");
        }
        return QStringLiteral("it cannot be read: %1").arg(*problem);
    }
    const QByteArray data = file.read(kMaxJournalSize + 1);
    if (data.size() > kMaxJournalSize) {
        return QStringLiteral("it is larger than any journal Talvo 2003 writes");
    }
    return JournalParser(workingFolder, folders).parse(data);
}

} // namespace files
