#pragma once

#include "ui/Application.h"

#include <QFont>
#include <QLabel>
#include <QString>

// Small helpers the dialogs build their controls with.
namespace dialogparts {

// A control of kind W named and placed as the window's design gives it.
template <class W> W* place(QWidget* parent, const char* name, const QRect& at)
{
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(at);
    return w;
}

// Labels size themselves to their caption, so that the installed face never cuts one.
inline QLabel* label(QWidget* parent, const char* name, QPoint at, const QString& caption, const QFont& font)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFont(font);
    l->move(at);
    l->adjustSize();
    return l;
}

// "MS Sans Serif" at a pixel height (11 for the windows' 8 pt, 13 for 10 pt).
inline QFont sansSerif(int pixels)
{
    QFont f = ui::formFont(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(pixels);
    return f;
}

} // namespace dialogparts
