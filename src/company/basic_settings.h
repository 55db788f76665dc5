#pragma once
// TNX0070, the basic settings of the open project: how ages and years of service are
// computed and which calendar the company uses, the era table (read only), the six plot marks
// and the four graph lines. Only the groups that were changed are written on saving.

#include "records.h"
#include "settings_store.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TChangeTracker;
class TFieldExits;
class TLineSample;

class TNX0070 : public QDialog {
    Q_OBJECT
public:
    explicit TNX0070(QWidget *parent = nullptr);
    ~TNX0070() override;

    // Re-initialises the screen for the open project; called each time before it is shown.
    void prepare();

    // Whether a group was changed since it was loaded or saved (gDataChanged is any change).
    bool dateChanged() const;
    bool eraChanged() const;
    bool markChanged() const;
    bool graphChanged() const;

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
    void reject() override;

private:
    struct MarkControls {
        QLineEdit *txtMark = nullptr;
        QLineEdit *txtHanrei = nullptr;
        TLineSample *mkSample = nullptr;
        QPushButton *btnMkColor = nullptr;
        QComboBox *cmbMSize = nullptr;
        QPushButton *btnKColor = nullptr;
        QComboBox *cmbSensyu = nullptr;
        QComboBox *cmbSenHaba = nullptr;
        TLineSample *curveSample = nullptr;
    };
    struct LineControls {
        QPushButton *btnColor = nullptr;
        QComboBox *cmbSensyu = nullptr;
        QComboBox *cmbSenHaba = nullptr;
        TLineSample *sample = nullptr;
    };
    struct EraControls {
        QLineEdit *txtNengou = nullptr;
        QLineEdit *txtChgyy = nullptr;
        QLineEdit *txtChgmm = nullptr;
        QLineEdit *txtChgdd = nullptr;
        QRadioButton *optChg = nullptr;
    };
    // What a line-type or width box, or a colour button, edits in the working copy: a line
    // type (1..3) or width (1..5), or a colour text; the change group it marks; and the mark
    // (1..6) or graph line (1..4) whose sample shows it.
    struct Edit {
        int *number = nullptr;
        int highest = 0;
        QString *colour = nullptr;
        int group = 0;
        int mark = 0;
        int line = 0;
    };

    QWidget *buildDatePage();
    QWidget *buildMarkPage();
    QWidget *buildGraphPage();
    void wireEdits();
    void linePicked(QComboBox *box, const Edit &edit);
    void colourClicked(const Edit &edit);
    void showEdited(const Edit &edit);
    void loadSettings();
    void showMark(int mark);
    void showLine(int line);
    bool checkBeforeSave();
    bool saveControl();
    bool saveData();

    QTabWidget *m_tabs = nullptr;
    TFieldExits *m_exits = nullptr;
    TChangeTracker *m_changes = nullptr;
    QRadioButton *m_optKeisan1 = nullptr;
    QRadioButton *m_optKeisan2 = nullptr;
    QLineEdit *m_txtKijunbi = nullptr;
    QRadioButton *m_optSeireki = nullptr;
    QRadioButton *m_optWareki = nullptr;
    std::array<EraControls, 4> m_era;     // [1..3]
    std::array<MarkControls, 7> m_markUi; // [1..6]
    std::array<LineControls, 5> m_lineUi; // [1..4]
    QPushButton *m_btnAdd = nullptr;
    QPushButton *m_btnCancel = nullptr;
    QPushButton *m_btnClose = nullptr;

    // Working copy of the marks and graph lines being edited.
    std::array<TMMARK, 7> m_marks; // [1..6]
    GraphLines m_lines;            // [1..4]
};
