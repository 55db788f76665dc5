#include "employee_register.h"

#include "band_loaders.h"
#include "combo_utils.h"
#include "date_boxes.h"
#include "employee_grid.h"
#include "employee_store.h"
#include "form_helpers.h"
#include "loaders.h"
#include "matrix_side.h"
#include "message_seam.h"
#include "picture_loader.h"
#include "screen_kit.h"
#include "state.h"
#include "utilities.h"
#include "wage_page.h"
#include "work_type_store.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStringListModel>
#include <QTabWidget>
#include <QVBoxLayout>

#include <climits>
#include <cmath>

namespace {

const QString kMsgNoCode = QStringLiteral("社員コードが入力されていません。");
const QString kMsgNoName = QStringLiteral("氏名は必ず入力してください。");
const QString kMsgExists =
    QStringLiteral("データは既に存在します。更新する場合は、修正ボタン　を押下して下さい。");
const QString kMsgBirthDate = QStringLiteral("生年月日の入力エラーです。");
const QString kMsgEntryDate = QStringLiteral("入社日の入力エラーです。");
const QString kMsgAppointDate = QStringLiteral("登用日の入力エラーです。");
const QString kMsgLinkClash = QStringLiteral("賃金表とマトリクスが同じ項目にリンクされています。");
const QString kMsgZeroCode = QStringLiteral("０　は、入力できません。");
const QString kMsgGradeRange = QStringLiteral("入力範囲外です。1 ～ 9 の値を入力して下さい。");
const QString kMsgNotInMaster = QStringLiteral("マスターにデータが存在しません。");
const QString kMsgUpdateUnknown = QStringLiteral("更新処理で不明なエラーが発生しました。");
const QString kMsgFilterLocked = QStringLiteral(
    "ﾃﾞｰﾀが変更されています。変更する場合は、登録・修正 ボタン　を、変更しない場合は、"
    "キャンセル ボタン　を押して下さい。");
const QString kMsgFolderChanged =
    QStringLiteral("フォルダが変更されました。表示されたフォルダ内で選択して下さい。");
const QString kCaptionDelete = QStringLiteral("削除確認");
const QString kPictureFolder = QStringLiteral("Picture");

} // namespace

// --- Construction ---------------------------------------------------------------------------

TNX0030::TNX0030(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TNX0030"));
    setWindowTitle(QStringLiteral("社員データ"));
    m_exits = new TFieldExits(this);
    m_changes = new TChangeTracker(this);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    m_tabs->addTab(buildBasicPage(), QStringLiteral("基本情報"));
    m_wage = new TWagePage(nullptr, m_exits, m_changes);
    connect(m_wage, &TWagePage::baseLeft, this, [this] {
        if (G().gMkigyou2.Frstkyum != 0) {
            computeZone();
            matrixRecompute();
        } else {
            m_wage->computeTotals();
        }
    });
    connect(m_wage, &TWagePage::linkChosen, this, &TNX0030::optMatrixClick);
    m_tabs->addTab(m_wage, QStringLiteral("賃金情報"));
    m_tabs->addTab(buildBandPage(), QStringLiteral("バンド情報"));
    QWidget *header = buildHeader();
    buildGrid();

    // On a small display the form scrolls and the splitter gives the rest to the list.
    auto *form = new QScrollArea(this);
    form->setWidget(m_tabs);
    form->setWidgetResizable(true);
    form->setFrameShape(QFrame::NoFrame);
    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(form);
    split->addWidget(m_grid);
    split->setChildrenCollapsible(false);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addWidget(split, 1);
    SizeToFit(this, QSize(1040, 860));
    InstallEnterMovesFocus(this);
}

TNX0030::~TNX0030() = default;

// --- Opening and clearing ---------------------------------------------------------------------

void TNX0030::prepare() {
    m_cmbWorker->clearEditText();
    m_txtNewBand->clear();
    m_txtNewYHYOUKA->clear();
    LoadBandTbl();
    FillBandLists({m_cmbBand}, {m_cmbYHyouka});
    LoadMatTbl();
    SetComboItems(m_cmbMibun, WorkTypeItems());
    LoadSalaryNames();
    m_companyMatrixLink = G().gMkigyou2.Frstkyum;
    initialise();
}

void TNX0030::initialise() {
    const ProjectState &g = G();
    m_tabs->setCurrentIndex(0);

    QStringList grades;
    for (int n = 1; n <= 9; ++n)
        grades << CodeNameText(QString::number(n), g.gMkigyou2.Tk[n]);
    SetComboItems(m_cmbSikaku, grades << kCodeNone);
    QStringList marks;
    for (int n = 1; n <= 6; ++n)
        marks << MarkText(n);
    SetComboItems(m_cmbMark, marks);

    QStringList eras;
    for (int i = 1; i <= 3; ++i)
        if (!g.gEraNames[i].isEmpty()) eras << g.gEraNames[i];
    if (eras.isEmpty()) eras << QStringLiteral("未設定");
    for (TDateBoxes *d : {m_nyu, m_sei, m_tou})
        d->setEras(eras, -1, g.gReki != 0);

    QStringList evaluations;
    for (const TCodeName &e : LoadHyoukaList())
        evaluations << CodeNameText(e.Code, e.Name);
    SetComboItems(m_cmbHyouka1, evaluations << kCodeNone);

    clearForm();
    StringGrid1Click(1);
    m_changes->clear();
}

void TNX0030::clearForm() {
    m_exits->forgetPending();
    m_workerTyped = false;
    for (QLineEdit *e : findChildren<QLineEdit *>()) {
        // The line edits inside the combo boxes are cleared with their boxes.
        if (!qobject_cast<QComboBox *>(e->parentWidget())) ShowStoredText(e, QString());
    }
    m_cmbWorker->clearEditText();
    for (QComboBox *c : {m_cmbSikaku, m_cmbHyouka1}) {
        c->setCurrentIndex(c->count() - 1);
        c->setEditText(kCodeNone);
    }
    m_cmbMark->setCurrentIndex(-1);
    m_cmbMark->setEditText(kCodeNone);
    for (QComboBox *c : {m_cmbMibun, m_cmbBand, m_cmbYHyouka})
        c->setCurrentIndex(-1);
    for (TDateBoxes *d : {m_nyu, m_sei, m_tou}) {
        d->era()->setCurrentIndex(-1);
        d->era()->setVisible(G().gReki != 0);
    }
    m_optSex1->setChecked(true);
    showPicture(QString());
    m_wage->applyCaptions(0);
    setMatrixLink(m_companyMatrixLink);
    m_wage->lockWageItem(G().gMkigyou2.Frstkyu);
    m_gradeFilter = 0;
    m_grades->setGrade(0);
    fillGrid();
}

// --- The grid ---------------------------------------------------------------------------------

int TNX0030::listedCount() const {
    return m_grid->rowCount();
}

bool TNX0030::rowHighlight() const {
    return m_grid->highlight();
}

void TNX0030::fillGrid() {
    const std::vector<EmployeeListRow> employees = ListEmployees(m_gradeFilter);
    std::vector<EmployeeGridModel::Row> rows;
    rows.reserve(employees.size());
    QStringList items;
    items.reserve(static_cast<qsizetype>(employees.size()));
    int n = 0;
    for (const EmployeeListRow &e : employees) {
        const bool numbered = !e.scot.isEmpty();
        const QString code = QString::number(e.sco);
        rows.push_back(
            {e.sco,
             {QString::number(++n), code, e.scot, e.sna,
              QString::number(numbered ? YearsSince(e.seihi) : 0),
              QString::number(numbered && e.nyuhi != 0 ? YearsSince(e.nyuhi) : 0), e.yaku,
              e.hco == 0 ? QString() : NamePart(HyoukaText(e.hco)), e.toukyu, e.gouhou, e.zonex}});
        items << code + kCodeNameSeparator + e.sna;
    }
    m_minCode = rows.empty() ? 0 : rows.front().sco;
    m_maxCode = rows.empty() ? 0 : rows.back().sco;
    m_txtLastNo->setText(QString::number(rows.size()));

    const QString typed = m_cmbWorker->currentText();
    m_grid->setRows(std::move(rows));
    m_workerItems->setStringList(items);
    m_cmbWorker->setCurrentIndex(-1);
    m_cmbWorker->setEditText(typed);
}

void TNX0030::StringGrid1Click(int row) {
    if (row < 1 || row > m_grid->rowCount()) return;
    chooseCode(m_grid->codeAt(row), row);
}

void TNX0030::chooseCode(int code, int row) {
    G().gCurSco = code;
    if (row > 0) {
        m_gridRow = row;
        m_grid->setCurrentRowQuietly(row);
        m_grid->setHighlight(true);
        m_txtCureentNo->setText(QString::number(row));
    } else {
        m_grid->setHighlight(false);
        m_txtCureentNo->clear();
    }
    loadEmployee();
    m_changes->clear();
}

// --- Loading an employee ----------------------------------------------------------------------

void TNX0030::showPicture(const QString &name) {
    m_pictureName = name;
    QString file = name;
    file.replace(QLatin1Char('\\'), QLatin1Char('/')); // names stored by Windows installations
    m_picture = name.isEmpty()
                    ? QImage()
                    : LoadPicture(G().gAppPath + kPictureFolder + QLatin1Char('/') + file);
    if (m_picture.isNull()) {
        m_imgPicture->clear();
        return;
    }
    m_imgPicture->setPixmap(QPixmap::fromImage(m_picture.scaled(
        m_imgPicture->size() - QSize(2, 2), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TNX0030::loadEmployee() {
    m_exits->forgetPending();
    m_workerTyped = false;
    TEmployee e;
    if (!ReadEmployee(G().gCurSco, e)) {
        m_btnMnt->setEnabled(false);
        m_btnDlt->setEnabled(false);
        m_btnAdd->setEnabled(true);
        return;
    }
    m_btnAdd->setEnabled(false);
    m_btnMnt->setEnabled(true);
    m_btnDlt->setEnabled(true);
    showEmployee(e);
    m_wage->applyCaptions(e.workType);
    setMatrixLink(e.link);
    computeZone();
    matrixRecompute();
}

void TNX0030::showEmployee(const TEmployee &e) {
    const ProjectState &g = G();
    m_cmbWorker->setEditText(QString::number(e.sco));
    ShowStoredText(m_txtWorker, e.sna);
    ShowStoredText(m_txtWorkerNo, e.scot);
    ShowStoredText(m_txtWorkName, e.sna);
    (e.sex == 1 ? m_optSex2 : m_optSex1)->setChecked(true);
    ShowStoredText(m_txtYakusyoku, e.yaku);
    m_nyu->showYmd(e.nyuhi);
    m_sei->showYmd(e.seihi);
    m_tou->showYmd(e.thi);
    m_cmbMibun->setCurrentIndex(e.workType >= 1 && e.workType <= 4
                                    ? m_cmbMibun->findText(g.gSalaryTbl[e.workType].CodeName)
                                    : -1);
    ShowStoredText(m_txtGakureki, e.gaku);
    ShowStoredText(m_txtSenkou, e.senkou);
    ShowStoredText(m_txtKSikaku, e.ksikaku);
    ShowStoredText(m_txtHaizoku, e.keiken);
    m_cmbSikaku->setCurrentIndex(e.grade >= 1 && e.grade <= 9 ? e.grade - 1 : -1);
    m_cmbSikaku->setEditText(SikakuText(e.grade));
    m_txtGouhou->setText(QString::number(e.step));
    m_txtTasseiRitsu->setText(ShortestNumText(e.tritsu));
    const QString hyouka = HyoukaText(e.hco);
    m_cmbHyouka1->setCurrentIndex(m_cmbHyouka1->findText(hyouka));
    m_cmbHyouka1->setEditText(hyouka);
    for (int i = 2; i <= 4; ++i)
        ShowStoredText(m_txtHyouka[i], e.hna[i - 1]);
    m_txtKeikenNen->setText(QString::number(e.experience));
    m_txtSyokumuTensu->setText(QString::number(e.points));
    m_cmbMark->setCurrentIndex(e.mark >= 1 && e.mark <= 6 ? e.mark - 1 : -1);
    m_cmbMark->setEditText(MarkText(e.mark));
    showPicture(e.spath);

    m_wage->showAmounts(e, g.gMkigyou2.Frstkyu);

    m_cmbBand->setCurrentIndex(SelectComboCode(m_cmbBand, QString::number(e.band)));
    m_cmbYHyouka->setCurrentIndex(SelectComboCode(m_cmbYHyouka, QString::number(e.yhyouka)));
    m_txtNewBand->setText(e.newBand ? QString::number(e.newBand) : QString());
    m_txtNewYHYOUKA->setText(e.newYhyouka ? QString::number(e.newYhyouka) : QString());
    // The stored zone stays when no matrix link recomputes it, so saving does not lose it.
    m_txtZone->setText(QString::number(e.zone));
    m_txtUPRitsu->clear();
}

// --- Computations -----------------------------------------------------------------------------

void TNX0030::setMatrixLink(int link) {
    G().gMkigyou2.Frstkyum = link;
    m_wage->setMatrixLink(link);
}

void TNX0030::computeZone() {
    const int link = G().gMkigyou2.Frstkyum;
    if (link < 1 || link > 3) return;
    ShowMatrixRaise(ComboCode(m_cmbBand), ComboCode(m_cmbYHyouka),
                    ToInt(BoxAmount(m_wage->before(link))), m_txtZone, m_txtUPRitsu,
                    ZoneShown::Current);
}

void TNX0030::matrixRecompute() {
    // The wage-table item always stays read-only: its amount comes from the wage table.
    m_wage->lockWageItem(G().gMkigyou2.Frstkyu);
    const int link = G().gMkigyou2.Frstkyum;
    if (link >= 1 && link <= 3) {
        const MatrixRaise r = ShowMatrixRaise(
            m_txtNewBand->text().toInt(), m_txtNewYHYOUKA->text().toInt(),
            ToInt(BoxAmount(m_wage->before(link))), nullptr, nullptr, ZoneShown::New);
        m_wage->after(link)->setText(FormatAmount(r.newPay));
        m_wage->after(link)->setReadOnly(true);
    }
    m_wage->computeTotals();
}

void TNX0030::optMatrixClick(int link) {
    m_changes->mark();
    setMatrixLink(link);
    computeZone();
    matrixRecompute();
}

void TNX0030::cmbMibunChange() {
    m_wage->applyCaptions(ComboCode(m_cmbMibun));
    m_changes->mark();
}

// --- Field checks -----------------------------------------------------------------------------

QString TNX0030::numberMessage(const NumField &field) const {
    // An empty box is allowed everywhere and counts as 0.
    const QString text = field.edit->text().trimmed();
    if (text.isEmpty()) return {};
    if (field.kind == NumKind::Real) return CheckNumText(text, 15);
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok) return kMsgNotNumber;
    if (v < field.low || v > field.high) return kMsgOutOfRange;
    return {};
}

bool TNX0030::numberExit(const NumField &field) {
    const QString message = numberMessage(field);
    return message.isEmpty() || RefuseField(field.edit, message);
}

bool TNX0030::txtGouhouExit() {
    if (!numberExit({m_txtGouhou, NumKind::Integer, 0, 80})) return false;
    matrixRecompute();
    return true;
}

// A code box holding "code : name" items and "0 : なし": the typed code is rewritten as its
// item; code 0 (and an empty box) stands for none, as saving takes it; a code without an item
// is refused with `notListed`.
bool TNX0030::codeComboExit(QComboBox *combo, const QString &notListed,
                            const std::function<QString(int)> &text) {
    if (combo->currentText().trimmed().isEmpty()) return true;
    int code = 0;
    if (!ParseItemCode(combo->currentText(), code)) return RefuseField(combo, kMsgNotNumber);
    const QString item = code == 0 ? kCodeNone : text(code);
    if (item.isEmpty()) return RefuseField(combo, notListed);
    combo->setCurrentIndex(combo->findText(item));
    combo->setEditText(item);
    return true;
}

bool TNX0030::cmbSikakuExit() {
    if (!codeComboExit(m_cmbSikaku, kMsgGradeRange, [](int n) { return SikakuText(n); }))
        return false;
    matrixRecompute();
    return true;
}

bool TNX0030::cmbMarkExit() {
    return codeComboExit(m_cmbMark, kMsgNotInMaster, [](int n) { return MarkText(n); });
}

bool TNX0030::cmbHyouka1Exit() {
    return codeComboExit(m_cmbHyouka1, kMsgNotInMaster, [](int n) { return HyoukaText(n); });
}

bool TNX0030::cmbWorkerExit() {
    if (!m_workerTyped) return true;
    const QString text = m_cmbWorker->currentText().trimmed();
    if (text.isEmpty()) {
        m_workerTyped = false;
        return true;
    }
    int code = 0;
    if (!ParseItemCode(text, code)) return RefuseField(m_cmbWorker, kMsgNotNumber);
    if (code == 0) return RefuseField(m_cmbWorker, kMsgZeroCode);
    m_workerTyped = false;
    const int row = m_grid->rows()->rowOfCode(code);
    m_cmbWorker->setEditText(QString::number(code));
    m_txtWorker->setText(row > 0                             ? m_grid->cellAt(row, 3)
                         : text.contains(kCodeNameSeparator) ? NamePart(text)
                                                             : QString());
    chooseCode(code, row);
    return true;
}

int TNX0030::typedCode() const {
    int code = 0;
    return ParseItemCode(m_cmbWorker->currentText(), code) ? code : 0;
}

// --- Saving -----------------------------------------------------------------------------------

bool TNX0030::readDates(TEmployee &e) {
    const struct {
        TDateBoxes *boxes;
        int &target;
        const QString &message;
    } dates[] = {{m_sei, e.seihi, kMsgBirthDate},
                 {m_nyu, e.nyuhi, kMsgEntryDate},
                 {m_tou, e.thi, kMsgAppointDate}};
    for (const auto &date : dates) {
        if (!date.boxes->readYmd(date.target)) {
            ShowMessage(date.message);
            return false;
        }
    }
    return true;
}

bool TNX0030::linkClashes() {
    const int link = m_wage->matrixLink();
    const int wageItem = G().gMkigyou2.Frstkyu;
    if (wageItem == 0 || link != wageItem) return false;
    ShowMessage(kMsgLinkClash);
    return true;
}

bool TNX0030::readForm(TEmployee &e) {
    // Every number is checked here as well: a box may never have been left.
    for (const NumField &f : m_numFields)
        if (!numberExit(f)) return false;
    if (!m_wage->checkAll()) return false;

    // The code boxes: "0 : なし" (or an empty box) is stored as 0.
    const auto comboCode = [](QComboBox *combo, int &value, auto known) {
        const QString text = combo->currentText().trimmed();
        value = 0;
        if (text.isEmpty()) return true;
        if (!ParseItemCode(text, value)) return RefuseField(combo, kMsgNotNumber);
        return value == 0 || known(value) || RefuseField(combo, kMsgNotInMaster);
    };
    if (!comboCode(m_cmbSikaku, e.grade, [](int n) { return n >= 1 && n <= 9; })) return false;
    if (!comboCode(m_cmbMark, e.mark, [](int n) { return !MarkText(n).isEmpty(); })) return false;
    if (!comboCode(m_cmbHyouka1, e.hco, [](int n) { return !HyoukaText(n).isEmpty(); }))
        return false;

    e.sco = G().gCurSco;
    e.scot = m_txtWorkerNo->text();
    e.sna = m_txtWorkName->text();
    e.yaku = m_txtYakusyoku->text();
    e.gaku = m_txtGakureki->text();
    e.senkou = m_txtSenkou->text();
    e.ksikaku = m_txtKSikaku->text();
    e.keiken = m_txtHaizoku->text();
    e.spath = m_pictureName;
    for (int i = 1; i <= 3; ++i)
        e.hna[i] = m_txtHyouka[i + 1]->text();
    e.sex = m_optSex2->isChecked() ? 1 : 0;
    e.step = m_txtGouhou->text().trimmed().toInt();
    e.workType = ComboCode(m_cmbMibun);
    e.zone = m_txtZone->text().trimmed().toInt();
    e.points = m_txtSyokumuTensu->text().trimmed().toInt();
    e.experience = m_txtKeikenNen->text().trimmed().toInt();
    e.band = ComboCode(m_cmbBand);
    e.yhyouka = ComboCode(m_cmbYHyouka);
    e.link = m_wage->matrixLink();
    e.wageLink = G().gMkigyou2.Frstkyu;
    e.tritsu = BoxNumber(m_txtTasseiRitsu);
    m_wage->readAmounts(e);
    return true;
}

// The code box's pending check passed and it holds a code (the refusal is shown otherwise).
bool TNX0030::codeGiven() {
    if (!cmbWorkerExit()) return false;
    if (!m_cmbWorker->currentText().trimmed().isEmpty()) return true;
    ShowMessage(kMsgNoCode);
    return false;
}

// The checks both saves share, in their order: the dates, the link, every field.
bool TNX0030::canSave(TEmployee &e) {
    return readDates(e) && !linkClashes() && readForm(e);
}

void TNX0030::btnAddClick() {
    if (!codeGiven()) return;
    if (!m_changes->changed()) {
        ShowMessage(kMsgNoChange);
        return;
    }
    if (m_txtWorkName->text().trimmed().isEmpty()) {
        ShowMessage(kMsgNoName);
        return;
    }
    if (!G().gProjectKey.isSet) return;
    if (EmployeeExists(G().gCurSco)) {
        ShowMessage(kMsgExists);
        return;
    }
    TEmployee e;
    // A failed insert has shown its message; both tables stay as they were.
    if (!canSave(e) || !InsertEmployee(e)) return;

    fillGrid();
    chooseCode(e.sco, m_grid->rows()->rowOfCode(e.sco));
    m_btnMnt->setEnabled(true);
    m_btnDlt->setEnabled(true);
    m_txtCureentNo->clear();
    m_cmbWorker->setFocus();
    m_changes->clear();
}

void TNX0030::btnMntClick() {
    if (!codeGiven()) return;
    TEmployee e;
    if (!canSave(e)) return;
    G().gMkigyou2.Frstkyum = e.link;
    if (!G().gProjectKey.isSet) return;
    // An update that finds no employee must not look like a success.
    if (!EmployeeExists(e.sco)) {
        ShowMessage(kMsgUpdateUnknown);
        return;
    }
    if (!UpdateEmployee(e)) return;

    const QModelIndex current = m_grid->currentIndex();
    fillGrid();
    if (current.isValid()) m_grid->setCurrentRowQuietly(current.row() + 1, current.column());
    m_changes->clear();
}

void TNX0030::btnDltClick() {
    if (!codeGiven()) return;
    if (!AskDeleteData(kCaptionDelete)) return;
    if (!DeleteEmployee(G().gCurSco)) return;
    clearForm();
    m_changes->clear();
}

void TNX0030::btnCanselClick() {
    m_btnAdd->setEnabled(true);
    m_btnMnt->setEnabled(true);
    m_btnDlt->setEnabled(true);
    clearForm();
    m_grid->setCurrentRowQuietly(1, 0);
    m_changes->clear();
}

// --- Navigation and the grade filter ----------------------------------------------------------

bool TNX0030::confirmStay(const QString &target) {
    if (!m_changes->changed() || !AskStayOnChangedData(target)) return false;
    m_tabs->setCurrentIndex(0);
    m_txtWorkerNo->setFocus();
    return true;
}

void TNX0030::navigate(int row) {
    if (row < 1 || row > m_grid->rowCount()) return;
    StringGrid1Click(row);
}

void TNX0030::btnFirstClick() {
    if (confirmStay(QStringLiteral("最初のデータ　へ。"))) return;
    navigate(m_grid->rows()->rowOfCode(m_minCode));
}

void TNX0030::btnBackClick() {
    if (confirmStay(QStringLiteral("前のデータ　へ。"))) return;
    if (m_cmbWorker->currentText().trimmed().isEmpty()) {
        navigate(m_grid->rows()->rowOfCode(m_minCode));
        return;
    }
    if (typedCode() == m_minCode) return;
    navigate(m_gridRow - 1);
}

void TNX0030::btnNextClick() {
    if (confirmStay(QStringLiteral("次のデータ　へ。"))) return;
    if (m_cmbWorker->currentText().trimmed().isEmpty()) {
        navigate(m_grid->rows()->rowOfCode(m_maxCode));
        return;
    }
    if (typedCode() == m_maxCode) return;
    navigate(m_gridRow + 1);
}

void TNX0030::btnLastClick() {
    if (confirmStay(QStringLiteral("最後のデータ　へ。"))) return;
    navigate(m_grid->rows()->rowOfCode(m_maxCode));
}

void TNX0030::OptTokyuClick(int grade) {
    if (m_changes->changed()) {
        ShowMessage(kMsgFilterLocked);
        m_grades->setGrade(m_gradeFilter);
        m_tabs->setCurrentIndex(0);
        return;
    }
    m_gradeFilter = grade;
    m_grades->setGrade(grade);
    fillGrid();
    StringGrid1Click(1);
}

// --- Picture and closing ----------------------------------------------------------------------

void TNX0030::btnPicterClick() {
    const QString folder = G().gAppPath + kPictureFolder;
    const QString path = Seam().openFile(QStringLiteral("画像ファイルの選択"), folder,
                                         QStringLiteral("JPEGファイル(*.jpg);;BMPファイル(*.bmp)"));
    if (path.isEmpty()) return;
    const auto real = [](const QString &p) {
        const QFileInfo info(p);
        const QString canonical = info.canonicalFilePath();
        return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
    };
    const QString relative = QDir(real(folder)).relativeFilePath(real(path));
    if (relative.isEmpty() || relative.startsWith(QLatin1String("..")) ||
        QDir::isAbsolutePath(relative)) {
        ShowMessage(kMsgFolderChanged, QString(), MsgIcon::Warning);
        return;
    }
    showPicture(relative);
    m_changes->mark();
}

void TNX0030::btnCloseClick() {
    if (m_changes->changed() && AskStayOnChangedData()) return;
    m_exits->forgetPending();
    m_changes->clear();
    QDialog::reject();
}

void TNX0030::reject() {
    btnCloseClick();
}
