// CRunControl: a small state machine over the shows of one run. A show is let go exactly once:
// by the answer to onShow, by delayDue, by resume or stepOnce, or by a restart (onStart).
#include "document/runcontrol.h"

#include <chrono>

#include "document/counttext.h"

namespace {
const CRunControl::Speed kSpeeds[] = {
    {"As fast as possible", 0},
    {"Fast (10 steps a second)", 10},
    {"Slow (3 steps a second)", 3},
    {"One step a second", 1},
};
}  // namespace

int CRunControl::speedCount() { return int(sizeof kSpeeds / sizeof kSpeeds[0]); }

const CRunControl::Speed& CRunControl::speedAt(int index) { return kSpeeds[index]; }

std::int64_t CRunControl::now() const
{
    if (m_clock) return m_clock();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void CRunControl::setSpeed(int index)
{
    if (index >= 0 && index < speedCount()) m_speed = index;
}

bool CRunControl::onStart(int run)
{
    const bool waiting = m_holding || m_delaying;
    m_run = run;
    m_step = 0;
    m_state = State::Running;
    m_holding = false;
    m_delaying = false;
    m_ticket++;  // a delay still running belongs to the old run
    wentOn(now());
    return waiting;
}

int CRunControl::onShow(int run, int step, bool last)
{
    if (run != m_run || !inRun()) return 0;  // an old run on its way to the restart or the stop
    m_step = step;
    if (last) return 0;  // nothing to hold: the run ends with this step
    if (m_paused) {
        m_holding = true;
        m_state = State::Paused;
        return HOLD;
    }
    m_state = State::Running;
    const int rate = kSpeeds[m_speed].stepsPerSecond;
    const std::int64_t at = now();
    // The period in whole ms, rounded so that the rate is kept on average: 333, 333, 334, ...
    // (in 64 bits: a run of many steps must not overflow).
    const std::int64_t k = step;
    const std::int64_t due = rate == 0 ? at : m_wentOn + (1000 * (k + 1)) / rate - (1000 * k) / rate;
    if (due <= at) {
        wentOn(at);
        return 0;
    }
    m_delaying = true;
    m_dueAt = due;
    m_ticket++;
    return int(due - at);
}

bool CRunControl::delayDue(unsigned ticket)
{
    if (!m_delaying || ticket != m_ticket) return false;
    m_delaying = false;
    // From the time it was due, not from a late timer: the next step makes up for the lateness.
    wentOn(m_dueAt);
    if (m_paused) {
        m_holding = true;
        m_state = State::Paused;
        return false;
    }
    return true;
}

bool CRunControl::resume()
{
    m_paused = false;
    if (m_state == State::Paused) m_state = State::Running;
    if (!m_holding) return false;
    m_holding = false;
    wentOn(now());
    return true;
}

bool CRunControl::stepOnce()
{
    m_paused = true;
    if (m_holding || m_delaying) {
        m_holding = false;
        m_delaying = false;
        m_ticket++;
        m_state = State::Running;
        wentOn(now());
        return true;
    }
    return false;
}

bool CRunControl::onFinished(int run, bool nothingToRun)
{
    if (run != m_run || !inRun()) return false;
    m_state = nothingToRun ? State::NothingToRun : State::Ended;
    m_holding = false;
    m_delaying = false;
    m_paused = false;
    return true;
}

void CRunControl::onStopped(int run, int shownStep)
{
    if (inRun()) {
        m_state = State::Stopped;
        if (run == m_run && shownStep > m_step) m_step = shownStep;
    }
    m_holding = false;
    m_delaying = false;
    m_paused = false;
    m_ticket++;
}

void CRunControl::forgetRun()
{
    if (inRun()) return;
    m_state = State::Idle;
    m_step = 0;
    m_paused = false;
}

std::string CRunControl::stateText() const
{
    switch (m_state) {
    case State::Idle: return "";
    case State::Running: return "Running";
    case State::Paused: return "Paused";
    case State::Ended: return "Ended after " + countText(m_step, "step", "steps");
    case State::Stopped: return "Stopped at step " + std::to_string(m_step);
    case State::NothingToRun: return "Nothing to run";
    }
    return "";
}
