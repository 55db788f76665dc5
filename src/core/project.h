#pragma once
// Opening a project: the one place that turns a company code and fiscal year into the project
// state every screen reads; and the reads of a table's rows of the open project.

#include <QString>
#include <QStringList>

class TQuery;
struct ProjectKey;

// Opens the project of company kco in fiscal year nendo: the key (gProjectKey and the key
// texts of gMkigyou2), the company's name, calendar and age basis from the company index,
// its settings, the six marks and the role evaluations; gCorpOpen := 1. When the company has
// no settings row that year nothing changes and false is returned.
bool OpenProject(int kco, int nendo);

// Runs "SELECT <columns> FROM <table> WHERE <the open project's key><rest>" on q; false, with
// nothing run, while no project key is set.
bool SelectOfProject(TQuery &q, const QString &columns, const QString &table,
                     const QString &rest = QString());
// The same for the project of `key` (another company or year than the open one).
bool SelectOfProject(TQuery &q, const ProjectKey &key, const QString &columns,
                     const QString &table, const QString &rest = QString());
// The "code : name" items of a per-project table, by code (a null name reads as empty).
QStringList ProjectCodeNameItems(const QString &code, const QString &name, const QString &table);

// Sets the project key alone (gProjectKey and the key texts of gMkigyou2), reading nothing:
// for work on a project's rows before or without opening it.
void SetProjectKey(int kco, int nendo);
