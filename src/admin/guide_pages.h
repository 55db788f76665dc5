#pragma once
// The pages of the usage guide, kept as rows of the control database (table Before).

#include <QString>
#include <vector>

struct GuidePage {
    QString title;
    QString text;
};

// Every page in ID order. A failing statement (no Before table) shows its SQL message and gives
// no page.
std::vector<GuidePage> LoadGuidePages();
