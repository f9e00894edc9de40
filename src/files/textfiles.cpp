#include "files/textfiles.h"

#include "files/faultseam.h"
#include "files/filesystem.h"
#include "files/winpath.h"

namespace files {

InputTextFile::InputTextFile(const QString& windowsName)
    : name_(windowsName)
    , reader_(&file_) {}

bool InputTextFile::open() {
    path_ = localPath(name_);
    const std::optional<QString> problem =
        filesystem::openRegularFile(path_, file_, textio::LineReader::kMaxFileSize);
    openError_ = problem.value_or(QString());
    return !problem;
}

QString InputTextFile::errorString() const {
    return openError_.isEmpty() ? reader_.errorString() : openError_;
}

OutputTextFile::OutputTextFile(const QString& windowsName)
    : name_(windowsName)
    , writer_(&file_) {}

bool OutputTextFile::open() {
    path_ = localPath(name_);
    file_.setFileName(path_);
    // Unbuffered: the writer's blocks go to the system as they are written, and a write the
    // system refuses is seen at once (a buffered write failing in the last flush would not be).
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return fail(file_.errorString());
    }
    return true;
}

bool OutputTextFile::fail(const QString& reason) {
    error_ = reason.isEmpty() ? QStringLiteral("write error") : reason;
    file_.cancelWriting();
    return false;
}

bool OutputTextFile::finish() {
    if (finished_) {
        return error_.isEmpty();
    }
    finished_ = true;
    if (!file_.isOpen()) {
        return fail(error_);
    }
    if (std::optional<QString> fault =
            filesystem::injectedFault(filesystem::Operation::Write, file_.fileName())) {
        return fail(*fault);
    }
    if (!writer_.flush() || file_.error() != QFileDevice::NoError) {
        return fail(file_.errorString());
    }
    if (const std::optional<QString> problem = filesystem::syncToDisk(file_)) {
        return fail(*problem);
    }
    return true;
}

bool OutputTextFile::commit() {
    if (!finish()) {
        return false;
    }
    if (!file_.commit()) {
        return fail(file_.errorString());
    }
    return true;
}

} // namespace files
