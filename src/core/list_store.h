#pragma once
// The project's code lists that are edited as a whole (matrices, role evaluations, overall
// evaluations): every row of the project is read in the list's order, and a save deletes the
// project's rows and inserts the edited ones again in one transaction, so a failure keeps the
// stored list exactly as it was. And the raise rates of one matrix (MATRIXCELL).

#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <vector>

// A list table: its columns after the project key and the order it is read in. Integer
// columns read as their integer text; the others as texts.
struct ListTable {
    QString table;
    QStringList columns;
    QList<bool> integer; // per column
    QString order;
};

// MATRIXID (MATRIXID, NAME, TEIGI, ZONESU), YHYOUKA (HCO, HKIGOU), MHYOUKA (HCO, HKIGOU,
// SGOUSU).
const ListTable &MatrixIdList();
const ListTable &RoleEvaluationList();
const ListTable &EvaluationList();

// The rows of the open project, each the texts of the columns.
std::vector<QStringList> LoadList(const ListTable &list);
// Replaces the project's rows with `rows`, each the values of the columns (integers as int,
// texts as QString); false when nothing was kept.
bool SaveList(const ListTable &list, const std::vector<QVariantList> &rows);

// "id : name" of every matrix of the project, by id.
QStringList MatrixItems();
// The zone count of a matrix; false when the project has no such matrix.
bool ReadMatrixZones(int matrixId, int &zones);

// The rates of one role evaluation in a matrix, zones 1..5.
struct TMatrixRates {
    int evaluation = 0;
    std::array<double, 6> up{}; // [1..5]
};
// The stored rates of a matrix, in their stored order.
std::vector<TMatrixRates> LoadMatrixRates(int matrixId);
// Replaces the stored rates of a matrix with `rows`.
bool SaveMatrixRates(int matrixId, const std::vector<TMatrixRates> &rows);
