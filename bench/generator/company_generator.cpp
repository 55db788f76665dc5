#include "company_generator.h"

#include "database_setup.h"

#include <QFile>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>

namespace generator {
namespace {

// splitmix64: small, fast and the same on every platform.
class Rng {
public:
    explicit Rng(quint64 seed) : m_state(seed * 0x9E3779B97F4A7C15ULL + 0x2545F4914F6CDD1DULL) {}
    quint64 next() {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in lo..hi, both included.
    int range(int lo, int hi) {
        if (hi <= lo) return lo;
        return lo + static_cast<int>(next() % static_cast<quint64>(hi - lo + 1));
    }
    double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    bool chance(double p) { return unit() < p; }
    const QString &pick(const QStringList &list) {
        return list[range(0, static_cast<int>(list.size()) - 1)];
    }
    // Index into cumulative weights given in percent.
    int weighted(std::initializer_list<int> percents) {
        const int r = range(0, 99);
        int sum = 0, i = 0;
        for (int p : percents) {
            sum += p;
            if (r < sum) return i;
            ++i;
        }
        return i - 1;
    }

private:
    quint64 m_state;
};

QStringList utf8List(std::initializer_list<const char *> items) {
    QStringList out;
    for (const char *s : items)
        out << QString::fromUtf8(s);
    return out;
}

QString u(const char *s) {
    return QString::fromUtf8(s);
}

// Multi-row INSERT statements with a column list, split into batches so that no statement
// grows too long for the database.
class Insert {
public:
    Insert(QString &out, const char *table, const char *columns, int batch = 100)
        : m_out(out), m_head(QStringLiteral("INSERT INTO %1 (%2) VALUES\n")
                                 .arg(QLatin1String(table), QString::fromUtf8(columns))),
          m_batch(batch) {}
    ~Insert() { finish(); }
    Insert(const Insert &) = delete;
    Insert &operator=(const Insert &) = delete;

    Insert &row() {
        if (m_inRow) m_out += QLatin1Char(')');
        if (m_rows == m_batch) {
            m_out += QLatin1String(";\n");
            m_rows = 0;
        }
        m_out += m_rows == 0 ? m_head + QLatin1Char('(') : QStringLiteral(",\n(");
        ++m_rows;
        m_inRow = true;
        m_first = true;
        return *this;
    }
    Insert &i(qint64 v) {
        sep();
        m_out += QString::number(v);
        return *this;
    }
    // A real as its shortest decimal text.
    Insert &r(double v) {
        sep();
        m_out += QString::number(v, 'g', 12);
        return *this;
    }
    Insert &f2(double v) {
        sep();
        m_out += QString::number(v, 'f', 2);
        return *this;
    }
    Insert &t(const QString &v) {
        sep();
        m_out += QLatin1Char('\'');
        m_out += QString(v).replace(QLatin1Char('\''), QLatin1String("''"));
        m_out += QLatin1Char('\'');
        return *this;
    }
    void finish() {
        if (!m_inRow) return;
        m_out += QLatin1String(");\n");
        m_inRow = false;
        m_rows = 0;
    }

private:
    void sep() {
        if (!m_first) m_out += QLatin1Char(',');
        m_first = false;
    }
    QString &m_out;
    QString m_head;
    int m_batch;
    int m_rows = 0;
    bool m_inRow = false;
    bool m_first = true;
};

// Half away from zero to n - 1 decimals; amounts to tens (mode 0), hundreds (1) or
// thousands (other modes) of yen.
double RoundHalfUp(int n, double x) {
    if (x == 0) return 0;
    const double scale = std::pow(10.0, n - 1);
    const double v = x * scale + (x < 0 ? -0.5 : 0.5);
    return std::trunc(v) / scale;
}

int RoundToUnit(int mode, double amount) {
    const int unit = mode == 0 ? 10 : mode == 1 ? 100 : 1000;
    return static_cast<int>(RoundHalfUp(1, amount / unit)) * unit;
}

int ymd(int y, int m, int d) {
    return y * 10000 + m * 100 + d;
}
// Whole years from one yyyymmdd date to another.
int yearsSince(int from, int to) {
    return from <= 0 ? 0 : (to - from) / 10000;
}

// ---- Control database ---------------------------------------------------------------------

struct MarkDef {
    const char *mark, *legend, *color;
    int size;
    const char *lineColor;
    int lineType, lineWidth;
};

// Mark groups of the employees: 1 executives, 2 managers, 3 senior staff, 4 staff,
// 5 part-timers, 6 others.
constexpr MarkDef kMarks[6] = {
    {"●", "役員", "clRed", 10, "clRed", 1, 2},
    {"■", "管理職", "clBlue", 10, "clBlue", 1, 2},
    {"▲", "総合職", "clGreen", 10, "clGreen", 1, 1},
    {"◆", "一般職", "clPurple", 10, "clPurple", 2, 1},
    {"★", "パート", "clFuchsia", 12, "clFuchsia", 3, 1},
    {"○", "その他", "clTeal", 10, "clTeal", 2, 1},
};

struct LineDef {
    const char *color;
    int type, width;
};

// Axes, scale marks, grid, centre line.
constexpr LineDef kLines[4] = {
    {"clBlack", 1, 2}, {"clGray", 1, 1}, {"clSilver", 2, 1}, {"clNavy", 3, 1}};

void writeMarks(QString &out, const char *table, int kco, int nendo) {
    Insert ins(out, table,
               "KCO, NENDO, MKCO, MARK, HANREI, MKCOLOR, MKSIZE, KCOLOR, KSYURUI, KHABA");
    for (int m = 0; m < 6; ++m) {
        const MarkDef &d = kMarks[m];
        ins.row().i(kco).i(nendo).i(m + 1).t(u(d.mark)).t(u(d.legend)).t(u(d.color)).i(d.size);
        ins.t(u(d.lineColor)).i(d.lineType).i(d.lineWidth);
    }
}

void writeLines(QString &out, const char *table, int kco, int nendo) {
    Insert ins(out, table, "KCO, NENDO, GSCO, CCOLOR, CSYURUI, CHABA");
    for (int g = 0; g < 4; ++g)
        ins.row()
            .i(kco)
            .i(nendo)
            .i(g + 1)
            .t(u(kLines[g].color))
            .i(kLines[g].type)
            .i(kLines[g].width);
}

struct GuidePage {
    const char *name, *memo;
};

const GuidePage kGuide[] = {
    {"はじめに",
     "本システムは、社員の賃金データを年度ごとに管理し、賃金構造の分析、役割給バンドと昇給マト"
     "リクスの設計、昇給額の算定、レポートの作成までを一貫して行います。\n\n"
     "作業の単位は「企業」と「年度」の組み合わせで、画面上では「プロジェクト」と呼びます。\n"
     "1. メニュー「プロジェクト」→「開く」で企業と年度を選びます。新しい企業は「新規作成」で"
     "登録します。\n"
     "2. 2017～2018年度の「株式会社ロメルタ」はサンプル企業です。操作を覚えるときは、まず"
     "このサンプル企業を開いてみてください。\n"
     "3. プロジェクトを開くと、データ入力・バンド設計・プロット分析・昇給管理の各メニューが使え"
     "るようになります。\n\n"
     "以降のページで、おおまかな作業の流れを順に説明します。"},
    {"基本設定と社員情報の登録",
     "■ 基本設定\n"
     "「プロジェクト」→「基本設定」で、年齢・勤続の計算基準日、西暦／和暦の別、プロットのマーク"
     "（記号・凡例・色）とグラフの線の設定を行います。\n"
     "「就労形態」では、正社員・パートなどの就労形態ごとに基本給項目と手当項目の名称を登録します。"
     "\n"
     "「評価の変換」では、総合評価の記号と、評価ごとの昇号数を登録します。\n\n"
     "■ 社員情報の登録\n"
     "「データ入力」→「社員情報　登録」で、社員ごとに氏名・生年月日・入社日・資格等級・号俸・評価"
     "・賃金項目（昇給前／昇給後）・賞与・所属バンドと役割評価を入力します。\n"
     "多数の社員は「社員情報取込」で CSV ファイルから一括して取り込めます。1 行目に項目名を並べた"
     "ファイルを用意してください。\n"
     "登録済みの社員は「社員マスタ出力」で CSV ファイルに書き出せます。"},
    {"プロット分析",
     "「プロット分析」メニューでは、社員の賃金を散布図で確認します。\n\n"
     "・基本プロット画面：横軸（年齢・勤続など）と縦軸（基本給・所定内賃金・年収など）を選んで社"
     "員をプロットします。マークは社員のマーク区分ごとに描かれます。\n"
     "・回帰分析画面：2 次または 3 次の回帰曲線を描き、賃金カーブの傾向を確認します。\n"
     "・生計費との比較、モデル賃金との比較：標準生計費やモデル賃金の曲線を重ねて、自社の水準を比"
     "較します。\n"
     "・昇給カーブの設計：最大 5 本の昇給カーブを描き、そこから年齢別の設計賃金表を作成します。"
     "\n\n"
     "プロット上の点をクリックすると社員の情報を確認でき、バンドや役割評価の割り当てもできます。"},
    {"バンドとマトリクスの設計",
     "「バンド設計」メニューの項目を上から順に使います。\n\n"
     "1. マトリクスID：昇給マトリクスの番号・名称とゾーン数（2～5）を登録します。\n"
     "2. 役割評価：役割評価の記号（S・A・B・C・D など、最大 7 つ）を登録します。\n"
     "3. マトリクス作成：役割評価とゾーンごとの昇給率（％）を入力します。評価が高いほど、またゾーン"
     "が低いほど昇給率を高くするのが一般的です。\n"
     "4. バンド名称登録：バンドの名称と、使用するマトリクスを登録します。\n"
     "5. バンド作成：バンドごとに基準金額と下限・上限の率（％）を入力すると、下限額・上限額・スプ"
     "レッド・レンジと各ゾーンの金額が計算されます。丸め方（拾円・百円・千円単位）は「基本設定」タ"
     "ブで選びます。\n"
     "6. バンド分析グラフ：完成したバンドと社員の分布をグラフで確認します。"},
    {"昇給の入力",
     "「昇給管理」→「昇給管理　入力」で、社員ごとの昇給を入力します。\n\n"
     "・総合評価、昇格の有無と新しい資格等級を選びます。\n"
     "・マトリクスに連結された基本給項目は、所属バンドと役割評価から現在のゾーンと昇給率が求めら"
     "れ、昇給後の金額が自動計算されます。昇給後の金額はバンドの範囲内に収められ、設定した単位で"
     "丸められます。\n"
     "・賃金表に連結された基本給項目は、等級と号俸に対応する賃金表の金額になります。\n"
     "・そのほかの項目と手当は、昇給額または昇給後の金額を直接入力します。\n\n"
     "「マトリクス」ボタンで、バンド内のゾーン別人数と昇給率を確認できます。"},
    {"参考資料（生計費・モデル賃金）",
     "「データ入力」メニューの「生計費　登録」「モデルデータ　登録」「モデル賃金　登録」で、"
     "「生計費との比較」「モデル賃金との比較」に重ねる参考資料を登録します。出荷時には次の公表"
     "値が入っています。\n\n"
     "■ 標準生計費（生計費コード 1）\n"
     "出所：人事院「費目別、世帯人員別標準生計費（令和6年4月）」、全国、月額。1人 119.11千円、"
     "2人 150.64千円、3人 184.74千円、4人 218.89千円、5人 253.02千円。\n"
     "・所帯年齢：人事院は世帯人員ごとの年齢を公表していないため、本システムの想定（1人 22歳、"
     "2人 30歳、3人 34歳、4人 38歳、5人 42歳）です。\n"
     "・愉楽率・最低率：公表値が無いため 0 です。\n"
     "・単身率：1人世帯の生計費÷各世帯の生計費（小数2桁に四捨五入）として算出しました。\n\n"
     "■ モデル賃金（モデルコード 1、サンプル企業の比較先）\n"
     "出所：国税庁「令和5年分 民間給与実態統計調査」の年齢階層別の平均給与（男女計、1年を通じ"
     "て勤務した給与所得者、給料・手当と賞与の年額）。年収欄に千円単位で入れ、年齢は各階層の中"
     "央（70歳以上は72歳）です。基本給・所定給・賞与・勤続年数・経験年数の年齢別の値と事業所数"
     "は、参照した公表資料に無いため 0 です。\n\n"
     "■ モデル賃金（モデルコード 2）\n"
     "出所：厚生労働省「賃金構造基本統計調査（平成13年）」の標準労働者の学歴、年齢階級別賃金（男"
     "性、産業計、企業規模計）。所定給欄に所定内給与額（月額・千円）を入れ、実線が大学卒、点線が"
     "高校卒です。勤続年数は年齢－22（大学卒）、年齢－18（高校卒）として算出しました。基本給・"
     "賞与・年収・経験年数と事業所数は公表値が無いため 0 です。古い調査なので、目安としてお使い"
     "ください。\n\n"
     "自社の比較に使う生計費コードとモデルコードは「プロジェクト」→「変更」で選びます。新しい"
     "公表値は各登録画面で追加・修正できます。"},
    {"レポートと年度更新",
     "■ レポート\n"
     "「レポート」メニューから、グループ別の社員賃金・社員昇給・マトリクス昇給のレポートを印刷"
     "プレビューで確認し、印刷や CSV ファイルへの出力ができます。\n\n"
     "■ 年度更新\n"
     "昇給の入力が終わったら、「昇給管理」→「年度更新」で企業のデータを翌年度へ繰り越します。昇給"
     "後の等級・号俸・賃金が翌年度の現在の値になり、評価は前年の評価として引き継がれます。\n\n"
     "■ データベースの圧縮\n"
     "削除と登録を繰り返すとデータベースファイルが大きくなります。ときどき「プロジェクト」→「デー"
     "タベース圧縮」を実行してください。"},
};

// Published model wages (thousand yen). Model 1, the sample company's, holds the average
// annual pay by age group of the tax agency's private-sector pay survey; model 2 the monthly
// scheduled pay of "standard workers" by age group and schooling from the wage census. Ages
// are the middle of each age group. What the sources do not publish by age stays 0, and the
// remarks and the usage guide say so.
void writeModel(QString &out) {
    {
        Insert ins(out, "MDEL", "MDCO, MDNA, DEDOKORO, TCHIIKI, JSU, CJITEN, GYOUSYU, KIBO, BIKOU");
        ins.row().i(1).t(u("年齢階層別平均給与（男女計）")).t(u("国税庁 民間給与実態統計調査"));
        ins.t(u("全国")).i(0).t(u("令和5年分（1年を通じて勤務）")).t(u("全業種")).t(u("全規模"));
        ins.t(u("年齢階層別の平均給与（給料・手当と賞与の年額）を年収欄に千円単位で入れた。\r\n"
                "年齢は各階層の中央（70歳以上は72歳）。\r\n"
                "基本給・所定給・賞与・勤続年数・経験年数の年齢別の値と事業所数は、参照した公表"
                "資料に無いため0。\r\n"));
        ins.row().i(2).t(u("標準労働者 男性 大学卒・高校卒")).t(u("厚生労働省 賃金構造基本統計調査"));
        ins.t(u("全国")).i(0).t(u("平成13年6月")).t(u("産業計")).t(u("企業規模計（10人以上）"));
        ins.t(u("実線は大学卒、点線は高校卒の標準労働者（学校卒業後直ちに就職し同一企業に継続"
                "勤務）の所定内給与額（月額・千円）を所定給欄に入れた。\r\n"
                "年齢は各階級の中央。勤続年数は年齢－22（大学卒）、年齢－18（高校卒）として算出。"
                "\r\n基本給・賞与・年収・経験年数と事業所数は公表値が無いため0。\r\n"));
    }
    Insert ins(out, "MDCHINGIN",
               "MDCO, MCCO, NENREI, KNENSU, KKIN, SKIN, SYOUYO, NENSYU, SENSYU, KKNENSU");
    // 国税庁「令和5年分 民間給与実態統計調査」年齢階層別の平均給与（男女計、万円）,
    // 20～24歳 .. 65～69歳 and 70歳以上.
    const int annual[] = {267, 394, 431, 466, 501, 521, 540, 545, 445, 354, 293};
    int mcco = 0;
    for (int g = 0; g < 11; ++g) {
        const int age = g < 10 ? 22 + 5 * g : 72;
        ins.row().i(1).i(++mcco).i(age).i(0).i(0).i(0).i(0).i(annual[g] * 10).i(1).i(0);
    }
    // 厚生労働省「賃金構造基本統計調査」平成13年 第12表 標準労働者の性、学歴、年齢階級別賃金
    // （産業計、企業規模計）, men, 所定内給与額 (千円), 20～24歳 .. 55～59歳.
    const struct {
        int entryAge;
        int lineType;
        double pay[8];
    } standard[] = {
        {22, 1, {217.2, 258.7, 339.0, 418.2, 487.5, 547.4, 614.9, 625.1}}, // 大学卒
        {18, 2, {196.4, 239.7, 288.5, 340.5, 394.9, 450.5, 499.0, 512.4}}, // 高校卒
    };
    mcco = 0;
    for (const auto &line : standard) {
        for (int g = 0; g < 8; ++g) {
            const int age = 22 + 5 * g;
            ins.row().i(2).i(++mcco).i(age).i(age - line.entryAge).i(0).r(line.pay[g]).i(0).i(0);
            ins.i(line.lineType).i(0);
        }
    }
}

// ---- Company data -------------------------------------------------------------------------

// Base-pay items fed by the wage table and by the raise matrix.
constexpr int kWageTableItem = 1;
constexpr int kMatrixItem = 2;
// Item 3 is an adjustment pay entered by hand; the code below indexes the items directly.
static_assert(kWageTableItem == 1 && kMatrixItem == 2);

constexpr int kSteps = 80;        // pay steps of the wage table
constexpr int kStartStepCap = 60; // highest step at the first year, leaving room for raises

constexpr std::array<int, 9> kTableStart = {120000, 136000, 154000, 174000, 196000,
                                            220000, 246000, 274000, 304000};
constexpr std::array<int, 9> kTableStep = {500, 600, 700, 800, 900, 1000, 1100, 1200, 1300};

int tableAmount(int grade, int step) {
    if (grade < 1 || grade > 9 || step < 1 || step > kSteps) return 0;
    return kTableStart[grade - 1] + kTableStep[grade - 1] * (step - 1);
}

// Evaluations S..D: symbols, steps raised, bonus months per half year.
const QStringList &evalSymbols() {
    static const QStringList s = {QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("B"),
                                  QStringLiteral("C"), QStringLiteral("D")};
    return s;
}
constexpr int kEvalSteps[5] = {6, 5, 4, 3, 2};
constexpr double kBonusMonths[5] = {2.6, 2.3, 2.0, 1.7, 1.4};
// Matrix rate of the first zone for each role evaluation S..D.
constexpr double kTopRates[5] = {6.0, 4.5, 3.0, 2.0, 1.0};

struct Matrix {
    int id;
    const char *name, *teigi;
    int zones;
};
constexpr Matrix kMatrices[3] = {
    {1, "一般職マトリクス", "一般職層（３ゾーン）", 3},
    {2, "中堅職マトリクス", "主任・係長・課長代理層（４ゾーン）", 4},
    {3, "管理職マトリクス", "課長以上の管理職層（５ゾーン）", 5},
};

// Rate in percent for role evaluation e (0 = best) in zone z (0-based) of a matrix: falls
// with the zone and the evaluation, in half percents, never below 0.5.
double matrixRate(int zones, int e, int z) {
    if (z >= zones) return 0;
    const double raw = kTopRates[e] * (zones - z) / zones;
    return std::max(0.5, std::floor(raw * 2 + 0.5) / 2);
}

struct BandDef {
    int id;
    const char *name, *teigi;
    int matrix, kijun, lowerPct, upperPct;
};
constexpr BandDef kBandDefs[7] = {
    {1, "一般職Ⅰ", "定型業務を指示に従って正確に遂行する", 1, 56000, -20, 20},
    {2, "一般職Ⅱ", "担当業務を自らの判断で遂行する", 1, 72000, -20, 20},
    {3, "主任・係長", "小集団を指導し業務を推進する", 2, 96000, -25, 25},
    {4, "課長代理", "課長を補佐し課の業務を取りまとめる", 2, 120000, -25, 25},
    {5, "課長", "課を運営し目標の達成に責任を持つ", 3, 150000, -30, 30},
    {6, "次長", "部長を補佐し複数の課を統括する", 3, 175000, -30, 30},
    {7, "部長", "部門の方針を定め成果に責任を持つ", 3, 200000, -30, 30},
};
// Band of each grade 1..9.
constexpr int kGradeBand[10] = {0, 1, 1, 2, 3, 3, 4, 5, 6, 7};

struct Band {
    const BandDef *def;
    int zones;
    double spread;
    int range;
    int lo[5], hi[5];
};

// Limits as band creation computes them from base wage, rates, zone count and rounding.
Band makeBand(const BandDef &d, int zones, int marume) {
    Band b{&d, zones, 0, 0, {}, {}};
    const int truncLower = static_cast<int>(d.kijun * (d.lowerPct + 100) / 100.0);
    const int truncUpper = static_cast<int>(d.kijun * (d.upperPct + 100) / 100.0);
    b.spread = truncLower < 1 ? 0 : RoundHalfUp(2, static_cast<double>(truncUpper) / truncLower);
    const int lower = RoundToUnit(marume, d.kijun * (d.lowerPct + 100) / 100.0);
    const int upper = RoundToUnit(marume, d.kijun * (d.upperPct + 100) / 100.0);
    b.range = RoundToUnit(marume, (upper - lower) / static_cast<double>(zones));
    for (int z = 0; z < 5; ++z) {
        b.lo[z] = z < zones ? lower + b.range * z : 0;
        b.hi[z] = z < zones ? b.lo[z] + b.range : 0;
    }
    return b;
}

struct Raise {
    int zone = 0;
    int newPay = 0;
    int newZone = 0;
};

// The matrix raise of one pay within a band for role evaluation e (1-based).
Raise matrixRaise(const Band &b, int e, int pay, int marume) {
    Raise r;
    r.newPay = pay;
    for (int k = 0; k < 5; ++k) {
        const bool in =
            k < 4 ? (b.lo[k] <= pay && pay < b.hi[k]) : (b.lo[k] <= pay && pay <= b.hi[k]);
        if (in) r.zone = k + 1;
    }
    if (r.zone == 0) return r;
    const double rate = matrixRate(b.zones, e - 1, r.zone - 1);
    int p = RoundToUnit(marume, (100 + rate) * pay / 100.0);
    const int top = *std::max_element(b.hi, b.hi + 5);
    p = std::clamp(p, b.lo[0], std::max(b.lo[0], top));
    r.newPay = p;
    for (int k = 0; k < 5; ++k)
        if (b.lo[k] <= p && p < b.hi[k]) r.newZone = k + 1;
    return r;
}

enum Category { Executive, Regular, Contract, PartTime, Reemployed };

const QStringList &familyNames() {
    static const QStringList s = utf8List(
        {"佐藤", "鈴木", "高橋",   "田中", "伊藤", "渡辺", "山本", "中村", "小林", "加藤",
         "吉田", "山田", "佐々木", "山口", "松本", "井上", "木村", "林",   "斎藤", "清水",
         "山崎", "森",   "池田",   "橋本", "阿部", "石川", "山下", "中島", "石井", "小川",
         "前田", "岡田", "長谷川", "藤田", "後藤", "近藤", "村上", "遠藤", "青木", "坂本",
         "福田", "太田", "西村",   "藤井", "金子", "岡本", "藤原", "中野", "三浦", "原田"});
    return s;
}
const QStringList &maleNames() {
    static const QStringList s =
        utf8List({"翔太", "大輔", "健太", "拓也", "直樹", "和也", "達也", "誠",   "浩二", "隆",
                  "修",   "学",   "剛",   "亮",   "悠斗", "陽介", "一郎", "健一", "正人", "秀樹",
                  "博之", "聡",   "賢治", "大樹", "涼",   "蓮",   "颯太", "優斗", "雄一", "健司",
                  "康弘", "智也", "洋平", "光",   "俊介", "慎一", "和彦", "浩",   "淳",   "裕太"});
    return s;
}
const QStringList &femaleNames() {
    static const QStringList s = utf8List(
        {"美咲", "陽子", "恵子",   "由美", "真由美", "裕子", "智子", "明美", "直美", "久美子",
         "愛",   "彩",   "舞",     "結衣", "さくら", "美穂", "千尋", "麻衣", "沙織", "香織",
         "奈々", "理恵", "友美",   "絵美", "亜希子", "典子", "幸子", "優子", "瞳",   "葵",
         "七海", "遥",   "真理子", "順子", "京子",   "紀子", "里美", "早苗", "綾香", "菜摘"});
    return s;
}
const QStringList &departments() {
    static const QStringList s =
        utf8List({"営業部", "総務部", "経理部", "人事部", "製造部", "技術部", "開発部",
                  "品質保証部", "物流部", "情報システム部"});
    return s;
}
const QStringList &qualifications() {
    static const QStringList s =
        utf8List({"日商簿記２級", "宅地建物取引士", "基本情報技術者", "社会保険労務士",
                  "中小企業診断士", "衛生管理者", "危険物取扱者乙種４類", "ＴＯＥＩＣ７３０点"});
    return s;
}

struct Education {
    const char *name;
    int graduationAge;
    std::initializer_list<const char *> fields;
};
const Education kEducations[] = {
    {"大学卒", 22, {"経済学", "法学", "商学", "経営学", "工学", "情報工学", "文学", "理学"}},
    {"高校卒", 18, {"普通科", "商業科", "工業科"}},
    {"短大卒", 20, {"経営情報", "英語", "生活科学"}},
    {"専門学校卒", 20, {"情報処理", "会計", "デザイン"}},
    {"大学院卒", 24, {"機械工学", "電気工学", "化学", "経営学"}},
};

const QStringList &positionOfGrade() {
    static const QStringList s =
        utf8List({"", "", "", "", "主任", "係長", "課長代理", "課長", "次長", "部長"});
    return s;
}
constexpr int kPositionAllowance[10] = {0, 0, 0, 0, 5000, 15000, 30000, 50000, 65000, 80000};

struct Employee {
    int sco = 0;
    Category cat = Regular;
    int sex = 0;
    QString scot, sna, yaku, gaku, senkou, ksikaku, keiken, newday;
    int birth = 0, entry = 0, thi = 0, priorYears = 0;
    int grade = 1, step = 1;
    int hco = 3;
    int hist[3] = {0, 0, 0}; // evaluation codes one, two and three years ago
    int band = 0, yhyouka = 0, mlink = 0;
    int kkyu[3] = {0, 0, 0};
    int teate[5] = {0, 0, 0, 0, 0};
};

int sm1Of(Category c) {
    switch (c) {
    case Contract:
        return 2;
    case PartTime:
        return 3;
    case Reemployed:
        return 4;
    default:
        return 1;
    }
}

QString sm2Of(Category c) {
    switch (c) {
    case Executive:
        return u("役員");
    case Regular:
        return u("正社員");
    case PartTime:
        return u("パート");
    default:
        return u("その他");
    }
}

int markOf(const Employee &e) {
    switch (e.cat) {
    case Executive:
        return 1;
    case Regular:
        return e.grade >= 7 ? 2 : e.grade >= 4 ? 3 : 4;
    case PartTime:
        return 5;
    default:
        return 6;
    }
}

QString registrationTime(int year, int index) {
    const int secs = 9 * 3600 + index;
    const int day = 1 + secs / 86400, s = secs % 86400;
    return QStringLiteral("%1/04/%2 %3:%4:%5")
        .arg(year)
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

int randomDate(Rng &rng, int year) {
    return ymd(year, rng.range(1, 12), rng.range(1, 28));
}

int evaluation(Rng &rng) {
    return 1 + rng.weighted({8, 22, 45, 18, 7});
}

// Role pay placed inside the band's zones, a few staff just below the band.
int startingRolePay(Rng &rng, const Band &b, int yearsInGrade, int marume) {
    const int unit = marume == 0 ? 10 : marume == 1 ? 100 : 1000;
    if (rng.chance(0.02)) return b.lo[0] - unit * rng.range(1, 20);
    const int top = b.hi[b.zones - 1];
    const double pos = std::clamp(0.05 + 0.09 * yearsInGrade + 0.25 * rng.unit(), 0.0, 0.97);
    const int pay = b.lo[0] + static_cast<int>(pos * (top - b.lo[0]));
    return std::min(pay / unit * unit, top - unit);
}

Employee newEmployee(Rng &rng, int index, int year, int marume, const QList<Band> &bands) {
    Employee e;
    e.sco = index + 1;
    e.cat = index == 0 ? Executive : static_cast<Category>(rng.weighted({3, 79, 6, 8, 4}));
    e.sex = e.cat == Executive ? (rng.chance(0.1) ? 1 : 0)
                               : (rng.chance(e.cat == PartTime ? 0.8 : 0.3) ? 1 : 0);
    e.sna = rng.pick(familyNames()) + QChar(0x3000) + rng.pick(e.sex ? femaleNames() : maleNames());

    int age = 0;
    switch (e.cat) {
    case Executive:
        age = index == 0 ? 58 : rng.range(50, 60);
        break;
    case Regular:
        age = rng.range(20, 59);
        break;
    case Contract:
        age = rng.range(22, 50);
        break;
    case PartTime:
        age = rng.range(22, 60);
        break;
    case Reemployed:
        age = rng.range(56, 60);
        break;
    }
    // Born so that the age on 1 April of the fiscal year is exactly `age`.
    const int bm = rng.range(1, 12), bd = rng.range(1, 28);
    const bool beforeApril = bm < 4 || (bm == 4 && bd == 1);
    e.birth = ymd(year - age - (beforeApril ? 0 : 1), bm, bd);

    int eduIndex = rng.weighted({55, 20, 8, 10, 7});
    if (age < kEducations[eduIndex].graduationAge) eduIndex = 1;
    const Education &edu = kEducations[eduIndex];
    e.gaku = u(edu.name);
    e.senkou = u(edu.fields.begin()[rng.range(0, static_cast<int>(edu.fields.size()) - 1)]);
    e.ksikaku = rng.chance(0.35) ? rng.pick(qualifications()) : QString();
    e.keiken = rng.pick(departments());

    int entryAge = edu.graduationAge;
    bool midCareer = false;
    if (e.cat == Executive) {
        entryAge = std::max(entryAge, rng.range(22, 35));
    } else if (e.cat != Regular || rng.chance(0.3)) {
        midCareer = true;
        entryAge = rng.range(std::min(entryAge, age), age);
    }
    const int yearsAgo = std::max(midCareer ? 1 : 0, age - entryAge);
    e.entry = midCareer ? randomDate(rng, year - yearsAgo) : ymd(year - yearsAgo, 4, 1);
    e.priorYears = midCareer ? std::max(0, entryAge - edu.graduationAge) : 0;

    switch (e.cat) {
    case Executive:
        e.grade = 9;
        break;
    case Regular: {
        const double pace = 0.13 + 0.13 * rng.unit();
        e.grade = std::clamp(1 + static_cast<int>(std::max(0, age - 22) * pace), 1, 9);
        break;
    }
    case Contract:
        e.grade = std::min(3, 1 + (age - 20) / 10);
        break;
    case PartTime:
        e.grade = 1;
        break;
    case Reemployed:
        e.grade = rng.range(3, 5);
        break;
    }
    const int yearsInGrade =
        rng.range(0, std::min({12, std::max(0, (age - 20) / 3), age - entryAge}));
    e.step = std::clamp(1 + 4 * yearsInGrade + rng.range(0, 3), 1, kStartStepCap);
    e.thi = std::max(e.entry, ymd(year - yearsInGrade, 4, 1));

    e.hco = evaluation(rng);
    const int service = yearsSince(e.entry, ymd(year, 4, 1));
    for (int k = 0; k < 3; ++k)
        e.hist[k] = service > k ? evaluation(rng) : 0;

    if (e.cat == Executive) {
        static const QStringList titles = utf8List({"代表取締役社長", "専務取締役", "常務取締役"});
        e.yaku = index < titles.size() ? titles[index] : u("取締役");
    } else if (e.cat == Regular) {
        e.yaku = positionOfGrade()[e.grade];
    }

    e.kkyu[0] = tableAmount(e.grade, e.step);
    if (e.cat == Executive) {
        e.kkyu[1] = rng.range(30, 45) * 10000;
    } else if (e.cat != PartTime) {
        e.band = kGradeBand[e.grade];
        e.mlink = kMatrixItem;
        e.yhyouka = std::clamp(e.hco + (rng.chance(0.3) ? rng.range(-1, 1) : 0), 1, 5);
        e.kkyu[1] = startingRolePay(rng, bands[e.band - 1], yearsInGrade, marume);
        if (rng.chance(0.12)) e.kkyu[2] = rng.range(1, 20) * 1000;
    }

    if (e.cat != Executive && e.cat != PartTime) {
        if (age >= 27 && rng.chance(0.55)) e.teate[0] = 10000 + 5000 * rng.range(0, 3);
        if (rng.chance(0.45)) e.teate[1] = 5000 * rng.range(1, 4);
        if (e.cat == Regular) e.teate[2] = kPositionAllowance[e.grade];
        if (rng.chance(0.1)) e.teate[3] = 1000 * rng.range(1, 10);
    }
    if (rng.chance(0.85)) e.teate[4] = 500 * rng.range(4, 40);

    e.scot = QStringLiteral("%1%2")
                 .arg(e.entry / 10000 % 100, 2, 10, QLatin1Char('0'))
                 .arg(e.sco, 5, 10, QLatin1Char('0'));
    e.newday = registrationTime(year, index);
    return e;
}

int roundThousand(double v) {
    return static_cast<int>(std::floor(v / 1000 + 0.5)) * 1000;
}

// One company and fiscal year of settings, master tables and the design of bands and matrices.
void writeSettings(QString &out, const CompanyOptions &o, int year, int marume,
                   const QList<Band> &bands) {
    {
        Insert ins(out, "MKIGYOU2",
                   "KCO, NENDO, KNA, CYOUSAHI, BEARITSU, TAIKEI, KKNA1, KKNA2, KKNA3, TNA1, TNA2, "
                   "TNA3, TNA4, TNA5, MCCO, MDCO, TK01, TK02, TK03, TK04, TK05, TK06, TK07, TK08, "
                   "TK09, FRSTKYU, SKCO, SYOUKYUHI, FRSTKYUM, FRENCM");
        ins.row().i(o.kco).i(year).t(o.name).i(ymd(year, 4, 1)).r(0).t(u("職能資格・役割給併用型"));
        for (const char *s : {"職能給", "役割給", "調整給", "家族手当", "住宅手当", "役職手当",
                              "調整手当", "通勤手当"})
            ins.t(u(s));
        ins.i(1).i(1);
        for (const char *s : {"一般職１級", "一般職２級", "一般職３級", "中堅職１級", "中堅職２級",
                              "管理職１級", "管理職２級", "管理職３級", "上級管理職"})
            ins.t(u(s));
        ins.i(kWageTableItem).i(o.kco).i(ymd(year + 1, 4, 1)).i(kMatrixItem).i(0);
    }
    writeMarks(out, "MMARK", o.kco, year);
    writeLines(out, "MGRAPH", o.kco, year);
    {
        Insert ins(out, "SALARYNAME",
                   "KCO, NENDO, SALARYID, SALARYNAME, TEIGI, KIHON1, KIHON2, KIHON3, TEATE1, "
                   "TEATE2, TEATE3, TEATE4, TEATE5");
        const struct {
            const char *name, *teigi, *k1, *k2, *k3;
        } types[4] = {{"正社員", "月給制", "職能給", "役割給", "調整給"},
                      {"契約社員", "月給制", "職能給", "役割給", "調整給"},
                      {"パート", "時間給制（月額換算）", "基本給", "", ""},
                      {"嘱託", "月給制", "職能給", "役割給", "調整給"}};
        for (int t = 0; t < 4; ++t) {
            ins.row().i(o.kco).i(year).i(t + 1).t(u(types[t].name)).t(u(types[t].teigi));
            ins.t(u(types[t].k1)).t(u(types[t].k2)).t(u(types[t].k3));
            for (const char *s : {"家族手当", "住宅手当", "役職手当", "調整手当", "通勤手当"})
                ins.t(u(s));
        }
    }
    {
        Insert ins(out, "MHYOUKA", "KCO, NENDO, HCO, HKIGOU, SGOUSU");
        for (int h = 0; h < 5; ++h)
            ins.row().i(o.kco).i(year).i(h + 1).t(evalSymbols()[h]).i(kEvalSteps[h]);
    }
    {
        Insert ins(out, "YHYOUKA", "KCO, NENDO, HCO, HKIGOU");
        for (int h = 0; h < 5; ++h)
            ins.row().i(o.kco).i(year).i(h + 1).t(evalSymbols()[h]);
    }
    {
        Insert ins(out, "MATRIXID", "KCO, NENDO, MATRIXID, NAME, TEIGI, ZONESU");
        for (const Matrix &m : kMatrices)
            ins.row().i(o.kco).i(year).i(m.id).t(u(m.name)).t(u(m.teigi)).i(m.zones);
    }
    {
        Insert ins(out, "MATRIXCELL", "KCO, NENDO, MATRIXID, YHYOUKA, UP1, UP2, UP3, UP4, UP5");
        for (const Matrix &m : kMatrices)
            for (int h = 0; h < 5; ++h) {
                ins.row().i(o.kco).i(year).i(m.id).i(h + 1);
                for (int z = 0; z < 5; ++z)
                    ins.r(matrixRate(m.zones, h, z));
            }
    }
    {
        Insert ins(out, "BANDM",
                   "KCO, NENDO, BANDID, BANDNAME, TEIGI, MATRIXID, TITLE, MARUME, 基準賃金, "
                   "下限率, 上限率, スプレッド, レンジ, 下限額1, 上限額1, 下限額2, 上限額2, "
                   "下限額3, 上限額3, 下限額4, 上限額4, 下限額5, 上限額5");
        for (const Band &b : bands) {
            const BandDef &d = *b.def;
            ins.row().i(o.kco).i(year).i(d.id).t(u(d.name)).t(u(d.teigi)).i(d.matrix);
            ins.t(u("役割給バンド")).i(marume).i(d.kijun).i(d.lowerPct).i(d.upperPct);
            ins.f2(b.spread).i(b.range);
            for (int z = 0; z < 5; ++z)
                ins.i(b.lo[z]).i(b.hi[z]);
        }
    }
    {
        Insert ins(out, "DCHINGIN2",
                   "KCO, NENDO, GOUHOU, KIN1, KIN2, KIN3, KIN4, KIN5, KIN6, "
                   "KIN7, KIN8, KIN9");
        for (int s = 1; s <= kSteps; ++s) {
            ins.row().i(o.kco).i(year).i(s);
            for (int g = 1; g <= 9; ++g)
                ins.i(tableAmount(g, s));
        }
    }
}

// Standard living costs under the company's own code: 人事院「費目別、世帯人員別標準生計費
// （令和6年4月）」, national, monthly, in thousand yen. The authority publishes no age per
// household size, so the ages are this program's assumption; no comfort or minimum rate is
// published (0); the single-person rate is the one-person cost over each household's cost.
// The register reads a code across all companies and years, so the rows are written once.
void writeLivingCosts(QString &out, const CompanyOptions &o, int year) {
    Insert ins(out, "MSEIKEI",
               "KCO, NENDO, SKCO, SNIN, SNENREI, SEIKEIHI, YURITSU, STRITSU, TNRITSU, KKRITSU, "
               "DEDOKORO, TCHIIKI, CJITEN, NSUCHI");
    const double costs[5] = {119.11, 150.64, 184.74, 218.89, 253.02};
    const int ages[5] = {22, 30, 34, 38, 42};
    for (int n = 0; n < 5; ++n) {
        const double single = std::floor(100.0 * costs[0] / costs[n] + 0.5) / 100;
        ins.row().i(o.kco).i(year).i(o.kco).i(n + 1).i(ages[n]).r(costs[n]);
        ins.r(0).r(0).r(single).r(1).t(u("人事院 標準生計費（令和6年4月）")).t(u("全国"));
        ins.t(u("令和6年4月")).t(u("月額（千円）。年齢は本システムの想定"));
    }
}

// The employees of one fiscal year. Each employee's evaluation, raise and promotion are
// decided here; `staff` then holds the state the next year starts from.
void writeEmployees(QString &out, Rng &rng, const CompanyOptions &o, int year, int marume,
                    const QList<Band> &bands, QList<Employee> &staff) {
    const int kdate = ymd(year, 4, 1);
    Insert s1(out, "MSYAIN1",
              "KCO, HSCO, SCO, NENDO, SCOT, SNA, SEIHI, NYUHI, YAKU, SKCO, TCO, NENREI, KINZOKU, "
              "NENSU, SIKAKUGO, JISEKI, TRITSU, NENKYU, SYOKUKYU, KIHONKYU, SYOTEIKYU, SRITSU, "
              "SYOUYO, NENSYU, MCO, MNA, MLINK, BANDID, YHYOUKA, MZONE, NEWBANDID, NEWYHYOUKA, "
              "NEWMZONE, NEWDAY1");
    QString out2;
    out2.reserve(staff.size() * 420);
    Insert s2(out2, "MSYAIN2",
              "KCO, SCO, NENDO, SEIBETSU, TOUKYU, GOUHOU, SM1, SM2, GAKU, SENKOU, KSIKAKU, "
              "KEIKEN, THI, ZONEX, TENSU, HCO, UPK, UPT, KKYU1, KKYU2, KKYU3, TEATE1, TEATE2, "
              "TEATE3, TEATE4, TEATE5, NKKYU1, NKKYU2, NKKYU3, NTEATE1, NTEATE2, NTEATE3, "
              "NTEATE4, NTEATE5, NSRITSU, SYOUYO2, NNENSYU, NTOUKYU, SGOUHOU, NGOUHOU, FSKCHK, "
              "HCO1, HNA1, HCO2, HNA2, HCO3, HNA3, SYOTEI, NSYOTEI, SPATH");
    const auto symbol = [](int code) { return code ? evalSymbols()[code - 1] : QString(); };

    for (Employee &e : staff) {
        const int age = yearsSince(e.birth, kdate);
        const int service = yearsSince(e.entry, kdate);

        // Grade and step after the raise: steps by evaluation, sometimes a promotion.
        const int sgou = kEvalSteps[e.hco - 1];
        int ngrade = e.grade, nstep = std::min(kSteps, e.step + sgou), promoted = 0;
        if (e.cat == Regular && e.grade < 9 && e.step >= 10 && e.hco <= 2 && rng.chance(0.35)) {
            promoted = 1;
            ngrade = e.grade + 1;
            const int now = tableAmount(e.grade, e.step);
            nstep = 1;
            while (nstep < kSteps && tableAmount(ngrade, nstep) <= now)
                ++nstep;
        }

        int nkkyu[3] = {tableAmount(ngrade, nstep), e.kkyu[1], e.kkyu[2]};
        Raise raise;
        if (e.mlink) {
            raise = matrixRaise(bands[e.band - 1], e.yhyouka, e.kkyu[1], marume);
            nkkyu[1] = raise.newPay;
        }
        const int kSum = e.kkyu[0] + e.kkyu[1] + e.kkyu[2];
        const int nSum = nkkyu[0] + nkkyu[1] + nkkyu[2];
        int tSum = 0;
        for (int t : e.teate)
            tSum += t;
        int bonus1 = 0, bonus2 = 0;
        if (e.cat == PartTime) {
            bonus1 = bonus2 = 30000;
        } else if (e.cat != Executive) {
            bonus1 = roundThousand(kSum * kBonusMonths[e.hco - 1]);
            bonus2 = roundThousand(kSum * (kBonusMonths[e.hco - 1] + 0.2));
        }
        const qint64 income = bonus1 + qint64(kSum + tSum) * 12 + bonus2;
        const qint64 newIncome = bonus1 + qint64(nSum + tSum) * 12 + bonus2;
        const double tritsu = rng.range(700, 1300) / 10.0;
        const double sritsu = std::floor(std::min(1.0, service / 35.0) * 1000 + 0.5) / 1000;

        s1.row().i(o.kco).i(0).i(e.sco).i(year).t(e.scot).t(e.sna).i(e.birth).i(e.entry);
        s1.t(e.yaku).i(0).i(e.grade).i(age).i(service).i(std::min(99, service + e.priorYears));
        s1.i(0)
            .i(kWageTableItem)
            .r(tritsu)
            .i(0)
            .i(0)
            .i(0)
            .i(0)
            .r(sritsu)
            .i(bonus1)
            .i(income)
            .i(markOf(e));
        s1.t(QString()).i(e.mlink).i(e.band).i(e.yhyouka).i(raise.zone).i(e.band).i(e.yhyouka);
        s1.i(raise.newZone).t(e.newday);

        s2.row().i(o.kco).i(e.sco).i(year).i(e.sex).i(e.grade).i(e.step).i(sm1Of(e.cat));
        s2.t(sm2Of(e.cat)).t(e.gaku).t(e.senkou).t(e.ksikaku).t(e.keiken).i(e.thi).i(raise.zone);
        s2.i(e.grade * 100 + rng.range(0, 99)).i(e.hco).i(nSum - kSum).i(0);
        for (int k : e.kkyu)
            s2.i(k);
        for (int t : e.teate)
            s2.i(t);
        for (int k : nkkyu)
            s2.i(k);
        for (int t : e.teate)
            s2.i(t);
        s2.i(0).i(bonus2).i(newIncome).i(ngrade).i(sgou).i(nstep).i(promoted);
        for (int h : e.hist)
            s2.i(h).t(symbol(h));
        s2.i(kSum + tSum).i(nSum + tSum).t(QString());

        // Next year: the new pay becomes current, a new evaluation, promotions take effect.
        e.hist[2] = e.hist[1];
        e.hist[1] = e.hist[0];
        e.hist[0] = e.hco;
        e.hco = evaluation(rng);
        if (e.mlink) e.yhyouka = std::clamp(e.hco + (rng.chance(0.3) ? rng.range(-1, 1) : 0), 1, 5);
        if (promoted) {
            e.thi = ymd(year + 1, 4, 1);
            if (e.cat == Regular) {
                e.yaku = positionOfGrade()[ngrade];
                e.teate[2] = kPositionAllowance[ngrade];
            }
        }
        e.grade = ngrade;
        e.step = nstep;
        for (int k = 0; k < 3; ++k)
            e.kkyu[k] = nkkyu[k];
    }
    s1.finish();
    s2.finish();
    out += out2;
}

} // namespace

CompanyOptions SampleCompanyOptions() {
    return {1, QString::fromUtf8("株式会社ロメルタ"), {2017, 2018}, 100, 20170401};
}

QString CompanyIndexSql(const CompanyOptions &options) {
    QString out;
    Insert ins(out, "MKIGYOU1", "KCO, NENDO, KNA, PATH, SDATE, FNK, KDATE, REKI");
    // Ages as of 1 April of the fiscal year; years shown in the Japanese era calendar.
    for (int year : options.years) {
        ins.row().i(options.kco).i(year).t(options.name).t(QString()).i(ymd(year, 4, 1)).i(0);
        ins.i(ymd(year, 4, 1)).i(1);
    }
    ins.finish();
    return out;
}

QString ControlContentSql(const QList<CompanyOptions> &companies) {
    QString out;
    out += QLatin1String("-- Generated by gen_content; do not edit by hand.\n");
    {
        Insert ins(out, "MSEIGYO",
                   "CO, REKI1, REKI2, REKI3, SNEN1, SNEN2, SNEN3, STSUKI1, STSUKI2, STSUKI3, "
                   "SHI1, SHI2, SHI3, FREKI");
        ins.row().i(0).t(u("昭和")).t(u("平成")).t(u("令和")).i(1926).i(1989).i(2019);
        ins.i(12).i(1).i(5).i(25).i(8).i(1).i(2);
    }
    writeMarks(out, "MMMARK", 0, 9999);
    writeLines(out, "MMGRAPH", 0, 9999);
    {
        Insert ins(out, "Before", "ID, Name, Memo");
        int id = 0;
        for (const GuidePage &p : kGuide)
            ins.row().i(++id).t(u(p.name)).t(u(p.memo));
    }
    writeModel(out);
    for (const CompanyOptions &c : companies)
        out += CompanyIndexSql(c);
    return out;
}

QString ControlContentSql() {
    return ControlContentSql({SampleCompanyOptions()});
}

QString CompanySql(const CompanyOptions &options) {
    QString out;
    out.reserve(4096 + static_cast<qsizetype>(options.employees) * options.years.size() * 1100);
    out += QLatin1String("-- Generated by gen_content; do not edit by hand.\n");
    Rng rng(options.seed ^ (static_cast<quint64>(options.kco) << 32));
    const int marume = options.kco % 3; // the sample company rounds to hundreds of yen
    QList<Band> bands;
    for (const BandDef &d : kBandDefs)
        bands << makeBand(d, kMatrices[d.matrix - 1].zones, marume);

    QList<Employee> staff;
    for (int y = 0; y < options.years.size(); ++y) {
        const int year = options.years[y];
        out += QStringLiteral("-- company %1, fiscal year %2\n").arg(options.kco).arg(year);
        if (y == 0 || options.years[y - 1] != year - 1) {
            staff.clear();
            staff.reserve(options.employees);
            for (int i = 0; i < options.employees; ++i)
                staff << newEmployee(rng, i, year, marume, bands);
        }
        if (y == 0) writeLivingCosts(out, options, year);
        writeSettings(out, options, year, marume, bands);
        writeEmployees(out, rng, options, year, marume, bands, staff);
    }
    return out;
}

QString SampleCompanySql() {
    return CompanySql(SampleCompanyOptions());
}

bool WriteCompanyDatabase(const QString &dataDbPath, const CompanyOptions &options) {
    QFile::remove(dataDbPath);
    return dbsetup::CreateDatabaseFile(dataDbPath, schema::Db::Data, CompanySql(options)).isEmpty();
}

bool WriteControlDatabase(const QString &controlDbPath, const QList<CompanyOptions> &companies) {
    QFile::remove(controlDbPath);
    return dbsetup::CreateDatabaseFile(controlDbPath, schema::Db::Control,
                                       ControlContentSql(companies))
        .isEmpty();
}

} // namespace generator
