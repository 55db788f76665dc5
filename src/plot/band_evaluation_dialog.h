#pragma once
// Tfrm1105 ("５．マトリクス昇給"), opened from the menu of a point's mark: the employee's band
// and role evaluation with the zone the linked base pay lies in. Choosing another band or
// evaluation shows the new zone; a click on the form (or leaving it) stores a changed choice
// and closes the form.

#include <QDialog>

class QComboBox;
class QLineEdit;
class TChangeTracker;

class Tfrm1105 : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm1105(QWidget *parent = nullptr);

    // Fills the two lists of the project, loads its band table and shows employee `sco`.
    void prepare(qint64 sco);

public slots:
    // Stores a changed band and evaluation, then closes.
    void FormClick();
    void cmbChange();
    void reject() override;

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void showZone();

    QLineEdit *m_txtSyainID = nullptr;
    QLineEdit *m_txtSyainNo = nullptr;
    QLineEdit *m_txtName = nullptr;
    QLineEdit *m_txtZoneNo = nullptr;
    QComboBox *m_cmbBand = nullptr;
    QComboBox *m_cmbYHyouka = nullptr;
    TChangeTracker *m_changes = nullptr;
    qint64 m_sco = 0;
    qint64 m_wage = 0;
    bool m_found = false;
};
