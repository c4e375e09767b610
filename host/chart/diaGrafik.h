#pragma once
// The host's chart dialog: a bar chart of rows and columns that a subclass fills.
//
// A subclass overrides FillChartData, which fills m_vecRows and m_vecCols whenever
// the chart needs its data (before it is shown, saved or printed). Each row is one
// bar group on the category axis (key and second key identify it, its titles label
// it); each column is one series (its title is the legend). A row's value belongs
// to the column named by its column key. Values are amount texts: the display form
// ("1.234,56", "1.234") or the stored form ("e    123456").
//
// The window shows the chart title, the evaluation title below it and the chart,
// with the commands "Als Bild speichern…" (Ctrl+S), "Drucken…" (Ctrl+P) and
// "Schließen" (Esc). Without rows it shows "Keine Daten".
#include "host/CString.h"
#include "host/gui/GuiWnd.h"

#include <QPointer>
#include <memory>
#include <string>
#include <vector>

class QDialog;
class QPrinter;
class CGrafikAnsicht;

struct CRows {
    CString m_strKey, m_strKey2, m_strTitel, m_strTitel2, m_strColKey, m_strColTitel, m_strWert;
    void MoveRow(const CString& key, const CString& key2, const CString& titel,
                 const CString& titel2, const CString& colKey, const CString& colTitel,
                 const CString& wert);
};

struct CCols {
    CString m_strKey, m_strTitel, m_strWert;
    void MoveCol(const CString& key, const CString& titel, const CString& wert);
};

class CdiaGrafik : public CWnd {
public:
    // nArt: the kind of chart the caller asks for; every kind is drawn as bars.
    CdiaGrafik(int nArt, const CString& strTitel, CWnd* pParent);
    ~CdiaGrafik() override;
    CdiaGrafik(const CdiaGrafik&) = delete;
    CdiaGrafik& operator=(const CdiaGrafik&) = delete;

    virtual bool FillChartData() = 0;

    void SetTitel(const CString& strTitel);
    const CString& GetTitel() const { return m_strTitel; }
    void SetStatistikTitel(const CString& strTitel);
    const CString& GetStatistikTitel() const { return m_strStatistikTitel; }
    int GetArt() const { return m_nArt; }

    // Index of the first row with both keys, -1 when there is none.
    int FindRow(const CString& strKey, const CString& strKey2) const;
    // Index of the first column of vecCols with that key, -1 when there is none.
    int FindCol(const std::vector<CCols>& vecCols, const CString& strKey) const;

    // Fills the data and shows the window modally; returns 0 when it is closed.
    int DoModal();
    // Fills the data and writes the chart as a PNG image of kBildBreite x kBildHoehe
    // pixels to strPath (UTF-8), without a window. The file is replaced whole or not
    // at all; false with a German strError naming the file.
    bool SavePng(const std::string& strPath, CString& strError);
    // Fills the data and prints the chart on one landscape page of printer.
    bool Print(QPrinter& printer, CString& strError);

    const std::vector<CRows>& GetRows() const { return m_vecRows; }
    const std::vector<CCols>& GetCols() const { return m_vecCols; }
    QWidget* GetQWidget() const override;

    static constexpr int kBildBreite = 1200;
    static constexpr int kBildHoehe = 800;

protected:
    std::vector<CRows> m_vecRows;
    std::vector<CCols> m_vecCols;
    int m_nCurRow = -1, m_nCurCol = -1;

private:
    bool Fill(CString& strError);
    std::unique_ptr<CGrafikAnsicht> BaueAnsicht() const;
    void OnSpeichern();
    void OnDrucken();

    int m_nArt;
    CString m_strTitel;
    CString m_strStatistikTitel;
    CWnd* m_pParent;
    QPointer<QDialog> m_pWindow;
    CGrafikAnsicht* m_pAnsicht = nullptr; // owned by m_pWindow while it is shown
};
