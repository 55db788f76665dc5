#pragma once
// A report template: the page, the font of the drawn texts, the named fields the program fills
// (each with its rectangle, font and alignment) and the fixed captions and rules printed on
// every page. Templates are small text files in the program's Report folder:
//
//   # a comment
//   page A4 landscape                      paper (A3, A4, A5, B4, B5, Letter) and orientation
//   unit 0.01mm                            the only unit: every coordinate in 1/100 mm
//   font "Noto Sans CJK JP" 8              family and size in points of the drawn texts
//   field NAME 1000 3000 2500 3508 size 10 bold align 1
//   caption 1000 2642 2500 3000 "氏名" size 8 align 2
//   rule 1000 2492 28700 2492 width 20
//
// A field or caption may give its size in points (else the template's), "bold" and an
// alignment: 0 left, 1 right, 2 centred. A rule may give its width (0 is the thinnest line the
// device draws). A quoted text writes a double quote as two.

#include <QHash>
#include <QLine>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

// A font: family, size in tenths of a point, weight.
struct TReportFont {
    QString family;
    int size = 80;
    bool bold = false;
    bool operator==(const TReportFont &o) const {
        return size == o.size && bold == o.bold && family == o.family;
    }
};

struct TTemplateField {
    QRect rect; // left, top, right, bottom as written (QRect's right and bottom are inclusive)
    TReportFont font;
    int align = 0;
};

struct TTemplateCaption {
    QRect rect;
    TReportFont font;
    int align = 0;
    QString text;
};

struct TTemplateRule {
    QLine line;
    int width = 0;
};

struct TReportTemplate {
    int width = 0, height = 0; // page size in units, as oriented
    QString paper;             // "A4", ...
    bool landscape = false;
    TReportFont font; // of the drawn texts at font size 100
    QHash<QString, TTemplateField> fields;
    std::vector<TTemplateCaption> captions;
    std::vector<TTemplateRule> rules;
};

// Reads a template's text; false with `error` naming the line that could not be read.
bool ParseReportTemplate(const QString &text, TReportTemplate &out, QString &error);
// Reads a template file (UTF-8).
bool LoadReportTemplate(const QString &path, TReportTemplate &out, QString &error);

// The templates shipped with the program (their file names, "PrintSyainSalaryList.jfm" ...).
QStringList ShippedReportTemplates();
// Writes every shipped template that is missing from `reportDir` (the program's Report
// folder); an existing file, changed or not, is left alone. False when one could not be written.
bool InstallShippedTemplates(const QString &reportDir);
