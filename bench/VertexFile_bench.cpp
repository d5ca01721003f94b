// How fast the vertex-file loader reads a mesh, so a change to the number
// scanning or the two-pass reading shows its cost.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "scene/VertexFile.h"

namespace {

std::filesystem::path WriteMesh(int triangles) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("bravok-bench-" + std::to_string(triangles) + ".vtx");
    std::ofstream out(path);
    for (int t = 0; t < triangles; ++t) {
        out << "0.500000 -1.000000 0.000000 0.500000 1.000000 0.000000 0.482963 1.000000 "
               "0.129410\n";
        out << "1.000000 0.000000 0.000000 1.000000 0.000000 0.000000 0.965926 0.000000 "
               "0.258819\n";
    }
    return path;
}

void BM_ReadVertexFile(benchmark::State& state) {
    const int triangles = static_cast<int>(state.range(0));
    const auto path = WriteMesh(triangles);
    for (auto _ : state) {
        int count = 0;
        std::unique_ptr<double[]> vertices, normals;
        bravok::ReadVertexFile(path.c_str(), count, vertices, normals);
        benchmark::DoNotOptimize(vertices.get());
    }
    state.SetItemsProcessed(state.iterations() * triangles);
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadVertexFile)->Arg(96)->Arg(10000);

void BM_ScanVertexLine(benchmark::State& state) {
    const char* line = "0.500000 -1.000000 0.000000 0.500000 1.000000 0.000000 0.482963 1.0 0.1";
    double values[9];
    for (auto _ : state) benchmark::DoNotOptimize(bravok::ScanVertexLine(line, values));
}
BENCHMARK(BM_ScanVertexLine);

}  // namespace

BENCHMARK_MAIN();
