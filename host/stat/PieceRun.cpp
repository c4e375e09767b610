#include "host/stat/PieceRun.h"

#include "host/stat/StatReader.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <future>
#include <system_error>

namespace {

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

CPieceRun::CPieceRun(CStatReader& reader, CDBStdioFile& file, std::vector<std::int64_t> limits)
    : m_reader(reader), m_file(file), m_limits(std::move(limits)), m_pieces(m_limits.size() - 1),
      m_readers(m_pieces.size()), m_accus(m_pieces.size()), m_done(m_pieces.size()),
      m_nBack(m_pieces.size()) {}

CHitFilePiece::End CPieceRun::Read(int nThreads, CString& strFault) {
    const std::size_t nOthers =
        std::min(static_cast<std::size_t>(std::max(nThreads, 1)), m_pieces.size()) - 1;
    std::vector<CString> faults(nOthers + 1);
    std::vector<std::future<CHitFilePiece::End>> others;
    const CStopAtEnd stopAtEnd(m_bStop);
    try {
        for (std::size_t t = 1; t <= nOthers; ++t)
            others.push_back(
                std::async(std::launch::async, &CPieceRun::ReadBack, this, std::ref(faults[t])));
    } catch (const std::system_error&) {
        // No more threads to be had: the threads started, this one among them, read
        // every piece all the same.
    }
    std::vector<CHitFilePiece::End> ends{ReadFront()};
    faults[0] = m_file.GetError();
    for (std::future<CHitFilePiece::End>& other : others) {
        while (other.wait_for(kProgressWhileWaiting) == std::future_status::timeout)
            if (!m_bStop && !ShowProgress()) m_bStop = true;
        ends.push_back(other.get());
    }
    // A fault tells more than the stops it caused in the other threads.
    for (const CHitFilePiece::End eWorst : {CHitFilePiece::End::Fault, CHitFilePiece::End::Stopped})
        for (std::size_t t = 0; t < ends.size(); ++t)
            if (ends[t] == eWorst) {
                strFault = faults[t];
                return eWorst;
            }
    return CHitFilePiece::End::Done;
}

// A thread that ends early, by a fault, a cancel or an exception, stops the others.
CHitFilePiece::End CPieceRun::ReadFront() {
    try {
        for (std::optional<std::size_t> k; !m_bStop && (k = Take(true));) {
            const CHitFilePiece::End eEnd =
                StartPiece(*k, m_reader).Read(m_file, [&](std::int64_t nPos) {
                    m_done[*k].store(nPos - m_limits[*k], std::memory_order_relaxed);
                    return ShowProgress() && !m_bStop;
                });
            if (eEnd != CHitFilePiece::End::Done) {
                m_bStop = true;
                return eEnd;
            }
            m_done[*k] = BytesOf(*k);
        }
    } catch (...) {
        m_bStop = true;
        throw;
    }
    return m_bStop ? CHitFilePiece::End::Stopped : CHitFilePiece::End::Done;
}

CHitFilePiece::End CPieceRun::ReadBack(CString& strFault) {
    try {
        CDBStdioFile file;
        if (!file.OpenReadSame(m_file)) {
            strFault = file.GetError();
            m_bStop = true;
            return CHitFilePiece::End::Fault;
        }
        for (std::optional<std::size_t> k; !m_bStop && (k = Take(false));) {
            const CHitFilePiece::End eEnd = ReadBackPiece(file, *k);
            if (eEnd != CHitFilePiece::End::Done) {
                strFault = file.GetError();
                m_bStop = true;
                return eEnd;
            }
        }
    } catch (...) {
        m_bStop = true;
        throw;
    }
    return m_bStop ? CHitFilePiece::End::Stopped : CHitFilePiece::End::Done;
}

CHitFilePiece::End CPieceRun::ReadBackPiece(CDBStdioFile& file, std::size_t k) {
    m_readers[k] = m_reader.NewPiece(BytesOf(k));
    if (!m_readers[k]) return CHitFilePiece::End::Fault; // it gave one for the cuts
    m_readers[k]->m_pAccu = &m_accus[k];
    CHitFilePiece& piece = StartPiece(k, *m_readers[k]);
    if (!file.SeekRead(m_limits[k])) return CHitFilePiece::End::Fault;
    const CHitFilePiece::End eEnd = piece.Read(file, [&](std::int64_t nPos) {
        m_done[k].store(nPos - m_limits[k], std::memory_order_relaxed);
        return !m_bStop.load(std::memory_order_relaxed);
    });
    if (eEnd == CHitFilePiece::End::Done) m_done[k] = BytesOf(k);
    return eEnd;
}

// Lines are counted from the piece's first; the first piece counts the header too.
CHitFilePiece& CPieceRun::StartPiece(std::size_t k, CStatReader& reader) {
    return m_pieces[k].emplace(reader, m_limits[k + 1], k == 0 ? 1 : 0);
}

std::int64_t CPieceRun::BytesOf(std::size_t k) const {
    return std::min(m_limits[k + 1], m_file.GetSize()) - m_limits[k];
}

bool CPieceRun::ShowProgress() {
    std::int64_t nPos = m_limits[0];
    for (const std::atomic<std::int64_t>& nDone : m_done)
        nPos += nDone.load(std::memory_order_relaxed);
    m_reader.m_nPos = static_cast<long>(std::min<std::int64_t>(nPos, m_reader.m_nTotal));
    return m_reader.DoProgress(m_reader.m_nPos, m_reader.m_nTotal);
}

std::optional<std::size_t> CPieceRun::Take(bool bFront) {
    const std::lock_guard lock(m_mutex);
    if (m_nFront == m_nBack) return std::nullopt;
    return bFront ? m_nFront++ : --m_nBack;
}

void CPieceRun::Join(bool bAll) {
    long nLinesBefore = 0;
    for (std::size_t k = 0; k < m_pieces.size(); ++k) {
        if (!bAll && (!m_pieces[k] || m_readers[k])) return;
        m_pieces[k]->NameBadLines(m_reader.m_strFileName, nLinesBefore);
        nLinesBefore += m_pieces[k]->GetLines();
        if (!m_readers[k]) continue;
        std::vector<CBehErrors>& errors = m_accus[k].m_vecErrors;
        std::vector<CBehErrors>& all = m_reader.m_pAccu->m_vecErrors;
        all.insert(all.end(), std::make_move_iterator(errors.begin()),
                   std::make_move_iterator(errors.end()));
        m_reader.JoinPiece(*m_readers[k]);
    }
}
