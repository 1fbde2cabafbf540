#include "webupdate/PageTags.h"

#include <QStringDecoder>

namespace webupdate {
namespace {

QString capped(const QString& line, qsizetype from, qsizetype to)
{
    QString s = line.mid(from, std::min<qsizetype>(to - from, kMaxTagLength));
    if (!s.isEmpty() && s.back().isHighSurrogate())
        s.chop(1); // never keep half a character
    return s;
}

qsizetype closingQuote(const QString& line, qsizetype from)
{
    const qsizetype at = line.indexOf(QLatin1Char('"'), from);
    return at < 0 ? line.size() : at;
}

QString decoded(const QByteArray& page)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(page);
    if (utf8.hasError())
        text = QString::fromLatin1(page);
    return text;
}

} // namespace

bool readTagLine(const QString& line, QString* name, QString* value)
{
    static const QString nameMark = QStringLiteral("META NAME=\"");
    static const QString contentMark = QStringLiteral("CONTENT=");

    const qsizetype at = line.indexOf(nameMark);
    if (at < 0)
        return false;
    const qsizetype nameStart = at + nameMark.size();
    const qsizetype nameEnd = closingQuote(line, nameStart);
    *name = capped(line, nameStart, nameEnd);

    value->clear();
    const qsizetype content = line.indexOf(contentMark, nameEnd, Qt::CaseInsensitive);
    if (content >= 0) {
        const qsizetype open = line.indexOf(QLatin1Char('"'), content + contentMark.size());
        if (open >= 0)
            *value = capped(line, open + 1, closingQuote(line, open + 1));
    }
    return true;
}

PageInfo readPageTags(const QByteArray& page, const TagNames& names)
{
    const struct {
        const QString& name;
        QString PageInfo::*field;
    } fields[] = {
        {names.productName, &PageInfo::productName},
        {names.author, &PageInfo::author},
        {names.email, &PageInfo::email},
        {names.version, &PageInfo::version},
        {names.download, &PageInfo::download},
        {names.clientFileName, &PageInfo::clientFileName},
        {names.redirection, &PageInfo::redirection},
        {names.runParameters, &PageInfo::runParameters},
        {names.signature, &PageInfo::signature},
    };

    PageInfo info;
    const QString text = decoded(page);
    QString name;
    QString value;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        if (readTagLine(text.mid(start, end - start), &name, &value)) {
            for (const auto& f : fields) {
                if (!f.name.isEmpty() && name == f.name)
                    info.*f.field = value;
            }
        }
        if (end < text.size() && text[end] == QLatin1Char('\r') && end + 1 < text.size() &&
            text[end + 1] == QLatin1Char('\n'))
            ++end;
        start = end + 1;
    }
    return info;
}

} // namespace webupdate
