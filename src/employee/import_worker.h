#pragma once
// TfrmImportWorker: brings employees into the open project from a CSV file. The file is
// checked into a preview grid first; only a file without errors can replace the project's
// employees or be added to them.

#include "employee_csv.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTableView;
class ImportPreviewModel;

inline const QString kMsgImportNoFileName = QStringLiteral("ファイル名を入力して下さい。");
inline const QString kMsgImportNoFile = QStringLiteral("指定されたファイルは存在しません。");
inline const QString kMsgImportNoData = QStringLiteral("　にはデータが有りません。");
inline const QString kMsgImportNoHeading = QStringLiteral("有効な項目名がありません。");
inline const QString kMsgImportHasErrors = QStringLiteral("エラーが存在するので取込できません。");
inline const QString kMsgImportDbError = QStringLiteral("データベースにエラーがありました。");
inline const QString kAskImportReplace =
    QStringLiteral("すでに登録済みの社員マスタは削除して取込ます。\r\n実行してもよろしいですか？");
inline const QString kAskImportAdd =
    QStringLiteral("既存の社員マスタに追加して取込ます。\r\n実行してもよろしいですか？");

class TfrmImportWorker : public QDialog {
    Q_OBJECT
public:
    explicit TfrmImportWorker(QWidget *parent = nullptr);
    ~TfrmImportWorker() override;

public slots:
    void BTN_SelectFileClick();
    // Reads and checks the file into the grid; true when it can be imported.
    bool BTN_CheckClick();
    void BTN_RepClick();
    void BTN_AddClick();
    void BTN_CloseClick();

private:
    // Stores the checked rows in one transaction; on any failure nothing is kept.
    bool importRows(bool replace);

    QLineEdit *m_fileName = nullptr;
    QPushButton *m_btnSelect = nullptr;
    QPushButton *m_btnCheck = nullptr;
    QPushButton *m_btnRep = nullptr;
    QPushButton *m_btnAdd = nullptr;
    QPushButton *m_btnClose = nullptr;
    QTableView *m_grid = nullptr;
    ImportPreviewModel *m_model = nullptr;
    ImportCheck m_check;
};
