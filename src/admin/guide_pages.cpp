#include "guide_pages.h"

#include "tdm.h"

std::vector<GuidePage> LoadGuidePages() {
    TQuery &q = DM().Query1;
    RunSql(q, QStringLiteral("select Name,Memo from Before order by ID"), 'S');
    std::vector<GuidePage> pages;
    pages.reserve(q.RecordCount());
    for (; !q.Eof(); q.Next())
        pages.push_back({q.AsString(QStringLiteral("Name")), q.AsString(QStringLiteral("Memo"))});
    q.Close();
    return pages;
}
