// Files on Windows: opened by their wide-character path (the game's paths are
// UTF-8), as a C stream in binary mode, so no byte is changed on the way in.

#include "platform/RegularFile.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <climits>

#include "platform/FileException.h"
#include "platform/win32/WideText.h"

namespace bravok {

namespace {

int ErrnoFromSystem(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return EACCES;
        default:
            return EIO;
    }
}

}  // namespace

std::FILE* OpenRegularFile(const char* path, const std::string& shownPath) {
    const std::wstring wide = WideFromUtf8(path);
    if (wide.empty()) throw FileException(FileException::Cause::Open, shownPath, ENOENT);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw FileException(FileException::Cause::Open, shownPath, EISDIR);
    // Others may go on reading and writing it; a pipe with no server fails at
    // once rather than waiting.
    HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        throw FileException(FileException::Cause::Open, shownPath, ErrnoFromSystem(GetLastError()));
    // A disk file only: not a console, a printer port, NUL or a pipe.
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        throw FileException(FileException::Cause::Open, shownPath, EINVAL);
    }
    // From here on the stream owns the handle.
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        throw FileException(FileException::Cause::Open, shownPath, EMFILE);
    }
    std::FILE* file = _fdopen(fd, "rb");
    if (file == nullptr) {
        const int error = errno;
        _close(fd);
        throw FileException(FileException::Cause::Open, shownPath, error);
    }
    return file;
}

int FilePosition(std::FILE* file, std::uint64_t& position) {
    const __int64 at = _ftelli64(file);
    if (at < 0) return errno;
    position = static_cast<std::uint64_t>(at);
    return 0;
}

int FileLength(std::FILE* file, std::uint64_t& length) {
    const __int64 bytes = _filelengthi64(_fileno(file));
    if (bytes < 0) return errno;
    length = static_cast<std::uint64_t>(bytes);
    return 0;
}

int SeekFile(std::FILE* file, std::uint64_t position) {
    if (position > static_cast<std::uint64_t>(LLONG_MAX)) return EINVAL;
    return _fseeki64(file, static_cast<__int64>(position), SEEK_SET) == 0 ? 0 : errno;
}

}  // namespace bravok
