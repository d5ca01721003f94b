#include "scene/PartHandOver.h"

namespace bravok {

void PartHandOver::Begin(std::size_t parts) {
    {
        std::scoped_lock lock(m_mutex);
        m_finished.emplace(parts, false);
    }
    m_changed.notify_all();
}

void PartHandOver::Finish(std::size_t part) {
    {
        std::scoped_lock lock(m_mutex);
        m_finished->at(part) = true;
    }
    m_changed.notify_all();
}

void PartHandOver::Fail(std::exception_ptr error) {
    {
        std::scoped_lock lock(m_mutex);
        if (!m_error) m_error = std::move(error);
    }
    m_changed.notify_all();
}

bool PartHandOver::Failed() const {
    std::scoped_lock lock(m_mutex);
    return m_error != nullptr;
}

bool PartHandOver::Begun() const {
    std::scoped_lock lock(m_mutex);
    return m_finished.has_value();
}

void PartHandOver::WaitBegun() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_error || m_finished; });
}

bool PartHandOver::ReadyLocked() const {
    return m_error || (m_finished && (m_next == m_finished->size() || (*m_finished)[m_next]));
}

std::optional<std::size_t> PartHandOver::TakeLocked() {
    if (m_error) std::rethrow_exception(m_error);
    if (m_next == m_finished->size()) return std::nullopt;
    return m_next++;
}

std::optional<std::size_t> PartHandOver::Next() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return ReadyLocked(); });
    return TakeLocked();
}

std::optional<std::size_t> PartHandOver::TryNext(bool& notYet) {
    std::scoped_lock lock(m_mutex);
    notYet = !ReadyLocked();
    if (notYet) return std::nullopt;
    return TakeLocked();
}

}  // namespace bravok
