#include "program_setup.h"

#include "database_setup.h"
#include "state.h"
#include "tdm.h"

#include <QDir>

void PrepareProgramFolders() {
    const QString app = G().gAppPath;
    for (const char *sub : {"Report", "CSV", "Picture"})
        QDir().mkpath(app + QLatin1String(sub));
    if (dbloc::OnServer()) {
        // The server's schemas are set up by the first program that finds them missing; a
        // server that cannot be reached is reported when the connections open.
        QDir().mkpath(G().gDataPath); // picture work files of the plots live there
        dbsetup::EnsureServerDatabases(dbloc::Current());
        return;
    }
    dbsetup::EnsureDatabases(G().gDataPath);
}

void OpenDatabases() {
    if (dbloc::OnServer()) {
        DM().OpenServerDatabase(DM().ACN1, dbloc::Current(), dbloc::kControlSchema);
        DM().OpenServerDatabase(DM().ACN2, dbloc::Current(), dbloc::kDataSchema);
        return;
    }
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
