#pragma once
// The statements of the reference tables shared by all companies: the standard living costs
// (MSEIKEI, data database) filed under a living-cost code, and the model wage statistics of
// the control database, one descriptive record per model (MDEL) and its wage points by wage
// code (MDCHINGIN). A save replaces or writes a code's rows in one transaction, so a failure
// leaves the stored rows exactly as they were.

#include <QString>
#include <vector>

// One row of a living-cost code: a household size and age, the monthly living cost in
// thousand yen and three rates.
struct TLivingCostRow {
    int snin = 0;
    int snenrei = 0;
    double seikeihi = 0.0;
    double yuritsu = 0.0;
    double stritsu = 0.0;
    double tnritsu = 0.0;
};

// A living-cost code: its rows in (size, age) order, and the multiplier and four texts every
// row of the code carries.
struct TLivingCosts {
    std::vector<TLivingCostRow> rows;
    double kkritsu = 0.0;
    QString dedokoro;
    QString tchiiki;
    QString cjiten;
    QString nsuchi;
};

// The rows of a living-cost code, whatever company and year wrote them; the multiplier and
// texts from its first row. False (and nothing read) when the code has no rows.
bool ReadLivingCosts(int skco, TLivingCosts &costs);
// Replaces every row of the code with `costs.rows`, each written under the open project's
// company and year. An empty list removes the code.
bool SaveLivingCosts(int skco, const TLivingCosts &costs);
bool DeleteLivingCosts(int skco);

// One model: its record in MDEL.
struct TModelData {
    int mdco = 0;
    QString mdna;
    QString dedokoro;
    QString tchiiki;
    int jsu = 0;
    QString cjiten;
    QString gyousyu;
    QString kibo;
    QString bikou;
};

// False (and an empty record) when the model has no record.
bool ReadModelData(int mdco, TModelData &model);
// Writes the model's record: changes the stored one, or adds it when there is none.
bool SaveModelData(const TModelData &model);
bool DeleteModelData(int mdco);

// One wage point of a model.
struct TModelWage {
    int mcco = 0;
    int nenrei = 0;
    int knensu = 0;
    int kknensu = 0;
    double kkin = 0.0;
    double skin = 0.0;
    double syouyo = 0.0;
    double nensyu = 0.0;
    int sensyu = 0;
};

// The wage points of a model by wage code.
std::vector<TModelWage> ModelWages(int mdco);
// False (and an empty point) when the model has no point under that wage code.
bool ReadModelWage(int mdco, int mcco, TModelWage &wage);
// Writes a wage point: changes the stored one, or adds it when there is none.
bool SaveModelWage(int mdco, const TModelWage &wage);
bool DeleteModelWage(int mdco, int mcco);
