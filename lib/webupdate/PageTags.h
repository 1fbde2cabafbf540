#pragma once

#include <QByteArray>
#include <QString>

namespace webupdate {

// The names under which an information page carries its facts. Names are case-sensitive.
struct TagNames {
    QString productName = QStringLiteral("mxProduct");
    QString author = QStringLiteral("mxAuthor");
    QString email = QStringLiteral("mxEmail");
    QString version = QStringLiteral("mxVersion");
    QString download = QStringLiteral("mxDownload");
    QString clientFileName = QStringLiteral("mxClientSideName");
    QString redirection = QStringLiteral("mxRedirection");
    QString runParameters = QStringLiteral("mxRunParameters");
    QString signature = QStringLiteral("mxSignature"); // the download's signature, in base64
};

// What an information page said; a tag the page did not carry is an empty string.
struct PageInfo {
    QString productName;
    QString author;
    QString email;
    QString version;
    QString download;
    QString clientFileName;
    QString redirection;
    QString runParameters;
    QString signature;

    bool operator==(const PageInfo&) const = default;
};

// Longest tag name or value kept; the rest of a longer one is dropped.
constexpr int kMaxTagLength = 255;

// One tag of a page line: the name after `META NAME="` (capitals, no blanks) up to the next
// double quote, and the value between the double quote after "CONTENT=" (any letter case,
// looked for after the name) and the next one. Returns false when the line carries no tag.
// A quote that is never closed runs to the end of the line; a tag without CONTENT= has an
// empty value.
bool readTagLine(const QString& line, QString* name, QString* value);

// Reads a whole page, line by line (CR, LF or CR LF). The page is UTF-8 when it decodes as
// such, Latin-1 otherwise. When a name occurs on several lines, the last one counts.
PageInfo readPageTags(const QByteArray& page, const TagNames& names = {});

} // namespace webupdate
