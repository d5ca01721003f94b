#include "platform/TextFileReader.h"

#include <cerrno>

#include "platform/FileException.h"

namespace bravok {

TextFileReader::TextFileReader(const char* path) : m_path(path ? path : "") {
    m_file = path ? std::fopen(path, "rb") : nullptr;
    if (m_file == nullptr) throw FileException(FileException::Cause::Open, m_path, errno);
}

TextFileReader::~TextFileReader() {
    if (m_file != nullptr) std::fclose(m_file);
}

int TextFileReader::NextChar() {
    int c = std::getc(m_file);
    if (c == '\r') {
        const int next = std::getc(m_file);
        if (next == '\n') return '\n';
        if (next != EOF) std::ungetc(next, m_file);
    }
    return c;
}

bool TextFileReader::ReadString(char* buffer, std::size_t size) {
    if (m_file == nullptr || buffer == nullptr || size == 0) return false;
    std::size_t length = 0;
    while (length + 1 < size) {
        const int c = NextChar();
        if (c == EOF) break;
        buffer[length++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    if (std::ferror(m_file)) throw FileException(FileException::Cause::Read, m_path, errno);
    if (length == 0 && size > 1) return false;
    buffer[length] = '\0';
    return true;
}

void TextFileReader::SeekToBegin() {
    if (m_file == nullptr || std::fseek(m_file, 0, SEEK_SET) != 0)
        throw FileException(FileException::Cause::Seek, m_path, errno);
}

void TextFileReader::Close() {
    if (m_file == nullptr) return;
    std::FILE* file = m_file;
    m_file = nullptr;
    if (std::fclose(file) != 0) throw FileException(FileException::Cause::Close, m_path, errno);
}

}  // namespace bravok
