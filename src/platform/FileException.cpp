#include "platform/FileException.h"

#include <cstring>

namespace bravok {

namespace {
const char* Describe(FileException::Cause cause) {
    switch (cause) {
        case FileException::Cause::Open:
            return "cannot open";
        case FileException::Cause::Read:
            return "cannot read";
        case FileException::Cause::Seek:
            return "cannot seek in";
        case FileException::Cause::Close:
            return "cannot close";
    }
    return "cannot use";
}
}  // namespace

FileException::FileException(Cause cause, std::string path, int error)
    : std::runtime_error(std::string(Describe(cause)) + " \"" + path +
                         "\": " + std::strerror(error)),
      m_cause(cause),
      m_path(std::move(path)),
      m_error(error) {}

}  // namespace bravok
