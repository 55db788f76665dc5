#include "bench_company.h"

#include "company_copy.h"
#include "company_generator.h"
#include "database_setup.h"
#include "program_setup.h"
#include "project.h"
#include "state.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <cstdio>

bool OpenBenchCompany(const QString &dir, int employees, quint32 seed, bool openProject) {
    SetAppPath(dir);
    generator::CompanyOptions company;
    company.kco = 1;
    company.name = QStringLiteral("ベンチマーク株式会社");
    company.years = {2018};
    company.employees = employees;
    company.seed = seed;
    QDir().mkpath(G().gDataPath);
    if (!generator::WriteControlDatabase(G().gDataPath + dbsetup::kControlFile, {company}) ||
        !generator::WriteCompanyDatabase(G().gDataPath + dbsetup::kDataFile, company)) {
        std::fprintf(stderr, "could not generate the company\n");
        return false;
    }
    if (!MoveBenchCompanyToServer()) return false;
    PrepareProgramFolders();
    OpenDatabases();
    LoadCalendarSettings();
    if (openProject && !OpenProject(1, 2018)) {
        std::fprintf(stderr, "the company has no settings\n");
        return false;
    }
    return true;
}

bool MoveBenchCompanyToServer() {
    const QString url = qEnvironmentVariable("VM_BENCH_SERVER");
    if (url.isEmpty()) return true;
    dbloc::Location server;
    if (!dbloc::ParseLocation(url, &server).isEmpty() || !server.isServer()) {
        std::fprintf(stderr, "VM_BENCH_SERVER: not a postgresql:// URL\n");
        return false;
    }
    const QString database =
        QStringLiteral("vmbench_%1").arg(QCoreApplication::applicationPid());
    {
        dbloc::PrivateConnection admin(QStringLiteral("bench-admin"), server);
        QSqlQuery q(admin.db());
        if (!admin.isOpen() || !q.exec(QStringLiteral("DROP DATABASE IF EXISTS ") + database) ||
            !q.exec(QStringLiteral("CREATE DATABASE ") + database)) {
            std::fprintf(stderr, "VM_BENCH_SERVER: %s\n",
                         qPrintable(admin.error() + q.lastError().text()));
            return false;
        }
    }
    server.database = database;
    dbcopy::Place from, to;
    from.folder = G().gDataPath;
    to.server = server;
    const dbcopy::CopyResult copied = dbcopy::CopyCompany(1, from, to);
    if (!copied.problem.isEmpty()) {
        std::fprintf(stderr, "copy to the server: %s\n", qPrintable(copied.problem));
        return false;
    }
    dbloc::SetCurrent(server);
    return true;
}

QString BenchEngineText() {
    return dbloc::OnServer() ? QStringLiteral("PostgreSQL ") + dbloc::Current().url()
                             : QStringLiteral("SQLite");
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
