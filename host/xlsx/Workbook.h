#pragma once
// The workbook writer of the host: one or more sheets written row by row into an
// XLSX file. Rows stream to temporary storage as they are finished, so the memory
// needed does not grow with the number of rows; a row can be changed (MergeCells)
// only until the next row begins.
//
// Texts are Windows-1252 (CString) and are converted to UTF-8 here. Amount texts of
// the lists ("1.234,56", "-0,50", "(12,00)") become real numbers, parsed exactly to
// their decimal digits; dates "TT.MM.JJJJ" become real dates.
#include "host/CString.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

// Horizontal alignment values of a style.
enum EAlignHoriz : int {
    kAlignHNone = 0,
    kAlignHRight = 1,
    kAlignHLeft = 2,
    kAlignHCenter = 3,
};

// Number styles of a style.
enum ENumberStyle : int {
    kNumStyleGeneral = 0,
    kNumStyleInteger = 1,
    kNumStyleMoney = 5, // two decimals; switch 1 groups the thousands
    kNumStyleDate = 6,  // TT.MM.JJJJ
};

struct Style {
    bool bFett = false;
    int nHorizAlign = kAlignHNone;
    int nNumberStyle = kNumStyleGeneral;
    int nNumberSwitch = 0;
};

struct ColumnWidth {
    int nColumn;
    double dWidth;
};

struct CellCoord {
    std::uint32_t nRow; // counted from 0
    std::uint32_t nCol; // counted from 0
};

class CWorkbook;

class CWorksheet {
public:
    // Starts the next row (dHeight 0.0: the default height).
    void BeginRow(double dHeight = 0.0);
    void EndRow();
    // Cells are added left to right from column 0 of the current row.
    void AddCell(const CString& strText, std::size_t nStyle);
    // A displayed amount or number as a number; an empty text gives an empty
    // cell; a text that is no number stays a text cell.
    void AddCellFloat(const CString& strText, std::size_t nStyle);
    void AddCellInt(std::int64_t nValue, std::size_t nStyle);
    void AddEmptyCells(int nCount); // moves the writing position on
    // Merges a range within the current or just ended row; the first cell's content
    // and style fill it. False when the row was already written out.
    bool MergeCells(CellCoord first, CellCoord last);
    // The row the next BeginRow starts (rows counted from 0).
    std::uint32_t CurrentRow() const { return m_nNextRow; }

private:
    friend class CWorkbook;
    struct Cell {
        enum class Art { Leer, Text, Zahl, Datum } eArt = Art::Leer;
        std::string strUtf8;
        double dZahl = 0.0;
        int nJahr = 0, nMonat = 0, nTag = 0;
        std::size_t nStyle = 0;
        bool bGeklammert = false; // the amount was shown in parentheses
    };
    struct Merge {
        CellCoord first, last;
    };

    CWorksheet(CWorkbook& book, lxw_worksheet* pSheet) : m_book(book), m_pSheet(pSheet) {}
    void Flush(); // writes the pending row out
    void Put(Cell cell);

    CWorkbook& m_book;
    lxw_worksheet* m_pSheet;
    std::uint32_t m_nNextRow = 0;
    bool m_bRowPending = false;
    std::uint32_t m_nPendingRow = 0;
    double m_dPendingHeight = 0.0;
    std::vector<Cell> m_vecCells; // of the pending row, by column
    std::vector<Merge> m_vecMerges;
    std::uint16_t m_nCol = 0;
};

class CWorkbook {
public:
    explicit CWorkbook(const CString& strUserName);
    ~CWorkbook();
    CWorkbook(const CWorkbook&) = delete;
    CWorkbook& operator=(const CWorkbook&) = delete;

    // Null when the sheet cannot be created (no room for temporary files).
    CWorksheet* AddSheet(const CString& strName, const std::vector<ColumnWidth>& vecWidths);
    // Returns the style's index for the Add* calls.
    std::size_t AddStyle(const Style& style);

    // Writes the workbook to strPathUtf8: first under a temporary name beside it,
    // renamed on success, so a failure leaves no half-written file under the name
    // and an existing file untouched. The workbook is finished afterwards.
    bool Save(const std::string& strPathUtf8);

private:
    friend class CWorksheet;
    lxw_format* Format(std::size_t nStyle, bool bGeklammert);

    lxw_workbook* m_pBook = nullptr;
    std::string m_strTempPath; // where the writer puts the file before it is copied
    std::string m_strUserName;
    std::vector<Style> m_vecStyles;
    std::vector<lxw_format*> m_vecFormats;
    std::vector<lxw_format*> m_vecKlammerFormats; // same style, amounts in parentheses
    std::vector<std::unique_ptr<CWorksheet>> m_vecSheets;
    bool m_bFehler = false;
};

// The exact decimal value of a displayed amount or number: "1.234,56" gives
// 123456 with 2 decimals; "(12,00)" and "-12" are read too (bKlammer tells the
// parentheses). False for any other text.
struct DezimalZahl {
    std::int64_t nMantisse = 0;
    int nNachkomma = 0;
    bool bKlammer = false;
    double ToDouble() const;
};
bool ParseDezimal(const CString& strText, DezimalZahl& zahl);
// "TT.MM.JJJJ" to a calendar date; false for any other text or an impossible date.
bool ParseDatum(const CString& strText, int& nJahr, int& nMonat, int& nTag);
