#pragma once
// One read of a hit file in pieces. The calling thread reads the pieces from the
// front into the evaluation's reader, so that their rows need no second move; the
// other threads take them from the back, each piece into a reader of its own, so
// that whichever core is faster reads more. Join then appends the pieces of the
// other threads in file order.
#include "host/CString.h"
#include "host/stat/DBStdioFile.h"
#include "host/stat/HitFilePiece.h"
#include "host/stat/StatAccu.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class CStatReader;

class CPieceRun {
public:
    // limits: where the pieces begin, then the end; file stands at the first.
    CPieceRun(CStatReader& reader, CDBStdioFile& file, std::vector<std::int64_t> limits);

    // Reads every piece on nThreads threads, this one among them. Done, or how the
    // read ended early, with the file's reason in strFault. Progress goes to the
    // reader's progress box, from this thread only.
    CHitFilePiece::End Read(int nThreads, CString& strFault);
    // Numbers the bad lines and appends the pieces of the other threads; after a
    // failed read (bAll false) only the lines read by this thread get numbers.
    void Join(bool bAll);

private:
    CHitFilePiece::End ReadFront();
    CHitFilePiece::End ReadBack(CString& strFault);
    CHitFilePiece::End ReadBackPiece(CDBStdioFile& file, std::size_t k);
    CHitFilePiece& StartPiece(std::size_t k, CStatReader& reader);
    std::int64_t BytesOf(std::size_t k) const;
    bool ShowProgress();
    std::optional<std::size_t> Take(bool bFront);

    CStatReader& m_reader;
    CDBStdioFile& m_file;
    const std::vector<std::int64_t> m_limits;
    std::vector<std::optional<CHitFilePiece>> m_pieces;
    std::vector<std::unique_ptr<CStatReader>> m_readers; // those of the other threads
    std::vector<CStatAccu> m_accus;
    std::vector<std::atomic<std::int64_t>> m_done; // bytes read of each piece
    std::atomic<bool> m_bStop{false};

    std::mutex m_mutex; // guards the pieces not yet taken
    std::size_t m_nFront = 0, m_nBack;
};
