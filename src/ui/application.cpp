#include "ui/application.h"

#include "ui/artwork.h"
#include "ui/fontsubstitutes.h"
#include "ui/messages.h"
#include "ui/testlog.h"

#include <QApplication>
#include <QWidget>

namespace ui {
namespace {

// When the end-to-end tests drive the program, they set TALVO_FOCUS_LOG to a file that receives,
// a line each time the focus moves, the name of the window and of the control that now has it
// ("B747 Text1"). Only the program itself can see which of its controls has the focus.
void logFocusForTests() {
    const TestLog log("TALVO_FOCUS_LOG");
    if (!log.isOn()) {
        return;
    }
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [log](QWidget*, QWidget* now) {
        if (!now) {
            return;
        }
        // A control's own parts (the line edit of a combo box) go by the control's name.
        QWidget* control = now;
        while (control->objectName().isEmpty() && !control->isWindow()) {
            control = control->parentWidget();
        }
        log.append(now->window()->objectName() + QLatin1Char(' ') + control->objectName());
    });
}

} // namespace

void prepareApplication() {
    // First: the style and the icon may already measure text in the default font.
    ui::installFontSubstitutes();
    QApplication::setApplicationName(QString::fromLatin1(ui::kAppTitle));
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setWindowIcon(ui::artwork::windowIcon());
    // Hidden windows keep the program alive; closing any window ends it (see the windows).
    QApplication::setQuitOnLastWindowClosed(false);
    logFocusForTests();
}

} // namespace ui
