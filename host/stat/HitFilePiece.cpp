#include "host/stat/HitFilePiece.h"

#include "host/Cp1252.h"
#include "host/TextUtil.h"
#include "host/stat/StatAccu.h"
#include "host/stat/StatReader.h"

CHitFilePiece::End CHitFilePiece::Read(CDBStdioFile& file, const StepFn& step) {
    const int* pTable = m_reader.SetLineStruct();
    CStatLines line;
    std::string_view text;
    std::string spill;
    CString strWhy;
    while (file.GetReadPos() < m_nTo) {
        const CDBStdioFile::Read eRead = file.ViewLine(text, spill);
        if (eRead == CDBStdioFile::Read::End) break;
        if (eRead == CDBStdioFile::Read::Fault) return End::Fault;
        if (++m_nLines % kLinesPerStep == 0 && !step(file.GetReadPos())) return End::Stopped;
        if (eRead == CDBStdioFile::Read::TooLong)
            AddBadLine(Utf8ToCp1252("länger als 1 MiB"));
        else if (line.FromText(text, pTable, strWhy))
            m_reader.MoveDataFromFile(line);
        else
            AddBadLine(strWhy);
    }
    return End::Done;
}

// The record takes its place among the "E" lines now; its text follows once the
// line's number in the file is known.
void CHitFilePiece::AddBadLine(const CString& strWhy) {
    std::vector<CBehErrors>& errors = m_reader.m_pAccu->m_vecErrors;
    m_vecBadLines.push_back({errors.size(), m_nLines, strWhy});
    errors.emplace_back();
}

void CHitFilePiece::NameBadLines(const CString& strFileName, long nLinesBefore) {
    std::vector<CBehErrors>& errors = m_reader.m_pAccu->m_vecErrors;
    for (const CBadLine& bad : m_vecBadLines)
        errors[bad.nError].m_strText =
            strFileName + ".txt, Zeile " + itoc(nLinesBefore + bad.nLine) + ": " + bad.strWhy;
    m_vecBadLines.clear();
}

std::int64_t CHitFilePiece::FindRowStart(CDBStdioFile& file, CStatReader& reader,
                                         std::int64_t nFrom, std::int64_t nLimit) {
    std::string_view text;
    std::string spill;
    // The line nFrom falls into belongs to the piece before.
    if (!file.SeekRead(nFrom) || file.ViewLine(text, spill) == CDBStdioFile::Read::Fault) return -1;
    const int* pTable = reader.SetLineStruct();
    CStatLines line;
    CString strWhy;
    while (file.GetReadPos() < nLimit) {
        const std::int64_t nPos = file.GetReadPos();
        const CDBStdioFile::Read eRead = file.ViewLine(text, spill);
        if (eRead == CDBStdioFile::Read::End || eRead == CDBStdioFile::Read::Fault) return -1;
        if (eRead == CDBStdioFile::Read::TooLong || !line.FromText(text, pTable, strWhy)) continue;
        const std::size_t nRows = reader.RowCount();
        reader.MoveDataFromFile(line);
        if (nRows > 0 && reader.RowCount() > nRows) return nPos;
    }
    return -1;
}
