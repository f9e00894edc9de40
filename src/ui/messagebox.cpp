#include "ui/messagebox.h"

#include "ui/messages.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QPushButton>

namespace ui {
namespace {

// A window icon and minimise, maximise and close buttons of the widest title bars in use
// (46 pixels a button), with the gaps between them.
constexpr int kTitleBarControls = 32 + 3 * 46;

// The least width of a message box, in pixels: the caption in a bold title font, and room for
// a window icon and three title-bar buttons as wide as the widest desktops draw them.
int messageBoxMinimumWidth() {
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    // Title fonts run a little larger than a window's own; a tenth more keeps the caption whole.
    const int caption = QFontMetrics(titleFont).horizontalAdvance(QString::fromLatin1(kAppTitle));
    return caption + caption / 10 + kTitleBarControls;
}

} // namespace

std::unique_ptr<QMessageBox> makeMessageBox(const QString& text, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QString::fromLatin1(kAppTitle),
                                             text, QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("TalvoMessage"));
    // The style may put a picture on the button; the program's boxes carry none.
    box->button(QMessageBox::Ok)->setIcon(QIcon());
    // QMessageBox sizes itself to its text and ignores a minimum width; a spacer across its
    // grid is the width it keeps.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        grid->addItem(new QSpacerItem(messageBoxMinimumWidth(), 0, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    return box;
}

} // namespace ui
