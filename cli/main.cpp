// tessera-run: loads a space or plane file, runs its program headless through the same document,
// worker thread and show handshake as the editor, and reports, prints or saves the result.
#include <atomic>
#include <csignal>
#include <cstdio>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/spaceprinter.h"
#include "formats/gltfwriter.h"
#include "formats/spacefile.h"
#include "document/counttext.h"
#include "document/tesseradoc.h"
#include "formats/filestream.h"
#include "interpreter/blockcatalogue.h"
#include "interpreter/nearmiss.h"
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
    bool rules = false;
    bool blocks = false;
    bool print = false;
    std::string out;
    std::vector<std::string> clicks;  // "left@N" or "right@N"
    std::vector<std::pair<bool, long>> presses;  // (left, step), parsed from clicks
};

// Presses the buttons asked for just before step `step` begins.
void pressBefore(CTesseraDoc& doc, const Options& opt, long step)
{
    for (const auto& [left, at] : opt.presses)
        if (at == step) {
            if (left)
                doc.PressLeft();
            else
                doc.PressRight();
        }
}

std::string boxText(const CBox& b)
{
    return "(" + std::to_string(b.x0) + "," + std::to_string(b.y0) + "," + std::to_string(b.z0) + ")-(" +
           std::to_string(b.x1) + "," + std::to_string(b.y1) + "," + std::to_string(b.z1) + ")";
}

// One line per group the shown step applied: its unit, where it was drawn, how often it applied.
void printApplied(const CShownStep& step)
{
    for (const CAppliedGroup& g : step.applied) {
        std::cout << "  unit (" << g.unit.x << "," << g.unit.y << "," << g.unit.z << ") group "
                  << (g.drawn ? boxText(g.drawing) : std::string("built-in")) << " at "
                  << countText(g.positions, "position", "positions") << "\n";
    }
}

// The runner's stand-in for the editor's view. Show requests are answered on the worker thread
// as they are posted, with the worker waiting for the answer, so that nothing else touches the
// document meanwhile: the runner's work for a step is small, and handing every step to the main
// thread and back would cost two thread switches. Only what the answer declines (a step limit
// reached) and the end of the run go through the queue to the main thread.
class CHeadlessWindow : public CQueuedRunWindow {
public:
    std::function<bool()> answer;  // true: answered; false: queued for the main thread
    void postRunShow() override
    {
        if (!answer || !answer()) post(RunMessage::Show);
    }
};

struct SHeadlessView {
    CHeadlessWindow window;
};

int fail(const std::string& message)
{
    std::cerr << "tessera-run: " << message << "\n";
    return EXIT_BAD_INPUT;
}

// Runs the loaded program; returns the exit status and counts the steps shown.
int runProgram(CTesseraDoc& doc, SHeadlessView& view, const Options& opt, long& stepsShown)
{
    std::atomic<long> steps{0};  // counted on the worker thread, read here on an interruption
    // Only the trace compares steps; without it the space is not copied at every step.
    CSpace before = opt.trace ? doc.GetSpace() : CSpace(0, 0, 0, 0);
    view.window.answer = [&] {
        const long step = ++steps;
        if (opt.trace) {
            CSpace after = doc.GetSpace();
            std::cout << "step " << step << ": " << doc.GetStatusText() << " ("
                      << countText(countChangedCells(before, after), "cell", "cells") << " changed)\n";
            before = std::move(after);
        }
        if (opt.trace && opt.rules) printApplied(doc.Session().GetShownStep());
        const bool lastStep = doc.Session().IsLastStepShown();
        if (opt.steps && step >= *opt.steps && !lastStep) return false;  // the main thread stops the run
        pressBefore(doc, opt, step + 1);
        doc.SignalContinue();
        return true;
    };
    const auto status = [&](int exitStatus) {
        // Every way out leaves the worker stopped or idle after its run: it posts no more shows.
        view.window.answer = nullptr;
        stepsShown = steps;
        return exitStatus;
    };
    pressBefore(doc, opt, 1);
    doc.StartRun();
    for (;;) {
        const RunMessage message = view.window.next(std::chrono::milliseconds(100));
        if (g_interrupted) {
            doc.StopRun();
            std::cerr << "tessera-run: interrupted after " << countText(steps, "step", "steps") << "\n";
            return status(EXIT_INTERRUPTED);
        }
        if (message == RunMessage::None) {
            if (doc.Session().IsRunAsleep()) {
                doc.StopRun();
                std::cerr << "tessera-run: every unit is asleep waiting for results that cannot come; stopped after "
                          << countText(steps, "step", "steps") << "\n";
                return status(EXIT_LIMIT);
            }
            continue;
        }
        if (message == RunMessage::Finished) {
            if (doc.GetStatusText() == CInterpreter::STATUS_TOO_MANY_GROUPS) {
                std::cerr << "tessera-run: the program's sequences make more than " << CUnitProgram::MAX_RULE_GROUPS
                          << " rule groups; it was not run\n";
                return status(EXIT_LIMIT);
            }
            if (doc.Session().IsNothingToRun()) std::cerr << "tessera-run: " << CInterpreter::STATUS_NOTHING_TO_RUN << "\n";
            return status(EXIT_ENDED);
        }
        // A show the answer declined: the step limit is reached, with the worker waiting at it.
        doc.StopRun();
        return status(EXIT_LIMIT);
    }
}
}  // namespace

int main(int argc, char** argv)
{
    Options opt;
    CLI::App app{"Runs a 3D-Tessera program without the editor.\n"
                 "Loads a space file (.ts3), plane file or MagicaVoxel file (.vox), runs it to its end\n"
                 "(or for --steps steps) and can trace every step, print the final space as text, or save it.\n"
                 "Exit status: 0 the run ended, 1 a step limit was reached, the run can never end or the\n"
                 "program is too large to run, 2 bad arguments or an unreadable file, 130 interrupted\n"
                 "by Ctrl-C.",
                 "tessera-run"};
    app.add_option("FILE", opt.file, "Space file, plane file or MagicaVoxel file (.vox) to run")->required();
    app.add_option("--steps", opt.steps, "Stop after N steps; 0 loads and writes without running")
        ->check(CLI::Validator(
            [](std::string& v) {
                return v.find_first_not_of("0123456789") == std::string::npos && !v.empty()
                           ? std::string()
                           : "must be a whole number of steps, 0 or more";
            },
            "N"));
    app.add_flag("--trace", opt.trace, "Print one line per step: its status text and cells changed");
    app.add_flag("--rules", opt.rules,
                 "With --trace: under each step, one line per rule group applied: its unit's corner, the box "
                 "it is drawn in (or built-in) and the number of positions it applied at");
    app.add_option("--click", opt.clicks,
                   "Press a mouse button just before step N, as a click in the editor's view does: left@N or "
                   "right@N; may be given several times")
        ->check(CLI::Validator(
            [](std::string& v) {
                const auto at = v.find('@');
                const std::string button = v.substr(0, at), n = at == std::string::npos ? "" : v.substr(at + 1);
                const bool ok = (button == "left" || button == "right") && !n.empty() && n.size() <= 9 &&
                                n.find_first_not_of("0123456789") == std::string::npos && std::stol(n) > 0;
                return ok ? std::string() : "must be left@N or right@N with a step number N from 1";
            },
            "BUTTON@N"));
    app.add_flag("--blocks", opt.blocks,
                 "Only list the program blocks the reader recognises in FILE, one line each: kind, box and, "
                 "for rule groups, the sizes of each rule's two sides; then each near miss, a drawing that one "
                 "changed cell would make a block: the block, the cell and what is wrong with it");
    app.add_flag("--print", opt.print,
                 "Print the final space as text ('.' empty, W K B R G P Q Y colours, ? any, # outside)");
    app.add_option("--out", opt.out,
                   "Save the final space: a .ts3 space file, a .vox MagicaVoxel file, a .wrl VRML scene or a .glb "
                   "glTF mesh, by the name's ending");
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        return fail(std::string(e.what()) + " (see --help)");
    }

    for (const std::string& click : opt.clicks) {
        const auto at = click.find('@');
        opt.presses.emplace_back(click.substr(0, at) == "left", std::stol(click.substr(at + 1)));
    }

    CTesseraDoc doc;
    SHeadlessView view;
    doc.SetRunWindow(&view.window);

    CFileReadStream in(opt.file);
    if (!in.isOpen()) return fail(in.error());
    SReadNotes notes;
    bool loaded = doc.Load(in, &notes);
    if (in.failed()) return fail(in.error());
    if (!loaded && notes.vox) return fail("cannot read " + opt.file + ": " + notes.error);
    if (!loaded) return fail(opt.file + " is not a 3D-Tessera space or plane file");

    if (opt.blocks) {
        for (const CBlockEntry& block : catalogueBlocks(doc.GetSpace())) std::cout << describeBlock(block) << "\n";
        for (const CNearMiss& miss : findNearMisses(doc.GetSpace())) std::cout << describeNearMiss(miss) << "\n";
        doc.SetRunWindow(nullptr);
        return EXIT_ENDED;
    }

    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);

    long steps = 0;
    int status = EXIT_ENDED;
    if (!opt.steps || *opt.steps > 0) status = runProgram(doc, view, opt, steps);

    if (!opt.out.empty() && isGltfName(opt.out)) {
        CFileWriteStream out(opt.out);
        std::string error;
        if (!out.isOpen() || !writeGltf(out, doc.GetSpace(), &error) || !out.commit())
            return fail("cannot write " + opt.out + ": " + (out.error().empty() ? error : out.error()));
    } else if (!opt.out.empty()) {
        CFileWriteStream out(opt.out);
        if (!out.isOpen() || !doc.Store(out) || !out.commit())
            return fail("cannot write " + opt.out + ": " + out.error());
    }
    if (opt.print) std::cout << printSpace(doc.GetSpace());
    doc.SetRunWindow(nullptr);
    return status;
}
