// How fast a mesh of real size loads: one million triangles (about 154 MB) in
// the forms the tools write, read by the naive loader (fgets into a 260-byte
// buffer, a counting pass, sscanf for each line) as the baseline, by ours, and
// loaded as a whole, list compilation included, on a headless OpenGL context,
// against Mesa compiling the same triangles into a list alone: Load compiles
// while the file is still being read, so it should take little longer. Idle
// threads run beside it, as in the game, where the C library's stream locks
// cost the most. The run ends with each one's median of five runs and its
// range, and the three ratios that matter.
//
//   bench_vertex_file [--triangles=N] [google benchmark flags]
//   bench_vertex_file [--triangles=N] --write-mesh=PATH   (writes the mesh, and ends)

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "HeadlessGl.h"
#include "scene/SceneObject.h"
#include "scene/VertexFile.h"

namespace {

namespace fs = std::filesystem;

std::string g_path;

// A finely divided tube, the shape of the game's own model, in small triangles
// as a real mesh has them: nine numbers a line, in the form of the game's tools
// (%.6f) and of others (%g) in turn.
void WriteMesh(const std::string& path, long triangles) {
    std::FILE* out = std::fopen(path.c_str(), "w");
    const long around = 1000;
    const long along = std::max(1L, triangles / around / 2);
    for (long t = 0; t < triangles; ++t) {
        // Each quad of the tube is two triangles: corners 0 1 2 and 0 2 3.
        const long quad = t / 2 % (around * along);
        const double angles[4] = {0, 1, 1, 0}, heights[4] = {0, 0, 1, 1};
        const int corners[2][3] = {{0, 1, 2}, {0, 2, 3}};
        double xyz[2][9];  // positions, then unit normals
        for (int c = 0; c < 3; ++c) {
            const int k = corners[t % 2][c];
            const double a = 2 * M_PI * (static_cast<double>(quad % around) + angles[k]) / around;
            const double y = -1.0 + 2.0 * (static_cast<double>(quad / around) + heights[k]) / along;
            const double position[3] = {0.5 * std::cos(a), y, 0.5 * std::sin(a)};
            const double normal[3] = {std::cos(a), 0.0, std::sin(a)};
            std::copy_n(position, 3, &xyz[0][3 * c]);
            std::copy_n(normal, 3, &xyz[1][3 * c]);
        }
        for (const auto& line : xyz)
            for (int i = 0; i < 9; ++i)
                std::fprintf(out, t % 4 < 2 ? "%.6f%c" : "%g%c", line[i], i < 8 ? ' ' : '\n');
    }
    std::fclose(out);
}

// The straightforward loader, as a baseline.
long NaiveRead(const char* path, std::unique_ptr<double[]>& vertices,
               std::unique_ptr<double[]>& normals) {
    std::FILE* file = std::fopen(path, "r");
    char line[260];
    long lines = 0;
    while (std::fgets(line, sizeof line, file)) ++lines;
    const long triangles = lines / 2;
    vertices = std::make_unique<double[]>(static_cast<std::size_t>(triangles) * 9);
    normals = std::make_unique<double[]>(static_cast<std::size_t>(triangles) * 9);
    std::rewind(file);
    for (long t = 0; t < triangles; ++t)
        for (double* v : {&vertices[t * 9], &normals[t * 9]})
            if (std::fgets(line, sizeof line, file))
                std::sscanf(line, "%lf %lf %lf %lf %lf %lf %lf %lf %lf", &v[0], &v[1], &v[2], &v[3],
                            &v[4], &v[5], &v[6], &v[7], &v[8]);
    std::fclose(file);
    return triangles;
}

void BM_NaiveRead(benchmark::State& state) {
    for (auto _ : state) {
        std::unique_ptr<double[]> vertices, normals;
        benchmark::DoNotOptimize(NaiveRead(g_path.c_str(), vertices, normals));
    }
}

void BM_ReadVertexFile(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(bravok::ReadVertexFile(g_path.c_str()));
}

void BM_Load(benchmark::State& state) {
    bravok::test::HeadlessGlContext gl;
    if (!gl.Ok()) return state.SkipWithError("no headless OpenGL context");
    for (auto _ : state) {
        // The object is made and given up outside the timing: giving up its
        // arrays returns their memory to the system, which is not loading.
        state.PauseTiming();
        auto object = std::make_unique<bravok::CSceneObject>();
        state.ResumeTiming();
        object->Load(g_path.c_str());
        glFinish();
        state.PauseTiming();
        object.reset();
        glDeleteLists(1, static_cast<GLsizei>(bravok::CSceneObject::NextListId()));
        state.ResumeTiming();
    }
}

// Ways to compile the same mesh into a list; the loader uses the fastest.
enum class Compile { TrianglePerBegin, OneRun, VertexArrays };

void BM_Compile(benchmark::State& state, Compile how) {
    bravok::test::HeadlessGlContext gl;
    if (!gl.Ok()) return state.SkipWithError("no headless OpenGL context");
    const bravok::VertexMesh mesh = bravok::ReadVertexFile(g_path.c_str());
    const std::size_t corners = static_cast<std::size_t>(mesh.triangleCount) * 3;
    for (auto _ : state) {
        glNewList(1, GL_COMPILE);
        if (how == Compile::VertexArrays) {
            glEnableClientState(GL_VERTEX_ARRAY);
            glEnableClientState(GL_NORMAL_ARRAY);
            glVertexPointer(3, GL_DOUBLE, 0, mesh.vertices.get());
            glNormalPointer(GL_DOUBLE, 0, mesh.normals.get());
            glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(corners));
            glDisableClientState(GL_NORMAL_ARRAY);
            glDisableClientState(GL_VERTEX_ARRAY);
        } else {
            if (how == Compile::OneRun) glBegin(GL_TRIANGLES);
            for (std::size_t c = 0; c < corners; ++c) {
                if (how == Compile::TrianglePerBegin && c % 3 == 0) glBegin(GL_TRIANGLES);
                glNormal3dv(&mesh.normals[3 * c]);
                glVertex3dv(&mesh.vertices[3 * c]);
                if (how == Compile::TrianglePerBegin && c % 3 == 2) glEnd();
            }
            if (how == Compile::OneRun) glEnd();
        }
        glEndList();
        glFinish();
        state.PauseTiming();
        glDeleteLists(1, 1);
        state.ResumeTiming();
    }
}

// Prints each benchmark's aggregates over its repetitions, keeps the time per
// iteration of every repetition, and ends with each one's median and range and
// the ratios of the medians: on a shared machine single runs mislead.
class MedianReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        std::vector<Run> shown;
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0 && run.repetitions > 1)
                m_seconds[run.run_name.function_name].push_back(
                    run.real_accumulated_time / static_cast<double>(run.iterations));
            const bool repeated = run.run_type == Run::RT_Iteration && run.repetitions > 1;
            const bool mean = run.aggregate_name == "mean" || run.aggregate_name == "stddev" ||
                              run.aggregate_name == "cv";
            if (!repeated && !mean) shown.push_back(run);
        }
        if (!shown.empty()) ConsoleReporter::ReportRuns(shown);
    }
    void PrintMedians() {
        std::printf("\n%-28s %10s   %s\n", "in ms", "median", "range");
        for (auto& [name, seconds] : m_seconds) {
            std::ranges::sort(seconds);
            std::printf("%-28s %10.0f   %.0f to %.0f (%zu runs)\n", name.c_str(),
                        1e3 * Median(seconds), 1e3 * seconds.front(), 1e3 * seconds.back(),
                        seconds.size());
        }
    }
    void PrintRatio(const char* what, const char* baseline, const char* measured, double wanted) {
        if (!m_seconds.contains(baseline) || !m_seconds.contains(measured)) return;
        const auto& base = m_seconds[baseline];
        const auto& ours = m_seconds[measured];
        std::printf("%-44s %5.1fx faster, median (%.1fx to %.1fx); wanted at least %.0fx\n", what,
                    Median(base) / Median(ours), base.front() / ours.back(),
                    base.back() / ours.front(), wanted);
    }

    // How many times the baseline's time the measured one takes, for goals of
    // at most so many times.
    void PrintTimes(const char* what, const char* baseline, const char* measured, double most) {
        if (!m_seconds.contains(baseline) || !m_seconds.contains(measured)) return;
        const auto& base = m_seconds[baseline];
        const auto& ours = m_seconds[measured];
        std::printf("%-44s %5.2fx its time, median (%.2fx to %.2fx); wanted at most %.2fx\n", what,
                    Median(ours) / Median(base), ours.front() / base.back(),
                    ours.back() / base.front(), most);
    }

  private:
    static double Median(const std::vector<double>& sorted) {
        const std::size_t n = sorted.size();
        return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }

    std::map<std::string, std::vector<double>> m_seconds;
};

// Threads that only wait, as the game's workers, toolkit and sound threads do.
class IdleThreads {
  public:
    explicit IdleThreads(int count) {
        for (int i = 0; i < count; ++i)
            m_threads.emplace_back([this] {
                std::unique_lock lock(m_mutex);
                m_wake.wait(lock, [this] { return m_done; });
            });
    }
    ~IdleThreads() {
        {
            std::scoped_lock lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_all();
        for (auto& thread : m_threads) thread.join();
    }

  private:
    std::mutex m_mutex;  // guards m_done
    std::condition_variable m_wake;
    bool m_done = false;
    std::vector<std::thread> m_threads;
};

}  // namespace

int main(int argc, char** argv) {
    long triangles = 1'000'000;
    const char* meshOnly = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--triangles=", 12) == 0) triangles = std::atol(argv[i] + 12);
        if (std::strncmp(argv[i], "--write-mesh=", 13) == 0) meshOnly = argv[i] + 13;
    }
    if (meshOnly != nullptr) return WriteMesh(meshOnly, triangles), 0;
    std::string folder = (fs::temp_directory_path() / "bravok-bench-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) return 1;
    g_path = folder + "/mesh.vtx";
    WriteMesh(g_path, triangles);
    IdleThreads others(8);

    // Five repetitions each of what the goals are about, one of the others.
    const auto ms = benchmark::kMillisecond;
    const auto min = [](const std::vector<double>& v) { return *std::ranges::min_element(v); };
    const auto max = [](const std::vector<double>& v) { return *std::ranges::max_element(v); };
    using Function = void (*)(benchmark::State&);
    const std::pair<const char*, Function> goals[] = {
        {"NaiveRead", BM_NaiveRead}, {"ReadVertexFile", BM_ReadVertexFile}, {"Load", BM_Load}};
    const auto repeat = [&](benchmark::internal::Benchmark* benchmark) {
        benchmark->Unit(ms)
            ->Iterations(1)
            ->Repetitions(5)
            ->ComputeStatistics("min", min)
            ->ComputeStatistics("max", max);
    };
    for (auto [name, function] : goals) repeat(benchmark::RegisterBenchmark(name, function));
    repeat(benchmark::RegisterBenchmark("Compile/one_run", BM_Compile, Compile::OneRun));
    const std::pair<const char*, Compile> ways[] = {
        {"Compile/triangle_per_begin", Compile::TrianglePerBegin},
        {"Compile/vertex_arrays", Compile::VertexArrays}};
    for (auto [name, how] : ways)
        benchmark::RegisterBenchmark(name, BM_Compile, how)->Unit(ms)->Iterations(2);

    // The repetitions of all of them in a random order, not each one's five in
    // a row: on a shared machine the load drifts, and a ratio of two medians
    // taken minutes apart would measure the drift.
    std::vector<char*> arguments(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, interleave.data());
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%ld triangles, %ju bytes, %u cores\n", triangles,
                static_cast<std::uintmax_t>(fs::file_size(g_path)),
                std::thread::hardware_concurrency());
    reporter.PrintMedians();
    reporter.PrintRatio("reading, ours against the naive loader:", "NaiveRead", "ReadVertexFile",
                        10);
    reporter.PrintRatio("Load with its list against naive reading:", "NaiveRead", "Load", 3);
    reporter.PrintTimes("Load against Mesa compiling its list alone:", "Compile/one_run", "Load",
                        1.15);
    benchmark::Shutdown();
    fs::remove_all(folder);
    return 0;
}
