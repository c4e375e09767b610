#include "host/xlsx/Workbook.h"

#include "host/AtomicFile.h"
#include "host/Cp1252.h"
#include "host/TextUtil.h"

#include <xlsxwriter.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <unistd.h>

namespace {

constexpr std::int64_t kMaxMantisse = std::numeric_limits<std::int64_t>::max() / 10;
constexpr int kMaxNachkomma = 9;

// A name for the writer's own output in the temporary folder; the writer
// reopens it by name.
std::string ReserveTempFile() {
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    if (ec) dir = "/tmp";
    std::string strName = (dir / "vxstat-xlsx-XXXXXX").string();
    const int fd = ::mkstemp(strName.data());
    if (fd < 0) return {};
    ::close(fd);
    return strName;
}

// Copies the finished file into a temporary file beside the target and renames it.
bool CopyInPlace(const std::string& strFrom, const std::string& strTo) {
    std::FILE* pIn = std::fopen(strFrom.c_str(), "rb");
    if (!pIn) return false;
    std::string strTemp;
    const int fd = CreateTempBeside(strTo, strTemp);
    bool bOk = fd >= 0;
    char buffer[1 << 16];
    while (bOk) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, pIn);
        if (n == 0) {
            bOk = !std::ferror(pIn);
            break;
        }
        for (std::size_t nDone = 0; bOk && nDone < n;) {
            const ssize_t nWritten = ::write(fd, buffer + nDone, n - nDone);
            bOk = nWritten > 0;
            if (bOk) nDone += static_cast<std::size_t>(nWritten);
        }
    }
    std::fclose(pIn);
    if (fd < 0) return false;
    if (!bOk) {
        DiscardTemp(fd, strTemp);
        return false;
    }
    KeepModeOf(fd, strTo);
    return PutInPlace(fd, strTemp, strTo);
}

const char* NumberFormat(const Style& style, bool bGeklammert) {
    switch (style.nNumberStyle) {
    case kNumStyleInteger:
        return "0";
    case kNumStyleMoney:
        if (bGeklammert) return style.nNumberSwitch == 1 ? "(#,##0.00)" : "(0.00)";
        return style.nNumberSwitch == 1 ? "#,##0.00" : "0.00";
    case kNumStyleDate:
        return "dd.mm.yyyy";
    default:
        return nullptr;
    }
}

uint8_t LxwAlign(int nHorizAlign) {
    switch (nHorizAlign) {
    case kAlignHRight:
        return LXW_ALIGN_RIGHT;
    case kAlignHLeft:
        return LXW_ALIGN_LEFT;
    case kAlignHCenter:
        return LXW_ALIGN_CENTER;
    default:
        return LXW_ALIGN_NONE;
    }
}

} // namespace

double DezimalZahl::ToDouble() const {
    // The one step from exact digits to binary: a single correctly rounded division.
    double dTeiler = 1.0;
    for (int n = 0; n < nNachkomma; ++n)
        dTeiler *= 10.0;
    return static_cast<double>(nMantisse) / dTeiler;
}

bool ParseDezimal(const CString& strText, DezimalZahl& zahl) {
    CString s = Trim(strText);
    zahl = DezimalZahl{};
    if (s.size() >= 2 && s.front() == '(' && s.back() == ')') {
        zahl.bKlammer = true;
        s = Trim(s.substr(1, s.size() - 2));
    }
    bool bNegativ = false;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) bNegativ = s[i++] == '-';
    bool bZiffer = false, bKomma = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            if (zahl.nMantisse > kMaxMantisse || (bKomma && zahl.nNachkomma >= kMaxNachkomma))
                return false;
            zahl.nMantisse = zahl.nMantisse * 10 + (c - '0');
            if (bKomma) ++zahl.nNachkomma;
            bZiffer = true;
        } else if (c == '.' && !bKomma && bZiffer) {
            continue; // thousands separator
        } else if (c == ',' && !bKomma) {
            bKomma = true;
        } else {
            return false;
        }
    }
    if (!bZiffer) return false;
    if (bNegativ) zahl.nMantisse = -zahl.nMantisse;
    return true;
}

bool ParseDatum(const CString& strText, int& nJahr, int& nMonat, int& nTag) {
    const CString strDb = Date2Db(Trim(strText));
    if (strDb.empty()) return false;
    nJahr = std::atoi(strDb.substr(0, 4).c_str());
    nMonat = std::atoi(strDb.substr(4, 2).c_str());
    nTag = std::atoi(strDb.substr(6, 2).c_str());
    return nJahr >= 1900;
}

// --- CWorksheet ---

void CWorksheet::BeginRow(double dHeight) {
    Flush();
    m_bRowPending = true;
    m_nPendingRow = m_nNextRow++;
    m_dPendingHeight = dHeight;
    m_nCol = 0;
}

void CWorksheet::EndRow() {
    // The row stays pending: a merge may still follow (see MergeCells).
}

void CWorksheet::Put(Cell cell) {
    if (!m_bRowPending) BeginRow();
    if (m_nCol >= LXW_COL_MAX) return;
    if (m_vecCells.size() <= m_nCol) m_vecCells.resize(m_nCol + 1);
    m_vecCells[m_nCol++] = std::move(cell);
}

void CWorksheet::AddCell(const CString& strText, std::size_t nStyle) {
    Cell cell;
    cell.nStyle = nStyle;
    const bool bDatumStil = nStyle < m_book.m_vecStyles.size() &&
                            m_book.m_vecStyles[nStyle].nNumberStyle == kNumStyleDate;
    if (strText.empty()) {
        cell.eArt = Cell::Art::Leer;
    } else if (bDatumStil && ParseDatum(strText, cell.nJahr, cell.nMonat, cell.nTag)) {
        cell.eArt = Cell::Art::Datum;
    } else {
        cell.eArt = Cell::Art::Text;
        cell.strUtf8 = Cp1252ToUtf8(strText);
    }
    Put(std::move(cell));
}

void CWorksheet::AddCellFloat(const CString& strText, std::size_t nStyle) {
    DezimalZahl zahl;
    Cell cell;
    cell.nStyle = nStyle;
    if (Trim(strText).empty()) {
        Put(std::move(cell));
    } else if (ParseDezimal(strText, zahl)) {
        cell.eArt = Cell::Art::Zahl;
        cell.dZahl = zahl.ToDouble();
        cell.bGeklammert = zahl.bKlammer;
        Put(std::move(cell));
    } else {
        AddCell(strText, nStyle);
    }
}

void CWorksheet::AddCellInt(std::int64_t nValue, std::size_t nStyle) {
    Cell cell;
    cell.eArt = Cell::Art::Zahl;
    cell.dZahl = static_cast<double>(nValue);
    cell.nStyle = nStyle;
    Put(std::move(cell));
}

void CWorksheet::AddEmptyCells(int nCount) {
    if (!m_bRowPending) BeginRow();
    for (int n = 0; n < nCount; ++n)
        Put(Cell{});
}

bool CWorksheet::MergeCells(CellCoord first, CellCoord last) {
    if (!m_bRowPending || first.nRow != m_nPendingRow || last.nRow != m_nPendingRow ||
        last.nCol < first.nCol)
        return false;
    m_vecMerges.push_back({first, last});
    return true;
}

void CWorksheet::Flush() {
    if (!m_bRowPending) return;
    m_bRowPending = false;
    const lxw_row_t nRow = m_nPendingRow;
    if (m_dPendingHeight > 0.0) worksheet_set_row(m_pSheet, nRow, m_dPendingHeight, nullptr);
    for (const Merge& merge : m_vecMerges) {
        // The first cell's text and style span the range; the writer fills the rest.
        const std::size_t nFirst = merge.first.nCol;
        const Cell cell = nFirst < m_vecCells.size() ? m_vecCells[nFirst] : Cell{};
        for (std::size_t c = nFirst; c <= merge.last.nCol && c < m_vecCells.size(); ++c)
            m_vecCells[c] = Cell{};
        if (worksheet_merge_range(m_pSheet, nRow, static_cast<lxw_col_t>(merge.first.nCol), nRow,
                                  static_cast<lxw_col_t>(merge.last.nCol), cell.strUtf8.c_str(),
                                  m_book.Format(cell.nStyle, false)) != LXW_NO_ERROR)
            m_book.m_bFehler = true;
    }
    m_vecMerges.clear();
    for (std::size_t c = 0; c < m_vecCells.size(); ++c) {
        const Cell& cell = m_vecCells[c];
        const lxw_col_t nCol = static_cast<lxw_col_t>(c);
        lxw_error err = LXW_NO_ERROR;
        switch (cell.eArt) {
        case Cell::Art::Leer:
            break;
        case Cell::Art::Text:
            err = worksheet_write_string(m_pSheet, nRow, nCol, cell.strUtf8.c_str(),
                                         m_book.Format(cell.nStyle, false));
            break;
        case Cell::Art::Zahl:
            err = worksheet_write_number(m_pSheet, nRow, nCol, cell.dZahl,
                                         m_book.Format(cell.nStyle, cell.bGeklammert));
            break;
        case Cell::Art::Datum: {
            lxw_datetime datum{cell.nJahr, cell.nMonat, cell.nTag, 0, 0, 0.0};
            err = worksheet_write_datetime(m_pSheet, nRow, nCol, &datum,
                                           m_book.Format(cell.nStyle, false));
            break;
        }
        }
        if (err != LXW_NO_ERROR) m_book.m_bFehler = true;
    }
    m_vecCells.clear();
}

// --- CWorkbook ---

CWorkbook::CWorkbook(const CString& strUserName) : m_strUserName(Cp1252ToUtf8(strUserName)) {
    m_strTempPath = ReserveTempFile();
    if (m_strTempPath.empty()) {
        m_bFehler = true;
        return;
    }
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    m_pBook = workbook_new_opt(m_strTempPath.c_str(), &options);
    if (!m_pBook) {
        m_bFehler = true;
        return;
    }
    lxw_doc_properties properties{};
    properties.author = m_strUserName.data();
    workbook_set_properties(m_pBook, &properties);
}

CWorkbook::~CWorkbook() {
    if (m_pBook) {
        // Never saved: close it to release the writer's temporary files.
        workbook_close(m_pBook);
    }
    if (!m_strTempPath.empty()) std::remove(m_strTempPath.c_str());
}

CWorksheet* CWorkbook::AddSheet(const CString& strName, const std::vector<ColumnWidth>& vecWidths) {
    if (!m_pBook) return nullptr;
    const std::string strNameUtf8 = Cp1252ToUtf8(strName);
    lxw_worksheet* pSheet = workbook_add_worksheet(m_pBook, strNameUtf8.c_str());
    if (!pSheet) {
        m_bFehler = true;
        return nullptr;
    }
    for (const ColumnWidth& w : vecWidths)
        worksheet_set_column(pSheet, static_cast<lxw_col_t>(w.nColumn),
                             static_cast<lxw_col_t>(w.nColumn), w.dWidth, nullptr);
    m_vecSheets.push_back(std::unique_ptr<CWorksheet>(new CWorksheet(*this, pSheet)));
    return m_vecSheets.back().get();
}

std::size_t CWorkbook::AddStyle(const Style& style) {
    m_vecStyles.push_back(style);
    m_vecFormats.push_back(nullptr);
    m_vecKlammerFormats.push_back(nullptr);
    return m_vecStyles.size() - 1;
}

// The writer's formats are made on first use, the parenthesised variant only for
// amounts that need it.
lxw_format* CWorkbook::Format(std::size_t nStyle, bool bGeklammert) {
    if (!m_pBook || nStyle >= m_vecStyles.size()) return nullptr;
    lxw_format*& pFormat = bGeklammert ? m_vecKlammerFormats[nStyle] : m_vecFormats[nStyle];
    if (pFormat) return pFormat;
    const Style& style = m_vecStyles[nStyle];
    pFormat = workbook_add_format(m_pBook);
    if (!pFormat) return nullptr;
    if (style.bFett) format_set_bold(pFormat);
    if (style.nHorizAlign != kAlignHNone) format_set_align(pFormat, LxwAlign(style.nHorizAlign));
    if (const char* szFormat = NumberFormat(style, bGeklammert))
        format_set_num_format(pFormat, szFormat);
    return pFormat;
}

bool CWorkbook::Save(const std::string& strPathUtf8) {
    if (!m_pBook) return false;
    for (auto& pSheet : m_vecSheets)
        pSheet->Flush();
    const bool bGeschrieben = workbook_close(m_pBook) == LXW_NO_ERROR;
    m_pBook = nullptr;
    const bool bOk = bGeschrieben && !m_bFehler && CopyInPlace(m_strTempPath, strPathUtf8);
    std::remove(m_strTempPath.c_str());
    m_strTempPath.clear();
    return bOk;
}
