#pragma once
// The texts of prepared pages, as the report tests read them.
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
