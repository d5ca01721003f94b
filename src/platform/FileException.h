#pragma once

#include <stdexcept>
#include <string>

namespace bravok {

// A file could not be opened, read, or closed. Carries the path and the system's
// error number so a caller that wants to can say why.
class FileException : public std::runtime_error {
  public:
    enum class Cause { Open, Read, Seek, Close };

    FileException(Cause cause, std::string path, int error);

    Cause GetCause() const { return m_cause; }
    const std::string& GetPath() const { return m_path; }
    int GetError() const { return m_error; }

  private:
    Cause m_cause;
    std::string m_path;
    int m_error;
};

}  // namespace bravok
