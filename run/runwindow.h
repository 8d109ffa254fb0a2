// IRunWindow: the window that the interpreter's worker thread posts its two messages to.
#pragma once

constexpr int WM_RUN_FINISHED = 0x401;  // a run has come to its end normally
constexpr int WM_RUN_SHOW = 0x402;      // a step is done; draw the space, then set continue

// Implementations only queue the message for the interface thread; they never wait for it.
class IRunWindow {
public:
    virtual ~IRunWindow() = default;
    virtual void postRunShow() = 0;
    virtual void postRunFinished() = 0;
};
