#include "ui/ColourBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace ui {
namespace {

struct FixedColour {
    const char* name;
    QRgb rgb;
};

// The standard colours, then the extended ones, in the order desktop colour lists give them.
constexpr FixedColour kFixed[] = {
    {"Preto", 0x000000},         {"Marrom", 0x800000},         {"Verde", 0x008000},
    {"Oliva", 0x808000},         {"Azul-marinho", 0x000080},   {"Roxo", 0x800080},
    {"Azul-petróleo", 0x008080}, {"Cinza", 0x808080},          {"Prata", 0xC0C0C0},
    {"Vermelho", 0xFF0000},      {"Verde-limão", 0x00FF00},    {"Amarelo", 0xFFFF00},
    {"Azul", 0x0000FF},          {"Fúcsia", 0xFF00FF},         {"Ciano", 0x00FFFF},
    {"Branco", 0xFFFFFF},        {"Verde-dinheiro", 0xC0DCC0}, {"Azul-céu", 0xA6CAF0},
    {"Creme", 0xFFFBF0},         {"Cinza médio", 0xA4A0A0},
};

struct SystemColour {
    const char* name;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr SystemColour kSystem[] = {
    {"Fundo da janela", QPalette::Active, QPalette::Window},
    {"Texto da janela", QPalette::Active, QPalette::WindowText},
    {"Fundo de campo", QPalette::Active, QPalette::Base},
    {"Texto de campo", QPalette::Active, QPalette::Text},
    {"Fundo alternado", QPalette::Active, QPalette::AlternateBase},
    {"Face de botão", QPalette::Active, QPalette::Button},
    {"Texto de botão", QPalette::Active, QPalette::ButtonText},
    {"Brilho de botão", QPalette::Active, QPalette::Light},
    {"Luz 3D", QPalette::Active, QPalette::Midlight},
    {"Sombra de botão", QPalette::Active, QPalette::Dark},
    {"Sombra 3D escura", QPalette::Active, QPalette::Shadow},
    {"Realce", QPalette::Active, QPalette::Highlight},
    {"Texto realçado", QPalette::Active, QPalette::HighlightedText},
    {"Texto desativado", QPalette::Disabled, QPalette::WindowText},
    {"Fundo de dica", QPalette::Active, QPalette::ToolTipBase},
    {"Texto de dica", QPalette::Active, QPalette::ToolTipText},
    {"Link", QPalette::Active, QPalette::Link},
};

constexpr int kFixedCount = int(std::size(kFixed));

QIcon swatch(const QColor& colour)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

} // namespace

ColourBox::ColourBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setIconSize(QSize(16, 12));
    for (const FixedColour& c : kFixed)
        addItem(swatch(QColor(c.rgb)), QString::fromUtf8(c.name));
    const QPalette palette = QApplication::palette();
    for (const SystemColour& c : kSystem)
        addItem(swatch(palette.color(c.group, c.role)), QString::fromUtf8(c.name));
    setCurrentIndex(0);

    // The list keeps the desktop's own highlight, whatever the window's style sheet makes of
    // the box's colours, so that the highlighted name never turns white on white: its items
    // are drawn as a list's, by the list (the toolkit's own way draws them with the box's
    // colours).
    setItemDelegate(new QStyledItemDelegate(this));
    const QPalette app = QApplication::palette();
    view()->setStyleSheet(QStringLiteral("QAbstractItemView { selection-background-color: %1; "
                                         "selection-color: %2; }")
                              .arg(app.color(QPalette::Active, QPalette::Highlight).name(),
                                   app.color(QPalette::Active, QPalette::HighlightedText).name()));
    // The whole name shows as a hint where the closed box has to cut it.
    connect(this, &QComboBox::currentIndexChanged, this,
            [this] { setToolTip(shownName() == currentText() ? QString() : currentText()); });
}

QRect ColourBox::swatchRect() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    // Smaller than the list's swatches: the closed box is narrow, and the name counts more.
    return QRect(field.left(), field.center().y() - 4, 8, 9);
}

QRect ColourBox::nameRect() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    field.setLeft(swatchRect().right() + 4);
    field.setRight(field.right() + 1);
    return field;
}

QFont ColourBox::nameFont(const QString& name) const
{
    QFont f = font();
    const int width = nameRect().width();
    if (f.pixelSize() <= 0)
        f.setPixelSize(QFontInfo(f).pixelSize());
    while (f.pixelSize() > kLeastNamePixels && QFontMetrics(f).horizontalAdvance(name) > width)
        f.setPixelSize(f.pixelSize() - 1);
    return f;
}

QString ColourBox::shownName() const
{
    const QString name = currentText();
    return QFontMetrics(nameFont(name)).elidedText(name, Qt::ElideRight, nameRect().width());
}

void ColourBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);

    const QRect box = swatchRect();
    painter.fillRect(box, selectedColour());
    painter.setPen(Qt::black);
    painter.drawRect(box.adjusted(0, 0, -1, -1));

    painter.setFont(nameFont(currentText()));
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(nameRect(), Qt::AlignLeft | Qt::AlignVCenter, shownName());
}

QColor ColourBox::selectedColour() const
{
    const int i = currentIndex();
    if (i < 0)
        return Qt::black;
    if (i < kFixedCount)
        return QColor(kFixed[i].rgb);
    const SystemColour& c = kSystem[i - kFixedCount];
    return QApplication::palette().color(c.group, c.role);
}

bool ColourBox::selectName(const QString& name)
{
    const int i = findText(name);
    if (i >= 0)
        setCurrentIndex(i);
    return i >= 0;
}

} // namespace ui
