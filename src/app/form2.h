#pragma once

#include <QWidget>

class QLabel;

namespace ui {
class PictureButton;
}

namespace app {

// The main interface: opens the compiler window for a Boeing 747-400 saved flight.
class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(const QString& savedFlightFolder, QWidget* parent = nullptr);

Q_SIGNALS:
    // The saved flight is a Boeing 747-400's: the compiler window should show.
    void compilerRequested();
    void exitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

    const QString savedFlightFolder_;
    QWidget* Picture1 = nullptr;
    ui::PictureButton* Command3 = nullptr;
    ui::PictureButton* Command4 = nullptr;
    ui::PictureButton* Command5 = nullptr;
};

} // namespace app
