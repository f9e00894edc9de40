#pragma once

#include <memory>
#include <QObject>
#include <QString>

namespace flight {
class B747;
}

namespace app {

class Checkp;
class Form2;

// The program's windows and the moves between them. Each window is created the first time it
// shows and afterwards only hidden and shown again, keeping its fields; one is visible at a time.
class Navigator : public QObject {
    Q_OBJECT
public:
    Navigator();
    ~Navigator() override;

    // The start-up: proves the template is there and reads talvo.ini, then shows the main
    // interface, or the setup window when no folder is configured yet. False, after a report to
    // the pilot, when the program cannot start.
    bool start();

    const QString& savedFlightFolder() const { return SavedFlightFolder; }

    void showMainInterface();
    void showCompilerWindow();

Q_SIGNALS:
    // The program must end, with this exit status.
    void finished(int status);

private:
    void fail(const QString& report);

    // The saved-flights folder as a path prefix ending in a backslash, read from talvo.ini at
    // start-up or set by "Set Path"; never changed afterwards.
    QString SavedFlightFolder;
    std::unique_ptr<Checkp> checkp_;
    std::unique_ptr<Form2> form2_;
    std::unique_ptr<flight::B747> b747_;
};

} // namespace app
