#pragma once

#include "flight/b747.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QString>

// A compiler window for a test, with its controls at hand by name.
class CompilerWindow {
public:
    explicit CompilerWindow(const QString& savedFlightFolder = QString())
        : window(savedFlightFolder) {}

    QLineEdit* box(const char* name) const {
        auto* found = window.findChild<QLineEdit*>(QLatin1String(name));
        Q_ASSERT(found);
        return found;
    }
    QString text(const char* name) const { return box(name)->text(); }
    QComboBox* combo() const { return window.findChild<QComboBox*>(QStringLiteral("Combo1")); }
    QCheckBox* check(const char* name) const {
        return window.findChild<QCheckBox*>(QLatin1String(name));
    }
    // FuelOnBoard, V1, Vr and V2 joined with "/", as a table row writes them.
    QString fuelAndSpeeds() const {
        return QStringList{text("FuelOnBoard"), text("V1"), text("Vr"), text("V2")}.join(u'/');
    }

    // The name of a field that shows "inf" or "nan", a text the compile could not use; empty
    // when there is none.
    QString fieldWithUnusableNumber() const {
        for (QLineEdit* field : window.findChildren<QLineEdit*>()) {
            if (field->text().contains(QLatin1String("inf")) ||
                field->text().contains(QLatin1String("nan"))) {
                return field->objectName();
            }
        }
        return QString();
    }

    mutable flight::B747 window;
};
