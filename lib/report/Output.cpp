#include "report/Output.h"
#include "report/ReportFile.h"

#include "report/Fonts.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <stdexcept>

namespace report {
namespace {

std::runtime_error writeError(const QString& path)
{
    return std::runtime_error(QStringLiteral("Não foi possível gravar o arquivo \"%1\"")
                                  .arg(QDir::toNativeSeparators(path))
                                  .toStdString());
}

template <class Write> void writeAtomically(const QString& path, Write&& write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw writeError(path);
    write(file);
    if (!file.commit())
        throw writeError(path);
}

QPageLayout pageLayoutFor(const PreparedPages& pages)
{
    const QSizeF mm = pages.pageSize * (25.4 / 96.0);
    QPageSize size(mm, QPageSize::Millimeter, QString(), QPageSize::FuzzyOrientationMatch);
    return QPageLayout(size, pages.isLandscape() ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF());
}

QString cssFamily(const QString& family)
{
    // The faces the report names, with the installed faces that stand in for them.
    static const QHash<QString, QString> fallbacks = {
        {QStringLiteral("Arial"), QStringLiteral("'Liberation Sans', Arimo, Helvetica, sans-serif")},
        {QStringLiteral("Monotype Corsiva"), QStringLiteral("'TeX Gyre Chorus', 'URW Chancery L', cursive")},
        {QStringLiteral("Brush Script MT"), QStringLiteral("'Kaushan Script', cursive")},
    };
    QString css = QLatin1Char('\'') + QString(family).remove(QLatin1Char('\'')) + QLatin1Char('\'');
    const QString more = fallbacks.value(family);
    return more.isEmpty() ? css + QStringLiteral(", sans-serif") : css + QStringLiteral(", ") + more;
}

QString px(double v) { return QString::number(v, 'f', 2); }

// The faces a page set uses, embedded whole in the HTML so that a browser without them draws
// every text with the very widths it was laid out with.
class EmbeddedFaces {
  public:
    explicit EmbeddedFaces(const PreparedPages& pages)
    {
        std::vector<bool> fallbackUsed(size_t(fallbackFamilies().size()), false);
        for (const PreparedPage& page : pages.pages)
            for (const Item& item : page.items)
                if (auto* t = std::get_if<TextItem>(&item)) {
                    face(t->font);
                    for (const char32_t ch : t->text.toUcs4())
                        if (ch >= 0x250)
                            if (const int f = faceFor(ch, t->font); f > 0)
                                fallbackUsed[size_t(f - 1)] = true;
                }
        for (size_t i = 0; i < fallbackUsed.size(); ++i)
            if (fallbackUsed[i]) {
                const FaceFile file = fallbackFontFile(int(i));
                const QString alias = QStringLiteral("Sovranel Reserva %1").arg(i + 1);
                if (addFace(alias, file))
                    m_fallbacks += QLatin1Char('\'') + alias + QStringLiteral("', ");
            }
    }

    // The @font-face rules, one per face file.
    const QString& rules() const { return m_rules; }

    // The CSS family stack for a report font: its embedded face, the embedded fallback faces,
    // then the names a reader's machine may have.
    QString stack(const FontSpec& font) const
    {
        const QString alias = m_aliases.value(font.family);
        return (alias.isEmpty() ? QString() : QLatin1Char('\'') + alias + QStringLiteral("', ")) +
               m_fallbacks + cssFamily(font.family);
    }

  private:
    void face(const FontSpec& font)
    {
        FontSpec key = font;
        key.pointSize = 10;
        key.underline = false;
        if (std::find(m_seen.begin(), m_seen.end(), key) != m_seen.end())
            return;
        m_seen.push_back(key);
        const QString alias = QStringLiteral("Sovranel ") + QString(font.family).remove(QLatin1Char('\''));
        if (addFace(alias, fontFile(key)))
            m_aliases.insert(font.family, alias);
    }

    bool addFace(const QString& alias, const FaceFile& file)
    {
        if (file.path.isEmpty())
            return false;
        const QString id = alias + QLatin1Char('|') + file.path;
        if (m_files.contains(id))
            return true;
        QFile f(file.path);
        if (!f.open(QIODevice::ReadOnly))
            return false;
        const QByteArray data = f.readAll();
        const bool otf = data.startsWith("OTTO");
        m_files.insert(id);
        m_rules += QStringLiteral("@font-face { font-family: '%1'; font-weight: %2; font-style: %3;"
                                  " src: url(data:font/%4;base64,%5) format('%6'); }\n")
                       .arg(alias, file.bold ? QStringLiteral("bold") : QStringLiteral("normal"),
                            file.italic ? QStringLiteral("italic") : QStringLiteral("normal"),
                            otf ? QStringLiteral("otf") : QStringLiteral("ttf"),
                            QString::fromLatin1(data.toBase64()),
                            otf ? QStringLiteral("opentype") : QStringLiteral("truetype"));
        return true;
    }

    std::vector<FontSpec> m_seen;
    QHash<QString, QString> m_aliases; // report family -> embedded alias
    QSet<QString> m_files;
    QString m_rules, m_fallbacks;
};

// The PDF writer tells a reader which text each glyph stands for only inside the Basic
// Multilingual Plane; an emoji beyond it would print and yet be missing from the PDF's text.
// Its glyph numbers are given out in the order the glyphs are first drawn, so the glyphs each
// face's map leaves out are, in order, the characters beyond that plane it drew first.
// One function: finding, rewriting and re-offsetting the faces' maps share one list of changes.
QByteArray withTextBeyondTheBmp(const QByteArray& pdf, const PreparedPages& pages)
{
    QHash<QString, QList<char32_t>> drawn; // face's PostScript name -> characters, first use first
    for (const PreparedPage& page : pages.pages)
        for (const Item& item : page.items)
            if (auto* t = std::get_if<TextItem>(&item))
                for (const char32_t ch : t->text.toUcs4())
                    if (ch >= 0x10000) {
                        const QString face = faceFileFor(ch, t->font).postscriptName;
                        if (!face.isEmpty() && !drawn[face].contains(ch))
                            drawn[face].append(ch);
                    }
    if (drawn.isEmpty())
        return pdf;

    auto object = [&](int number, qsizetype* start, qsizetype* end) {
        const QByteArray head = '\n' + QByteArray::number(number) + " 0 obj\n";
        *start = pdf.indexOf(head);
        if (*start < 0)
            return QByteArray();
        *start += 1;
        *end = pdf.indexOf("endobj\n", *start);
        return *end < 0 ? QByteArray() : pdf.mid(*start, *end - *start);
    };
    struct Change {
        qsizetype start, end;
        QByteArray with;
    };
    std::vector<Change> changes;
    static const QRegularExpression type0(
        QStringLiteral("/Subtype /Type0\\n/BaseFont /(\\S+)\\n/Encoding /Identity-H\\n/DescendantFonts "
                       "\\[(\\d+) 0 R\\]\\n/ToUnicode "
                       "(\\d+) 0 R"));
    const QString text = QString::fromLatin1(pdf);
    for (auto m = type0.globalMatch(text); m.hasNext();) {
        const auto match = m.next();
        const QList<char32_t> chars = drawn.value(match.captured(1));
        if (chars.isEmpty())
            continue;
        qsizetype s = 0, e = 0;
        const QByteArray cid = object(match.captured(2).toInt(), &s, &e);
        const qsizetype w = cid.indexOf("/W [0 [");
        const qsizetype wEnd = cid.indexOf(']', w);
        if (w < 0 || wEnd < 0)
            continue;
        const int glyphs = int(cid.mid(w + 7, wEnd - w - 7).simplified().split(' ').size());
        const QByteArray map = object(match.captured(3).toInt(), &s, &e);
        const qsizetype endcmap = map.indexOf("endcmap");
        const qsizetype stream = map.indexOf("stream\n");
        const qsizetype streamEnd = map.indexOf("\nendstream");
        if (endcmap < 0 || stream < 0 || streamEnd < 0)
            continue;
        std::vector<bool> mapped(size_t(glyphs), false);
        static const QRegularExpression range(QStringLiteral("^<([0-9A-Fa-f]{4})> <([0-9A-Fa-f]{4})> "),
                                              QRegularExpression::MultilineOption);
        for (auto r = range.globalMatch(QString::fromLatin1(map)); r.hasNext();) {
            const auto rm = r.next();
            for (int g = rm.captured(1).toInt(nullptr, 16);
                 g <= rm.captured(2).toInt(nullptr, 16) && g < glyphs; ++g)
                mapped[size_t(g)] = true;
        }
        QByteArray entries;
        int count = 0;
        for (int g = 1, next = 0; g < glyphs && next < chars.size(); ++g) {
            if (mapped[size_t(g)])
                continue;
            const QString utf16 = QString::fromUcs4(&chars[next++], 1);
            entries += '<' + QByteArray::number(g, 16).rightJustified(4, '0').toUpper() + "> <";
            for (QChar c : utf16)
                entries += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
            entries += ">\n";
            ++count;
        }
        if (!count)
            continue;
        QByteArray body = map.mid(stream + 7, streamEnd - stream - 7);
        body.insert(body.indexOf("endcmap"),
                    QByteArray::number(count) + " beginbfchar\n" + entries + "endbfchar\n");
        changes.push_back({s, e,
                           map.left(map.indexOf("<<")) + "<< /Length " + QByteArray::number(body.size()) +
                               " >>\nstream\n" + body + "\nendstream\n"});
    }
    if (changes.empty())
        return pdf;
    std::sort(changes.begin(), changes.end(),
              [](const Change& a, const Change& b) { return a.start < b.start; });
    auto moved = [&](qsizetype offset) {
        qsizetype delta = 0;
        for (const Change& c : changes)
            if (c.start < offset)
                delta += c.with.size() - (c.end - c.start);
        return offset + delta;
    };
    // The cross-reference table gives every object's byte offset: move those after a change.
    const qsizetype xref = pdf.lastIndexOf("\nxref\n");
    const qsizetype startxref = pdf.lastIndexOf("startxref\n");
    if (xref < 0 || startxref < xref)
        return pdf;
    QByteArray out;
    qsizetype at = 0;
    for (const Change& c : changes) {
        out += pdf.mid(at, c.start - at) + c.with;
        at = c.end;
    }
    out += pdf.mid(at, xref + 1 - at);
    QList<QByteArray> table = pdf.mid(xref + 1, startxref - xref - 1).split('\n');
    for (QByteArray& line : table)
        if (line.size() == 19 && line.endsWith(" 00000 n "))
            line =
                QByteArray::number(moved(line.left(10).toLongLong())).rightJustified(10, '0') + " 00000 n ";
    out += table.join('\n');
    out += "startxref\n" + QByteArray::number(moved(xref + 1)) + " \n%%EOF\n";
    return out;
}

} // namespace

static void writeQtPdf(const PreparedPages& pages, QIODevice& device);

void paintPage(const PreparedPages& pages, int index, QPainter& painter)
{
    if (index < 0 || index >= pages.pageCount())
        return;
    QPaintDevice& device = *painter.device();
    painter.save();
    const double sx = device.logicalDpiX() / 96.0;
    const double sy = device.logicalDpiY() / 96.0;
    painter.scale(sx, sy);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const Item& item : pages.pages[size_t(index)].items) {
        std::visit(
            [&](const auto& i) {
                using T = std::decay_t<decltype(i)>;
                if constexpr (std::is_same_v<T, TextItem>) {
                    painter.setFont(toQFont(i.font, device));
                    painter.setPen(i.colour);
                    painter.drawText(i.rect, i.flags | Qt::TextDontClip | Qt::TextSingleLine, i.text);
                } else if constexpr (std::is_same_v<T, LineItem>) {
                    QPen pen(i.colour, i.width, i.style);
                    pen.setCapStyle(Qt::FlatCap);
                    painter.setPen(pen);
                    painter.drawLine(i.line);
                } else if constexpr (std::is_same_v<T, FrameItem>) {
                    painter.setPen(QPen(i.colour, i.width));
                    painter.setBrush(Qt::NoBrush);
                    painter.drawRect(i.rect);
                } else if constexpr (std::is_same_v<T, ImageItem>) {
                    if (i.picture >= 0 && i.picture < int(pages.pictures.size()))
                        painter.drawImage(i.rect, pages.pictures[size_t(i.picture)].image);
                }
            },
            item);
    }
    painter.restore();
}

void paintPages(const PreparedPages& pages, QPagedPaintDevice& device, QPainter& painter)
{
    for (int i = 0; i < pages.pageCount(); ++i) {
        if (i > 0)
            device.newPage();
        paintPage(pages, i, painter);
    }
}

void printPages(const PreparedPages& pages, QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error("Não foi possível imprimir: a impressora não respondeu");
    paintPages(pages, printer, painter);
    painter.end();
}

void writePdf(const PreparedPages& pages, QIODevice& device)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writeQtPdf(pages, buffer);
    const QByteArray bytes = withTextBeyondTheBmp(buffer.data(), pages);
    if (device.write(bytes) != bytes.size())
        throw std::runtime_error("Não foi possível criar o PDF");
}

static void writeQtPdf(const PreparedPages& pages, QIODevice& device)
{
    QPdfWriter pdf(&device);
    pdf.setResolution(96); // one PDF unit per prepared pixel: no rounding between them
    pdf.setPageLayout(pageLayoutFor(pages));
    pdf.setTitle(pages.title);
    pdf.setCreator(QStringLiteral("Sovranel 3.1"));
    QPainter painter;
    if (!painter.begin(&pdf))
        throw std::runtime_error("Não foi possível criar o PDF");
    paintPages(pages, pdf, painter);
    painter.end();
}

void writePdf(const PreparedPages& pages, const QString& path)
{
    writeAtomically(path, [&](QIODevice& file) { writePdf(pages, file); });
}

// One function: it writes the document top to bottom, its head (style sheet and script) and then every page.
QByteArray toHtml(const PreparedPages& pages)
{
    const EmbeddedFaces faces(pages);
    QString h;
    h += QStringLiteral("<!DOCTYPE html>\n<html lang=\"pt-BR\">\n<head>\n<meta charset=\"utf-8\">\n<title>");
    h += pages.title.toHtmlEscaped();
    h += QStringLiteral("</title>\n<meta name=\"generator\" content=\"Sovranel 3.1\">\n<style>\n"
                        "body { background: #808080; margin: 0; padding: 16px 0; }\n"
                        ".page { position: relative; background: #fff; margin: 0 auto 16px; overflow: hidden;"
                        " box-shadow: 0 2px 6px rgba(0,0,0,.5); }\n"
                        // Texts were measured unhinted, at fractional widths, kerned and without
                        // ligatures.
                        ".page > div { position: absolute; white-space: pre; line-height: 1;"
                        " font-variant-ligatures: none; text-rendering: geometricPrecision;"
                        " font-synthesis: weight style; }\n"
                        ".page > svg, .page > img { position: absolute; left: 0; top: 0; }\n"
                        "@media print { body { background: none; padding: 0; }"
                        " .page { margin: 0; box-shadow: none; page-break-after: always; } }\n");
    h += faces.rules();
    h += QStringLiteral("</style>\n</head>\n<body>\n");
    // A browser may still measure a face a little wider than the layout did: such a text is
    // narrowed to the width it was laid out in, so that it never runs past its neighbours.
    h += QStringLiteral("<script>\n"
                        "document.fonts.ready.then(function () {\n"
                        "  document.querySelectorAll('.page > div').forEach(function (d) {\n"
                        "    if (d.scrollWidth > d.clientWidth + 0.5) {\n"
                        "      d.style.transformOrigin = 'left top';\n"
                        "      d.style.transform = 'scaleX(' + d.clientWidth / d.scrollWidth + ')';\n"
                        "    }\n"
                        "  });\n"
                        "});\n"
                        "</script>\n");
    const QString w = px(pages.pageSize.width()), hgt = px(pages.pageSize.height());
    for (const PreparedPage& page : pages.pages) {
        QString texts, shapes, images;
        for (const Item& item : page.items) {
            std::visit(
                [&](const auto& i) {
                    using T = std::decay_t<decltype(i)>;
                    if constexpr (std::is_same_v<T, TextItem>) {
                        const int hAlign = i.flags & Qt::AlignHorizontal_Mask;
                        const char* align = hAlign & Qt::AlignHCenter ? "center"
                                            : hAlign & Qt::AlignRight ? "right"
                                                                      : "left";
                        texts +=
                            QStringLiteral("<div style=\"left:%1px;top:%2px;width:%3px;height:%4px;"
                                           "font-family:%5;font-size:%6pt;font-weight:%7;font-style:%8;"
                                           "text-decoration:%9;color:%10;text-align:%11\">%12</div>\n")
                                .arg(px(i.rect.left()), px(i.rect.top()), px(i.rect.width()),
                                     px(i.rect.height()), faces.stack(i.font).toHtmlEscaped(),
                                     QString::number(i.font.pointSize), i.font.bold ? "bold" : "normal",
                                     i.font.italic ? "italic" : "normal",
                                     i.font.underline ? "underline" : "none")
                                .arg(i.colour.name(), QString::fromLatin1(align), i.text.toHtmlEscaped());
                    } else if constexpr (std::is_same_v<T, LineItem>) {
                        const QString dash =
                            i.style == Qt::DashDotLine ? QStringLiteral(" stroke-dasharray=\"6 2 1 2\"")
                            : i.style == Qt::DashLine  ? QStringLiteral(" stroke-dasharray=\"6 2\"")
                                                       : QString();
                        shapes +=
                            QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" stroke=\"%5\" "
                                           "stroke-width=\"%6\"%7/>\n")
                                .arg(px(i.line.x1()), px(i.line.y1()), px(i.line.x2()), px(i.line.y2()),
                                     i.colour.name(), px(i.width), dash);
                    } else if constexpr (std::is_same_v<T, FrameItem>) {
                        shapes +=
                            QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"none\" "
                                           "stroke=\"%5\" stroke-width=\"%6\"/>\n")
                                .arg(px(i.rect.left()), px(i.rect.top()), px(i.rect.width()),
                                     px(i.rect.height()), i.colour.name(), px(i.width));
                    } else if constexpr (std::is_same_v<T, ImageItem>) {
                        if (i.picture < 0 || i.picture >= int(pages.pictures.size()))
                            return;
                        const Picture& pic = pages.pictures[size_t(i.picture)];
                        const QString mime =
                            pic.format == "JPEG" ? QStringLiteral("image/jpeg") : QStringLiteral("image/png");
                        images +=
                            QStringLiteral(
                                "<img alt=\"\" style=\"left:%1px;top:%2px;width:%3px;height:%4px\" "
                                "src=\"data:%5;base64,%6\">\n")
                                .arg(px(i.rect.left()), px(i.rect.top()), px(i.rect.width()),
                                     px(i.rect.height()), mime, QString::fromLatin1(pic.encoded.toBase64()));
                    }
                },
                item);
        }
        h += QStringLiteral("<section class=\"page\" style=\"width:%1px;height:%2px\">\n").arg(w, hgt);
        h += QStringLiteral("<svg width=\"%1\" height=\"%2\" viewBox=\"0 0 %1 %2\">\n").arg(w, hgt) + shapes +
             QStringLiteral("</svg>\n");
        h += images + texts + QStringLiteral("</section>\n");
    }
    h += QStringLiteral("</body>\n</html>\n");
    return h.toUtf8();
}

void writeHtml(const PreparedPages& pages, const QString& path)
{
    writeAtomically(path, [&](QIODevice& file) {
        if (file.write(toHtml(pages)) < 0)
            throw writeError(path);
    });
}

std::vector<SaveFormat>& saveFormats()
{
    static std::vector<SaveFormat> formats = {
        {QStringLiteral("Adobe PDF (*.pdf)"), QStringLiteral("pdf"),
         [](const PreparedPages& p, const QString& path) { writePdf(p, path); }},
        {QStringLiteral("Curriculo (*.qrp)"), QStringLiteral("qrp"),
         [](const PreparedPages& p, const QString& path) { saveReportFile(p, path); }},
        {QStringLiteral("Página HTML (*.html)"), QStringLiteral("html"),
         [](const PreparedPages& p, const QString& path) { writeHtml(p, path); }},
    };
    return formats;
}

void saveAs(const PreparedPages& pages, const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const SaveFormat& f : saveFormats())
        if (f.suffix == suffix || (suffix == QLatin1String("htm") && f.suffix == QLatin1String("html"))) {
            f.write(pages, path);
            return;
        }
    throw std::runtime_error(QStringLiteral("O formato do arquivo \"%1\" não é conhecido")
                                 .arg(QFileInfo(path).fileName())
                                 .toStdString());
}

} // namespace report
