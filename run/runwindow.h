// IRunWindow: the window that the interpreter's worker thread posts its two messages to.
#pragma once

// The messages as a window's queue holds them; None stands for "nothing came".
enum class RunMessage {
    None,
    Finished,  // a run has come to its end normally
    Show,      // a step is done; draw the space, then set continue
};

// Implementations only queue the message for the interface thread; they never wait for it.
class IRunWindow {
public:
    virtual ~IRunWindow() = default;
    virtual void postRunShow() = 0;
    virtual void postRunFinished() = 0;
};
