#include "files/winpath.h"

namespace files {

std::optional<DriveName> splitDrive(const QString& windowsName) {
    if (windowsName.size() < 2 || windowsName.at(1) != QLatin1Char(':')) {
        return std::nullopt;
    }
    const char16_t letter = windowsName.at(0).toLower().unicode();
    if (letter < u'a' || letter > u'z') {
        return std::nullopt;
    }
    return DriveName{windowsName.at(0), windowsName.mid(2)};
}

} // namespace files
