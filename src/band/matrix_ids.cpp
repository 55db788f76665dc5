#include "matrix_ids.h"

#include "list_store.h"

TfrmMatrixid::TfrmMatrixid(QWidget *parent)
    : TListScreen(
          parent, "frmMatrixid", QStringLiteral("マトリクス（グループ）ID"), MatrixIdList(),
          {{.heading = QStringLiteral("ID"), .width = 30, .right = true, .integer = true},
           {.heading = QStringLiteral("名称"), .width = 150, .japanese = true},
           {.heading = QStringLiteral("定義"), .width = 250, .japanese = true},
           {.heading = QStringLiteral("ゾーン数"), .width = 50, .right = true, .integer = true}},
          {.codeNotInteger = QStringLiteral("マトリクスIDは整数で入力して下さい。"),
           .nameMissing = QStringLiteral("マトリクスIDを入力して下さい。"),
           .duplicateCode = QStringLiteral("マトリクスIDが重複しています。"),
           .duplicateName = QStringLiteral("マトリクス名称が重複しています。"),
           .countColumn = 4,
           .countLow = 2,
           .countHigh = 5,
           .countRefused = QStringLiteral("ゾーン数は2～5で入力して下さい。")}) {}
