#include "ui/controls.h"

namespace ui {

QLabel* label(QWidget* parent, const char* name, const QString& caption, QRect rect,
              const QColor& colour) {
    auto* box = place(new QLabel(caption, parent), name, rect);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = box->palette();
    palette.setColor(QPalette::WindowText, colour);
    box->setPalette(palette);
    return box;
}

QLabel* picture(QWidget* parent, const char* name, const QPixmap& pixmap, QRect rect) {
    auto* box = place(new QLabel(parent), name, rect);
    box->setPixmap(pixmap);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return box;
}

} // namespace ui
