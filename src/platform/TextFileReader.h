#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace bravok {

// Reads a text file line by line into a caller's fixed buffer, the way the C
// library's fgets does on a text-mode stream: CR LF arrives as LF, and one read
// stores at most size - 1 characters, the line break included, so a longer line
// comes in several pieces. Errors on open, read, seek and close throw
// FileException; the file is closed in every case.
class TextFileReader {
  public:
    explicit TextFileReader(const char* path);
    TextFileReader(const TextFileReader&) = delete;
    TextFileReader& operator=(const TextFileReader&) = delete;
    ~TextFileReader();

    // Fills buffer with the next piece of a line and a terminating NUL. Returns
    // false at the end of the file, with the buffer left as it was.
    bool ReadString(char* buffer, std::size_t size);
    void SeekToBegin();
    void Close();

  private:
    // Next character with CR LF folded into LF, or EOF.
    int NextChar();

    std::string m_path;
    std::FILE* m_file = nullptr;
};

}  // namespace bravok
