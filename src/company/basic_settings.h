#pragma once
// TNX0070, the basic settings of the open project: how ages and years of service are
// computed and which calendar the company uses, the era table (read only), the six plot marks
// and the four graph lines. Only the groups that were changed are written on saving.

#include "records.h"

#include <QColor>
#include <QDialog>
#include <array>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TFieldExits;
class TLineSample;

class TNX0070 : public QDialog {
    Q_OBJECT
public:
    explicit TNX0070(QWidget *parent = nullptr);
    ~TNX0070() override;

    // Re-initialises the screen for the open project; called each time before it is shown.
    void prepare();

    // The change flags of the groups (gDataChanged is the fifth).
    bool dateChanged() const { return m_dateChanged; }
    bool eraChanged() const { return m_eraChanged; }
    bool markChanged() const { return m_markChanged; }
    bool graphChanged() const { return m_graphChanged; }

public slots:
    void btnAddClick();
    void btnCancelClick();
    void btnCloseClick();
    void optKeisan1Click();
    void optKeisan2Click();
    void optCalendarClick();
    void optChgClick();
    // Field checks on leaving; false when the value was refused (the focus is back in it).
    bool txtKijunbiExit();
    bool cmbMSizeExit(int mark);
    bool eraBoxExit(QLineEdit *box);
    void cmbSensyuSelect(int mark);
    void cmbSenHabaSelect(int mark);
    void cmbGSensyuSelect(int slot);
    void cmbGSenHabaSelect(int slot);
    void btnMkColorClick(int mark);
    void btnKColorClick(int mark);
    void btnGColorClick(int slot);
    void reject() override;

private:
    struct MarkGroup {
        QLineEdit *txtMark = nullptr;
        QLineEdit *txtHanrei = nullptr;
        TLineSample *mkSample = nullptr;
        QComboBox *cmbMSize = nullptr;
        QComboBox *cmbSensyu = nullptr;
        QComboBox *cmbSenHaba = nullptr;
        TLineSample *curveSample = nullptr;
    };
    struct GraphLine {
        QString Color;
        int Syurui = 0;
        int Haba = 0;
    };
    struct GraphGroup {
        QComboBox *cmbSensyu = nullptr;
        QComboBox *cmbSenHaba = nullptr;
        TLineSample *sample = nullptr;
    };
    struct EraRow {
        QLineEdit *txtNengou = nullptr;
        QLineEdit *txtChgyy = nullptr;
        QLineEdit *txtChgmm = nullptr;
        QLineEdit *txtChgdd = nullptr;
        QRadioButton *optChg = nullptr;
    };

    QWidget *buildDatePage();
    QWidget *buildMarkPage();
    QWidget *buildGraphPage();
    void loadSettings();
    void clearFlags();
    void setDateChanged();
    void setEraChanged();
    void setMarkChanged();
    void setGraphChanged();
    void showMark(int mark);
    void showLine(int slot);
    bool checkBeforeSave();
    bool saveControl();
    bool saveData();

    QTabWidget *m_tabs = nullptr;
    TFieldExits *m_exits = nullptr;
    QRadioButton *m_optKeisan1 = nullptr;
    QRadioButton *m_optKeisan2 = nullptr;
    QLineEdit *m_txtKijunbi = nullptr;
    QRadioButton *m_optSeireki = nullptr;
    QRadioButton *m_optWareki = nullptr;
    std::array<EraRow, 3> m_era;
    std::array<MarkGroup, 6> m_markUi;
    std::array<GraphGroup, 4> m_graphUi;
    QPushButton *m_btnAdd = nullptr;
    QPushButton *m_btnCancel = nullptr;
    QPushButton *m_btnClose = nullptr;

    // Working copy of the settings being edited.
    std::array<TMMARK, 6> m_marks;
    std::array<GraphLine, 4> m_lines;

    bool m_dateChanged = false;
    bool m_eraChanged = false;
    bool m_markChanged = false;
    bool m_graphChanged = false;
    bool m_loading = false;
};
