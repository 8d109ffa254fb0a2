// Frame time of the scene: a 100 x 20 x 100 space with 50,000 non-empty cells of mixed colours,
// drawn in a 640 x 480 view. Prints wall-clock frame times and the CPU time per frame.
// Usage: gui_drawbench [FRAMES] [edges|noedges]   (cell edges are on by default, as in the editor)
#include <QApplication>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QTest>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "formats/memorystream.h"
#include "guitestsupport.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int sx = 100, sy = 20, sz = 100, filled = 50000, frames = argc > 1 ? std::atoi(argv[1]) : 40;

    // 50,000 distinct random cells, each one of the eight colours.
    std::vector<int> order(sx * sy * sz);
    for (int i = 0; i < int(order.size()); i++) order[i] = i;
    std::mt19937 random(12345);
    std::shuffle(order.begin(), order.end(), random);
    std::string text = SpaceFileText(sx, sy, sz);
    char line[64];
    for (int i = 0; i < filled; i++) {
        const int c = order[i];
        std::snprintf(line, sizeof line, "(%d,%d,%d,%d)\r\n", c % sx, c / sx % sy, c / (sx * sy), 100 + int(random() % 8));
        text += line;
    }
    CTesseraDoc doc;
    CMemoryStream in(text, "bench.ts3");
    if (!doc.Load(in)) return 1;
    CTesseraView view(&doc);
    view.resize(640, 480);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) return 2;
    view.OnInitialUpdate();
    const bool edges = !(argc > 2 && std::string(argv[2]) == "noedges");
    view.SetCellEdges(edges);

    auto frame = [&] {
        view.Redraw();
        view.makeCurrent();
        QOpenGLContext::currentContext()->functions()->glFinish();  // the frame is really drawn
        view.doneCurrent();
    };
    for (int i = 0; i < 3; i++) frame();
    auto cpuMs = [](int who) {
        rusage u;
        getrusage(who, &u);
        return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
    };
    const double cpu0 = cpuMs(RUSAGE_SELF), main0 = cpuMs(RUSAGE_THREAD);
    std::vector<double> ms;
    for (int i = 0; i < frames; i++) {
        const auto t0 = std::chrono::steady_clock::now();
        frame();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    const double cpuPerFrame = (cpuMs(RUSAGE_SELF) - cpu0) / frames;
    const double mainPerFrame = (cpuMs(RUSAGE_THREAD) - main0) / frames;
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double m : ms) sum += m;
    std::printf("renderer: %s\n",
                reinterpret_cast<const char*>(
                    (view.makeCurrent(), QOpenGLContext::currentContext()->functions()->glGetString(GL_RENDERER))));
    std::printf("space %d x %d x %d, %d non-empty cells, view %d x %d, cell edges %s\n", sx, sy, sz,
                doc.GetSpace().countNonEmpty(), view.width(), view.height(), edges ? "on" : "off");
    std::printf("frame time over %d frames: mean %.2f ms, median %.2f ms, min %.2f ms, max %.2f ms\n", frames,
                sum / frames, ms[ms.size() / 2], ms.front(), ms.back());
    // CPU time per frame, steadier than the wall clock when other work shares the machine: the
    // whole process (with the renderer's threads) and the drawing thread alone.
    std::printf("CPU time per frame: %.2f ms in all threads, %.2f ms in the drawing thread\n", cpuPerFrame,
                mainPerFrame);
    return 0;
}
