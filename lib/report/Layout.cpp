// Laying a report template out into prepared pages.
#include "report/Fonts.h"
#include "report/Template.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

namespace report {
namespace {

constexpr double kTouch = 2;     // texts closer than this on one line would run into each other
constexpr double kGap = 6;       // the room a pushed text keeps from the one before it
constexpr double kMinWidth = 40; // a text pushed against an obstacle still gets this width
constexpr double kSameRow = 0.5;

// One text control as laid out: its lines and the box they take.
struct LaidLabel {
    const Label* label;
    QString text;
    FontSpec font;
    QColor colour;
    QStringList lines;
    double x = 0, y = 0, width = 0;
    double lineSpacing = 0, lineHeight = 0;
    double growth = 0; // how much taller than its design box it came out
    double height() const
    {
        return lines.isEmpty() ? lineHeight : (lines.size() - 1) * lineSpacing + lineHeight;
    }
};

struct FontMetrics {
    QFont font;
    QFontMetricsF metrics;
};

// Fonts are few and texts many: keep the metrics of each font once per preparation.
class MetricsCache {
  public:
    const FontMetrics& get(const FontSpec& spec)
    {
        for (const auto& [s, m] : m_cache)
            if (s == spec)
                return *m;
        QFont f = toQFont(spec);
        m_cache.emplace_back(
            spec, std::make_unique<FontMetrics>(FontMetrics{f, QFontMetricsF(f, &layoutDevice())}));
        return *m_cache.back().second;
    }

  private:
    std::vector<std::pair<FontSpec, std::unique_ptr<FontMetrics>>> m_cache;
};

// Breaks one paragraph into lines no wider than `width`, at word boundaries where it can and
// anywhere inside a word that is wider than a whole line.
QStringList wrap(const QString& paragraph, const QFont& font, double width)
{
    QStringList lines;
    QTextLayout layout(paragraph, font, &layoutDevice());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    if (lines.isEmpty())
        lines << QString();
    return lines;
}

QStringList paragraphs(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return t.split(QLatin1Char('\n'));
}

bool overlapsRow(const QRectF& box, double top, double height)
{
    return box.top() < top + height && top < box.bottom();
}

// Lays out a band's controls for one page: texts flow along their line, push the texts after
// them to the right when they are longer than the template foresaw, and wrap at the band's
// right edge (or at a picture or line in their way); the lines below move down by what the
// wrapped texts grew, and so does the band.
class BandLayout {
  public:
    BandLayout(const Band& band, int pageNumber, double width, MetricsCache& metrics)
    {
        std::vector<LaidLabel> labels;
        std::vector<const Control*> obstacles;
        for (const auto& c : band.controls()) {
            if (!c->enabled)
                continue;
            if (auto* label = dynamic_cast<const Label*>(c.get())) {
                LaidLabel l{label, label->textOnPage(pageNumber), label->font(), label->colour(), {}};
                const FontMetrics& fm = metrics.get(l.font);
                l.lineSpacing = fm.metrics.lineSpacing();
                l.lineHeight = fm.metrics.height();
                l.x = label->geometry.left();
                l.y = label->geometry.top();
                labels.push_back(std::move(l));
            } else {
                obstacles.push_back(c.get());
                m_others.push_back(c.get());
            }
        }
        std::stable_sort(labels.begin(), labels.end(), [](const LaidLabel& a, const LaidLabel& b) {
            if (std::abs(a.y - b.y) > kSameRow)
                return a.y < b.y;
            return a.label->geometry.left() < b.label->geometry.left();
        });

        double rowTop = -1e9, rowRight = -1e9;
        for (LaidLabel& l : labels) {
            const FontMetrics& fm = metrics.get(l.font);
            if (std::abs(l.y - rowTop) > kSameRow) {
                rowTop = l.y;
                rowRight = -1e9;
            }
            const Label& label = *l.label;
            if (label.autoSize && rowRight + kTouch > l.x)
                l.x = rowRight + kGap;
            double limit = width;
            for (const Control* o : obstacles)
                if (o->geometry.left() > label.geometry.left() && overlapsRow(o->geometry, l.y, l.lineHeight))
                    limit = std::min(limit, o->geometry.left() - kGap);
            const QStringList paras = paragraphs(l.text);
            if (label.autoSize) {
                double natural = 0;
                for (const QString& p : paras)
                    natural = std::max(natural, fm.metrics.horizontalAdvance(p));
                const double room = std::max(limit - l.x, kMinWidth);
                l.width = std::min(natural, room);
                if (natural <= room)
                    l.lines = paras;
            } else {
                l.width = label.geometry.width();
            }
            if (l.lines.isEmpty()) {
                if (label.wordWrap || label.autoSize) {
                    for (const QString& p : paras)
                        l.lines += wrap(p, fm.font, l.width);
                } else {
                    l.lines = paras;
                }
            }
            const double designHeight = label.autoSize ? l.lineHeight : label.geometry.height();
            l.growth = std::max(0.0, l.height() - designHeight);
            if (!l.text.isEmpty())
                rowRight = l.x + l.width;
            else
                rowRight = std::max(rowRight, l.x);
        }

        // What grew pushes down everything that starts below the grown text's design box.
        std::map<double, double> growthByBottom; // design bottom -> the most any text there grew
        for (const LaidLabel& l : labels) {
            if (l.growth <= 0)
                continue;
            const double bottom = l.y + (l.label->autoSize ? l.lineHeight : l.label->geometry.height());
            double& g = growthByBottom[bottom];
            g = std::max(g, l.growth);
        }
        auto shiftAt = [&](double top) {
            double s = 0;
            for (const auto& [bottom, g] : growthByBottom)
                if (bottom <= top + kSameRow)
                    s += g;
            return s;
        };
        for (LaidLabel& l : labels)
            l.y += shiftAt(l.y);
        for (const Control* o : m_others)
            m_shift.push_back(shiftAt(o->geometry.top()));
        double grown = 0;
        for (const auto& [bottom, g] : growthByBottom)
            grown += g;
        m_height = band.height + grown;
        // A face taller than the template foresaw still ends inside its band, clear of the
        // next band's opening line.
        for (const LaidLabel& l : labels)
            if (!l.text.isEmpty() && l.label->autoSize)
                m_height = std::max(m_height, l.y + l.height());
        m_labels = std::move(labels);
    }

    double height() const { return m_height; }

    // The band's drawing items, placed with the band's top-left corner at `origin`.
    template <class Emit>
    void place(QPointF origin, Emit&& out, const std::function<int(const Image&)>& picture) const
    {
        for (size_t i = 0; i < m_others.size(); ++i) {
            const Control* c = m_others[i];
            const QRectF box = c->geometry.translated(origin + QPointF(0, m_shift[i]));
            if (auto* line = dynamic_cast<const Line*>(c)) {
                const double y = box.center().y();
                out(LineItem{QLineF(box.left(), y, box.right(), y), line->pen, 1, line->style}, box.top());
            } else if (auto* image = dynamic_cast<const Image*>(c)) {
                if (!image->picture().isNull())
                    out(ImageItem{box, picture(*image)}, box.top());
            }
        }
        for (const LaidLabel& l : m_labels) {
            const int align = int(l.label->alignment & Qt::AlignHorizontal_Mask) | Qt::AlignTop;
            for (int i = 0; i < l.lines.size(); ++i) {
                if (l.lines[i].isEmpty())
                    continue;
                const QRectF box(origin.x() + l.x, origin.y() + l.y + i * l.lineSpacing, l.width,
                                 l.lineHeight);
                out(TextItem{box, l.lines[i], l.font, l.colour, align}, box.top());
            }
        }
    }

  private:
    std::vector<LaidLabel> m_labels;
    std::vector<const Control*> m_others;
    std::vector<double> m_shift;
    double m_height = 0;
};

} // namespace

PreparedPages Report::prepare()
{
    PreparedPages out;
    out.pageSize = pageSize;
    out.title = title;
    MetricsCache metrics;
    const double width = bandWidth();
    const double top = margin;

    std::map<const Image*, int> pictureIndex;
    auto picture = [&](const Image& image) {
        auto [it, added] = pictureIndex.emplace(&image, int(out.pictures.size()));
        if (added)
            out.pictures.push_back(image.encodedPicture());
        return it->second;
    };

    const Band* footer = nullptr;
    std::vector<const Band*> body;
    for (const auto& b : m_bands) {
        if (!b->enabled)
            continue;
        if (b->kind() == BandKind::PageFooter)
            footer = b.get();
        else
            body.push_back(b.get());
    }
    // The title band comes first whatever its place in the list.
    std::stable_partition(body.begin(), body.end(),
                          [](const Band* b) { return b->kind() == BandKind::Title; });

    // The footer's height does not depend on the page number but for a counter with many
    // digits; lay it out with the largest number a résumé could reach here and keep it.
    const double footerHeight = footer ? BandLayout(*footer, 999, width, metrics).height() : 0;
    const double bottom = pageSize.height() - margin - footerHeight;

    auto newPage = [&] {
        out.pages.emplace_back();
        if (frame)
            out.pages.back().items.push_back(FrameItem{
                QRectF(margin, margin, width, pageSize.height() - 2 * margin), frameColour, frameWidth});
    };
    newPage();
    double y = top;
    for (const Band* band : body) {
        const BandLayout laid(*band, int(out.pages.size()), width, metrics);
        const double h = laid.height();
        const bool fitsAPage = h <= bottom - top + 0.01;
        // A band that fits no page at all starts where it is, and goes on over the next pages.
        if (fitsAPage && y + h > bottom + 0.01 && y > top + 0.01) {
            newPage();
            y = top;
        }
        if (fitsAPage) {
            laid.place(
                QPointF(margin, y),
                [&](Item item, double) { out.pages.back().items.push_back(std::move(item)); }, picture);
        } else {
            // Taller than a whole page: what does not fit goes on, line by line, to the next pages.
            std::vector<std::pair<double, Item>> items;
            laid.place(
                QPointF(margin, y),
                [&](Item item, double itemTop) { items.emplace_back(itemTop, std::move(item)); }, picture);
            std::stable_sort(items.begin(), items.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            double offset = 0;
            for (auto& [itemTop, item] : items) {
                const double itemBottom = std::visit(
                    [&](auto& i) -> double {
                        using T = std::decay_t<decltype(i)>;
                        if constexpr (std::is_same_v<T, LineItem>)
                            return i.line.y1() + 1;
                        else
                            return i.rect.bottom();
                    },
                    item);
                if (itemBottom + offset > bottom + 0.01 && itemTop + offset > top + 0.01) {
                    newPage();
                    offset = top - itemTop;
                }
                std::visit(
                    [&](auto& i) {
                        using T = std::decay_t<decltype(i)>;
                        if constexpr (std::is_same_v<T, LineItem>)
                            i.line.translate(0, offset);
                        else
                            i.rect.translate(0, offset);
                    },
                    item);
                out.pages.back().items.push_back(std::move(item));
            }
            y += offset;
        }
        y += h;
    }
    if (footer) {
        for (size_t p = 0; p < out.pages.size(); ++p) {
            const BandLayout laid(*footer, int(p + 1), width, metrics);
            laid.place(
                QPointF(margin, pageSize.height() - margin - laid.height()),
                [&](Item item, double) { out.pages[p].items.push_back(std::move(item)); }, picture);
        }
    }
    m_pageCount = out.pageCount();
    return out;
}

} // namespace report
