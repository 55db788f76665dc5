#include "loaders.h"

#include "message_seam.h"
#include "project.h"
#include "sql_builder.h"
#include "state.h"
#include "tdm.h"
#include "utilities.h"
#include "work_type_store.h"

#include <QGuiApplication>
#include <algorithm>
#include <limits>

QString ProjectKeySql(const TMKIGYOU2 &rec) {
    bool ok1 = false, ok2 = false;
    const qint64 kco = rec.Kco.trimmed().toLongLong(&ok1);
    const qint64 nendo = rec.Nendo.trimmed().toLongLong(&ok2);
    if (!ok1 || !ok2) return {};
    return QStringLiteral(" NENDO = %1 AND KCO = %2").arg(nendo).arg(kco);
}

bool LoadCompanySettings(TMKIGYOU2 &rec) {
    TMKIGYOU2 fresh;
    fresh.Kco = rec.Kco;
    fresh.Nendo = rec.Nendo;
    fresh.Kkna[4] = rec.Kkna[4];
    rec = fresh;

    const QString key = ProjectKeySql(rec);
    if (key.isEmpty()) return false;
    TQuery q(DM().ACN2);
    RunSql(q, QStringLiteral("SELECT * FROM MKIGYOU2 WHERE") + key, 'S');
    const bool found = !q.Eof();
    if (found) {
        rec.Kna = q.AsString(QStringLiteral("KNA"));
        rec.Taikei = q.AsString(QStringLiteral("TAIKEI"));
        const auto text = [&q](const QString &column) { return q.AsString(column); };
        ReadNumbered(rec.Kkna, QStringLiteral("KKNA"), 3, text);
        ReadNumbered(rec.Tna, QStringLiteral("TNA"), 5, text);
        ReadNumbered(rec.Tk, QStringLiteral("TK"), 9, text, 2);
        rec.Cyousahi = q.AsInteger(QStringLiteral("CYOUSAHI"));
        rec.Mcco = q.AsInteger(QStringLiteral("MCCO"));
        rec.Mdco = q.AsInteger(QStringLiteral("MDCO"));
        rec.Frstkyu = q.AsInteger(QStringLiteral("FRSTKYU"));
        rec.Skco = q.AsInteger(QStringLiteral("SKCO"));
        rec.Syoukyuhi = q.AsInteger(QStringLiteral("SYOUKYUHI"));
        rec.Frstkyum = q.AsInteger(QStringLiteral("FRSTKYUM"));
        rec.Bearitsu = q.AsFloat(QStringLiteral("BEARITSU"));
    }
    q.Close();
    return found;
}

bool LoadMarks(std::array<TMMARK, 7> &marks) {
    marks.fill(TMMARK{});
    TQuery q(DM().ACN2);
    if (!SelectOfProject(q, QStringLiteral("*"), QStringLiteral("MMARK"),
                         QStringLiteral(" ORDER BY MKCO")))
        return false;
    bool any = false;
    for (; !q.Eof(); q.Next()) {
        const int no = q.AsInteger(QStringLiteral("MKCO"));
        if (no < 1 || no > 6) continue;
        TMMARK &m = marks[no];
        m.Mkco = no;
        m.Mark = q.AsString(QStringLiteral("MARK"));
        m.Hanrei = q.AsString(QStringLiteral("HANREI"));
        m.Mkcolor = q.AsString(QStringLiteral("MKCOLOR"));
        m.Mksize = q.AsInteger(QStringLiteral("MKSIZE"));
        m.Kcolor = q.AsString(QStringLiteral("KCOLOR"));
        m.Ksyurui = q.AsInteger(QStringLiteral("KSYURUI"));
        m.Khaba = q.AsInteger(QStringLiteral("KHABA"));
        any = true;
    }
    q.Close();
    return any;
}

int WageByStep(const QString &grade, const QString &step) {
    bool ok = false;
    const qint64 stepNo = step.trimmed().toLongLong(&ok);
    if (!ok) return 0; // a step that is no number has no row
    TQuery q(DM().ACN2);
    if (!SelectOfProject(q, QStringLiteral("*"), QStringLiteral("DCHINGIN2"),
                         QStringLiteral(" AND GOUHOU = %1").arg(stepNo)))
        return 0;
    int amount = 0;
    const int g = grade.trimmed().toInt(&ok);
    if (!q.Eof() && ok && g >= 1 && g <= 9) {
        const double value = q.AsFloat(QStringLiteral("KIN%1").arg(g));
        if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) {
            if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
                QGuiApplication::restoreOverrideCursor();
            ShowMessage(kMsgWageOverflow, QString(), MsgIcon::Error);
        } else {
            amount = static_cast<int>(value);
        }
    }
    q.Close();
    return amount;
}

std::vector<TWageStep> LoadWageTable() {
    std::vector<TWageStep> table;
    TQuery q(DM().ACN2);
    SelectOfProject(q, QStringLiteral("*"), QStringLiteral("DCHINGIN2"),
                    QStringLiteral(" ORDER BY GOUHOU"));
    table.reserve(q.RecordCount());
    for (; !q.Eof(); q.Next()) {
        TWageStep step;
        step.step = q.AsInteger(QStringLiteral("GOUHOU"));
        ReadNumbered(step.kin, QStringLiteral("KIN"), 9,
                     [&q](const QString &column) { return q.AsFloat(column); });
        table.push_back(step);
    }
    return table;
}

double WageOfStep(const std::vector<TWageStep> &table, int grade, int step) {
    if (grade < 1 || grade > 9) return 0.0;
    // The table is in step order; the first row of a step counts.
    const auto it = std::lower_bound(table.begin(), table.end(), step,
                                     [](const TWageStep &s, int n) { return s.step < n; });
    return it != table.end() && it->step == step ? it->kin[grade] : 0.0;
}

int LoadGradeCount() {
    TQuery q(DM().ACN2);
    if (!SelectOfProject(q, QStringLiteral("TKSU"), QStringLiteral("MCHINGIN"),
                         QStringLiteral(" AND CGCO = 1")) ||
        q.Eof())
        return 9;
    return q.AsInteger(QStringLiteral("TKSU"));
}

std::vector<TCodeName> LoadHyoukaList() {
    ProjectState &g = G();
    std::vector<TCodeName> all;
    g.gHyoukaList.clear();
    TQuery q(DM().ACN2);
    SelectOfProject(q, QStringLiteral("*"), QStringLiteral("MHYOUKA"),
                    QStringLiteral(" ORDER BY rowid"));
    for (; !q.Eof(); q.Next()) {
        all.push_back(
            {FieldVarToStr(q.Value(QStringLiteral("HCO"))), q.AsString(QStringLiteral("HKIGOU"))});
        if (g.gHyoukaList.size() < 100) g.gHyoukaList.push_back(all.back());
    }
    g.gHyoukaCount = static_cast<int>(g.gHyoukaList.size());
    return all;
}

void LoadModelList() {
    ProjectState &g = G();
    g.gModelList.clear();
    TQuery q(DM().ACN1);
    RunSql(q, QStringLiteral("SELECT * FROM MDEL ORDER BY MDCO"), 'S');
    for (; !q.Eof(); q.Next())
        g.gModelList.push_back(
            {q.AsString(QStringLiteral("MDCO")), q.AsString(QStringLiteral("MDNA"))});
    g.gModelCount = static_cast<int>(g.gModelList.size());
}

void LoadLivingList() {
    ProjectState &g = G();
    g.gLivingList.clear();
    TQuery q(DM().ACN2);
    RunSql(q, QStringLiteral("SELECT * FROM MSEIKEI ORDER BY SKCO,SNIN,SNENREI"), 'S');
    bool first = true;
    int previous = 0;
    for (; !q.Eof(); q.Next()) {
        const int code = q.AsInteger(QStringLiteral("SKCO"));
        if (!first && code == previous) continue;
        first = false;
        previous = code;
        g.gLivingList.push_back({QString::number(code), q.AsString(QStringLiteral("DEDOKORO"))});
    }
    g.gLivingCount = static_cast<int>(g.gLivingList.size());
}

void LoadSalaryNames() {
    for (int id = 1; id <= 4; ++id) {
        TSALARYTBL &e = G().gSalaryTbl[id];
        const QString codeName = e.CodeName;
        if (ReadWorkType(id, e))
            e.CodeName = CodeNameText(QString::number(id), e.SalaryName);
        else
            e.CodeName = codeName;
    }
}

bool SetSalaryLabels(int workType, SalaryCaptions &captions) {
    captions = SalaryCaptions{};
    captions.Kihon[1] = QStringLiteral("基本給");
    captions.Teate[1] = QStringLiteral("手当");
    if (workType < 1 || workType > 4) return true;
    TSALARYTBL &e = G().gSalaryTbl[workType];
    if (e.Kihon[1].isEmpty()) e.Kihon[1] = QStringLiteral("基本給");
    if (e.Teate[1].isEmpty()) e.Teate[1] = QStringLiteral("手当");
    captions.Kihon = e.Kihon;
    captions.Teate = e.Teate;
    return true;
}
