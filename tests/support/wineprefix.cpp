#include "support/wineprefix.h"

#include "support/scratchfolder.h"

#include <QDir>
#include <QFile>

FakeWinePrefix::FakeWinePrefix()
    : previousHome_(qgetenv("HOME"))
    , previousPrefix_(qgetenv("WINEPREFIX"))
    , hadHome_(qEnvironmentVariableIsSet("HOME"))
    , hadPrefix_(qEnvironmentVariableIsSet("WINEPREFIX")) {
    makeFolder(QStringLiteral(".wine/drive_c"));
    makeFolder(QStringLiteral(".wine/dosdevices"));
    if (!QFile::link(QStringLiteral("../drive_c"), prefix() + QStringLiteral("/dosdevices/c:")) ||
        !QFile::link(QStringLiteral("/"), prefix() + QStringLiteral("/dosdevices/z:"))) {
        qFatal("cannot make the links of the Wine prefix in %s", qPrintable(prefix()));
    }
    qputenv("HOME", QFile::encodeName(home()));
    qunsetenv("WINEPREFIX");
}

FakeWinePrefix::~FakeWinePrefix() {
    if (hadHome_) {
        qputenv("HOME", previousHome_);
    } else {
        qunsetenv("HOME");
    }
    if (hadPrefix_) {
        qputenv("WINEPREFIX", previousPrefix_);
    } else {
        qunsetenv("WINEPREFIX");
    }
}

void FakeWinePrefix::write(const QString& relative, const QByteArray& bytes) const {
    writeFile(home() + QLatin1Char('/') + relative, bytes);
}

void FakeWinePrefix::makeFolder(const QString& relative) const {
    if (!QDir().mkpath(home() + QLatin1Char('/') + relative)) {
        qFatal("cannot make %s", qPrintable(relative));
    }
}

NoWinePrefix::NoWinePrefix()
    : previousHome_(qgetenv("HOME"))
    , previousPrefix_(qgetenv("WINEPREFIX"))
    , hadHome_(qEnvironmentVariableIsSet("HOME"))
    , hadPrefix_(qEnvironmentVariableIsSet("WINEPREFIX")) {
    qputenv("HOME", QFile::encodeName(home_.path()));
    qunsetenv("WINEPREFIX");
}

NoWinePrefix::~NoWinePrefix() {
    if (hadHome_) {
        qputenv("HOME", previousHome_);
    } else {
        qunsetenv("HOME");
    }
    if (hadPrefix_) {
        qputenv("WINEPREFIX", previousPrefix_);
    } else {
        qunsetenv("WINEPREFIX");
    }
}
