#include "report/Template.h"

#include <QBuffer>

#include <algorithm>
#include <stdexcept>

namespace report {

Control::Control(Band& band, const QString& name, const QRectF& geometry)
    : geometry(geometry), m_band(&band), m_name(name)
{
}

Control::~Control() = default;

Report& Control::report() const { return m_band->report(); }

Label::Label(Band& band, const QString& name, const QRectF& geometry, const QString& caption)
    : Control(band, name, geometry), caption(caption)
{
}

FontSpec Label::font() const { return m_ownFont ? m_font : report().font(); }
QColor Label::colour() const { return m_ownFont ? m_colour : report().fontColour(); }

void Label::setFont(const FontSpec& font, const QColor& colour)
{
    m_ownFont = true;
    m_font = font;
    m_colour = colour;
}

void Label::takeOwnFont()
{
    if (!m_ownFont)
        setFont(report().font(), report().fontColour());
}

void Label::setFontFamily(const QString& family)
{
    takeOwnFont();
    m_font.family = family;
}

void Label::setColour(const QColor& colour)
{
    takeOwnFont();
    m_colour = colour;
}

QString Label::textOnPage(int) const { return caption; }

PageNumber::PageNumber(Band& band, const QString& name, const QRectF& geometry)
    : Label(band, name, geometry, QString())
{
}

QString PageNumber::textOnPage(int pageNumber) const { return QString::number(pageNumber); }

void Image::setPicture(const QImage& image, const QByteArray& encoded, const QByteArray& format)
{
    // The same bitmap copied in again keeps the encoding already made for it.
    if (encoded.isEmpty() && !image.isNull() && image.cacheKey() == m_picture.image.cacheKey() &&
        m_picture.format == "PNG")
        return;
    m_picture.image = image;
    m_picture.encoded = encoded;
    m_picture.format = encoded.isEmpty() ? QByteArray() : format.toUpper();
    if (m_picture.format == "JPG")
        m_picture.format = "JPEG";
    // Only JPEG and PNG bytes are kept as they are; any other file is stored as PNG.
    if (m_picture.format != "JPEG" && m_picture.format != "PNG") {
        m_picture.encoded.clear();
        m_picture.format.clear();
    }
}

const Picture& Image::encodedPicture() const
{
    if (m_picture.encoded.isEmpty() && !m_picture.image.isNull()) {
        QBuffer buffer(&m_picture.encoded);
        buffer.open(QIODevice::WriteOnly);
        m_picture.image.save(&buffer, "PNG");
        m_picture.format = "PNG";
    }
    return m_picture;
}

Band::Band(Report& report, BandKind kind, const QString& name, double height)
    : height(height), m_report(&report), m_kind(kind), m_name(name)
{
}

void Band::adopt(std::unique_ptr<Control> control)
{
    if (!m_report->m_controls.emplace(control->name(), control.get()).second)
        throw std::logic_error("report: two controls named " + control->name().toStdString());
    m_controls.push_back(std::move(control));
}

void Band::addPair(Label* title, std::vector<Label*> values)
{
    std::vector<Label*> members = values;
    if (title)
        members.insert(members.begin(), title);
    for (Label* l : members) {
        if (!l || &l->band() != this)
            throw std::logic_error("report: a pair of band " + m_name.toStdString() +
                                   " holds a label of another band");
        for (const FieldPair& p : m_pairs)
            if (p.title == l || std::find(p.values.begin(), p.values.end(), l) != p.values.end())
                throw std::logic_error("report: " + l->name().toStdString() + " is in two pairs");
    }
    m_pairs.push_back(FieldPair{title, std::move(values)});
}

Report::Report() = default;
Report::~Report() = default;

void Report::setFont(const FontSpec& font, const QColor& colour)
{
    m_font = font;
    m_fontColour = colour;
}

Band* Report::addBand(BandKind kind, const QString& name, double height)
{
    m_bands.push_back(std::make_unique<Band>(*this, kind, name, height));
    return m_bands.back().get();
}

Band* Report::band(const QString& name) const
{
    for (const auto& b : m_bands)
        if (b->name() == name)
            return b.get();
    return nullptr;
}

} // namespace report
