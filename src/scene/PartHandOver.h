#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <optional>
#include <vector>

namespace bravok {

// Hands the parts of a file, finished by reader threads in any order, to the
// one thread that uses them, in the file's order: each part once, none skipped,
// and none after the reading has failed, since a failed file is worth nothing
// and what was taken of it is thrown away.
class PartHandOver {
  public:
    // The reading has split the file into this many parts; nothing is handed
    // over before.
    void Begin(std::size_t parts);
    // Part `part` has been read; any reader thread.
    void Finish(std::size_t part);
    // The reading failed, or is given up; the first failure is the one kept.
    void Fail(std::exception_ptr error);
    bool Failed() const;

    // The user's thread: waits for the next part in the file's order and
    // returns it, or nothing once every part has been handed over. Throws the
    // reading's failure as soon as there is one, and on every call after.
    std::optional<std::size_t> Next();
    // The same without waiting: sets notYet, and returns nothing, when the
    // next part is not read yet, or the parts are not known yet.
    std::optional<std::size_t> TryNext(bool& notYet);
    // The parts are known: Begin has come.
    bool Begun() const;
    // Waits until the parts are known or the reading has failed.
    void WaitBegun();

  private:
    // The next part, or nothing at the end; the caller holds the lock, and
    // has seen that it is there or that the reading failed.
    std::optional<std::size_t> TakeLocked();
    bool ReadyLocked() const;

    mutable std::mutex m_mutex;  // guards every field below
    std::condition_variable m_changed;
    std::optional<std::vector<bool>> m_finished;  // one a part, once Begin has come
    std::size_t m_next = 0;                       // the part Next hands over next
    std::exception_ptr m_error;
};

}  // namespace bravok
