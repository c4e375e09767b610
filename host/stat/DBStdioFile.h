#pragma once
// A text file of lines, read or written whole by the statistics framework.
//
// Writing never harms an existing file: the lines go to a new temporary file in
// the target's folder (AtomicFile.h), and only Commit() - after everything has
// reached the disk - puts it in place of the target. A write error (a full disk)
// is remembered and makes Flush and Commit fail; closing or destroying the object
// without Commit removes the temporary file, so the previous file stays as it was.
//
// Reading hands out one line at a time without its line end ("\n" or "\r\n"); a
// last line without line end is a line too. Lines longer than kMaxLine are skipped
// and reported as such, so a broken file cannot exhaust the memory; the writer
// refuses such lines, so that whatever it writes reads back.
//
// Only regular files are opened: a folder, a device or a named pipe under the
// file's name is refused with a German reason instead of blocking or failing
// later.
#include "host/CString.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CDBStdioFile {
public:
    static constexpr std::size_t kMaxLine = std::size_t{64} << 20;
    enum class Read { Line, TooLong, End, Fault };

    CDBStdioFile() = default;
    ~CDBStdioFile() { Close(); }
    CDBStdioFile(const CDBStdioFile&) = delete;
    CDBStdioFile& operator=(const CDBStdioFile&) = delete;

    // Writing. The paths are native file-system paths.
    bool OpenWrite(const std::string& strPath);
    // text and "\n"; false once a write failed, or when text is longer than kMaxLine
    bool WriteLine(std::string_view text);
    bool Flush();  // everything written is on the disk; false after any write failure
    bool Commit(); // Flush, then the new file replaces the target; closes the file

    // Reading.
    bool OpenRead(const std::string& strPath);
    Read ReadLine(std::string& line);
    // The first line, when it has at most nMax bytes (else TooLong, and the file
    // is read no further): what tells a hit file needs no more.
    Read ReadFirstLine(std::string& line, std::size_t nMax);
    std::int64_t GetReadPos() const {
        return m_nFileOffset - static_cast<std::int64_t>(m_nEnd - m_nPos);
    }
    std::int64_t GetSize() const { return m_nSize; } // at opening

    // Ends reading; discards a write that was not committed.
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    const std::string& GetPath() const { return m_strPath; }
    // German reason of the first failure, "" while all went well.
    const CString& GetError() const { return m_strError; }

private:
    bool SetFault(int nErrno);
    bool SetNotRegular();
    bool FlushBuffer();
    int FillBuffer(); // 1: data, 0: end of file, -1: fault
    Read ReadUpTo(std::string& line, std::size_t nMax, bool bSkipRest);

    int m_fd = -1;
    bool m_bWriting = false;
    std::string m_strPath;
    std::string m_strTemp;     // the file being written
    std::string m_strOut;      // write buffer
    std::vector<char> m_vecIn; // read buffer
    std::size_t m_nPos = 0, m_nEnd = 0;
    std::int64_t m_nFileOffset = 0;
    std::int64_t m_nSize = 0;
    CString m_strError;
};
