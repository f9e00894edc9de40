// The compiler window's controls: names, kinds, places (in twips), captions, colours and fonts.
#include "flight/b747.h"
#include "ui/artwork.h"
#include "ui/controls.h"
#include "ui/firstfocus.h"
#include "ui/fonts.h"
#include "ui/picturebutton.h"
#include "ui/shapes.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace flight {
namespace {

const QColor kFieldBackground(192, 192, 255);
// The active-title-bar colour of the system the window was drawn on; text of the fields.
const QColor kFieldText(0, 84, 227);
const QColor kLabelText(0, 0, 128);
const QColor kOutline(128, 128, 255);

using ui::place;

QLabel* label(QWidget* parent, const char* name, const char* caption, QRect rect,
              const QColor& colour = kLabelText) {
    return ui::label(parent, name, QLatin1String(caption), rect, colour);
}

// A heading strip across the top edge of a framed group.
QLabel* heading(QWidget* parent, const char* name, const char* caption, QRect rect) {
    QLabel* strip = label(parent, name, caption, rect);
    QPalette palette = strip->palette();
    palette.setColor(QPalette::Window, kFieldBackground);
    strip->setPalette(palette);
    strip->setAutoFillBackground(true);
    return strip;
}

// The fields' colours and flat border. Each field carries the sheet itself: on the window it would
// also take over the check boxes, whose background then no longer follows their palette.
QString fieldStyle() {
    return QStringLiteral("QLineEdit, QComboBox { background: %1; color: %2; border: 1px solid "
                          "rgb(128, 128, 160); padding: 0px 1px; }")
        .arg(kFieldBackground.name(), kFieldText.name());
}

QLineEdit* textBox(QWidget* parent, const char* name, QRect rect, bool editable) {
    auto* box = place(new QLineEdit(parent), name, rect);
    box->setReadOnly(!editable);
    box->setStyleSheet(fieldStyle());
    return box;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const char* meaning, QRect rect) {
    // The caption has no room beside the box; the label on its left tells what it means.
    auto* box = place(new QCheckBox(QStringLiteral("Check1"), parent), name, rect);
    box->setAccessibleName(QLatin1String(meaning));
    box->setChecked(true);
    // A button fills with its button colour unless told otherwise; the box's own background is
    // the fields' colour, all round the white box it ticks.
    box->setBackgroundRole(QPalette::Window);
    box->setAutoFillBackground(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, kFieldBackground);
    box->setPalette(palette);
    return box;
}

ui::PictureButton* pictureButton(QWidget* parent, const char* name, ui::artwork::ButtonImage image,
                                 const char* label, QRect rect) {
    return place(
        new ui::PictureButton(parent, ui::artwork::buttonImage(image), QLatin1String(label)), name,
        rect);
}

} // namespace

void B747::buildControls() {
    using ui::twipsRect;
    using Image = ui::artwork::ButtonImage;

    setObjectName(QStringLiteral("B747"));
    setWindowTitle(QStringLiteral("Talvo 2003 - AI / ATC Adventure Compiler"));
    setFixedSize(ui::twipsSize(11880, 8490));
    setFont(ui::windowFont(QStringLiteral("Tahoma"), 9.75, true));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);

    Label1 = label(this, "Label1", "AI/ATC Adventure Compiler", twipsRect(2535, 15, 4830, 270));
    Picture3 = place(new QLabel(this), "Picture3", twipsRect(30, 0, 2025, 4755));
    Picture3->setPixmap(ui::artwork::columnImage());
    Picture3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture3->setFocusPolicy(Qt::TabFocus);
    Command7 = pictureButton(this, "Command7", Image::LoadFlightPlan, "Load Flight Plan",
                             twipsRect(0, 4770, 2010, 405));
    Command2 = pictureButton(this, "Command2", Image::CompileAdventure, "Compile Adventure",
                             twipsRect(0, 5160, 2010, 405));
    Command5 =
        pictureButton(this, "Command5", Image::Exit, "Exit", twipsRect(-15, 5565, 2010, 405));

    // Flight Information
    place(new ui::RectangleShape(this, kOutline), "Shape1", twipsRect(2475, 450, 9015, 2880));
    heading(this, "Label16", "    Flight Information", twipsRect(3930, 315, 2130, 285));
    label(this, "Label2", " Current Flight Plan ", twipsRect(2610, 825, 2160, 270));
    label(this, "Label3", "         Route Type", twipsRect(2790, 1350, 1845, 270));
    label(this, "Label5", "Departure Position", twipsRect(2700, 1815, 1845, 270));
    label(this, "Label6", "Departure Airport", twipsRect(2700, 2325, 1905, 270));
    label(this, "Label7", "      Arrival Airport", twipsRect(2700, 2820, 1845, 270));
    label(this, "Label22", "Altitude", twipsRect(9645, 2565, 945, 300),
          palette.color(QPalette::Highlight));
    // The bracket from the "Altitude" label up to the departure and down to the arrival altitude.
    const std::tuple<const char*, QPoint, QPoint> bracket[] = {
        {"Line1", ui::twipsPoint(10560, 2445), ui::twipsPoint(9975, 2445)},
        {"Line3", ui::twipsPoint(9975, 2445), ui::twipsPoint(9975, 2565)},
        {"Line4", ui::twipsPoint(9990, 2910), ui::twipsPoint(9990, 2790)},
        {"Line2", ui::twipsPoint(10575, 2910), ui::twipsPoint(9990, 2910)},
    };
    for (const auto& [name, from, to] : bracket) {
        auto* line = new ui::LineShape(this, from, to, kOutline);
        line->setObjectName(QLatin1String(name));
    }
    Text1 = textBox(this, "Text1", twipsRect(4935, 810, 5910, 255), false);
    Text3 = textBox(this, "Text3", twipsRect(4935, 1350, 825, 255), false);
    Text5 = textBox(this, "Text5", twipsRect(4950, 1815, 2745, 255), false);
    Text6 = textBox(this, "Text6", twipsRect(4965, 2325, 3675, 255), false);
    Text2 = textBox(this, "Text2", twipsRect(8760, 2325, 720, 255), true);
    Text12 = textBox(this, "Text12", twipsRect(10575, 2325, 720, 255), true);
    Text7 = textBox(this, "Text7", twipsRect(4965, 2820, 3675, 255), false);
    Text10 = textBox(this, "Text10", twipsRect(8760, 2790, 720, 255), true);
    Text11 = textBox(this, "Text11", twipsRect(10575, 2790, 720, 255), true);

    // Custom Parameters
    place(new ui::RectangleShape(this, kOutline), "Shape2", twipsRect(2460, 3525, 9015, 4185));
    heading(this, "Label17", "    Custom Parameters", twipsRect(3930, 3390, 2370, 285));
    label(this, "Label8", "                 Aircraft", twipsRect(2700, 3855, 1845, 270));
    label(this, "Label24", "   Total Fuel (%)", twipsRect(3345, 4965, 1590, 270));
    label(this, "Label14", "Total Fuel On Board (Gallons)", twipsRect(5910, 5415, 2865, 270));
    label(this, "Label4", "      Cruising Altitude", twipsRect(7020, 5790, 2025, 270));
    label(this, "Label9", "      V1", twipsRect(4065, 6165, 615, 270));
    label(this, "Label10", "    Vr", twipsRect(4200, 6645, 615, 270));
    label(this, "Label11", "    V2", twipsRect(4185, 7125, 615, 270));
    label(this, "Label20", "           Speed Calls", twipsRect(7665, 6210, 2025, 270));
    label(this, "Label19", "             Check List", twipsRect(7665, 6585, 2025, 270));
    label(this, "Label18", "      Rate the Flight", twipsRect(7650, 6930, 2025, 270));
    label(this, "Label21", "             Engine Off", twipsRect(7665, 7305, 2025, 270));
    Combo1 = place(new QComboBox(this), "Combo1", twipsRect(4965, 3795, 4770, 360));
    Combo1->setStyleSheet(fieldStyle());
    Combo1->setEditable(true);
    Combo1->lineEdit()->setFont(font());
    Text14 = textBox(this, "Text14", twipsRect(5055, 4950, 420, 255), true);
    FuelOnBoard = textBox(this, "FuelOnBoard", twipsRect(8775, 5415, 990, 240), false);
    Text4 = textBox(this, "Text4", twipsRect(9030, 5790, 720, 255), true);
    V1 = textBox(this, "V1", twipsRect(5055, 6090, 420, 255), true);
    Vr = textBox(this, "Vr", twipsRect(5055, 6600, 420, 255), true);
    V2 = textBox(this, "V2", twipsRect(5055, 7080, 420, 255), true);
    Check3 = checkBox(this, "Check3", "Speed Calls", twipsRect(9525, 6240, 225, 225));
    Check2 = checkBox(this, "Check2", "Check List", twipsRect(9525, 6615, 225, 225));
    Check1 = checkBox(this, "Check1", "Rate the Flight", twipsRect(9510, 6975, 225, 225));
    Check4 = checkBox(this, "Check4", "Engine Off", twipsRect(9525, 7320, 225, 225));

    QLabel* credit =
        label(this, "Label15", "Talvo 2003 - free adventure compiler for the 747-400 pilot",
              twipsRect(5580, 7950, 6075, 270), QColor(128, 128, 255));
    credit->setFont(ui::windowFont(QStringLiteral("Tahoma"), 8.25, true));

    for (QLabel* caption : findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (caption != Picture3) {
            ui::fitFontToWidth(caption, caption->text());
        }
    }

    // Tab order, first to last.
    QWidget* const order[] = {Text1,  Text3,  Text4,    Text5,       Text6,    Text7,
                              V1,     Vr,     V2,       FuelOnBoard, Combo1,   Check1,
                              Check2, Check3, Check4,   Text2,       Text10,   Text11,
                              Text12, Text14, Command5, Command2,    Command7, Picture3};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    ui::startFocusOn(this, Text1);
}

} // namespace flight
