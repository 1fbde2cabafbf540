#include "ui/Look.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QWidget>

#include <utility>
#include <vector>

namespace ui {

QIcon themeIcon(const char* themeName, QStyle::StandardPixmap fallback)
{
    const QString name = QString::fromLatin1(themeName);
    if (QIcon::hasThemeIcon(name))
        return QIcon::fromTheme(name);
    return QApplication::style()->standardIcon(fallback);
}

void applySkin(QWidget* window, const QString& styleSheetResource)
{
    QFile f(styleSheetResource);
    if (f.open(QIODevice::ReadOnly))
        window->setStyleSheet(QString::fromUtf8(f.readAll()));
}

void setHighlighted(QWidget* widget, bool on)
{
    if (widget->property("highlighted").toBool() == on && widget->property("highlighted").isValid())
        return;
    widget->setProperty("highlighted", on);
    // Under a style sheet, re-polishing gives the widget and its inner parts (a date field's
    // line) the application's font instead of the one inherited from the window; keep theirs.
    std::vector<std::pair<QWidget*, QFont>> fonts{{widget, widget->font()}};
    for (QWidget* part : widget->findChildren<QWidget*>())
        fonts.emplace_back(part, part->font());
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
    for (const auto& [w, font] : fonts)
        w->setFont(font);
    widget->update();
}

bool isHighlighted(const QWidget* widget) { return widget->property("highlighted").toBool(); }

void fitCaption(QAbstractButton* button)
{
    button->ensurePolished();
    QFont f = button->font();
    for (qreal spacing = 99; spacing >= 90 && button->sizeHint().width() > button->width(); spacing -= 1) {
        f.setLetterSpacing(QFont::PercentageSpacing, spacing);
        button->setFont(f);
    }
}

} // namespace ui

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace ui {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QRect& place,
                        const QIcon& glyph, int glyphSize, const QString& hint)
{
    auto* b = new QPushButton(glyph, caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(place);
    b->setIconSize(QSize(glyphSize, glyphSize));
    b->setCursor(Qt::PointingHandCursor);
    b->setToolTip(hint);
    // Screen readers name a button by its caption and read its hint as the description.
    b->setAccessibleDescription(hint);
    return b;
}

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window->adjustSize();
    const QRect area = screen->availableGeometry();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

} // namespace ui
