// CRunControl: pause, single step and speed of a run, seen from the interface thread. After every
// shown step it decides when the worker may go on: at once, after the speed's delay, or not until
// Resume or Step. It never waits and holds no lock; the document carries out its answers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class CRunControl {
public:
    enum class State { Idle, Running, Paused, Ended, Stopped, NothingToRun };
    static constexpr int HOLD = -1;  // answer to a show: keep the worker waiting

    struct Speed {
        const char* name;    // menu text
        int stepsPerSecond;  // what the name promises; 0: as fast as possible
    };
    static int speedCount();
    static const Speed& speedAt(int index);

    void setSpeed(int index);  // out-of-range indices are ignored
    int speed() const { return m_speed; }
    // The clock the steps are paced by, in milliseconds (a steady clock unless a test sets one).
    void setClock(std::function<std::int64_t()> clock) { m_clock = std::move(clock); }
    void pause() { m_paused = true; }
    bool isPaused() const { return m_paused; }

    // A start or restart request for run number `run`: the step count starts again. True when
    // the worker is held at a show (or waits out a delay) and must be let go to see the request.
    bool onStart(int run);
    // Step `step` of run `run` is on screen (`last`: it ended the run). Returns the delay in ms
    // before the worker may go on (0: at once), or HOLD. Shows of an earlier run go on at once.
    // The delay paces the steps: the worker goes on one period (1 s / the speed's steps per
    // second) after it last went on, however long the step and its drawing took within it.
    int onShow(int run, int step, bool last);
    // A delay asked for by onShow has passed; true when the worker should go on now (false when
    // that show is gone, or when Pause came in between: the show is then held).
    bool delayDue(unsigned ticket);
    unsigned ticket() const { return m_ticket; }  // names the show whose delay is running
    // Resume after Pause; true when a held show must be let go.
    bool resume();
    // One step: pauses, and lets go a held or delayed show; true when one must be let go now.
    bool stepOnce();
    // True when it is the end of the run in progress; the end of an earlier run changes nothing.
    // Pause belongs to the run: it ends with it.
    bool onFinished(int run, bool nothingToRun);
    // The worker has ended; `run` and `shownStep` name the last show it wrote, whose step the
    // space holds although that show may not have been answered.
    void onStopped(int run, int shownStep);
    // The space is no longer that of the last run (New, Open, Back, a resize): the step, the
    // state and a pause are forgotten, unless a run is in progress.
    void forgetRun();

    State state() const { return m_state; }
    bool inRun() const { return m_state == State::Running || m_state == State::Paused; }
    bool isHolding() const { return m_holding; }
    int step() const { return m_step; }
    int run() const { return m_run; }  // the number of the run last started
    // "Running", "Paused", "Ended after N steps", "Stopped at step N", "Nothing to run", or empty
    // before the first run.
    std::string stateText() const;

private:
    int m_speed = 0;
    bool m_paused = false;
    int m_run = 0;
    int m_step = 0;
    State m_state = State::Idle;
    bool m_holding = false;   // a show is held until Resume or Step
    bool m_delaying = false;  // a show waits out the speed's delay
    unsigned m_ticket = 0;
    std::int64_t m_wentOn = 0;  // when the worker last went on (clock ms)
    std::int64_t m_dueAt = 0;   // when the delay running now ends
    std::function<std::int64_t()> m_clock;
    std::int64_t now() const;
    void wentOn(std::int64_t at) { m_wentOn = at; }
};
