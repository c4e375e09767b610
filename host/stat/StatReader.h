#pragma once
// The reading half of an evaluation, whatever its file type: reads the hit file
// back for the evaluation dialog, a large file in pieces on several threads.
#include "host/stat/StatEval.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class CStatReader : public CStatEval {
public:
    using CStatEval::CStatEval;

    // Called once before the first line, after the selection was read.
    virtual bool OnlyForProgBeforeMoveDataFromFile() { return true; }
    // Takes one line; the result tells whether the line was used.
    virtual bool MoveDataFromFile(CStatLines& /*line*/) { return false; }
    // Reads the selection file; a missing file reads as empty (CDBIniFile).
    virtual bool ReadMoreSelektions(const CString& /*strPath*/) { return true; }

    // Reading in pieces. A reader that joins only consecutive lines into a row,
    // and decides whether a line joins by nothing but its last row, can read a
    // piece of the file into a reader of its own: NewPiece gives one, empty, with
    // room for the rows of about nBytes of lines (nullptr: the reader reads in
    // one piece). RowCount tells where rows begin; JoinPiece appends the rows of
    // a piece, read after those so far. A piece's reader may add to m_pAccu's
    // errors, but changes nothing else outside itself.
    virtual std::unique_ptr<CStatReader> NewPiece(std::int64_t /*nBytes*/) { return nullptr; }
    virtual std::size_t RowCount() const { return 0; }
    virtual void JoinPiece(CStatReader& /*piece*/) {}

    // Threads that read at once: at most m_nMaxThreads (0: one per processor core),
    // on pieces of at least m_nMinPieceBytes.
    int m_nMaxThreads = 0;
    std::int64_t m_nMinPieceBytes = std::int64_t{1} << 20;

protected:
    // Reads "<strDataDir>/<m_strFileName>.txt": the selection, then every line.
    // A bad line is recorded in accu.m_vecErrors with file name and line number,
    // and reading goes on. False with a German strError when the file is missing
    // or unreadable, is no hit file, or the user cancelled.
    bool ReadHitFile(CStatAccu& accu, CDBStdioFile& file, const std::string& strDataDir,
                     CString& strError);

private:
    bool ReadHeader(CDBStdioFile& file, CString& strError);
    int Threads() const;
    std::vector<std::int64_t> PieceLimits(const CDBStdioFile& file);
    bool ReadPieces(CDBStdioFile& file, std::vector<std::int64_t> limits, CString& strError);
};
