#pragma once
// Reads the lines of an open hit file and finds their fields on a thread of its
// own, while the caller takes the lines mapped before. Reading and splitting the
// lines is a good part of the work of a read; done meanwhile, a read of a large
// file takes little more than building the rows from the lines.
//
// The lines come in file order, a batch at a time. A batch holds the texts of its
// lines one after the other and their field maps, so that the caller walks through
// memory in order; it goes back to the reading thread only when the caller asks for
// the line after its last one, so a line's text stays valid until then. The file
// belongs to the reader from construction until destruction, which stops the
// thread and waits for it.
#include "host/CString.h"
#include "host/stat/DBStdioFile.h"
#include "host/stat/StatLines.h"

#include <array>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class CHitLineReader {
public:
    struct CItem {
        long nLine = 0;            // number of the line in the file
        std::int64_t nReadPos = 0; // file position near the line, for progress
        bool bTooLong = false;     // the line was skipped; text and map are empty
        std::string_view text;     // the line's UTF-8 text
        CStatLines::FieldEnds map{};
    };

    // nLastLine is the number of the line read before (the header's).
    CHitLineReader(CDBStdioFile& file, long nLastLine);
    ~CHitLineReader();
    CHitLineReader(const CHitLineReader&) = delete;
    CHitLineReader& operator=(const CHitLineReader&) = delete;

    // The next line, false after the last one or when the file could not be read
    // (Failed). An exception of the reading thread is thrown here.
    bool Next(CItem& item);
    bool Failed() const { return m_bFailed; }
    // The file's path, and once Failed its German reason.
    const std::string& GetPath() const { return m_file.GetPath(); }
    const CString& GetError() const { return m_file.GetError(); }

private:
    static constexpr std::size_t kBatchLines = 2048;
    static constexpr std::size_t kBatchBytes = std::size_t{512} << 10;
    static constexpr std::size_t kBatches = 4;
    // Room taken ahead: a batch ends after the line that crosses kBatchBytes, and
    // a hit line has some 30 fields.
    static constexpr std::size_t kTypicalLine = std::size_t{64} << 10;
    static constexpr std::size_t kTypicalFields = 32;

    struct CLineRec {
        std::uint32_t nBegin = 0, nSize = 0; // the text in the batch's text
        std::uint32_t nEnds = 0;             // where its field ends begin in the batch's ends
        std::uint32_t nFields = 0;
        std::uint64_t nCareful = 0;
        bool bTooLong = false;
    };
    // Texts, records and field ends each one after the other: the caller reads a
    // batch in the order the thread wrote it, and nothing more than it needs.
    struct CBatch {
        std::string text;
        std::vector<CLineRec> lines;
        std::vector<std::uint32_t> ends;
        long nFirstLine = 0;
        std::int64_t nReadPos = 0; // file position after the batch
        bool bLast = false;        // nothing follows this batch
        bool bFault = false;       // the read ended with a fault
    };

    void Produce();
    void Fill(CBatch& batch, std::uint64_t nBatch);
    bool WaitForFree(std::uint64_t nBatch);

    CDBStdioFile& m_file;
    long m_nLine;
    std::string m_strSpill; // a line that crosses the file's read buffer
    std::array<CBatch, kBatches> m_arrBatches;

    std::mutex m_mutex;
    std::condition_variable m_cvFilled, m_cvFreed;
    std::uint64_t m_nFilled = 0;   // batches the thread has handed over
    std::uint64_t m_nReleased = 0; // batches the caller has given back
    bool m_bStop = false;
    std::exception_ptr m_pException;

    // The caller's side.
    const CBatch* m_pCurrent = nullptr;
    std::size_t m_nNext = 0;
    bool m_bEnd = false;
    bool m_bFailed = false;

    std::thread m_thread; // last: starts when everything else is in place
};
