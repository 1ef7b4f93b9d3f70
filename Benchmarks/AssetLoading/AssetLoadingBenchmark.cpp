// Parses a generated ~200,000-triangle model with the game's loader and with
// tinyobjloader, and reads its cache against a raw read of as many bytes.
// Prints throughput of each and the ratios at the end.
#include "Assets/ModelCache.h"
#include "Assets/ObjParser.h"

#include <benchmark/benchmark.h>
#include <boost/filesystem.hpp>
#include <tiny_obj_loader.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

namespace {

const int gridCells = 320;    // per side; every cell gives two triangles
const int cellsPerRun = 4096; // cells between "usemtl" lines
const char* const materialText = "newmtl stone\nKd 0.5 0.5 0.5\nnewmtl sand\nKd 0.9 0.8 0.6\n"
                                 "newmtl moss\nKd 0.2 0.6 0.2\nnewmtl clay\nKd 0.7 0.3 0.2\n";
const char* const materialNames[] = {"stone", "sand", "moss", "clay"};

// Small deterministic generator so every run parses the same text.
class Random
{
public:
    double Next()
    {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(state >> 11) / static_cast<double>(1ull << 53);
    }

private:
    std::uint64_t state = 42;
};

void AppendVertexLines(std::ostringstream& out, Random& random)
{
    char line[96];
    for (int y = 0; y <= gridCells; ++y) {
        for (int x = 0; x <= gridCells; ++x) {
            std::snprintf(line, sizeof line, "v %.6f %.6f %.6f\n", x * 0.125 - 20.0, y * 0.125 - 20.0,
                          random.Next() * 2.0 - 1.0);
            out << line;
            std::snprintf(line, sizeof line, "vt %.6f %.6f\n", x / double(gridCells), y / double(gridCells));
            out << line;
            std::snprintf(line, sizeof line, "vn %.6f %.6f %.6f\n", random.Next() * 0.2 - 0.1,
                          random.Next() * 0.2 - 0.1, 0.994987);
            out << line;
        }
    }
}

// Half of the cells are quads, the others two triangles.
std::string GenerateModel()
{
    Random random;
    std::ostringstream out;
    out << "# generated terrain patch\nmtllib terrain.mtl\no Terrain\n";
    AppendVertexLines(out, random);
    out << "s off\n";
    const int row = gridCells + 1;
    for (int cell = 0; cell < gridCells * gridCells; ++cell) {
        if (cell % cellsPerRun == 0)
            out << "usemtl " << materialNames[(cell / cellsPerRun) % 4] << "\n";
        const int x = cell % gridCells, y = cell / gridCells;
        const int a = y * row + x + 1, b = a + 1, c = a + row + 1, d = a + row;
        if (random.Next() < 0.5) {
            out << "f " << a << '/' << a << '/' << a << ' ' << b << '/' << b << '/' << b << ' ' << c << '/' << c
                << '/' << c << ' ' << d << '/' << d << '/' << d << "\n";
        } else {
            out << "f " << a << '/' << a << '/' << a << ' ' << b << '/' << b << '/' << b << ' ' << c << '/' << c
                << '/' << c << "\n";
            out << "f " << c << '/' << c << '/' << c << ' ' << d << '/' << d << '/' << d << ' ' << a << '/' << a
                << '/' << a << "\n";
        }
    }
    return out.str();
}

const std::string& ModelText()
{
    static const std::string text = GenerateModel();
    return text;
}

// Untextured materials by name, as the library file above defines them.
class NamedMaterials : public ObjParser::MaterialSource
{
public:
    void LoadLibrary(const std::string&) override {}
    Material GetMaterial(const std::string&) override { return Material(); }
};

void OurParse(benchmark::State& state)
{
    const std::string& text = ModelText();
    NamedMaterials materials;
    std::ostringstream sink;
    for (auto _ : state) {
        ObjParser parser(materials, sink, sink);
        ObjMesh mesh = parser.Parse(text);
        benchmark::DoNotOptimize(mesh.corners.data());
        sink.str(std::string());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void OurFlatten(benchmark::State& state)
{
    NamedMaterials materials;
    std::ostringstream sink;
    ObjParser parser(materials, sink, sink);
    const ObjMesh mesh = parser.Parse(ModelText());
    for (auto _ : state) {
        MeshArrays arrays = mesh.Flatten();
        benchmark::DoNotOptimize(arrays.positions.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * ModelText().size()));
}

void TinyObjParse(benchmark::State& state)
{
    const std::string& text = ModelText();
    for (auto _ : state) {
        std::istringstream in(text);
        std::istringstream mtl(materialText);
        tinyobj::MaterialStreamReader reader(mtl);
        tinyobj::attrib_t attrib;
        std::vector<tinyobj::shape_t> shapes;
        std::vector<tinyobj::material_t> materials;
        std::string warn, err;
        if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warn, &err, &in, &reader))
            state.SkipWithError("tinyobjloader failed");
        benchmark::DoNotOptimize(attrib.vertices.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// The cache of the generated model, written once to the temp folder.
const std::string& CacheFile()
{
    static const std::string file = [] {
        NamedMaterials materials;
        std::ostringstream sink;
        ObjParser parser(materials, sink, sink);
        const std::string path =
            (boost::filesystem::temp_directory_path() / "asset_loading_benchmark.obj.bin").string();
        ModelCache::Save(path, parser.Parse(ModelText()).Flatten());
        return path;
    }();
    return file;
}

void CacheRead(benchmark::State& state)
{
    const std::string& file = CacheFile();
    for (auto _ : state) {
        MeshArrays arrays;
        if (!ModelCache::Read(file, arrays))
            state.SkipWithError("cache rejected");
        benchmark::DoNotOptimize(arrays.positions.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * boost::filesystem::file_size(file)));
}

void RawRead(benchmark::State& state)
{
    const std::string& file = CacheFile();
    const auto size = static_cast<std::size_t>(boost::filesystem::file_size(file));
    for (auto _ : state) {
        std::ifstream in(file.c_str(), std::ios::binary);
        std::unique_ptr<char[]> bytes(new char[size]);
        in.read(bytes.get(), static_cast<std::streamsize>(size));
        benchmark::DoNotOptimize(bytes.get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// Keeps each run's CPU time per iteration (steadier than wall time on a shared
// machine) so the ratios can be printed last, from the fastest repetition
// when repeated.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            seconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios(std::ostream& out)
    {
        out << "model: " << ModelText().size() / 1e6 << " MB of OBJ text, cache "
            << boost::filesystem::file_size(CacheFile()) / 1e6 << " MB\n";
        Ratio(out, "OurParse", "TinyObjParse", "CPU time, our parse / tinyobjloader parse (target <= 0.5)");
        Ratio(out, "OurFlatten", "TinyObjParse", "CPU time, our flattening / tinyobjloader parse");
        Ratio(out, "CacheRead", "RawRead", "CPU time, cache read / raw read (target <= 1.5)");
    }

private:
    void Ratio(std::ostream& out, const std::string& ours, const std::string& peer, const char* what)
    {
        const double a = Seconds(ours), b = Seconds(peer);
        if (a > 0 && b > 0)
            out << what << ": " << a / b << "\n";
    }

    double Seconds(const std::string& name)
    {
        for (const std::string& key : {name + "_min", name}) {
            if (seconds.count(key))
                return seconds[key];
        }
        return 0;
    }

    std::map<std::string, double> seconds;
};

} // namespace

// The fastest repetition is the least disturbed by other work on the machine.
double Fastest(const std::vector<double>& times)
{
    return times.empty() ? 0.0 : *std::min_element(times.begin(), times.end());
}

BENCHMARK(OurParse)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
BENCHMARK(OurFlatten)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
BENCHMARK(TinyObjParse)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
BENCHMARK(CacheRead)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
BENCHMARK(RawRead)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(std::cout);
    boost::filesystem::remove(CacheFile());
    return 0;
}
