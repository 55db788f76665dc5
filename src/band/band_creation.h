#pragma once
// TfrmBand, "バンド　作成": turns a base wage and a lower and upper percentage per band into the
// band's range and the limits of its zones, lets the limits be adjusted by hand, sets the title
// and rounding unit of the band design, and saves every band of the project. It edits gBandTbl2
// (loaded by the caller) in memory; at most the first nine bands are shown.

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TFieldExits;

class TfrmBand : public QDialog {
    Q_OBJECT
public:
    // The pages in their order on the page control.
    enum Page { BandPage = 0, ZonePage = 1, SettingsPage = 2 };
    static constexpr int kRows = 9;

    explicit TfrmBand(QWidget *parent = nullptr);
    // Shows the bands of gBandTbl2 on the band page; nothing is changed yet.
    void prepare();
    // Whether a computation or the settings changed the bands since they were shown or saved.
    bool changed() const { return m_changed; }

public slots:
    void PageControl1Change(int page);
    void btnAddClick();
    void btnCancelClick();
    void btnBandListClick();
    void cdBandGraphClick();
    void btnCloseClick();
    void reject() override;

private:
    struct BandRow {
        // Band page.
        QLineEdit *id = nullptr, *name = nullptr, *zones = nullptr;
        QLineEdit *lower = nullptr, *base = nullptr, *upper = nullptr;
        QLineEdit *spread = nullptr, *range = nullptr;
        // Zone page: id, name, zone count and the boundaries [1..6].
        QLineEdit *id2 = nullptr, *name2 = nullptr, *zones2 = nullptr;
        std::array<QLineEdit *, 7> bound{};
    };

    QWidget *buildBandPage();
    QWidget *buildZonePage();
    QWidget *buildSettingsPage();
    int shownBands() const;
    void showBands();
    void previewRow(int row);
    bool leavePage(int page);
    bool computeBands();
    bool readZones();
    template <typename Screen> void openWithSavedBands();

    QTabWidget *m_pages = nullptr;
    std::array<BandRow, kRows + 1> m_rows{}; // [1..9]
    QLineEdit *m_txtTitle = nullptr;
    QRadioButton *m_optUnit10 = nullptr;
    QRadioButton *m_optUnit100 = nullptr;
    QRadioButton *m_optUnit1000 = nullptr;
    QPushButton *m_btnAdd = nullptr;
    TFieldExits *m_exits = nullptr;
    int m_page = BandPage;   // the page shown, as far as a page change was allowed
    bool m_switching = false; // a page change is being checked
    bool m_changed = false;
};
