#include "evaluation_conversion.h"

#include "list_store.h"

#include <climits>

TNX3020::TNX3020(QWidget *parent)
    : TListScreen(
          parent, "TNX3020", QStringLiteral("評価の変換"), EvaluationList(),
          {{.heading = QStringLiteral("評価ｺｰﾄﾞ"), .width = 70, .right = true, .integer = true},
           {.heading = QStringLiteral("評価記号"), .width = 70, .japanese = true},
           {.heading = QStringLiteral("昇号数"),
            .width = 70,
            .right = true,
            .integer = true,
            .newValue = QStringLiteral("1"),
            .emptyValue = QStringLiteral("0")}},
          {.codeNotInteger = QStringLiteral("評価コードは整数で入力して下さい。"),
           .nameMissing = QStringLiteral("評価記号を入力して下さい。"),
           .duplicateCode = QStringLiteral("評価コードが重複しています。"),
           .duplicateName = QStringLiteral("評価記号が重複しています。"),
           .countColumn = 3,
           .countLow = INT_MIN,
           .countHigh = INT_MAX,
           .countRefused = QStringLiteral("昇号数は整数で入力して下さい。")}) {}
