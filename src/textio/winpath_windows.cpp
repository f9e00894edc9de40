#include "textio/winpath.h"

namespace textio {

QString localPath(const QString& windowsName) {
    return windowsName;
}

} // namespace textio
