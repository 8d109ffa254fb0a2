// tessera-run: loads a space or plane file, runs its program headless through the same document,
// worker thread and show handshake as the editor, and reports, prints or saves the result.
#include <csignal>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/spaceprinter.h"
#include "document/docview.h"
#include "document/tesseradoc.h"
#include "formats/filestream.h"
#include "interpreter/interpreter.h"
#include "run/queuedrunwindow.h"

namespace {
volatile std::sig_atomic_t g_interrupted = 0;
extern "C" void onInterrupt(int) { g_interrupted = 1; }

constexpr int EXIT_ENDED = 0;
constexpr int EXIT_LIMIT = 1;
constexpr int EXIT_BAD_INPUT = 2;
constexpr int EXIT_INTERRUPTED = 130;

struct Options {
    std::string file;
    std::optional<long> steps;
    bool trace = false;
    bool print = false;
    std::string out;
};

// The runner's stand-in for the editor's view: nothing to draw, and its run window queues the
// worker's messages for the main thread, which answers every show request at once.
class CHeadlessView : public IDocView {
public:
    void OnUpdate() override {}
    void OnInitialUpdate() override {}
    IRunWindow* GetRunWindow() override { return &window; }

    CQueuedRunWindow window;
};

int fail(const std::string& message)
{
    std::cerr << "tessera-run: " << message << "\n";
    return EXIT_BAD_INPUT;
}

// Runs the loaded program; returns the exit status and counts the steps shown.
int runProgram(CTesseraDoc& doc, CHeadlessView& view, const Options& opt, long& steps)
{
    CSpace before = doc.GetSpace();
    doc.StartRun();
    for (;;) {
        const RunMessage message = view.window.next(std::chrono::milliseconds(100));
        if (g_interrupted) {
            doc.StopRun();
            std::cerr << "tessera-run: interrupted after " << steps << " steps\n";
            return EXIT_INTERRUPTED;
        }
        if (message == RunMessage::None) {
            if (doc.IsRunAsleep()) {
                doc.StopRun();
                std::cerr << "tessera-run: every unit is asleep waiting for results that cannot come; stopped after "
                          << steps << " steps\n";
                return EXIT_LIMIT;
            }
            continue;
        }
        if (message == RunMessage::Finished) {
            if (doc.GetStatusText() == CInterpreter::STATUS_TOO_MANY_GROUPS) {
                std::cerr << "tessera-run: the program's sequences make more than " << CUnitProgram::MAX_RULE_GROUPS
                          << " rule groups; it was not run\n";
                return EXIT_LIMIT;
            }
            return EXIT_ENDED;
        }
        // A show request: the worker waits for us, so the space and its status are settled.
        steps++;
        CSpace after = doc.GetSpace();
        if (opt.trace)
            std::cout << "step " << steps << ": " << doc.GetStatusText() << " (" << countChangedCells(before, after)
                      << " cells changed)\n";
        before = after;
        const bool lastStep = doc.IsLastStepShown();
        if (opt.steps && steps >= *opt.steps && !lastStep) {
            doc.StopRun();
            return EXIT_LIMIT;
        }
        doc.SignalContinue();
    }
}
}  // namespace

int main(int argc, char** argv)
{
    Options opt;
    CLI::App app{"Runs a 3D-Tessera program without the editor.\n"
                 "Loads a space file (.ts3) or plane file, runs it to its end (or for --steps steps)\n"
                 "and can trace every step, print the final space as text, or save it.\n"
                 "Exit status: 0 the run ended, 1 a step limit was reached, the run can never end or the\n"
                 "program is too large to run, 2 bad arguments or an unreadable file, 130 interrupted\n"
                 "by Ctrl-C.",
                 "tessera-run"};
    app.add_option("FILE", opt.file, "Space file or plane file to run")->required();
    app.add_option("--steps", opt.steps, "Stop after N steps; 0 loads and writes without running")
        ->check(CLI::Validator(
            [](std::string& v) {
                return v.find_first_not_of("0123456789") == std::string::npos && !v.empty()
                           ? std::string()
                           : "must be a whole number of steps, 0 or more";
            },
            "N"));
    app.add_flag("--trace", opt.trace, "Print one line per step: its status text and cells changed");
    app.add_flag("--print", opt.print,
                 "Print the final space as text ('.' empty, W K B R G P Q Y colours, ? any, # outside)");
    app.add_option("--out", opt.out, "Save the final space (.ts3 space file, or .wrl VRML scene)");
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        return fail(std::string(e.what()) + " (see --help)");
    }

    CTesseraDoc doc;
    CHeadlessView view;
    doc.AddView(&view);

    CFileReadStream in(opt.file);
    if (!in.isOpen()) return fail(in.error());
    bool loaded = doc.Load(in);
    if (in.failed()) return fail(in.error());
    if (!loaded) return fail(opt.file + " is not a 3D-Tessera space or plane file");

    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);

    long steps = 0;
    int status = EXIT_ENDED;
    if (!opt.steps || *opt.steps > 0) status = runProgram(doc, view, opt, steps);

    if (!opt.out.empty()) {
        CFileWriteStream out(opt.out);
        if (!out.isOpen() || !doc.Store(out) || !out.commit())
            return fail("cannot write " + opt.out + ": " + out.error());
    }
    if (opt.print) std::cout << printSpace(doc.GetSpace());
    doc.RemoveView(&view);
    return status;
}
