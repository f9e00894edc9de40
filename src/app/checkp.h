#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace ui {
class DirectoryList;
}

namespace app {

// The setup window: the pilot opens the simulator's saved-flights folder in the directory list
// and clicks "Set Path".
class Checkp : public QWidget {
    Q_OBJECT
public:
    explicit Checkp(QWidget* parent = nullptr);

    // Called by the start-up when talvo.ini names no folder yet.
    void showFolderChoice();

Q_SIGNALS:
    // The folder was accepted and stored in talvo.ini; folder ends in one backslash.
    void folderAccepted(const QString& savedFlightFolder);
    // talvo.ini could not be written: the program ends with this report.
    void fatalError(const QString& report);
    void exitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Command1_Click();

    QLabel* Label23 = nullptr;
    ui::DirectoryList* Dir1 = nullptr;
    QPushButton* Command1 = nullptr;
};

} // namespace app
