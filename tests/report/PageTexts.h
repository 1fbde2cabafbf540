#pragma once
// The texts and items of prepared pages, as the report tests read them.
#include "report/PreparedPages.h"

#include <QStringList>

#include <variant>
#include <vector>

// Every text item of the pages, or of one page (counted from 0), in drawing order.
inline std::vector<const report::TextItem*> textItems(const report::PreparedPages& pages, int page = -1)
{
    std::vector<const report::TextItem*> out;
    for (int p = 0; p < pages.pageCount(); ++p)
        if (page < 0 || p == page)
            for (const report::Item& item : pages.pages[size_t(p)].items)
                if (auto* t = std::get_if<report::TextItem>(&item))
                    out.push_back(t);
    return out;
}

inline QStringList texts(const report::PreparedPages& pages, int page = -1)
{
    QStringList out;
    for (const report::TextItem* t : textItems(pages, page))
        out << t->text;
    return out;
}

// How many items of kind T the pages hold.
template <class T> int countOf(const report::PreparedPages& pages)
{
    int n = 0;
    for (const auto& page : pages.pages)
        for (const report::Item& item : page.items)
            n += std::holds_alternative<T>(item);
    return n;
}

// The first text of `wanted` not found in `all` after the ones before it, or empty.
inline QString missingInOrder(const QStringList& all, const QStringList& wanted)
{
    qsizetype from = 0;
    for (const QString& w : wanted) {
        const qsizetype at = all.indexOf(w, from);
        if (at < 0)
            return w;
        from = at + 1;
    }
    return QString();
}
