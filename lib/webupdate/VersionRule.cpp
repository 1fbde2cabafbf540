#include "webupdate/VersionRule.h"

#include <QStringList>

namespace webupdate {
namespace {

qlonglong part(const QStringList& parts, qsizetype i)
{
    if (i >= parts.size())
        return 0;
    bool ok = false;
    const qlonglong n = parts[i].trimmed().toLongLong(&ok, 10);
    return ok ? n : 0;
}

} // namespace

bool isNewerVersion(const QString& published, const QString& ours, VersionFormat)
{
    const QStringList theirs = published.split(QLatin1Char('.'));
    const QStringList mine = ours.split(QLatin1Char('.'));
    for (qsizetype i = 0; i < mine.size(); ++i) {
        const qlonglong a = part(theirs, i);
        const qlonglong b = part(mine, i);
        if (a != b)
            return a > b;
    }
    return false;
}

} // namespace webupdate
