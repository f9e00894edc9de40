#include "ui/fontsubstitutes.h"

#include <QFont>
#include <QStringList>

namespace ui {

void installFontSubstitutes() {
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                                QStringLiteral("DejaVu Sans Condensed"),
                                QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Haettenschweiler"),
                               {QStringLiteral("Nimbus Sans Narrow"),
                                QStringLiteral("DejaVu Sans Condensed"),
                                QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                                QStringLiteral("DejaVu Sans")});
    // Windows' names for the dialog font, the one a window without a font of its own gets there
    // (message boxes too): Windows leads them to "MS Sans Serif" or "Tahoma", and under Wine
    // without those fonts they would end in a serif font.
    for (const QString& dialogFont :
         {QStringLiteral("MS Shell Dlg"), QStringLiteral("MS Shell Dlg 2")}) {
        QFont::insertSubstitutions(dialogFont,
                                   {QStringLiteral("Liberation Sans"),
                                    QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
    }
}

} // namespace ui
