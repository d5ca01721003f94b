#pragma once

namespace bravok {

// GTK does not always report activation and deactivation in pairs: two
// deactivations followed by one activation happen. Every real change of the
// application's active state pauses or resumes the workers once, so only
// changes may be passed on, or the pauses would not balance and the game could
// stay frozen. The application starts active: its workers start running.
class ActivationTracker {
  public:
    // True when `active` differs from the state known so far, which it becomes.
    bool Update(bool active) {
        if (active == m_active) return false;
        m_active = active;
        return true;
    }
    bool IsActive() const { return m_active; }

  private:
    bool m_active = true;
};

}  // namespace bravok
