#include "flight/b747.h"

#include "compiler/compileadventure.h"
#include "flight/loadflight.h"
#include "params/fuel.h"
#include "textio/numbers.h"
#include "ui/messages.h"
#include "ui/picturebutton.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>

namespace flight {

B747::B747(const QString& savedFlightFolder, QWidget* parent)
    : QWidget(parent)
    , savedFlightFolder_(savedFlightFolder) {
    buildControls();
    bindHandlers();
}

// A change handler runs after every change of its field's text, typed or assigned by the
// program, nested inside the assignment. Assigning the text a field already shows is no change
// and runs nothing.
void B747::bindHandlers() {
    connect(Text14, &QLineEdit::textChanged, this, &B747::Text14_Change);
    const std::pair<QLineEdit*, params::LimitedField> limited[] = {
        {Text4, params::LimitedField::CruisingAltitude},
        {V1, params::LimitedField::V1},
        {Vr, params::LimitedField::Vr},
        {V2, params::LimitedField::V2},
    };
    for (const auto& [box, field] : limited) {
        connect(box, &QLineEdit::textChanged, this,
                [this, box, field] { enforceLimit(field, box); });
    }
    connect(Command7, &QAbstractButton::clicked, this, &B747::Command7_Click);
    connect(Command2, &QAbstractButton::clicked, this, &B747::Command2_Click);
    connect(Command5, &QAbstractButton::clicked, this, &B747::Command5_Click);
}

QLineEdit* B747::edit(Field field) const {
    switch (field) {
    case Field::Text1:
        return Text1;
    case Field::Text3:
        return Text3;
    case Field::Text5:
        return Text5;
    case Field::Text6:
        return Text6;
    case Field::Text7:
        return Text7;
    case Field::Text2:
        return Text2;
    case Field::Text12:
        return Text12;
    case Field::Text10:
        return Text10;
    case Field::Text11:
        return Text11;
    case Field::Text14:
        return Text14;
    case Field::FuelOnBoard:
        return FuelOnBoard;
    case Field::Text4:
        return Text4;
    case Field::V1:
        return V1;
    case Field::Vr:
        return Vr;
    case Field::V2:
        return V2;
    case Field::Combo1:
        break;
    }
    return nullptr;
}

QString B747::text(Field field) const {
    return field == Field::Combo1 ? Combo1->currentText() : edit(field)->text();
}

void B747::setText(Field field, const QString& text) {
    if (field == Field::Combo1) {
        Combo1->setEditText(text);
    } else {
        edit(field)->setText(text);
    }
}

void B747::Form_Load() {
    LoadFlight(savedFlightFolder_, *this, ui::showMessage);
}

void B747::Command7_Click() {
    LoadFlight(savedFlightFolder_, *this, ui::showMessage);
}

compiler::AdventureValues B747::adventureValues() const {
    auto ticked = [](const QCheckBox* box) {
        return box->checkState() != Qt::Unchecked;
    };
    compiler::AdventureValues values;
    values.planName = Text1->text();
    values.routeType = Text3->text();
    values.departureName = Text6->text();
    values.arrivalName = Text7->text();
    values.cruisingAltitude = Text4->text();
    values.aircraft = Combo1->currentText();
    values.fuelPercent = Text14->text();
    values.v1 = V1->text();
    values.vr = Vr->text();
    values.v2 = V2->text();
    values.speedCalls = ticked(Check3);
    values.checkList = ticked(Check2);
    values.rateFlight = ticked(Check1);
    values.engineOff = ticked(Check4);
    return values;
}

void B747::Command2_Click() {
    const compiler::CompileResult result =
        compiler::CompileAdventure(savedFlightFolder_, adventureValues());
    for (const QString& note : result.notes) {
        ui::showMessage(note);
    }
    ui::showMessage(result.message);
    switch (result.outcome) {
    case compiler::CompileOutcome::ForeignAircraft:
        Q_EMIT mainInterfaceRequested();
        break;
    case compiler::CompileOutcome::Compiled:
        break;
    case compiler::CompileOutcome::NoFlightPlan:
    case compiler::CompileOutcome::Refused:
    case compiler::CompileOutcome::Failed:
        // Back to the first field: what the pilot mends is there or in a file, never behind a
        // button, and Enter on the focused Load button would reload the flight over the edits.
        Text1->setFocus(Qt::OtherFocusReason);
        break;
    }
}

void B747::Command5_Click() {
    Q_EMIT exitRequested();
}

void B747::closeEvent(QCloseEvent* event) {
    event->accept();
    Q_EMIT exitRequested();
}

bool B747::enforceLimit(params::LimitedField field, QLineEdit* box) {
    const params::LimitVerdict verdict = params::checkLimit(field, box->text());
    if (!verdict.refused) {
        return true;
    }
    ui::showMessage(verdict.message);
    // The reset is a change too: the handler runs again, nested, and accepts the limit.
    box->setText(verdict.resetText);
    return false;
}

// The fuel percentage sets the fuel on board, and the fuel on board the take-off speeds.
void B747::Text14_Change() {
    if (!enforceLimit(params::LimitedField::FuelPercent, Text14)) {
        return;
    }
    const double fuel = params::ComputeFuelOnBoard(textio::lenientNumber(Text14->text()));
    FuelOnBoard->setText(textio::wholeNumberText(fuel));
    // The speeds come from the fuel on board just written, a whole number of gallons.
    const params::TakeoffSpeeds speeds = params::ComputeTakeoffSpeeds(fuel);
    V1->setText(textio::wholeNumberText(speeds.v1));
    Vr->setText(textio::wholeNumberText(speeds.vr));
    V2->setText(textio::wholeNumberText(speeds.v2));
}

} // namespace flight
