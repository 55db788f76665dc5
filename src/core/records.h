#pragma once
// Record types shared by the screens. Every array of numbered things (columns KKNA1.., TK01..,
// 下限額1.., marks 1..6, eras 1..3) is indexed by that number; element 0 is unused.

#include <QDate>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// The key of a project, parsed once when it is opened: company code and fiscal year.
struct ProjectKey {
    int kco = 0;
    int nendo = 0;
    bool isSet = false;
    // " NENDO = n AND KCO = k": the condition every per-project statement uses.
    QString condition() const {
        return QStringLiteral(" NENDO = %1 AND KCO = %2").arg(nendo).arg(kco);
    }
    QString where() const { return QStringLiteral(" WHERE") + condition(); }
};

struct TMKIGYOU2 {
    QString Kco;   // company code, decimal text
    QString Nendo; // fiscal year, decimal text
    QString Kna;
    int Cyousahi = 0;
    double Bearitsu = 0.0;
    QString Taikei;
    std::array<QString, 5> Kkna; // [1..3] from KKNA1..KKNA3, [4] never filled
    std::array<QString, 6> Tna;  // [1..5]
    int Mcco = 0;
    int Mdco = 0;
    std::array<QString, 10> Tk; // [1..9] names of grades 1..9
    int Frstkyu = 3;
    int Skco = 0;
    int Syoukyuhi = 0;
    int Frstkyum = 3;
};

struct TMMARK {
    int Mkco = 0;
    QString Mark;
    QString Hanrei;
    QString Mkcolor = QStringLiteral("0");
    int Mksize = 0;
    QString Kcolor = QStringLiteral("0");
    int Ksyurui = 0;
    int Khaba = 0;
};

// A date moved between the era/year, month and day boxes and a yyyymmdd integer.
struct TYMD {
    QString Ymd;
    QString Era;
    QString Year;
    QString Month;
    QString Day;
    QDate Date;
};

// One work type and the captions of its wage items.
struct TSALARYTBL {
    QString SalaryId;             // code as text
    QString SalaryName;           // work type name
    QString Teigi;                // definition
    QString CodeName;             // "id : name", as shown in lists
    std::array<QString, 4> Kihon; // [1..3]
    std::array<QString, 6> Teate; // [1..5]
};

// A code and its name, as held by the code lists (evaluations, living costs, models).
struct TCodeName {
    QString Code;
    QString Name;
};

// One role evaluation of the band design.
struct TYHYOUKA {
    QString Hco;
    QString Hkigou;
};

// One band (a row of VBANDM2).
struct TBANDM2 {
    QString BandId;
    QString BandName;
    QString BandTeigi;
    int Kijun = 0;
    int KagenRitsu = 0;
    int JyogenRitsu = 0;
    int BandKagen = 0;
    int BandJyogen = 0;
    double Spread = 0.0;
    int Range = 0;
    std::array<int, 6> ZoneKagen{};  // [1..5]
    std::array<int, 6> ZoneJyogen{}; // [1..5]
    QString MatrixId;
    QString MatrixName;
    int ZoneSu = 0;
};

// One band combined with one role evaluation of its matrix (a row of VBANDM).
struct TBANDM : TBANDM2 {
    QString YHyouka;
    std::array<double, 6> Up{}; // [1..5] raise rate in percent per zone
};

// The bands of a project with the design's title and rounding unit.
template <typename Band> struct TBandTable {
    QString Title;
    int Marume = 0;
    std::vector<Band> Bands;
};
using TBANDTBL = TBandTable<TBANDM>;
using TBANDTBL2 = TBandTable<TBANDM2>;

// One role evaluation of one band's matrix.
struct TMATRIX {
    int YHyouka = 0;
    QString YHyoukaName;
    std::array<double, 6> Up{};        // [1..5]
    std::array<double, 6> ZoneShare{}; // [1..5] working counters of the matrix check
    std::array<int, 6> ZoneCount{};    // [1..5]
    int ZoneSu = 0;
    int HeadCount = 0;
};

// One band with its matrix.
struct TMATHYOUKA {
    int BandId = 0;
    int MatrixId = 0;
    QString BandName;
    QString MatrixName;
    std::vector<TMATRIX> Cells;
    std::array<int, 6> ZoneCount{}; // [1..5]
};

struct TMATTBL {
    std::vector<TMATHYOUKA> Rows;
};

// What the year end needs of one employee to fix this year's amounts after the raise: the
// linked items, band, evaluation, current pay items [1..3] and the wage-table amount of the
// grade and step after the raise.
struct TYearEndPay {
    qint64 Sco = 0;
    int Mlink = 0;  // pay item linked to the matrix, 0 none
    int Jiseki = 0; // pay item that follows the wage table, 0 none
    int BandId = 0;
    int YHyouka = 0;
    std::array<int, 4> Kkyu{}; // [1..3]
    int Nkin = 0;
};

// The amounts after the raise of pay items [1..3] that the year end replaces; an item without
// a value keeps the amount entered.
struct TFinalAmounts {
    std::array<std::optional<int>, 4> Nkkyu{};
};

// One MCHART row of a chart: the choices for mark group and grade KNO, and the chart-wide
// choices written alike into all six rows (read from row 1).
struct TMCHART {
    int Fchk = 0;    // mark group KNO is plotted
    int Toukyu = 0;  // grade KNO is plotted
    int Toukyu1 = 0; // rows 1..3: grade KNO + 6 is plotted
    QString Title;
    int Fx = 0;
    int Fy = 0;
    int Markr = 0;
    int Fkinji = 0; // chart 1020: 0 quadratic, 1 cubic regression
    int Cgraph = 0; // chart 1020: regression curves drawn; chart 1050: points drawn
    std::array<double, 5> Sjyun{}; // [1..4] chart 1020: level percentages
    QString Kaisetsu;
    int Mibun = 0; // work-type filter, 0 all
};
using TChartRows = std::array<TMCHART, 7>; // [1..6] by KNO

// One plotted point (a DCHART row): an employee's X and Y value (Y in 10,000 yen), the text
// drawn above the mark, the mark group, and what the plot window records of its mark.
struct TDCHART {
    qint64 Sco = 0;
    QString Sna;
    QString Labeln; // "Label001", ...: the name of the point's mark
    QString Markl;
    std::array<int, 6> F{}; // [1..5] pop-up pages open
    double X = 0.0;
    double Y = 0.0;
    int Seqno = 0; // 1-based position in the point set
    int Mkco = 0;  // mark group 1..6
    int Gtop = 0;  // pixel top and left of the point's mark
    int Gleft = 0;
};

// One designed curve of a project (a DSPDRAW row): up to six points (X value, amount in yen;
// an X value of 0 is no point) with its line and legend.
struct TDSPDRAW {
    int Sdco = 0; // design number 1..5
    int X = 0;    // X and Y item the design belongs to
    int Y = 0;
    int Fchks = 0; // drawn
    int Fren = 0;  // legend flag
    std::array<int, 7> Snenrei{}; // [1..6]
    std::array<double, 7> Skin{}; // [1..6] yen
    QString Kaisetsu;
    QString Hanrei;
    QString Setsumei;
    QString Scolor;
    int Ssyurui = 0;
    int Shaba = 0;
};

// One row of a living-cost table (MSEIKEI) as the comparison chart uses it.
struct TLivingCurveRow {
    int Snenrei = 0;
    double Seikeihi = 0.0; // thousand yen
    double Yuritsu = 0.0;
    double Stritsu = 0.0;
    double Tnritsu = 0.0;
    double Kkritsu = 0.0;
};

// One row of a model wage table (MDCHINGIN) as the comparison chart uses it.
struct TModelWageRow {
    int Nenrei = 0;
    int Knensu = 0;
    int Kknensu = 0;
    double Kkin = 0.0; // thousand yen
    double Skin = 0.0;
    double Syouyo = 0.0;
    double Nensyu = 0.0;
};


// One employee as the analysis charts read it (from VSYAIN): what chooses whether the employee
// is plotted (mark group, grade), the values the X and Y items take, and the mark label texts.
struct TAnalysisEmployee {
    qint64 Sco = 0;
    QString Sna;
    int Mco = 0;    // plot mark group
    int Toukyu = 0; // grade
    int Nenrei = 0;
    int Kinzoku = 0;
    int Nensu = 0;
    int Gouhou = 0;
    double Tritsu = 0.0;
    int Tensu = 0;
    std::array<double, 4> Kkyu{}; // [1..3] yen
    double Syotei = 0.0;
    double Syouyo = 0.0;
    double Syouyo2 = 0.0;
    QString Hyouka;
    int Zonex = 0;
    int Jiseki = 0;
};
