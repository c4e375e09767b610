#include "host/stat/StatReader.h"

#include "host/Cp1252.h"
#include "host/stat/HitFilePiece.h"
#include "host/stat/StatAccu.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <limits>
#include <thread>

namespace {

constexpr std::string_view kHeaderName = "#vxstat-hits\t";
constexpr int kMostPieces = 8;
constexpr auto kProgressWhileWaiting = std::chrono::milliseconds(50);

// Sets the flag when the reading ends, however it ends, so that the pieces still
// being read stop before their results are waited for.
class CStopAtEnd {
public:
    explicit CStopAtEnd(std::atomic<bool>& bStop) : m_bStop(bStop) {}
    ~CStopAtEnd() { m_bStop = true; }
    CStopAtEnd(const CStopAtEnd&) = delete;
    CStopAtEnd& operator=(const CStopAtEnd&) = delete;

private:
    std::atomic<bool>& m_bStop;
};

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
    const int nCores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const std::int64_t nWanted = std::min<std::int64_t>(
        {m_nMaxPieces > 0 ? m_nMaxPieces : nCores, kMostPieces,
         nBytes / std::max<std::int64_t>(m_nMinPieceBytes, 1)});
    CDBStdioFile scan;
    if (nWanted > 1 && NewPiece(0) && scan.OpenRead(file.GetPath())) {
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

// The first piece is read here, the others each on a thread of their own into a
// reader of their own; the progress box shows the sum of all.
bool CStatReader::ReadPieces(CDBStdioFile& file, const std::vector<std::int64_t>& limits,
                             CString& strError) {
    const std::size_t nPieces = limits.size() - 1;
    std::vector<std::unique_ptr<CStatReader>> readers(nPieces);
    std::vector<CStatAccu> accus(nPieces);
    std::vector<CHitFilePiece> pieces;
    pieces.reserve(nPieces);
    pieces.emplace_back(*this, limits[1], 1); // after the header
    for (std::size_t k = 1; k < nPieces; ++k) {
        readers[k] = NewPiece(std::min(limits[k + 1], file.GetSize()) - limits[k]);
        readers[k]->m_pAccu = &accus[k];
        pieces.emplace_back(*readers[k], limits[k + 1]);
    }

    std::atomic<bool> bStop{false};
    std::vector<std::atomic<std::int64_t>> done(nPieces); // bytes read by each other piece
    std::vector<CString> faults(nPieces);
    const auto readOther = [&](std::size_t k) {
        CDBStdioFile other;
        if (!other.OpenRead(file.GetPath()) || !other.SeekRead(limits[k])) {
            faults[k] = other.GetError();
            return CHitFilePiece::End::Fault;
        }
        const CHitFilePiece::End eEnd = pieces[k].Read(other, [&](std::int64_t nPos) {
            done[k].store(nPos - limits[k], std::memory_order_relaxed);
            return !bStop.load(std::memory_order_relaxed);
        });
        faults[k] = other.GetError();
        return eEnd;
    };
    std::vector<std::future<CHitFilePiece::End>> others;
    const CStopAtEnd stopAtEnd(bStop);
    for (std::size_t k = 1; k < nPieces; ++k)
        others.push_back(std::async(std::launch::async, readOther, k));

    const auto showProgress = [&](std::int64_t nPos) {
        for (std::size_t k = 1; k < nPieces; ++k)
            nPos += done[k].load(std::memory_order_relaxed);
        m_nPos = static_cast<long>(std::min<std::int64_t>(nPos, m_nTotal));
        return DoProgress(m_nPos, m_nTotal);
    };
    std::vector<CHitFilePiece::End> ends{pieces[0].Read(file, showProgress)};
    faults[0] = file.GetError();
    if (ends[0] != CHitFilePiece::End::Done) bStop = true;
    for (std::future<CHitFilePiece::End>& other : others) {
        while (other.wait_for(kProgressWhileWaiting) == std::future_status::timeout)
            if (!bStop && !showProgress(file.GetReadPos())) bStop = true;
        ends.push_back(other.get());
    }

    pieces[0].NameBadLines(m_strFileName, 0); // read into the accumulator already
    if (IsCancelled())
        return Fail(strError, "Das Einlesen der Trefferdatei ", file.GetPath(),
                    " wurde abgebrochen");
    for (std::size_t k = 0; k < nPieces; ++k)
        if (ends[k] != CHitFilePiece::End::Done)
            return Fail(strError, "Die Trefferdatei ", file.GetPath(),
                        " kann nicht gelesen werden", faults[k]);
    JoinPieces(pieces, readers);
    return true;
}

// The other pieces' bad lines get their numbers, their errors follow those before in
// file order, and their rows are appended.
void CStatReader::JoinPieces(std::vector<CHitFilePiece>& pieces,
                             std::vector<std::unique_ptr<CStatReader>>& readers) {
    long nLinesBefore = pieces[0].GetLines();
    for (std::size_t k = 1; k < pieces.size(); ++k) {
        pieces[k].NameBadLines(m_strFileName, nLinesBefore);
        nLinesBefore += pieces[k].GetLines();
        std::vector<CBehErrors>& errors = readers[k]->m_pAccu->m_vecErrors;
        m_pAccu->m_vecErrors.insert(m_pAccu->m_vecErrors.end(),
                                    std::make_move_iterator(errors.begin()),
                                    std::make_move_iterator(errors.end()));
        JoinPiece(*readers[k]);
    }
}
