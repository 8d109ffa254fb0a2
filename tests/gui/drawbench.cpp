// Frame time of the editor's view on large spaces of random cells, and how a run of a program
// looks while the view draws it. Prints wall-clock frame times and the CPU time per frame, of
// the whole process and of the drawing thread alone.
//
//   gui_drawbench                                  100 x 20 x 100, 50,000 cells, 40 frames
//   gui_drawbench --size 300x20x300 --cells 1000000
//   gui_drawbench --size 100x20x100 --cells 50000 --size 300x20x300 --cells 1000000
//                                                  both, side by side, and the ratio
//   gui_drawbench --eye move                       the eye turns a little before every frame
//   gui_drawbench --change 100                     100 random cells change before every frame
//   gui_drawbench --run flip.ts3 --seconds 10      steps shown per second, then how long Stop takes
//   gui_drawbench --run flip.ts3 --speed 2         the same at the Run menu's third speed
//
// The older form "gui_drawbench [FRAMES] [edges|noedges]" still works. Mesa's own settings come
// from the environment: mesa_glthread=true measures with its GL thread.
#include <CLI/CLI.hpp>
#include <QApplication>
#include <QElapsedTimer>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QTest>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "formats/filestream.h"
#include "formats/memorystream.h"
#include "guitestsupport.h"
#include "view/runwatcher.h"

namespace {
struct SSize {
    int x = 100, y = 20, z = 100;
};

double CpuMs(int who)
{
    rusage u;
    getrusage(who, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

// `filled` distinct random cells of the space, each one of the eight colours, as a space file.
std::string RandomSpaceText(const SSize& s, long filled, std::mt19937& random)
{
    const long total = long(s.x) * s.y * s.z;
    std::vector<int> order(total);
    for (long i = 0; i < total; i++) order[i] = int(i);
    std::shuffle(order.begin(), order.end(), random);
    std::string text = SpaceFileText(s.x, s.y, s.z);
    char line[64];
    for (long i = 0; i < std::min(filled, total); i++) {
        const int c = order[i];
        std::snprintf(line, sizeof line, "(%d,%d,%d,%d)\r\n", c % s.x, c / s.x % s.y, c / (s.x * s.y), 100 + int(random() % 8));
        text += line;
    }
    return text;
}

// Empty or one of the eight colours.
int RandomValue(std::mt19937& random)
{
    const int v = int(random() % 9);
    return v == 8 ? 0 : 100 + v;
}

struct SFrames {
    double median = 0, mean = 0, min = 0, max = 0, cpu = 0, drawingCpu = 0;
};

struct SOptions {
    int frames = 40;
    bool edges = true;
    std::string eye = "still";
    int change = 0;
};

// Frames of one space: `frames` redraws, each finished (glFinish) before the clock stops.
SFrames MeasureSpace(const SSize& size, long cells, const SOptions& opt)
{
    std::mt19937 random(12345);
    CTesseraDoc doc;
    CMemoryStream in(RandomSpaceText(size, cells, random), "bench.ts3");
    if (!doc.Load(in)) std::exit(1);
    CTesseraView view(&doc);
    view.resize(640, 480);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) std::exit(2);
    view.OnInitialUpdate();
    view.SetCellEdges(opt.edges);

    int frameNumber = 0;
    auto frame = [&] {
        if (opt.eye == "move") view.PlaceEye(view.GetViewpoint().elevation, view.GetViewpoint().azimuth + 0.01f, view.GetViewpoint().distance);
        for (int i = 0; i < opt.change; i++)
            doc.SetCell(int(random() % size.x), int(random() % size.y), int(random() % size.z), RandomValue(random));
        view.Redraw();
        view.makeCurrent();
        QOpenGLContext::currentContext()->functions()->glFinish();  // the frame is really drawn
        view.doneCurrent();
        frameNumber++;
    };
    for (int i = 0; i < 3; i++) frame();
    const double cpu0 = CpuMs(RUSAGE_SELF), main0 = CpuMs(RUSAGE_THREAD);
    std::vector<double> ms;
    for (int i = 0; i < opt.frames; i++) {
        const auto t0 = std::chrono::steady_clock::now();
        frame();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    SFrames f;
    f.cpu = (CpuMs(RUSAGE_SELF) - cpu0) / opt.frames;
    f.drawingCpu = (CpuMs(RUSAGE_THREAD) - main0) / opt.frames;
    std::sort(ms.begin(), ms.end());
    for (double m : ms) f.mean += m / opt.frames;
    f.median = ms[ms.size() / 2];
    f.min = ms.front();
    f.max = ms.back();

    view.makeCurrent();
    static bool rendererShown = false;
    if (!rendererShown)
        std::printf("renderer: %s, mesa_glthread=%s\n",
                    reinterpret_cast<const char*>(QOpenGLContext::currentContext()->functions()->glGetString(GL_RENDERER)),
                    std::getenv("mesa_glthread") ? std::getenv("mesa_glthread") : "(unset)");
    rendererShown = true;
    view.doneCurrent();
    std::printf("space %d x %d x %d, %d non-empty cells, view %d x %d, cell edges %s, eye %s, %d cells changed per frame\n",
                size.x, size.y, size.z, doc.GetSpace().countNonEmpty(), view.width(), view.height(), opt.edges ? "on" : "off",
                opt.eye.c_str(), opt.change);
    std::printf("cells' faces drawn in the last frame: %zu, as %zu textured quads\n", view.DrawnFaceCount(),
                view.DrawnQuadCount());
    std::printf("frame time over %d frames: mean %.2f ms, median %.2f ms, min %.2f ms, max %.2f ms\n", opt.frames, f.mean,
                f.median, f.min, f.max);
    // CPU time per frame, steadier than the wall clock when other work shares the machine: the
    // whole process (with the renderer's threads) and the drawing thread alone.
    std::printf("CPU time per frame: %.2f ms in all threads, %.2f ms in the drawing thread\n", f.cpu, f.drawingCpu);
    std::fflush(stdout);
    return f;
}

// Runs the program in the file as the editor does for `seconds`, then stops it.
int MeasureRun(const std::string& file, double seconds, int speed)
{
    CTesseraDoc doc;
    CFileReadStream in(file);
    if (!in.isOpen() || !doc.Load(in)) {
        std::fprintf(stderr, "gui_drawbench: cannot read %s\n", file.c_str());
        return 1;
    }
    CTesseraView view(&doc);
    view.resize(640, 480);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) return 2;
    view.OnInitialUpdate();
    view.Redraw();

    view.RunWatcher().OnRunSpeed(speed);
    view.RunWatcher().OnRunStart();
    QElapsedTimer clock;
    clock.start();
    const double cpu0 = CpuMs(RUSAGE_SELF), main0 = CpuMs(RUSAGE_THREAD);
    while (clock.elapsed() < seconds * 1000) QApplication::processEvents(QEventLoop::AllEvents, 50);
    const int steps = doc.Session().RunControl().step();
    const double elapsed = clock.elapsed() / 1000.0;
    const double cpu = CpuMs(RUSAGE_SELF) - cpu0, mainCpu = CpuMs(RUSAGE_THREAD) - main0;
    QElapsedTimer stop;
    stop.start();
    view.RunWatcher().OnRunStop();
    const double stopMs = stop.nsecsElapsed() / 1e6;
    // The picture after Stop is drawn at the next paint; drawn here at once, to show its cost.
    view.Redraw();
    view.makeCurrent();
    QOpenGLContext::currentContext()->functions()->glFinish();
    view.doneCurrent();
    const double frameMs = stop.nsecsElapsed() / 1e6;
    std::printf("run of %s (%d x %d x %d, %d non-empty cells), view %d x %d, speed %d\n", file.c_str(), doc.GetSizeX(),
                doc.GetSizeY(), doc.GetSizeZ(), doc.GetSpace().countNonEmpty(), view.width(), view.height(), speed);
    std::printf("%d steps shown in %.2f s: %.1f steps a second; CPU per step %.2f ms in all threads, %.2f ms in the "
                "drawing thread\n",
                steps, elapsed, steps / elapsed, steps ? cpu / steps : 0.0, steps ? mainCpu / steps : 0.0);
    std::printf("Stop took %.2f ms (the worker's end); the frame after it was drawn %.2f ms after Stop began\n", stopMs,
                frameMs);
    return 0;
}
}  // namespace

int main(int argc, char** argv)
{
    CLI::App cli{"Frame time of the editor's view on large spaces of random cells.", "gui_drawbench"};
    SOptions opt;
    std::vector<std::string> sizes;
    std::vector<long> cells;
    std::string legacyFrames, legacyEdges, runFile;
    double seconds = 10;
    int speed = 0;
    cli.add_option("--size", sizes, "Space size XxYxZ; may be given several times, each with its --cells")
        ->check([](const std::string& v) {
            SSize s;
            char extra;
            return std::sscanf(v.c_str(), "%dx%dx%d%c", &s.x, &s.y, &s.z, &extra) == 3 && s.x > 0 && s.y > 0 && s.z > 0 &&
                           long(s.x) * s.y * s.z <= (1L << 26)
                       ? std::string()
                       : "must be XxYxZ with positive sizes and at most 2^26 cells";
        });
    cli.add_option("--cells", cells, "Non-empty random cells, one count per --size")->check(CLI::NonNegativeNumber);
    cli.add_option("--frames", opt.frames, "Frames measured per space")->check(CLI::Range(1, 100000));
    cli.add_option("--eye", opt.eye, "still: the same view every frame; move: the eye turns a little before each")
        ->check(CLI::IsMember({"still", "move"}));
    cli.add_option("--change", opt.change, "Random cells changed before every frame")->check(CLI::NonNegativeNumber);
    cli.add_flag("!--no-edges", opt.edges, "Draw without cell edges");
    cli.add_option("--run", runFile, "Run this program as the editor does and report its steps and Stop");
    cli.add_option("--seconds", seconds, "How long --run runs before Stop")->check(CLI::PositiveNumber);
    cli.add_option("--speed", speed, "The Run menu's speed for --run: 0 as fast as possible ... 3 one step a second")
        ->check(CLI::Range(0, 3));
    cli.add_option("FRAMES", legacyFrames, "Frames (older form)");
    cli.add_option("EDGES", legacyEdges, "edges or noedges (older form)")->check(CLI::IsMember({"edges", "noedges"}));
    CLI11_PARSE(cli, argc, argv);
    if (!legacyFrames.empty()) opt.frames = std::max(1, std::atoi(legacyFrames.c_str()));
    if (legacyEdges == "noedges") opt.edges = false;
    QApplication app(argc, argv);  // after the options, so that --help needs no display

    if (!runFile.empty()) return MeasureRun(runFile, seconds, speed);
    if (sizes.empty()) sizes.push_back("100x20x100");
    if (cells.empty()) cells.push_back(50000);
    if (cells.size() != sizes.size()) {
        std::fprintf(stderr, "gui_drawbench: give one --cells for every --size\n");
        return 2;
    }
    std::vector<SFrames> results;
    for (std::size_t i = 0; i < sizes.size(); i++) {
        SSize s;
        std::sscanf(sizes[i].c_str(), "%dx%dx%d", &s.x, &s.y, &s.z);
        results.push_back(MeasureSpace(s, cells[i], opt));
    }
    for (std::size_t i = 1; i < results.size(); i++)
        std::printf("space %zu against space 1: median frame %.2f x, drawing thread's CPU %.2f x\n", i + 1,
                    results[i].median / results[0].median, results[i].drawingCpu / results[0].drawingCpu);
    return 0;
}
