#pragma once
// One piece of a hit file: the lines that begin in a range of bytes, read into a
// reader of the evaluation. A large file is read in many pieces, several at once
// (CPieceRun). The lines of a piece are counted from its beginning; its bad lines
// get their numbers in the file once the pieces before it are counted
// (NameBadLines).
#include "host/CString.h"
#include "host/stat/DBStdioFile.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class CStatReader;

class CHitFilePiece {
public:
    enum class End { Done, Fault, Stopped };
    // Called every kLinesPerStep lines with the file position; false stops the read.
    using StepFn = std::function<bool(std::int64_t nReadPos)>;
    static constexpr long kLinesPerStep = 1024;

    // nLinesBefore: lines counted before the piece's first line, for the steps
    // (the header's for the first piece).
    CHitFilePiece(CStatReader& reader, std::int64_t nTo, long nLinesBefore = 0)
        : m_reader(reader), m_nTo(nTo), m_nLines(nLinesBefore) {}

    // Reads the lines from file, which stands at the piece's first line, up to the
    // first line that begins at nTo or later.
    End Read(CDBStdioFile& file, const StepFn& step);
    // Puts "<file>.txt, Zeile <n>: <why>" into the error records of the bad lines;
    // nLinesBefore are the lines of the file before the piece that it did not count.
    void NameBadLines(const CString& strFileName, long nLinesBefore);
    long GetLines() const { return m_nLines; } // counted, with nLinesBefore

    // Where the first row begins that starts between nFrom and nLimit: a line
    // that starts a row in reader, which must be empty, while the line before it
    // (seen from nFrom on) did not. -1 when there is none.
    static std::int64_t FindRowStart(CDBStdioFile& file, CStatReader& reader, std::int64_t nFrom,
                                     std::int64_t nLimit);

private:
    struct CBadLine {
        std::size_t nError; // its record in the reader's accumulator
        long nLine;         // counted in the piece
        CString strWhy;
    };
    void AddBadLine(const CString& strWhy);

    CStatReader& m_reader;
    std::int64_t m_nTo;
    long m_nLines;
    std::vector<CBadLine> m_vecBadLines;
};
