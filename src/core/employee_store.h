#pragma once
// The statements of the employees of the open project: each employee is one row of MSYAIN1
// and one of MSYAIN2, always written together in one transaction. Read through the view
// VSYAIN, which joins both with the amount of the wage table (NKIN).

#include <QString>
#include <array>
#include <vector>

// One employee as the register edits it. Amounts are whole yen; dates yyyymmdd (0: none);
// arrays of numbered columns are indexed by their number.
struct TEmployee {
    int sco = 0;
    QString scot, sna, yaku;
    int seihi = 0, nyuhi = 0, thi = 0; // birth, entry and appointment dates
    int sex = 0;                       // SEIBETSU: 0 male, 1 female
    int grade = 0;                     // TOUKYU (and TCO of MSYAIN1)
    int step = 0;                      // GOUHOU
    int workType = 0;                  // SM1
    QString gaku, senkou, ksikaku, keiken, spath;
    std::array<QString, 4> hna;            // HNA1..HNA3: evaluations of the last three years
    double tritsu = 0.0;                   // achievement rate
    double sritsu = 0.0;                   // retirement pay rate
    int experience = 0;                    // NENSU
    int points = 0;                        // TENSU
    int hco = 0;                           // evaluation
    int mark = 0;                          // MCO
    int band = 0, yhyouka = 0;             // BANDID, YHYOUKA
    int zone = 0;                          // ZONEX
    int link = 0;                          // MLINK: the base-pay item linked to the matrix
    int wageLink = 0;                      // JISEKI: the item linked to the wage table when written
    std::array<qint64, 4> kkyu{}, nkkyu{}; // base pay before and after the raise
    std::array<qint64, 6> teate{}, nteate{}; // allowances before and after
    qint64 bonus1 = 0, bonus2 = 0, nensyu = 0, nnensyu = 0, syotei = 0, nsyotei = 0;
    qint64 upk = 0, upt = 0;
    // Read only.
    qint64 nkin = 0; // the wage table's amount at the employee's grade and step
    int newBand = 0, newYhyouka = 0;
    int newGrade = 0; // NTOUKYU
    int newStep = 0;  // NGOUHOU
    int promoted = 0; // FSKCHK: 1 when the employee moves up a grade
};

// One line of the employee list.
struct EmployeeListRow {
    int sco = 0;
    QString scot, sna, yaku, toukyu, gouhou, zonex, ntoukyu, ngouhou;
    int seihi = 0, nyuhi = 0, hco = 0, mco = 0;
    double tritsu = 0.0;
};

// The employees of the open project by code; only those of one grade when grade is not 0.
std::vector<EmployeeListRow> ListEmployees(int grade);
bool EmployeeExists(int sco);
// The employee `sco`; false when there is none.
bool ReadEmployee(int sco, TEmployee &e);
// Writes a new employee (ages and years of service as of the project's reference date).
bool InsertEmployee(const TEmployee &e);
// Writes the register's columns of an existing employee.
bool UpdateEmployee(const TEmployee &e);
bool DeleteEmployee(int sco);

// What the raise input writes for one employee: the band and role evaluation now and after
// the raise (MSYAIN1), grades, evaluation, promotion and the wage items before and after the
// raise (MSYAIN2).
struct TRaiseInput {
    int sco = 0;
    int band = 0, yhyouka = 0, newBand = 0, newYhyouka = 0;
    int grade = 0, newGrade = 0, hco = 0, promoted = 0;
    std::array<qint64, 4> kkyu{}, nkkyu{};   // [1..3]
    std::array<qint64, 6> teate{}, nteate{}; // [1..5]
    qint64 upk = 0, upt = 0, syotei = 0, nsyotei = 0;
    double nnensyu = 0.0;
};
// Writes the raise of an existing employee to both tables in one transaction; false (the
// failure shown, both rows as they were) when it could not be stored.
bool SaveRaise(const TRaiseInput &r);

// An employee brought in from a CSV file.
struct TImportedEmployee {
    QString scot, sna, yaku;
    int seihi = 0, nyuhi = 0, grade = 0, sex = 0, workType = 0;
    QString category, gaku, senkou, ksikaku, keiken;
};
struct ImportOutcome {
    bool ok = false;
    int failedRow = -1; // the row that could not be stored, -1 when the failure was elsewhere
};
// Adds the employees with the codes after the project's highest one, after deleting every
// employee of the project when `replace`; all or nothing.
ImportOutcome ImportEmployees(const std::vector<TImportedEmployee> &rows, bool replace);

// An employee as the CSV export writes it.
struct TExportedEmployee {
    QString scot, sna, yaku, sex, gaku, senkou, keiken, category;
    int seihi = 0, nyuhi = 0, grade = 0;
};
// The employees of the open project by employee number.
std::vector<TExportedEmployee> EmployeesForExport();

// An employee whose pay is linked to a band of a matrix: the new role evaluation, the band, the
// linked base-pay item (MLINK 1..3) and the current base pay items.
struct TMatrixLinkedEmployee {
    int newEvaluation = 0;     // NEWYHYOUKA
    int band = 0;              // BANDID
    int link = 0;              // MLINK
    std::array<int, 4> kkyu{}; // KKYU1..KKYU3
    // The current amount of the linked item; 0 when the link names none of the three.
    int linkedPay() const { return link >= 1 && link <= 3 ? kkyu[link] : 0; }
};
// The employees of the open project whose band belongs to matrix `matrixId` and whose pay is
// linked to it (MLINK <> 0), in employee-code order.
std::vector<TMatrixLinkedEmployee> MatrixLinkedEmployees(int matrixId);
