// IDocView: what the document needs of a view ("update all views", reinitialise, run messages).
#pragma once

class IRunWindow;

class IDocView {
public:
    virtual ~IDocView() = default;
    // The space or the run state changed: draw again.
    virtual void OnUpdate() = 0;
    // Put cursor, eye and flags back to their initial values (after New, Open, Size Up/Down).
    virtual void OnInitialUpdate() = 0;
    // The window that receives the worker's show and finished messages.
    virtual IRunWindow* GetRunWindow() = 0;
};
