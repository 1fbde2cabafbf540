#pragma once

#include "report/PreparedPages.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>

#include <map>
#include <memory>
#include <vector>

namespace report {

class Band;
class Report;

// A thing placed on a band. Places are in 96-dpi pixels from the band's top-left corner.
class Control {
  public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const QString& name() const { return m_name; }
    Band& band() const { return *m_band; }
    Report& report() const;

    QRectF geometry;
    // A disabled control is not drawn; its band keeps its height.
    bool enabled = true;

  protected:
    Control(Band& band, const QString& name, const QRectF& geometry);

  private:
    Band* m_band;
    QString m_name;
};

// A text. Without a font of its own it takes the report's font and follows its later changes;
// changing a part of its font gives it a font of its own, a copy of the report's.
class Label : public Control {
  public:
    Label(Band& band, const QString& name, const QRectF& geometry, const QString& caption);

    QString caption;
    Qt::Alignment alignment = Qt::AlignLeft;
    // A self-sizing label is as wide as its text; a fixed one keeps its box and wraps inside it.
    bool autoSize = true;
    bool wordWrap = true;

    FontSpec font() const;
    QColor colour() const;
    bool hasOwnFont() const { return m_ownFont; }
    void setFont(const FontSpec& font, const QColor& colour);
    void setFontFamily(const QString& family);
    void setColour(const QColor& colour);

    // The text to draw on a given page (the caption, or the page number for a page number).
    virtual QString textOnPage(int pageNumber) const;

  private:
    void takeOwnFont();
    bool m_ownFont = false;
    FontSpec m_font;
    QColor m_colour = Qt::black;
};

// The current page's number, in the label's font.
class PageNumber : public Label {
  public:
    PageNumber(Band& band, const QString& name, const QRectF& geometry);
    QString textOnPage(int pageNumber) const override;
};

// A horizontal line across the box, through its vertical middle.
class Line : public Control {
  public:
    Line(Band& band, const QString& name, const QRectF& geometry) : Control(band, name, geometry) {}
    QColor pen = Qt::black;
    Qt::PenStyle style = Qt::SolidLine; // Qt::SolidLine or Qt::DashDotLine
};

// A picture stretched to its box; without a picture it draws nothing.
class Image : public Control {
  public:
    Image(Band& band, const QString& name, const QRectF& geometry) : Control(band, name, geometry) {}

    const QImage& picture() const { return m_picture.image; }
    // The picture with its encoded bytes when it came from a file (kept as they are); a bitmap
    // is encoded as PNG once, when first needed.
    void setPicture(const QImage& image, const QByteArray& encoded = {}, const QByteArray& format = {});
    void clear() { m_picture = {}; }
    const Picture& encodedPicture() const;

  private:
    mutable Picture m_picture;
};

enum class BandKind { Title, SubDetail, PageFooter };

// Texts of one line that belong together: a field title and the value or values after it
// ("Cidade:" and the city; "Telefone:", the first phone, "/" and the second). The layout keeps a
// pair whole: its title is never broken, several values flow one after the other, and a pair
// that no longer fits beside the texts before it on its line moves to a new row of its band.
// A label on no pair flows alone, as a value would.
struct FieldPair {
    Label* title = nullptr; // null: values only
    std::vector<Label*> values;
};

// A horizontal strip of the report holding controls. The title band prints once at the top;
// sub-detail bands follow once each in order; the page footer sits at every page's bottom.
class Band {
  public:
    Band(Report& report, BandKind kind, const QString& name, double height);
    Band(const Band&) = delete;
    Band& operator=(const Band&) = delete;

    const QString& name() const { return m_name; }
    BandKind kind() const { return m_kind; }
    Report& report() const { return *m_report; }
    double height;
    // A disabled band takes no space.
    bool enabled = true;

    template <class T, class... Args> T* add(const QString& name, Args&&... args)
    {
        auto control = std::make_unique<T>(*this, name, std::forward<Args>(args)...);
        T* raw = control.get();
        adopt(std::move(control));
        return raw;
    }
    const std::vector<std::unique_ptr<Control>>& controls() const { return m_controls; }

    // Declares a pair of this band's labels on one line; throws std::logic_error for a label of
    // another band or one already in a pair.
    void addPair(Label* title, std::vector<Label*> values);
    const std::vector<FieldPair>& pairs() const { return m_pairs; }

  private:
    void adopt(std::unique_ptr<Control> control);
    Report* m_report;
    BandKind m_kind;
    QString m_name;
    std::vector<std::unique_ptr<Control>> m_controls;
    std::vector<FieldPair> m_pairs;
};

// A report template: the page, its frame, the report font, the title and the bands in print
// order. prepare() lays it out into prepared pages.
class Report {
  public:
    Report();
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    // A4 portrait in 96-dpi pixels, with 10 mm margins all round.
    QSizeF pageSize{793.7, 1122.5};
    double margin = 37.8;
    bool frame = true; // a line on all four sides of the printable area
    QColor frameColour = Qt::black;
    double frameWidth = 1;
    QString title;

    const FontSpec& font() const { return m_font; }
    const QColor& fontColour() const { return m_fontColour; }
    void setFont(const FontSpec& font, const QColor& colour);
    void setFontFamily(const QString& family) { m_font.family = family; }
    void setFontColour(const QColor& colour) { m_fontColour = colour; }

    Band* addBand(BandKind kind, const QString& name, double height);
    const std::vector<std::unique_ptr<Band>>& bands() const { return m_bands; }
    double bandWidth() const { return pageSize.width() - 2 * margin; }

    // Any control or band by its name; null when there is none of that name and kind.
    template <class T> T* find(const QString& name) const
    {
        const auto it = m_controls.find(name);
        return it == m_controls.end() ? nullptr : dynamic_cast<T*>(it->second);
    }
    Band* band(const QString& name) const;

    // Lays the template out as it stands now and remembers the page count.
    PreparedPages prepare();
    int pageCount() const { return m_pageCount; }

  private:
    friend class Band;
    FontSpec m_font;
    QColor m_fontColour = Qt::black;
    std::vector<std::unique_ptr<Band>> m_bands;
    std::map<QString, Control*> m_controls;
    int m_pageCount = 0;
};

} // namespace report
