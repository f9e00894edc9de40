#pragma once

#include "compiler/adventurevalues.h"
#include "flight/flightfields.h"
#include "params/limits.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace ui {
class PictureButton;
}

namespace flight {

// The compiler window: shows one loaded flight and the parameters of the adventure the pilot is
// about to compile. Its fields are the only store of the workflow's values.
class B747 : public QWidget, public FlightFields {
    Q_OBJECT
public:
    explicit B747(const QString& savedFlightFolder, QWidget* parent = nullptr);

    QString text(Field field) const override;
    void setText(Field field, const QString& text) override;

    // The window's load: fills the fields from the saved flight and its plan. The program runs
    // it once, when it creates the window, before the window first shows.
    void Form_Load();

    compiler::AdventureValues adventureValues() const;

Q_SIGNALS:
    // The pilot asked to end the program ("Exit", or the window's close button).
    void exitRequested();
    // A compile was refused for a foreign aircraft: the main interface takes over.
    void mainInterfaceRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void bindHandlers();
    QLineEdit* edit(Field field) const;

    void Command7_Click();
    void Command2_Click();
    void Command5_Click();
    void Text14_Change();
    // Refuses an entry above the field's limit: message, then the limit back into the field.
    // True when the text was accepted.
    bool enforceLimit(params::LimitedField field, QLineEdit* box);

    const QString savedFlightFolder_;

    // The controls, by their names on the window (also their object names).
    QLabel* Label1 = nullptr;
    QLabel* Picture3 = nullptr;
    ui::PictureButton* Command7 = nullptr;
    ui::PictureButton* Command2 = nullptr;
    ui::PictureButton* Command5 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text6 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text12 = nullptr;
    QLineEdit* Text7 = nullptr;
    QLineEdit* Text10 = nullptr;
    QLineEdit* Text11 = nullptr;
    QComboBox* Combo1 = nullptr;
    QLineEdit* Text14 = nullptr;
    QLineEdit* FuelOnBoard = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* V1 = nullptr;
    QLineEdit* Vr = nullptr;
    QLineEdit* V2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check4 = nullptr;
};

} // namespace flight
