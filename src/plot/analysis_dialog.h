#pragma once
// The four analysis dialogs, one design: the wage plot TNX1010 (chart 1010), the raise-curve
// analysis TNX1020 (1020, with the regression settings), the comparison with living costs
// TNX1030 (1030) and with model wages TNX1040 (1040). Each lets the user choose what to plot
// (X and Y item, mark groups, grades, work type, the text at each point, title, commentary),
// keeps the choices in the chart's settings rows, and on "分　析" builds the point set and the
// axis ranges and hands the chart to the plot window. The dialogs live for the whole run;
// prepare() starts each use from the stored settings, the plot window's "後" shows the dialog
// again as it was.

#include <QDialog>
#include <array>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class TChangeTracker;
class TFieldExits;

class TAnalysisDialog : public QDialog {
    Q_OBJECT
public:
    // What sets one dialog apart from the others.
    struct Kind {
        int chart = 0;
        const char *objectName = "";
        std::array<bool, 6> xOffered{};     // X items 0..5 that can be chosen
        std::array<bool, 6> yOffered{};     // Y items 0..5 that can be chosen
        int defaultFy = 0;                  // Y item of a new chart
        std::array<const char *, 6> xNames{}; // object names of the X and Y radios and of the
        std::array<const char *, 6> yNames{}; // mark label radios (they differ by dialog)
        std::array<const char *, 4> markNames{};
        const char *memoName = "txtBikou";
        const char *plotNothingName = "btnPlotNothing";
        int titleLength = 0;            // 0: no limit
        bool clampsItems = false;       // stored X and Y items outside 0..5 read as 0
        bool restoresWorkType = true;   // the work-type radios follow the stored filter
        bool workTypeMarksChange = true; // optSalary1..4 raise the changed flag
        bool regression = false;        // degree, curves shown and level percentages
    };

    // Starts a use of the dialog: work-type captions, then the chart's stored settings (the six
    // rows are made the first time); the changed flag is cleared.
    void prepare();

public slots:
    void btnAnalizeClick();
    void btnPlotAllClick();
    void btnPlotNothingClick();
    void btnTokyuAllClick();
    void btnTokyuNothingClick();
    void btnCloseClick();
    void reject() override;

protected:
    TAnalysisDialog(const Kind &kind, QWidget *parent);

private:
    void loadSettings();
    void saveSettings();
    // Builds the point set and the axis ranges; false (after the message) when nothing is
    // plotted.
    bool buildChart();
    bool refusedByCompanySettings();
    int workType() const;
    void setPlotFlags(int value);
    void setGradeFlags(int value);
    bool levelExit(QLineEdit *level);

    Kind m_kind;
    TChangeTracker *m_changes = nullptr;
    TFieldExits *m_exits = nullptr;
    QLineEdit *m_txtTitle = nullptr;
    QPlainTextEdit *m_memo = nullptr;
    QButtonGroup *m_xItems = nullptr;
    QButtonGroup *m_yItems = nullptr;
    QButtonGroup *m_markLabels = nullptr;
    std::array<QCheckBox *, 7> m_optPlot{};   // [1..6]
    std::array<QCheckBox *, 10> m_optTokyu{}; // [1..9]
    std::array<QLineEdit *, 10> m_txtTokyu{}; // [1..9]
    std::array<QRadioButton *, 5> m_optSalary{}; // [1..4]
    QRadioButton *m_optSalaryAll = nullptr;
    QButtonGroup *m_degree = nullptr;         // chart 1020
    QCheckBox *m_optGraph = nullptr;          // chart 1020
    std::array<QLineEdit *, 5> m_txtLevel{};  // [1..4] chart 1020
    std::array<int, 7> m_plot{};   // [1..6] mark group plotted
    std::array<int, 10> m_grade{}; // [1..9] grade plotted
};

// 賃金プロット.
class TNX1010 : public TAnalysisDialog {
    Q_OBJECT
public:
    explicit TNX1010(QWidget *parent = nullptr);
};

// 昇給カーブの分析: the wage plot with regression curves per mark group.
class TNX1020 : public TAnalysisDialog {
    Q_OBJECT
public:
    explicit TNX1020(QWidget *parent = nullptr);
};

// 生計費との比較: age against basic or scheduled wage beside the company's living costs.
class TNX1030 : public TAnalysisDialog {
    Q_OBJECT
public:
    explicit TNX1030(QWidget *parent = nullptr);
};

// モデル賃金との比較: the employees beside the company's model wages.
class TNX1040 : public TAnalysisDialog {
    Q_OBJECT
public:
    explicit TNX1040(QWidget *parent = nullptr);
};
