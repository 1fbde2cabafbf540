#pragma once

#include <QColor>
#include <QComboBox>
#include <QPalette>

namespace ui {

// A pick-only list of colours, each with a swatch and a plain name: the sixteen standard
// colours, four extended ones and the desktop's own colours (which follow the current palette
// when read). Black is selected at first; there is no entry for a colour of one's own.
class ColourBox : public QComboBox {
    Q_OBJECT
  public:
    explicit ColourBox(QWidget* parent = nullptr);

    // The selected colour, a desktop colour as the palette gives it now.
    QColor selectedColour() const;
    QString selectedName() const { return currentText(); }
    // Selects the entry named so; false when there is none.
    bool selectName(const QString& name);

    // The name as the closed box shows it: the font it is drawn in (the box's own, made smaller
    // down to a readable least when the name is long) and the text, cut short with "…" only
    // when even that font is too wide.
    QFont nameFont(const QString& name) const;
    QString shownName() const;
    // Where the closed box draws the swatch and the name.
    QRect swatchRect() const;
    QRect nameRect() const;

    static constexpr int kLeastNamePixels = 8;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ui
