#pragma once

#include "report/PreparedPages.h"

#include <QString>

#include <functional>
#include <vector>

class QIODevice;
class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace report {

// Every output draws prepared pages through this one function: it maps the pages' 96-dpi
// pixels onto the painter's device and draws the page's items in order.
void paintPage(const PreparedPages& pages, int index, QPainter& painter);

// Draws every page, one device page each, through a painter already begun on `device`.
void paintPages(const PreparedPages& pages, QPagedPaintDevice& device, QPainter& painter);

// Prints every page on a printer whose set-up the caller chose.
void printPages(const PreparedPages& pages, QPrinter& printer);

// A4 PDF with vector text and the fonts embedded; the report title is the document title.
// Written atomically: on failure nothing is left behind. Throws std::runtime_error with a
// Portuguese message when the file cannot be written.
void writePdf(const PreparedPages& pages, const QString& path);
void writePdf(const PreparedPages& pages, QIODevice& device);

// One self-contained HTML file: the pages as boxes with their texts, lines and frames placed
// absolutely, the pictures embedded. Throws like writePdf.
void writeHtml(const PreparedPages& pages, const QString& path);
QByteArray toHtml(const PreparedPages& pages);

// The formats the preview window offers to save in, in the order it offers them. Another
// format (a file of our own) joins by adding a row.
struct SaveFormat {
    QString description; // as shown in the save dialog, e.g. "Adobe PDF (*.pdf)"
    QString suffix;      // without the dot, lower case
    std::function<void(const PreparedPages&, const QString& path)> write;
};
std::vector<SaveFormat>& saveFormats();

// Saves in the format whose suffix the path ends in (case does not matter); throws
// std::runtime_error with a Portuguese message for an unknown suffix or a failed write.
void saveAs(const PreparedPages& pages, const QString& path);

} // namespace report
