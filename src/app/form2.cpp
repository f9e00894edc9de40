#include "app/form2.h"

#include "flight/aircraft.h"
#include "params/aircraft.h"
#include "ui/artwork.h"
#include "ui/controls.h"
#include "ui/firstfocus.h"
#include "ui/fonts.h"
#include "ui/messages.h"
#include "ui/picturebutton.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QLabel>

namespace app {
namespace {

const QColor kLabelText(128, 128, 255);

QLabel* label(QWidget* parent, const char* name, const QString& caption, QRect rect) {
    return ui::label(parent, name, caption, rect, kLabelText);
}

} // namespace

Form2::Form2(const QString& savedFlightFolder, QWidget* parent)
    : QWidget(parent)
    , savedFlightFolder_(savedFlightFolder) {
    using ui::twipsRect;
    using Image = ui::artwork::ButtonImage;
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Talvo 2003 - Main Interface"));
    setFixedSize(ui::twipsSize(11880, 8595));
    setFont(ui::windowFont(QStringLiteral("MS Sans Serif"), 8.25, false));

    // The picture container holds every control but the first button.
    Picture1 = ui::place(new QWidget(this), "Picture1", twipsRect(-60, 0, 11850, 8550));
    QPalette palette = Picture1->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    Picture1->setPalette(palette);
    Picture1->setAutoFillBackground(true);

    ui::picture(Picture1, "Picture4", ui::artwork::banner(), twipsRect(3420, 390, 5415, 840));
    ui::picture(Picture1, "Picture3", ui::artwork::columnImage(), twipsRect(15, 45, 2025, 4530));
    ui::picture(Picture1, "Picture2", ui::artwork::mainIllustration(),
                twipsRect(2565, 2265, 8070, 4515));
    QLabel* welcome = label(Picture1, "Label2", QStringLiteral("Welcome aboard..."),
                            twipsRect(4080, 1650, 4665, 600));
    welcome->setFont(ui::windowFont(QStringLiteral("MS Sans Serif"), 24, true));
    ui::fitFontToWidth(welcome, welcome->text());
    QLabel* credit = label(Picture1, "Label1",
                           QStringLiteral("Talvo 2003 - free adventure compiler for Boeing "
                                          "747-400 pilots"),
                           twipsRect(4575, 6915, 5685, 270));
    ui::fitFontToWidth(credit, credit->text());

    Command3 =
        ui::place(new ui::PictureButton(this, ui::artwork::buttonImage(Image::LoadFlightPlan),
                                        QStringLiteral("Load Flight Plan")),
                  "Command3", twipsRect(-15, 4560, 2010, 405));
    Command4 =
        ui::place(new ui::PictureButton(Picture1, ui::artwork::buttonImage(Image::CompileAdventure),
                                        QStringLiteral("Compile Adventure")),
                  "Command4", twipsRect(15, 4935, 2010, 405));
    Command5 = ui::place(new ui::PictureButton(Picture1, ui::artwork::buttonImage(Image::Exit),
                                               QStringLiteral("Exit")),
                         "Command5", twipsRect(15, 5325, 2010, 405));
    Command3->raise();
    setTabOrder(Command3, Command4);
    setTabOrder(Command4, Command5);
    ui::startFocusOn(this, Command3);

    connect(Command3, &QAbstractButton::clicked, this, &Form2::Command3_Click);
    connect(Command4, &QAbstractButton::clicked, this, &Form2::Command4_Click);
    connect(Command5, &QAbstractButton::clicked, this, &Form2::Command5_Click);
}

void Form2::Command3_Click() {
    const std::optional<QString> aircraft = flight::readSavedFlightAircraft(savedFlightFolder_);
    if (!aircraft) {
        ui::showMessage(flight::unreadableSavedFlightMessage(savedFlightFolder_));
        return;
    }
    if (params::isBoeing747400(*aircraft)) {
        Q_EMIT compilerRequested();
        return;
    }
    // Another aircraft opens nothing; the pilot is told why, and the main interface stays.
    const QString saved = aircraft->isEmpty()
                              ? QStringLiteral("names no aircraft")
                              : QStringLiteral("was saved with the %1").arg(*aircraft);
    ui::showMessage(QStringLiteral("The saved flight Talvo.flt %1. The adventure compiler is made "
                                   "for the Boeing 747-400: please save the flight with Talvo "
                                   "Fleet.")
                        .arg(saved));
}

void Form2::Command4_Click() {
    ui::showMessage(QStringLiteral("Please, load the Flight Plan first!"));
}

void Form2::Command5_Click() {
    Q_EMIT exitRequested();
}

void Form2::closeEvent(QCloseEvent* event) {
    event->accept();
    Q_EMIT exitRequested();
}

} // namespace app
