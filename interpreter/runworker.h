// RunWorker: the worker thread's procedure, which runs an interpreter on a document's behalf.
#pragma once

class CInterpreter;
class CRunLink;

// Runs `interpreter` for `link`: waits for Go, runs, reports each run's end, until a stop request.
void RunWorker(CRunLink* link, CInterpreter& interpreter);
