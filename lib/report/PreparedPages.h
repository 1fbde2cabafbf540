#pragma once

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <variant>
#include <vector>

namespace report {

// Prepared pages are what a report looks like once laid out: a page size and, page by page,
// the drawing items in the order they are drawn. Every place and size is in 96-dpi pixels
// from the page's top-left corner, so the same pages paint alike on screen, paper, PDF and
// HTML, and can be saved and reopened without the template that made them.

// A font as the report names it; the family is the report's own name ("Arial",
// "Monotype Corsiva", ...), which the platform maps to an installed face.
struct FontSpec {
    QString family = QStringLiteral("Arial");
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const FontSpec&) const = default;
};

struct TextItem {
    QRectF rect;
    QString text;
    FontSpec font;
    QColor colour = Qt::black;
    int flags = Qt::AlignLeft | Qt::AlignTop; // Qt::AlignmentFlag and Qt::TextFlag values
    bool operator==(const TextItem&) const = default;
};

struct LineItem {
    QLineF line;
    QColor colour = Qt::black;
    double width = 1;
    Qt::PenStyle style = Qt::SolidLine;
    bool operator==(const LineItem&) const = default;
};

struct FrameItem {
    QRectF rect;
    QColor colour = Qt::black;
    double width = 1;
    bool operator==(const FrameItem&) const = default;
};

// A picture stretched over its rectangle; `picture` indexes PreparedPages::pictures.
struct ImageItem {
    QRectF rect;
    int picture = -1;
    bool operator==(const ImageItem&) const = default;
};

using Item = std::variant<TextItem, LineItem, FrameItem, ImageItem>;

// A picture kept once however many pages show it: its encoded bytes (JPEG or PNG, as
// compact as the source allows) and the decoded image for painting.
struct Picture {
    QByteArray encoded; // the bytes as stored in a report file
    QByteArray format;  // "JPEG" or "PNG"
    QImage image;
    bool operator==(const Picture& o) const { return encoded == o.encoded && format == o.format; }
};

struct PreparedPage {
    std::vector<Item> items;
    bool operator==(const PreparedPage&) const = default;
};

struct PreparedPages {
    QSizeF pageSize; // in 96-dpi pixels; A4 portrait is about 794 x 1123
    QString title;   // the report's title (PDF document title, preview caption)
    std::vector<PreparedPage> pages;
    std::vector<Picture> pictures;
    bool operator==(const PreparedPages&) const = default;

    int pageCount() const { return int(pages.size()); }
    bool isLandscape() const { return pageSize.width() > pageSize.height(); }
};

} // namespace report
