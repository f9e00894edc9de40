#include "app/checkp.h"

#include "app/configuration.h"
#include "textio/codepage.h"
#include "ui/directorylist.h"
#include "ui/fonts.h"
#include "ui/messages.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace app {

Checkp::Checkp(QWidget* parent)
    : QWidget(parent) {
    using ui::twipsRect;
    setObjectName(QStringLiteral("checkp"));
    setWindowTitle(QStringLiteral("Adventure Compiler Setup"));
    setFixedSize(ui::twipsSize(6900, 4620));
    setFont(ui::windowFont(QStringLiteral("MS Sans Serif"), 8.25, false));

    Label23 = new QLabel(QStringLiteral("Set Your Saved Flight Path"), this);
    Label23->setObjectName(QStringLiteral("Label23"));
    Label23->setGeometry(twipsRect(1770, 210, 3315, 390));
    Label23->setFont(ui::windowFont(QStringLiteral("Haettenschweiler"), 14.25, true));
    Label23->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = Label23->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    palette.setColor(QPalette::Window, QColor(192, 192, 192));
    Label23->setPalette(palette);
    Label23->setAutoFillBackground(true);
    ui::fitFontToWidth(Label23, Label23->text());

    Dir1 = new ui::DirectoryList(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setGeometry(twipsRect(1065, 705, 4455, 2790));

    Command1 = new QPushButton(QStringLiteral("Set Path"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(5280, 3825, 885, 405));
    Command1->setAutoDefault(true);
    connect(Command1, &QPushButton::clicked, this, &Checkp::Command1_Click);

    setTabOrder(Dir1, Command1);
    Dir1->setFocus();
}

void Checkp::showFolderChoice() {
    Dir1->setPath(QStringLiteral("C:\\"));
}

void Checkp::Command1_Click() {
    const QString path = Dir1->path();
    if (!isSavedFlightsFolder(path)) {
        ui::showMessage(QStringLiteral("Incorrect Path"));
        return;
    }
    const QString folder = path + QLatin1Char('\\');
    if (!textio::canEncode8bit(folder)) {
        // talvo.ini is an 8-bit file: a path it cannot hold would name another folder.
        ui::showMessage(QStringLiteral("The path %1 holds characters that talvo.ini cannot keep. "
                                       "Please choose a folder whose path has none.")
                            .arg(path));
        return;
    }
    if (const std::optional<QString> failure = storeSavedFlightFolder(folder)) {
        Q_EMIT fatalError(*failure);
        return;
    }
    Q_EMIT folderAccepted(folder);
}

void Checkp::closeEvent(QCloseEvent* event) {
    event->accept();
    Q_EMIT exitRequested();
}

} // namespace app
