#pragma once
// The plotter's colour editor: assigns preset or chosen colours to the
// entries of the shared chart palette, applies them to the chart, and loads
// and saves the five colour schemes. Scheme 1 is loaded when the editor is
// created.
#include "forms.h"
#include "platform/linestore.h"

#include <array>

class QAction;
class QMenuBar;
class QPushButton;

// A panel that reports clicks and double-clicks. The release that ends a
// double-click is no second click.
class TSwatch : public TPanel {
    Q_OBJECT
public:
    explicit TSwatch(QWidget *parent = nullptr);

signals:
    void clicked();
    void doubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool m_endsDoubleClick = false;
};

class TfrmChartColor : public TForm {
    Q_OBJECT
public:
    explicit TfrmChartColor(QWidget *parent = nullptr);

    static constexpr int RowCount = 13;
    static constexpr int PresetCount = 16;

    QMenuBar *MainMenu;
    std::array<TSwatch *, RowCount> CaptionPanels;   // Panel1 .. Panel11
    std::array<TSwatch *, RowCount> EntrySwatches;   // pnBK .. pnCL
    std::array<TSwatch *, PresetCount> Presets;      // Panel25 .. Panel45
    TSwatch *Panel10;
    TSwatch *pnSM;
    QPushButton *btnReset, *btnDefault, *btnApply, *btnCancel;
    QAction *Exit1, *cApply, *cReset;
    std::array<QAction *, 5> SchemeLoad;   // Scheme1Load .. Scheme5Load
    std::array<QAction *, 5> SchemeSave;   // Scheme1Save .. Scheme5Save
    TLineStore *mmColorSave;

    TColor CurrentColor = 0;
    int SidewaysRow;   // the palette entry the sideways row shows
    QString PaletteFileName;

    void FormCreate();
    // Style n > Load and Save: "SCHEMEn.PAL".
    void LoadScheme(int scheme);
    void SaveScheme(int scheme);
    void Scheme1LoadClick() { LoadScheme(1); }
    void Scheme2LoadClick() { LoadScheme(2); }
    void Scheme3LoadClick() { LoadScheme(3); }
    void Scheme4LoadClick() { LoadScheme(4); }
    void Scheme5LoadClick() { LoadScheme(5); }
    void Scheme1SaveClick() { SaveScheme(1); }
    void Scheme2SaveClick() { SaveScheme(2); }
    void Scheme3SaveClick() { SaveScheme(3); }
    void Scheme4SaveClick() { SaveScheme(4); }
    void Scheme5SaveClick() { SaveScheme(5); }
    void Load1Click();
    void Save1Click();
    void PresetClick(int preset);
    void EntryClick(int row);
    void EntryDblClick(int row);
    void Panel10Click();
    void btnResetClick();
    void btnApplyClick();
    void Exit1Click();
    // The preset whose mark shows; -1 for none.
    int MarkedPreset() const;

private:
    int EntryOfRow(int row) const;
    void ClearPresetHighlight();
    void SetSwatches();
};

extern TfrmChartColor *frmChartColor;
