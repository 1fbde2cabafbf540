#include "ui/Look.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QWidget>

#include <utility>

namespace ui {

namespace {

// Looking an icon up in the desktop's theme walks its folders, and the toolkit's standard icons
// decode a dozen pictures each: costs a window should not pay until a button is first painted.
// The answer is kept with the application, so every button naming the same icon shares it.
class IconCache : public QObject {
  public:
    using QObject::QObject;

    static QIcon resolve(const QString& themeName, QStyle::StandardPixmap fallback, const QStyle* style)
    {
        QCoreApplication* app = QCoreApplication::instance();
        static QPointer<IconCache> cache;
        if (!cache && app)
            cache = new IconCache(app);
        const QString key = themeName + u'\n' + QString::number(int(fallback));
        if (cache) {
            const auto found = cache->m_icons.constFind(key);
            if (found != cache->m_icons.cend())
                return *found;
        }
        QIcon icon;
        if (!themeName.isEmpty() && QIcon::hasThemeIcon(themeName))
            icon = QIcon::fromTheme(themeName);
        else if (const QStyle* from = pictureStyle(style))
            icon = from->standardIcon(fallback);
        if (cache)
            cache->m_icons.insert(key, icon);
        return icon;
    }

  private:
    // The style that draws the pictures: under the program's own proxy (which hands out
    // deferred icons itself) that is its base.
    static const QStyle* pictureStyle(const QStyle* style)
    {
        if (!style)
            style = QApplication::style();
        if (const auto* proxy = qobject_cast<const QProxyStyle*>(style))
            style = proxy->baseStyle();
        return style;
    }

    QHash<QString, QIcon> m_icons;
};

class DeferredIcon : public QIconEngine {
  public:
    DeferredIcon(QString themeName, QStyle::StandardPixmap fallback, const QStyle* style = nullptr)
        : m_name(std::move(themeName)), m_fallback(fallback), m_style(const_cast<QStyle*>(style))
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        // Lists and boxes ask the size while laying out; both kinds of icon come in the small
        // sizes the program asks for, so the answer needs no look-up until painting.
        return m_resolved ? m_icon.actualSize(size, mode, state) : size;
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    QString iconName() override { return icon().name(); }
    // Both the theme's icon and the standard one are real pictures; asking must not force the
    // look-up (a button's size hint asks).
    bool isNull() override { return m_resolved ? m_icon.isNull() : false; }
    QString key() const override { return QStringLiteral("DeferredIcon"); }
    QIconEngine* clone() const override { return new DeferredIcon(*this); }

  private:
    const QIcon& icon()
    {
        if (!m_resolved) {
            m_icon = IconCache::resolve(m_name, m_fallback, m_style.data());
            m_resolved = true;
        }
        return m_icon;
    }

    QString m_name;
    QStyle::StandardPixmap m_fallback;
    QPointer<QStyle> m_style;
    QIcon m_icon;
    bool m_resolved = false;
};

} // namespace

QIcon themeIcon(const char* themeName, QStyle::StandardPixmap fallback)
{
    return QIcon(new DeferredIcon(QString::fromLatin1(themeName), fallback));
}

QIcon standardIcon(QStyle::StandardPixmap which, const QStyle* style)
{
    return QIcon(new DeferredIcon(QString(), which, style));
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
    // The skin colours a field as it polishes it.
    widget->style()->polish(widget);
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
