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
constexpr double kMinValue = 60; // a value beside the texts before it gets at least this width
constexpr double kRowGap = 6;    // between a line and the row that a pair moved down to
constexpr double kEdge = 2;      // texts keep this far from the frame's line
constexpr double kSameRow = 0.5;
constexpr double kNowhere = -1e9;

// One text control as laid out: its lines and the box they take.
struct LaidLabel {
    const Label* label;
    QString text;
    FontSpec font;
    QColor colour;
    QStringList lines;
    QStringList paragraphs;
    double natural = 0; // the widest paragraph, unbroken
    double x = 0, y = 0, width = 0;
    double lineSpacing = 0, lineHeight = 0;
    double designHeight() const { return label->autoSize ? lineHeight : label->geometry.height(); }
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
    const FontMetrics& get(const FontSpec& font)
    {
        for (const auto& [s, m] : m_cache)
            if (s == font)
                return *m;
        QFont f = toQFont(font);
        m_cache.emplace_back(
            font, std::make_unique<FontMetrics>(FontMetrics{f, QFontMetricsF(f, &layoutDevice())}));
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

// The labels of a line that the layout keeps together: a declared pair or a label alone.
struct Group {
    std::vector<size_t> members; // indexes into the band's laid labels, title first
    bool titled = false;         // the first member is a field title, which is never broken
    const LaidLabel* first = nullptr;
};

// Lays out a band's controls for one page, line by line from the top. On a line, a text longer
// than the template foresaw pushes the pairs after it to the right while they still fit whole;
// a pair that no longer fits moves to a new row below. A value wraps only at the band's right
// edge (or at a picture or line in its way). What grew moves the lines below it down, and the
// band grows with them.
class BandLayout {
  public:
    BandLayout(const Band& band, int pageNumber, double width, MetricsCache& metrics) : m_width(width - kEdge)
    {
        for (const auto& c : band.controls()) {
            if (!c->enabled)
                continue;
            if (auto* label = dynamic_cast<const Label*>(c.get())) {
                LaidLabel l{label,
                            printableText(label->textOnPage(pageNumber), label->font()),
                            label->font(),
                            label->colour(),
                            {},
                            {}};
                const FontMetrics& fm = metrics.get(l.font);
                l.lineSpacing = fm.metrics.lineSpacing();
                l.lineHeight = fm.metrics.height();
                l.x = label->geometry.left();
                l.y = label->geometry.top();
                l.paragraphs = paragraphs(l.text);
                for (const QString& p : l.paragraphs)
                    l.natural = std::max(l.natural, fm.metrics.horizontalAdvance(p));
                m_labels.push_back(std::move(l));
            } else {
                m_others.push_back(c.get());
            }
        }
        std::vector<Group> groups = makeGroups(band);
        std::stable_sort(groups.begin(), groups.end(), [](const Group& a, const Group& b) {
            if (std::abs(a.first->y - b.first->y) > kSameRow)
                return a.first->y < b.first->y;
            return a.first->label->geometry.left() < b.first->label->geometry.left();
        });
        for (size_t from = 0; from < groups.size();) {
            size_t to = from + 1;
            while (to < groups.size() && std::abs(groups[to].first->label->geometry.top() -
                                                  groups[from].first->label->geometry.top()) <= kSameRow)
                ++to;
            layLine(groups, from, to, metrics);
            from = to;
        }
        for (const Group& g : groups)
            m_order.insert(m_order.end(), g.members.begin(), g.members.end());

        for (const Control* o : m_others)
            m_shift.push_back(shiftAt(o->geometry.top()));
        double grown = 0;
        for (const auto& [bottom, g] : m_growthByBottom)
            grown += g;
        m_height = band.height + grown;
        // A face taller than the template foresaw still ends inside its band, clear of the
        // next band's opening line.
        for (const LaidLabel& l : m_labels)
            if (!l.text.isEmpty() && l.label->autoSize)
                m_height = std::max(m_height, l.y + l.height());
    }

    // How far above the band's top its highest item reaches (texts one pixel above the top).
    double overhang() const
    {
        double top = 0;
        for (const LaidLabel& l : m_labels)
            if (!l.text.isEmpty())
                top = std::min(top, l.y);
        for (size_t i = 0; i < m_others.size(); ++i) {
            const QRectF& g = m_others[i]->geometry;
            top = std::min(top, dynamic_cast<const Line*>(m_others[i]) ? g.center().y() : g.top());
        }
        return -top;
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
        for (size_t index : m_order) {
            const LaidLabel& l = m_labels[index];
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
    std::vector<Group> makeGroups(const Band& band)
    {
        std::map<const Label*, size_t> index;
        for (size_t i = 0; i < m_labels.size(); ++i)
            index.emplace(m_labels[i].label, i);
        std::vector<bool> grouped(m_labels.size(), false);
        std::vector<Group> groups;
        for (const FieldPair& pair : band.pairs()) {
            Group g;
            auto take = [&](const Label* l) {
                const auto it = index.find(l);
                if (it == index.end() || grouped[it->second])
                    return false;
                grouped[it->second] = true;
                g.members.push_back(it->second);
                return true;
            };
            g.titled = pair.title && take(pair.title);
            for (const Label* v : pair.values)
                take(v);
            if (!g.members.empty())
                groups.push_back(std::move(g));
        }
        for (size_t i = 0; i < m_labels.size(); ++i)
            if (!grouped[i])
                groups.push_back(Group{{i}, false, nullptr});
        for (Group& g : groups)
            g.first = &m_labels[g.members.front()];
        return groups;
    }

    // What the lines laid so far moved down everything that starts at `top` in the template.
    double shiftAt(double top) const
    {
        double s = 0;
        for (const auto& [bottom, g] : m_growthByBottom)
            if (bottom <= top + kSameRow)
                s += g;
        return s;
    }

    // The right end a label may reach at its row: the band's edge, or a picture or line that
    // stands in its way.
    double limitFor(const LaidLabel& l, double top) const
    {
        double limit = m_width;
        for (const Control* o : m_others) {
            const QRectF box = o->geometry.translated(0, shiftAt(o->geometry.top()));
            if (o->geometry.left() > l.label->geometry.left() && overlapsRow(box, top, l.lineHeight))
                limit = std::min(limit, o->geometry.left() - kGap);
        }
        return limit;
    }

    // Places a group's members on the row at `top`, after the texts ending at `rowRight`: each
    // at its place, or just after the text before it where that one reaches further. Returns
    // whether the whole group fits: its title unbroken, and each value whole or with at least
    // the room it has at its own place (and never less than kMinValue).
    bool placeGroup(const Group& g, double top, double rowRight, double lineLeft)
    {
        double right = rowRight, overflow = 0;
        for (size_t i = 0; i < g.members.size(); ++i) {
            LaidLabel& l = m_labels[g.members[i]];
            l.y = top + (l.label->geometry.top() - g.first->label->geometry.top());
            l.x = l.label->geometry.left();
            if (!l.label->autoSize)
                continue; // a fixed box keeps its place
            if (right + kTouch > l.x)
                l.x = right + kGap;
            const bool title = g.titled && i == 0;
            const double limit = limitFor(l, l.y);
            // A pushed value may not be squeezed narrower than its template place would have it.
            const double placeRoom = limit - l.label->geometry.left();
            const double need = title ? l.natural : std::min(l.natural, std::max(kMinValue, placeRoom));
            overflow = std::max(overflow, l.x + need - limit);
            const double width = title ? l.natural : std::min(l.natural, std::max(limit - l.x, 0.0));
            right = l.text.isEmpty() ? std::max(right, l.x) : l.x + width;
        }
        if (overflow <= 0.01)
            return true;
        // Texts wider than the template foresaw (a long page count, a broad script face) slide
        // left into the free room of their line before they give up their row.
        const double start = g.first->x;
        const double floor = rowRight > kNowhere / 2 ? rowRight + kGap : std::min(lineLeft, start);
        const double slide = std::min(overflow, std::max(0.0, start - floor));
        for (size_t m : g.members)
            if (m_labels[m].label->autoSize)
                m_labels[m].x -= slide;
        return slide >= overflow - 0.01;
    }

    // Gives each member of a placed group its width and lines.
    void breakGroup(const Group& g, MetricsCache& metrics)
    {
        for (size_t i = 0; i < g.members.size(); ++i) {
            LaidLabel& l = m_labels[g.members[i]];
            const Label& label = *l.label;
            const FontMetrics& fm = metrics.get(l.font);
            l.lines.clear();
            if (label.autoSize) {
                const double room = std::max(limitFor(l, l.y) - l.x, 1.0);
                l.width = std::min(l.natural, room);
                if (l.natural <= room + 0.01) {
                    l.lines = l.paragraphs;
                    continue;
                }
            } else {
                l.width = label.geometry.width();
                if (!label.wordWrap) {
                    l.lines = l.paragraphs;
                    continue;
                }
            }
            for (const QString& p : l.paragraphs)
                l.lines += wrap(p, fm.font, l.width);
        }
    }

    void layLine(const std::vector<Group>& groups, size_t from, size_t to, MetricsCache& metrics)
    {
        const double designTop = groups[from].first->label->geometry.top();
        const double lineLeft = groups[from].first->label->geometry.left();
        double rowTop = designTop + shiftAt(designTop);
        const double shift = rowTop - designTop;
        double rowRight = kNowhere, rowBottom = rowTop;
        double designBottom = kNowhere, bottom = kNowhere;
        for (size_t gi = from; gi < to; ++gi) {
            const Group& g = groups[gi];
            if (!placeGroup(g, rowTop, rowRight, lineLeft) && rowRight > kNowhere / 2) {
                rowTop = rowBottom + kRowGap;
                rowRight = kNowhere;
                placeGroup(g, rowTop, rowRight, lineLeft);
            }
            breakGroup(g, metrics);
            for (size_t m : g.members) {
                const LaidLabel& l = m_labels[m];
                if (!l.text.isEmpty())
                    rowRight = l.x + l.width;
                else
                    rowRight = std::max(rowRight, l.x);
                if (!l.text.isEmpty())
                    rowBottom = std::max(rowBottom, l.y + l.height());
                designBottom = std::max(designBottom, l.label->geometry.top() + l.designHeight());
                bottom = std::max(bottom, l.y - shift + l.height());
            }
        }
        if (bottom > designBottom + 0.01) {
            double& g = m_growthByBottom[designBottom];
            g = std::max(g, bottom - designBottom);
        }
    }

    double m_width;
    std::vector<LaidLabel> m_labels;
    std::vector<size_t> m_order; // the labels line by line, as their texts read
    std::vector<const Control*> m_others;
    std::vector<double> m_shift;
    std::map<double, double> m_growthByBottom; // design bottom -> the most a line there grew
    double m_height = 0;
};

} // namespace

// One function: the page breaks, the bands that run over pages and the footers share the same running state.
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
        // At a page's top, texts set a little above their band's top would cross the frame.
        y = std::max(y, top + laid.overhang());
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
    // A page that holds nothing of the résumé would print its footer alone.
    const size_t frameItems = frame ? 1 : 0;
    if (out.pages.size() > 1)
        out.pages.erase(std::remove_if(out.pages.begin() + 1, out.pages.end(),
                                       [&](const PreparedPage& p) { return p.items.size() <= frameItems; }),
                        out.pages.end());
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
