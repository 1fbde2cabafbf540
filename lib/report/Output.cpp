#include "report/Output.h"
#include "report/ReportFile.h"

#include "report/Fonts.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

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

} // namespace

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

QByteArray toHtml(const PreparedPages& pages)
{
    QString h;
    h += QStringLiteral("<!DOCTYPE html>\n<html lang=\"pt-BR\">\n<head>\n<meta charset=\"utf-8\">\n<title>");
    h += pages.title.toHtmlEscaped();
    h += QStringLiteral("</title>\n<meta name=\"generator\" content=\"Sovranel 3.1\">\n<style>\n"
                        "body { background: #808080; margin: 0; padding: 16px 0; }\n"
                        ".page { position: relative; background: #fff; margin: 0 auto 16px; overflow: hidden;"
                        " box-shadow: 0 2px 6px rgba(0,0,0,.5); }\n"
                        ".page > div { position: absolute; white-space: pre; line-height: 1; }\n"
                        ".page > svg, .page > img { position: absolute; left: 0; top: 0; }\n"
                        "@media print { body { background: none; padding: 0; }"
                        " .page { margin: 0; box-shadow: none; page-break-after: always; } }\n"
                        "</style>\n</head>\n<body>\n");
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
                                     px(i.rect.height()), cssFamily(i.font.family).toHtmlEscaped(),
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
