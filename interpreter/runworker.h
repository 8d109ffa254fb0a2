// RunWorker: the worker thread's procedure, which runs the interpreter on the document's behalf.
#pragma once

class CInterpreter;
class CRunLink;

// Runs the application's interpreter for `link` until a stop request.
void RunWorker(CRunLink* link);
// The same with a given interpreter (tests run their own).
void RunWorkerOn(CRunLink* link, CInterpreter& interpreter);
