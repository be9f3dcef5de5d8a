#include "presentation_feedback.h"

namespace tavo {

PresentationFeedback::Frame PresentationFeedback::committed() {
    m_last = ++m_count;
    m_last_done = false;
    m_last_stamp.reset();
    return m_last;
}

void PresentationFeedback::not_committed() {
    m_last = no_frame;
}

std::optional<PresentationFeedback::Settled> PresentationFeedback::await() {
    m_waited = m_last;
    if (m_waited == no_frame) {
        return Settled{};
    }
    if (m_last_done) {
        m_waited = no_frame;
        return Settled{m_last_stamp};
    }
    return std::nullopt;
}

std::optional<PresentationFeedback::Settled>
PresentationFeedback::feedback(Frame frame, std::optional<FrameStamp> stamp) {
    if (frame == m_last) {
        m_last_done = true;
        m_last_stamp = stamp;
    }
    if (m_waited == no_frame || frame != m_waited) {
        return std::nullopt; // an earlier frame's, whose time nobody waits for
    }
    if (!stamp && m_last != no_frame && m_last != frame) {
        // Replaced by a later frame before it was shown: the stimulus went on
        // screen with that one.
        m_waited = m_last;
        if (!m_last_done) {
            return std::nullopt;
        }
        m_waited = no_frame;
        return Settled{m_last_stamp};
    }
    m_waited = no_frame;
    return Settled{stamp};
}

} // namespace tavo
