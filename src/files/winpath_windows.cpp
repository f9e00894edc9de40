#include "files/winpath.h"

namespace files {

QString localPath(const QString& windowsName) {
    return windowsName;
}

} // namespace files
