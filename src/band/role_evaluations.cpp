#include "role_evaluations.h"

#include "band_loaders.h"
#include "list_store.h"

namespace {
constexpr int kMaxEvaluations = 7;
} // namespace

TfrmYHyouka::TfrmYHyouka(QWidget *parent)
    : TListScreen(
          parent, "frmYHyouka", QStringLiteral("役割評価"), RoleEvaluationList(),
          {{.heading = QStringLiteral("評価ｺｰﾄﾞ"), .width = 70, .right = true, .integer = true},
           {.heading = QStringLiteral("評価記号"), .width = 70}},
          {.codeNotInteger = QStringLiteral("評価コードは整数で入力して下さい。"),
           .nameMissing = QStringLiteral("評価記号を入力して下さい。"),
           .duplicateCode = QStringLiteral("評価コードが重複しています。"),
           .duplicateName = QStringLiteral("評価記号が重複しています。")},
          kMaxEvaluations) {}

void TfrmYHyouka::done(int result) {
    LoadYHyoukaTbl();
    TListScreen::done(result);
}
