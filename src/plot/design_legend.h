#pragma once
// TNX1051, the legend of one design of the raise-curve design: its legend text, explanation,
// line colour, line type and width, shared by all item pairs of the design. One dialog for the
// whole run, prepared for a design each time it is opened.

#include <QDialog>

class QComboBox;
class QLineEdit;
class TChangeTracker;
class TFieldExits;
class TLineSample;

class TNX1051 : public QDialog {
    Q_OBJECT
public:
    explicit TNX1051(QWidget *parent = nullptr);
    ~TNX1051() override;

    // Shows the legend and line style of design `design` (1..5); its style becomes the
    // current line style.
    void prepare(int design);

public slots:
    void btnColorClick();
    bool cmbSensyuExit();
    bool cmbSenhabaExit();
    void btnAddClick();
    void btnCloseClick();
    void reject() override;

private:
    void drawSample();

    int m_design = 0;
    TFieldExits *m_exits = nullptr;
    TChangeTracker *m_changes = nullptr;
    QLineEdit *m_txtName = nullptr;
    QLineEdit *m_txtHanrei = nullptr;
    QLineEdit *m_txtComment = nullptr;
    QComboBox *m_cmbSensyu = nullptr;
    QComboBox *m_cmbSenhaba = nullptr;
    TLineSample *m_imgDisp = nullptr;
};
