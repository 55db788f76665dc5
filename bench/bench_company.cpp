#include "bench_company.h"

#include "company_generator.h"
#include "database_setup.h"
#include "program_setup.h"
#include "project.h"
#include "state.h"

#include <QDir>
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
    PrepareProgramFolders();
    OpenDatabases();
    LoadCalendarSettings();
    if (openProject && !OpenProject(1, 2018)) {
        std::fprintf(stderr, "the company has no settings\n");
        return false;
    }
    return true;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
