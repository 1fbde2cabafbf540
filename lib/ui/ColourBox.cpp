#include "ui/ColourBox.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>

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
