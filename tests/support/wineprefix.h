#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A scratch home holding a Wine prefix laid out as Wine makes it: .wine/drive_c, and
// .wine/dosdevices with the links c: -> ../drive_c and z: -> /. While the object lives, HOME
// names the scratch home and WINEPREFIX is unset; both are put back afterwards.
class FakeWinePrefix {
public:
    FakeWinePrefix();
    ~FakeWinePrefix();
    FakeWinePrefix(const FakeWinePrefix&) = delete;
    FakeWinePrefix& operator=(const FakeWinePrefix&) = delete;

    QString home() const { return home_.path(); }
    QString prefix() const { return home() + QStringLiteral("/.wine"); }
    QString driveC() const { return prefix() + QStringLiteral("/drive_c"); }

    // Writes a file below the scratch home, creating the folders on the way.
    void write(const QString& relative, const QByteArray& bytes) const;
    // Makes a folder below the scratch home.
    void makeFolder(const QString& relative) const;

private:
    QTemporaryDir home_;
    QByteArray previousHome_;
    QByteArray previousPrefix_;
    bool hadHome_;
    bool hadPrefix_;
};

// A scratch home without a Wine prefix: while the object lives, HOME names an empty scratch home
// and WINEPREFIX is unset, so a drive's root is the system's root whatever Wine prefix the user
// running the tests has of their own; both are put back afterwards.
class NoWinePrefix {
public:
    NoWinePrefix();
    ~NoWinePrefix();
    NoWinePrefix(const NoWinePrefix&) = delete;
    NoWinePrefix& operator=(const NoWinePrefix&) = delete;

private:
    QTemporaryDir home_;
    QByteArray previousHome_;
    QByteArray previousPrefix_;
    bool hadHome_;
    bool hadPrefix_;
};
