// Reading and writing a space file of 1,000,000 cell lines, in memory and through a file.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <string>

#include "formats/filestream.h"
#include "formats/memorystream.h"
#include "formats/spacereader.h"
#include "formats/spacewriter.h"

namespace {

// 100 x 100 x 100, every cell a colour: one cell line per cell.
const CSpace& fullSpace()
{
    static const CSpace space = [] {
        CSpace s(100, 100, 100, 0);
        unsigned v = 12345;
        for (int z = 0; z < 100; z++)
            for (int y = 0; y < 100; y++)
                for (int x = 0; x < 100; x++) {
                    v = v * 1103515245u + 12345u;
                    s.set(x, y, z, 100 + int((v >> 16) % 8));
                }
        return s;
    }();
    return space;
}

const std::string& fullText()
{
    static const std::string text = [] {
        CMemoryStream out;
        writeSpaceFile(out, fullSpace());
        return out.contents();
    }();
    return text;
}

std::string scratchFile() { return "/tmp/bench_spacefile_" + std::to_string(getpid()) + ".ts3"; }

void ReadFromMemory(benchmark::State& state)
{
    const std::string& text = fullText();
    for (auto _ : state) {
        CMemoryStream in(text);
        CSpace loaded(1, 1, 1, 0);
        if (!readSpaceFile(in, loaded) || loaded.countNonEmpty() != 1000000) state.SkipWithError("bad read");
        benchmark::DoNotOptimize(loaded.data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(text.size()));
    state.SetItemsProcessed(state.iterations() * 1000000);
}

void WriteToMemory(benchmark::State& state)
{
    const CSpace& space = fullSpace();
    for (auto _ : state) {
        CMemoryStream out;
        writeSpaceFile(out, space);
        if (out.contents().size() != fullText().size()) state.SkipWithError("bad write");
        benchmark::DoNotOptimize(out.contents().data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(fullText().size()));
    state.SetItemsProcessed(state.iterations() * 1000000);
}

// Saving includes the sync to disk and the rename over the previous file.
void WriteToFile(benchmark::State& state)
{
    const std::string path = scratchFile();
    for (auto _ : state) {
        CFileWriteStream out(path);
        if (!writeSpaceFile(out, fullSpace()) || !out.commit()) state.SkipWithError(out.error().c_str());
    }
    unlink(path.c_str());
    state.SetItemsProcessed(state.iterations() * 1000000);
}

void ReadFromFile(benchmark::State& state)
{
    const std::string path = scratchFile();
    {
        CFileWriteStream out(path);
        if (!writeSpaceFile(out, fullSpace()) || !out.commit()) state.SkipWithError(out.error().c_str());
    }
    for (auto _ : state) {
        CFileReadStream in(path);
        CSpace loaded(1, 1, 1, 0);
        if (!readSpaceFile(in, loaded) || loaded.countNonEmpty() != 1000000) state.SkipWithError("bad read");
    }
    unlink(path.c_str());
    state.SetItemsProcessed(state.iterations() * 1000000);
}

}  // namespace

BENCHMARK(ReadFromMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteToMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteToFile)->Unit(benchmark::kMillisecond);
