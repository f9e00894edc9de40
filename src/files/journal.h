#pragma once

#include "files/filesystem.h"

#include <optional>
#include <QFile>
#include <QString>
#include <QStringList>
#include <variant>
#include <vector>

// The journal of a replacement of files: what it made (the new version of each target and the
// backup of each old one, each with the identity it had when the program made it) and how far it
// went. A replacement that ends before its journal is removed (a kill, a crash, a power cut) is
// finished or undone from it, and nothing but the files it names, with the identities it gives,
// is ever removed or renamed.
namespace files {

// A file the replacement made beside one of its targets.
struct JournalFile {
    QString target;                    // the file being replaced (symbolic links followed)
    QString path;                      // the new version or the backup, in the target's folder
    filesystem::FileIdentity identity; // as made; the size of a new version once it is finished
    bool finished = false;             // a new version: written whole and synced to the disk
};

// How far a replacement went.
enum class JournalStage {
    Preparing,  // new versions being written, backups being made: no target replaced yet
    Replacing,  // every new version and backup ready: the targets are being replaced
    RollingBack // a target could not be replaced: the others are getting their old contents back
};

struct JournalContents {
    QString workingFolder;
    std::vector<JournalFile> newVersions;
    std::vector<JournalFile> backups;
    // Files about to be made when the program ended: only their names were recorded (the
    // identity of a file is known once it is made). Such a file is at most an empty new version,
    // or a second name of its target.
    std::vector<JournalFile> unmadeNewVersions;
    std::vector<JournalFile> unmadeBackups;
    JournalStage stage = JournalStage::Preparing;
};

// The names the program gives the files it makes beside a target: the target's name followed by
// ".talvo-new-" or ".talvo-backup-" and six letters or digits. No other program, and no pilot,
// makes such names; the journal still proves each file by its identity before it is touched.
QString newVersionName(const QString& target);
QString backupName(const QString& target);
bool isNewVersionName(const QString& path, const QString& target);
bool isBackupName(const QString& path, const QString& target);

// No journal the program writes is larger: a few dozen records of two paths.
constexpr qint64 kMaxJournalSize = 256 * 1024;

// A journal being written. Every record goes to the system at once; sync() hands them to the
// disk.
class JournalWriter {
public:
    // Makes the journal anew at path (nothing may stand there) for a replacement run from
    // workingFolder.
    std::optional<QString> create(const QString& path, const QString& workingFolder);
    // Before a file is made: its target and name. After: its identity too.
    std::optional<QString> recordNewVersionName(const QString& target, const QString& path);
    std::optional<QString> recordBackupName(const QString& target, const QString& path);
    std::optional<QString> recordNewVersion(const JournalFile& file);
    std::optional<QString> recordFinished(const JournalFile& file);
    std::optional<QString> recordBackup(const JournalFile& file);
    // Records the stage and syncs the journal to the disk.
    std::optional<QString> recordStage(JournalStage stage);
    std::optional<QString> sync();
    // Closes the journal and removes it: the replacement is over.
    std::optional<QString> remove();
    // Closes the journal and leaves it in place, for the next start to act on.
    void keep();
    bool isOpen() const { return file_.isOpen(); }
    const QString& path() const { return path_; }

private:
    std::optional<QString> append(const QByteArray& record);

    QString path_;
    QFile file_;
};

// Reads the journal at path. folders: the only folders whose files a journal of this program may
// name (the working folder, its lib folder, the saved-flights folder). No value when no journal
// stands there; the contents when it is one the program wrote for these folders; otherwise why
// it is not, for the pilot (and nothing it names may be touched).
std::optional<std::variant<JournalContents, QString>>
readJournal(const QString& path, const QString& workingFolder, const QStringList& folders);

} // namespace files
