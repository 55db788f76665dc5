#pragma once
// TNX0080, the model data register: one descriptive record per published model wage table
// (name, source, region, number of establishments, survey time, industry, scale, remarks)
// under a model code shared by all companies. The model wage register keeps the wage points.

#include "register_kit.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class TChangeTracker;
class TFieldExits;
struct TModelData;

class TNX0080 : public QDialog {
    Q_OBJECT
public:
    explicit TNX0080(QWidget *parent = nullptr);
    ~TNX0080() override;

    // Clears the screen, loads the model list and shows the company's model; called each time
    // before the register is shown.
    void prepare();

    // 0 nothing loaded, 1 the current code has no record, 2 it has one.
    int editMode() const { return m_editMode; }
    int currentCode() const { return m_current; }

public slots:
    // Leaving the code box chooses the typed or picked model; false when refused.
    bool cmbModelIDExit();
    bool txtJigyosyosuuExit();
    void btnAddClick();
    void btnDltClick();
    void btnCancelClick();
    void btnCloseClick();
    void btnFirstClick() { move(Move::First); }
    void btnBackClick() { move(Move::Back); }
    void btnNextClick() { move(Move::Next); }
    void btnLastClick() { move(Move::Last); }
    void reject() override;

private:
    void clearScreen();
    void loadCodeList();
    void loadRecord();
    void showRecord(const TModelData &model);
    void move(Move target);
    void afterWrite();

    TFieldExits *m_exits = nullptr;
    TChangeTracker *m_changes = nullptr;
    QComboBox *m_cmbModelID = nullptr;
    QLineEdit *m_txtCureentNo = nullptr;
    QLineEdit *m_txtLastNo = nullptr;
    QLineEdit *m_txtSalaryName = nullptr;
    QLineEdit *m_txtSyussyo = nullptr;
    QLineEdit *m_txtChiiki = nullptr;
    QLineEdit *m_txtJigyosyosuu = nullptr;
    QLineEdit *m_txtCyousabi = nullptr;
    QLineEdit *m_txtGyousyu = nullptr;
    QLineEdit *m_txtKibo = nullptr;
    QPlainTextEdit *m_txtBikou = nullptr;

    std::vector<int> m_codes; // the model codes, ascending
    int m_current = 0;
    int m_position = 0;
    int m_editMode = 0;
    bool m_codeTyped = false;
};

// The remarks as stored: every line followed by CR LF (nothing for an empty text).
QString RemarksToStored(const QString &shown);
// The remarks as shown: the stored lines without their line ends.
QString RemarksToShown(const QString &stored);
