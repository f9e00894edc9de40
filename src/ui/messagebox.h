#pragma once

#include <memory>
#include <QMessageBox>

namespace ui {

// The program's message box, ready to show: captioned "Talvo 2003", the text, one OK button, no
// icon, and wide enough that a window manager's title bar shows the whole caption beside its
// buttons, however short the text.
std::unique_ptr<QMessageBox> makeMessageBox(const QString& text, QWidget* parent);

} // namespace ui
