#include "project.h"

#include "band_loaders.h"
#include "company_store.h"
#include "loaders.h"
#include "state.h"
#include "tdm.h"

bool SelectOfProject(TQuery &q, const QString &columns, const QString &table, const QString &rest) {
    return SelectOfProject(q, G().gProjectKey, columns, table, rest);
}

bool SelectOfProject(TQuery &q, const ProjectKey &key, const QString &columns,
                     const QString &table, const QString &rest) {
    if (!key.isSet) return false;
    return RunSql(q,
                  QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM ") + table +
                      key.where() + rest,
                  'S');
}

QStringList ProjectCodeNameItems(const QString &code, const QString &name, const QString &table) {
    const ProjectKey &key = G().gProjectKey;
    if (!key.isSet) return {};
    return ReadCodeNameItems(DM().ACN2, QStringLiteral("SELECT ") + code +
                                            QStringLiteral(" || ' : ' || COALESCE(") + name +
                                            QStringLiteral(", '') AS COMBNAME FROM ") + table +
                                            key.where() + QStringLiteral(" ORDER BY ") + code);
}

void SetProjectKey(int kco, int nendo) {
    ProjectState &g = G();
    g.gProjectKey = ProjectKey{kco, nendo, true};
    g.gMkigyou2.Kco = QString::number(kco);
    g.gMkigyou2.Nendo = QString::number(nendo);
}

bool OpenProject(int kco, int nendo) {
    ProjectState &g = G();
    CompanyIndexRow index;
    ReadCompanyIndex(kco, nendo, index);

    // Read into a record of its own first: a company without settings must not disturb the
    // project that may still be open.
    TMKIGYOU2 settings;
    settings.Kco = QString::number(kco);
    settings.Nendo = QString::number(nendo);
    settings.Kkna[4] = g.gMkigyou2.Kkna[4];
    if (!LoadCompanySettings(settings)) return false;

    g.gKco = kco;
    g.gNendo = nendo;
    g.gKna = index.kna;
    g.gReki = index.reki;
    g.gFnk = index.fnk;
    g.gKdate = index.kdate;
    g.gMkigyou2 = settings;
    g.gProjectKey = ProjectKey{kco, nendo, true};
    LoadMarks(g.gMarks);
    LoadYHyoukaTbl();
    g.gCorpOpen = 1;
    return true;
}
