#include "host/stat/StatReader.h"

#include "host/Cp1252.h"
#include "host/stat/HitFilePiece.h"
#include "host/stat/PieceRun.h"
#include "host/stat/StatAccu.h"

#include <algorithm>
#include <limits>
#include <thread>

namespace {

constexpr std::string_view kHeaderName = "#vxstat-hits\t";
constexpr int kMostThreads = 8;
constexpr int kPiecesPerThread = 16; // small enough that a faster core reads more

} // namespace

bool CStatReader::ReadHitFile(CStatAccu& accu, CDBStdioFile& file, const std::string& strDataDir,
                              CString& strError) {
    BeginRun(accu);
    CProgressScope progress(m_strTitel);
    const std::string strHits = DataPath(strDataDir, m_strFileName + ".txt");
    const std::string strSel = DataPath(strDataDir, m_strFileName + ".sel");
    if (!file.OpenRead(strHits))
        return Fail(strError, "Die Trefferdatei ", strHits, " kann nicht gelesen werden",
                    file.GetError());
    if (!ReadHeader(file, strError)) return false;
    m_nTotal = static_cast<long>(file.GetSize());
    if (!ReadMoreSelektions(strSel))
        return Fail(strError, "Die Auswahldatei ", strSel, " kann nicht gelesen werden");
    if (!OnlyForProgBeforeMoveDataFromFile())
        return Fail(strError, "Die Trefferdatei ", strHits, " kann nicht eingelesen werden");
    return ReadPieces(file, PieceLimits(file), strError);
}

bool CStatReader::ReadHeader(CDBStdioFile& file, CString& strError) {
    std::string strText;
    const CDBStdioFile::Read eRead = file.ReadLine(strText);
    if (eRead == CDBStdioFile::Read::Fault)
        return Fail(strError, "Die Trefferdatei ", file.GetPath(), " kann nicht gelesen werden",
                    file.GetError());
    if (eRead != CDBStdioFile::Read::Line || !strText.starts_with(kHeaderName))
        return Fail(strError, "Die Datei ", file.GetPath(), " ist keine Trefferdatei");
    if (strText != kHeader) {
        const std::string strVersion = "Version " + strText.substr(kHeaderName.size(), 20);
        return Fail(strError, "Die Trefferdatei ", file.GetPath(), " hat ein unbekanntes Format",
                    Utf8ToCp1252(strVersion));
    }
    return true;
}

// Where the pieces begin, from the line after the header, and after that the end:
// each piece but the first begins with a line that starts a row, so that every
// row lies whole in one piece. The last piece reads on to the end of the file.
std::vector<std::int64_t> CStatReader::PieceLimits(const CDBStdioFile& file) {
    const std::int64_t nStart = file.GetReadPos();
    const std::int64_t nBytes = file.GetSize() - nStart;
    std::vector<std::int64_t> limits{nStart};
    // One thread reads the file in one piece.
    const int nThreads = Threads();
    const std::int64_t nWanted =
        nThreads == 1
            ? 1
            : std::min<std::int64_t>(nThreads * kPiecesPerThread,
                                     nBytes / std::max<std::int64_t>(m_nMinPieceBytes, 1));
    CDBStdioFile scan;
    if (nWanted > 1 && NewPiece(0) && scan.OpenReadSame(file)) {
        for (std::int64_t k = 1; k < nWanted; ++k) {
            const std::int64_t nFrom = nStart + nBytes * k / nWanted;
            if (nFrom <= limits.back()) continue; // the row before reaches past here
            CStatAccu scratchAccu;
            const std::unique_ptr<CStatReader> pScratch = NewPiece(0);
            pScratch->m_pAccu = &scratchAccu;
            const std::int64_t nCut = CHitFilePiece::FindRowStart(
                scan, *pScratch, nFrom, nStart + nBytes * (k + 1) / nWanted);
            if (nCut > limits.back()) limits.push_back(nCut);
        }
    }
    limits.push_back(std::numeric_limits<std::int64_t>::max());
    return limits;
}

int CStatReader::Threads() const {
    const int nCores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    return std::min(m_nMaxThreads > 0 ? m_nMaxThreads : nCores, kMostThreads);
}

bool CStatReader::ReadPieces(CDBStdioFile& file, std::vector<std::int64_t> limits,
                             CString& strError) {
    CPieceRun run(*this, file, std::move(limits));
    CString strFault;
    const CHitFilePiece::End eEnd = run.Read(Threads(), strFault);
    run.Join(eEnd == CHitFilePiece::End::Done);
    if (IsCancelled())
        return Fail(strError, "Das Einlesen der Trefferdatei ", file.GetPath(),
                    " wurde abgebrochen");
    if (eEnd != CHitFilePiece::End::Done)
        return Fail(strError, "Die Trefferdatei ", file.GetPath(), " kann nicht gelesen werden",
                    strFault);
    return true;
}
