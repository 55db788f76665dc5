#include "program_setup.h"

#include "database_setup.h"
#include "state.h"
#include "tdm.h"

#include <QDir>

void PrepareProgramFolders() {
    const QString app = G().gAppPath;
    for (const char *sub : {"Report", "CSV", "Picture"})
        QDir().mkpath(app + QLatin1String(sub));
    dbsetup::EnsureDatabases(G().gDataPath);
}

void OpenDatabases() {
    DM().OpenDatabase(DM().ACN1, G().gDataPath + dbsetup::kControlFile);
    DM().OpenDatabase(DM().ACN2, G().gDataPath + dbsetup::kDataFile);
}

void LoadCalendarSettings() {
    TQuery q(DM().ACN1);
    RunSql(q, QStringLiteral("SELECT * FROM MSEIGYO WHERE CO = 0"), 'S');
    if (!q.Eof()) {
        for (int i = 1; i <= 3; ++i) {
            G().gEraNames[i] = q.AsString(QStringLiteral("REKI%1").arg(i));
            G().gEraStartYears[i] = q.AsInteger(QStringLiteral("SNEN%1").arg(i));
        }
    }
    q.Close();
}
