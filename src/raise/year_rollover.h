#pragma once
// TNX3030, "年次更新": closes a company's fiscal year and creates the next one from it. Created
// once and kept for the whole run; shown centred and modal from the main window.

#include "rollover_store.h"

#include <QDialog>

class QComboBox;

// Rolls the company and year of `from` over to the next year with the final amounts after the
// raise computed from that project's own band and matrix design.
RolloverOutcome RollOverCompanyYear(const ProjectKey &from, int todayYmd,
                                    const std::function<void(int step)> &progress = {});

class TNX3030 : public QDialog {
    Q_OBJECT
public:
    explicit TNX3030(QWidget *parent = nullptr);
    // Fills the year list (2004 to the year after gNendo, showing the open project's year) and
    // the companies of gNendo.
    void prepare();

public slots:
    void btnAddClick();

private:
    QComboBox *m_cmbNendo = nullptr;
    QComboBox *m_cmbCorpName = nullptr;
};
