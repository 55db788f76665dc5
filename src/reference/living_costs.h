#pragma once
// TNX0050, the standard living cost register: published living cost tables, each under a
// living-cost code shared by all companies. A code holds up to six rows of household size,
// age, monthly living cost (thousand yen) and three rates, one multiplier and four texts
// naming the source. The analysis screens draw these costs beside the employees' wages.

#include "register_kit.h"

#include <QDialog>
#include <array>
#include <vector>

class QComboBox;
class QLineEdit;
class TChangeTracker;
class TFieldExits;

class TNX0050 : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSlots = 6;

    explicit TNX0050(QWidget *parent = nullptr);
    ~TNX0050() override;

    // Clears the screen, loads the code list and shows the company's living-cost code; called
    // each time before the register is shown.
    void prepare();

    // 0 nothing loaded, 1 the current code has no rows, 2 it has rows.
    int editMode() const { return m_editMode; }
    int currentCode() const { return m_current; }

public slots:
    // Leaving the code box chooses the typed or picked code; false when refused.
    bool cmbSeikeiIDExit();
    void btnAddClick();
    void btnDltClick();
    void btnCanselClick();
    void btnCloseClick();
    void btnFirstClick() { move(Move::First); }
    void btnBackClick() { move(Move::Back); }
    void btnNextClick() { move(Move::Next); }
    void btnLastClick() { move(Move::Last); }
    void reject() override;

private:
    struct Slot {
        QLineEdit *size = nullptr;
        QLineEdit *age = nullptr;
        QLineEdit *cost = nullptr;
        QLineEdit *yuraku = nullptr;
        QLineEdit *min = nullptr;
        QLineEdit *tanshin = nullptr;
        // The values of the boxes, set when a code is loaded and when a box is left.
        int sizeValue = 0;
        int ageValue = 0;
        double costValue = 0.0;
        double yurakuValue = 0.0;
        double minValue = 0.0;
        double tanshinValue = 0.0;
    };

    void clearScreen();
    void loadCodeList();
    void loadCode(int code);
    void showPosition();
    void move(Move target);
    void afterWrite();
    bool codeGiven();
    bool checkSlots();
    bool slotFilled(const Slot &s) const;
    QLineEdit *addNumberBox(const char *name, int maxLength, int limit, bool whole,
                            std::function<void(double)> store);

    TFieldExits *m_exits = nullptr;
    TChangeTracker *m_changes = nullptr;
    QComboBox *m_cmbSeikeiID = nullptr;
    QLineEdit *m_txtCureentNo = nullptr;
    QLineEdit *m_txtLastNo = nullptr;
    std::array<Slot, kSlots + 1> m_slots{}; // [1..6]
    QLineEdit *m_txtKakeRitsu = nullptr;
    QLineEdit *m_txtSyussyo = nullptr;
    QLineEdit *m_txtTiiki = nullptr;
    QLineEdit *m_txtCyosaJiki = nullptr;
    QLineEdit *m_txtNyuryokuchi = nullptr;

    std::vector<int> m_codes; // the code list, ascending
    int m_current = 0;
    int m_position = 0; // 1-based within m_codes; 0 when the code is not listed
    int m_editMode = 0;
    bool m_codeTyped = false;
};
