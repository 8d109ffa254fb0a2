// Whole runs of the gallery programs inside this process: the worker's own loop (RunGuarded, each
// show answered the moment it is posted), without the process start, the file read and the
// thread hand-over per step that timing through tessera-run also counts. Set beside
// bench/gallery-speed's end-to-end figures, the two say where a program's time goes.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "cli/spaceprinter.h"
#include "formats/filestream.h"
#include "formats/spacefile.h"
#include "interpreter/interpreter.h"
#include "run/runlink.h"
#include "run/runwindow.h"

namespace {
struct Press {
    bool left;
    long step;  // pressed just before this step begins, as tessera-run --click does
};

struct Program {
    std::string name;
    long stepLimit = 0;  // 0: run to the end
    std::vector<Press> presses;
};

// Sizes and every cell alike.
bool sameSpace(const CSpace& a, const CSpace& b)
{
    return a.getSizeX() == b.getSizeX() && a.getSizeY() == b.getSizeY() && a.getSizeZ() == b.getSizeZ() &&
           countChangedCells(a, b) == 0;
}

// Answers each show on the worker's own thread: presses what is due, then continues, or stops at
// the step limit. When counting, it also counts the cells each step changed.
class AnsweringWindow : public IRunWindow {
public:
    AnsweringWindow(CRunLink& link, const Program& program, bool counting)
        : link(link), program(program), counting(counting)
    {
        if (counting) before = link.space;
        press(1);
    }
    void postRunShow() override
    {
        std::lock_guard<std::recursive_mutex> hold(link.mutex);
        steps++;
        if (counting) {
            changed += countChangedCells(before, link.space);
            before = link.space;
        }
        if (program.stepLimit && steps >= program.stepLimit && !link.shown.last) {
            link.stopEvent.set();
            return;
        }
        press(steps + 1);
        link.continueEvent.set();
    }
    void postRunFinished() override {}

    long steps = 0;
    long changed = 0;

private:
    void press(long step)
    {
        for (const Press& p : program.presses)
            if (p.step == step) p.left ? link.devices.pressLeft() : link.devices.pressRight();
    }
    CRunLink& link;
    const Program& program;
    const bool counting;
    CSpace before{0, 0, 0, 0};
};

bool readSpace(const std::string& path, CSpace& space)
{
    CFileReadStream in(path);
    return in.isOpen() && readAnySpaceFile(in, space);
}

// One run from the drawing; returns the steps shown and, when counting, the cells changed. It
// runs on a thread of its own, as every run does: the coin toss's sequence starts afresh with
// each thread.
std::pair<long, long> runOnce(const CSpace& drawing, const Program& program, bool counting, CSpace* end)
{
    CRunLink link;
    link.space = drawing;
    AnsweringWindow window(link, program, counting);
    link.viewWnd = &window;
    CInterpreter interpreter;
    interpreter.Attach(&link);
    std::thread([&interpreter] { interpreter.RunGuarded(); }).join();
    interpreter.Detach();
    if (end) *end = std::move(link.space);
    return {window.steps, window.changed};
}

void runProgram(benchmark::State& state, const Program& program)
{
    const std::string base = std::string(TESSERA_GALLERY_DIR) + "/" + program.name;
    CSpace drawing(0, 0, 0, 0), expected(0, 0, 0, 0), end(0, 0, 0, 0);
    if (!readSpace(base + ".ts3", drawing) || !readSpace(base + ".expected.ts3", expected)) {
        state.SkipWithError("cannot read the program or its expected end");
        return;
    }
    // One counting run first, untimed: it gives the cells changed and checks the end.
    const auto [steps, changed] = runOnce(drawing, program, true, &end);
    if (!sameSpace(end, expected)) {
        state.SkipWithError("the run did not end at the expected space");
        return;
    }
    for (auto _ : state) runOnce(drawing, program, false, nullptr);
    state.counters["steps"] = double(steps);
    state.counters["cells"] = double(changed);
    state.counters["per_cell"] =
        benchmark::Counter(double(changed), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// gallery.index: "name | arguments | title | text"; lines starting with # are skipped. The
// arguments used here are --steps N and --click left@N / right@N.
std::vector<Program> readIndex()
{
    std::vector<Program> programs;
    std::ifstream index(std::string(TESSERA_GALLERY_DIR) + "/gallery.index");
    for (std::string line; std::getline(index, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string name, args;
        std::getline(fields, name, '|');
        std::getline(fields, args, '|');
        Program p;
        std::istringstream(name) >> p.name;
        std::istringstream words(args);
        for (std::string word; words >> word;) {
            std::string value;
            words >> value;
            if (word == "--steps") p.stepLimit = std::stol(value);
            if (word == "--click") {
                const auto at = value.find('@');
                p.presses.push_back({value.substr(0, at) == "left", std::stol(value.substr(at + 1))});
            }
        }
        if (!p.name.empty()) programs.push_back(std::move(p));
    }
    return programs;
}
}  // namespace

int main(int argc, char** argv)
{
    for (const Program& p : readIndex())
        benchmark::RegisterBenchmark(("BM_Gallery/" + p.name).c_str(), [p](benchmark::State& s) { runProgram(s, p); })
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
