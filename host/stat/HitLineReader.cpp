#include "host/stat/HitLineReader.h"

#include <algorithm>

CHitLineReader::CHitLineReader(CDBStdioFile& file, long nLastLine)
    : m_file(file), m_nLine(nLastLine), m_thread([this] { Produce(); }) {}

CHitLineReader::~CHitLineReader() {
    {
        const std::lock_guard lock(m_mutex);
        m_bStop = true;
    }
    m_cvFreed.notify_one();
    m_thread.join();
}

bool CHitLineReader::Next(CItem& item) {
    while (!m_pCurrent || m_nNext == m_pCurrent->lines.size()) {
        if (m_bEnd) return false;
        std::unique_lock lock(m_mutex);
        if (m_pCurrent) {
            ++m_nReleased;
            m_cvFreed.notify_one();
        }
        m_cvFilled.wait(lock, [&] { return m_nFilled > m_nReleased; });
        if (m_pException) std::rethrow_exception(m_pException);
        m_pCurrent = &m_arrBatches[m_nReleased % kBatches];
        m_nNext = 0;
        m_bEnd = m_pCurrent->bLast;
        m_bFailed = m_pCurrent->bFault;
    }
    const std::size_t i = m_nNext++;
    const CLineRec& rec = m_pCurrent->lines[i];
    item.nLine = m_pCurrent->nFirstLine + static_cast<long>(i);
    item.nReadPos = m_pCurrent->nReadPos;
    item.bTooLong = rec.bTooLong;
    item.text = std::string_view(m_pCurrent->text).substr(rec.nBegin, rec.nSize);
    item.map = {m_pCurrent->ends.data() + rec.nEnds, rec.nFields, rec.nCareful};
    return true;
}

void CHitLineReader::Produce() {
    try {
        for (std::uint64_t nBatch = 0;; ++nBatch) {
            if (!WaitForFree(nBatch)) return;
            CBatch& batch = m_arrBatches[nBatch % kBatches];
            Fill(batch, nBatch);
            {
                const std::lock_guard lock(m_mutex);
                ++m_nFilled;
            }
            m_cvFilled.notify_one();
            if (batch.bLast) return;
        }
    } catch (...) {
        // Handed over in place of the next batch, so that the caller sees it at once.
        {
            const std::lock_guard lock(m_mutex);
            m_pException = std::current_exception();
            ++m_nFilled;
        }
        m_cvFilled.notify_one();
    }
}

// False when the caller wants no more lines.
bool CHitLineReader::WaitForFree(std::uint64_t nBatch) {
    std::unique_lock lock(m_mutex);
    m_cvFreed.wait(lock, [&] { return m_bStop || nBatch - m_nReleased < kBatches; });
    return !m_bStop;
}

// The first batches are short, so that the caller can begin at once, and every
// batch takes its full room at its first use instead of growing into it: growing
// copies what was written, and made the first batches some times slower than the
// later ones.
void CHitLineReader::Fill(CBatch& batch, std::uint64_t nBatch) {
    const std::size_t nMaxLines = nBatch == 0 ? 128 : nBatch == 1 ? 512 : kBatchLines;
    batch.text.reserve(kBatchBytes + kTypicalLine);
    batch.lines.reserve(kBatchLines);
    batch.ends.reserve(kBatchLines * kTypicalFields);
    batch.text.clear();
    batch.lines.clear();
    batch.ends.clear();
    batch.nFirstLine = m_nLine + 1;
    CStatLines::FieldMap map;
    while (batch.lines.size() < nMaxLines && batch.text.size() < kBatchBytes) {
        std::string_view line;
        const CDBStdioFile::Read eRead = m_file.ViewLine(line, m_strSpill);
        if (eRead == CDBStdioFile::Read::End || eRead == CDBStdioFile::Read::Fault) {
            batch.bLast = true;
            batch.bFault = eRead == CDBStdioFile::Read::Fault;
            break;
        }
        ++m_nLine;
        // Mapped where it was read, in this core's cache: the batch's memory was
        // read on the caller's core last, and reading back there what was just
        // written would wait for it.
        CStatLines::MapFields(line, map);
        CLineRec rec;
        rec.nBegin = static_cast<std::uint32_t>(batch.text.size());
        rec.nSize = static_cast<std::uint32_t>(line.size());
        rec.bTooLong = eRead == CDBStdioFile::Read::TooLong;
        batch.text.append(line);
        rec.nEnds = static_cast<std::uint32_t>(batch.ends.size());
        rec.nFields = static_cast<std::uint32_t>(map.nFields);
        rec.nCareful = map.nCareful;
        batch.ends.insert(batch.ends.end(), map.aEnd.begin(),
                          map.aEnd.begin() + std::min<std::size_t>(map.nFields, map.aEnd.size()));
        batch.lines.push_back(rec);
    }
    batch.nReadPos = m_file.GetReadPos();
}
