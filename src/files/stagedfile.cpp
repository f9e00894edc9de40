#include "files/stagedfile.h"

#include "files/faultseam.h"

#include <QFileInfo>

namespace files {

StagedFile::StagedFile(const QString& windowsName, const QString& target)
    : name_(windowsName)
    , target_(target)
    , writer_(&file_) {}

std::optional<QString> StagedFile::create(const QString& newVersion) {
    newVersion_ = newVersion;
    if (const std::optional<QString> problem = filesystem::createNewFile(newVersion_, file_)) {
        return problem;
    }
    const QFileInfo old(target_);
    if (old.exists()) {
        // The replaced file keeps who may read and write it.
        file_.setPermissions(old.permissions() | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
    }
    const std::optional<filesystem::FileIdentity> identity = filesystem::fileIdentity(file_);
    if (!identity) {
        return QStringLiteral("the new file cannot be told from others");
    }
    identity_ = *identity;
    return std::nullopt;
}

std::optional<QString> StagedFile::finish() {
    if (std::optional<QString> fault =
            filesystem::injectedFault(filesystem::Operation::Write, file_.fileName())) {
        close();
        return fault;
    }
    if (!writer_.flush() || file_.error() != QFileDevice::NoError) {
        const QString reason = file_.errorString();
        close();
        return reason.isEmpty() ? QStringLiteral("write error") : reason;
    }
    if (const std::optional<QString> problem = filesystem::syncToDisk(file_)) {
        close();
        return problem;
    }
    const std::optional<filesystem::FileIdentity> identity = filesystem::fileIdentity(file_);
    close();
    if (!identity || !identity->sameFile(identity_)) {
        return QStringLiteral("the new file changed while it was written");
    }
    identity_ = *identity;
    return std::nullopt;
}

void StagedFile::close() {
    if (file_.isOpen()) {
        file_.close();
    }
}

} // namespace files
