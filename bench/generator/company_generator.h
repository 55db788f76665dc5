#pragma once
// Deterministic content for new database files: the control database's era table, default
// marks and lines, usage guide, model wages and company index, and the per-year data of a
// company (settings, employees, wage table, evaluations, matrices and bands). The same seed
// always gives the same text, so the shipped SQL files can be regenerated and compared.

#include <QList>
#include <QString>

namespace generator {

struct CompanyOptions {
    int kco = 1;
    QString name;
    QList<int> years; // fiscal years; each later year carries the staff of the year before
    int employees = 100;
    quint32 seed = 1;
};

// Company 1 "株式会社ロメルタ", fiscal years 2017 and 2018, about a hundred employees.
CompanyOptions SampleCompanyOptions();

// SEIGYO.db content with the index rows (MKIGYOU1) of the given companies.
QString ControlContentSql(const QList<CompanyOptions> &companies);
// SEIGYO.db content with the sample company's index rows.
QString ControlContentSql();

// The MKIGYOU1 rows of one company, one per fiscal year.
QString CompanyIndexSql(const CompanyOptions &options);

// DATA.db rows of one company for each of its fiscal years.
QString CompanySql(const CompanyOptions &options);
QString SampleCompanySql();

// Creates a data database holding one company, replacing an existing file at that path.
bool WriteCompanyDatabase(const QString &dataDbPath, const CompanyOptions &options);
// Creates a control database indexing the given companies, replacing an existing file.
bool WriteControlDatabase(const QString &controlDbPath, const QList<CompanyOptions> &companies);

} // namespace generator
