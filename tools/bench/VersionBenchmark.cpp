// How long reading "FileVersion" takes, warm page cache: from small generated
// files of each format, and over a corpus of real PE files (by default the
// Windows DLLs of Debian's Wine packages, when installed).
//
//   keldwick-version-bench [benchmark flags] [--corpus=<folder>]
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "FixtureBuilder.h"
#include "platform/version/VersionFile.h"
#include "platform/version/VersionQuery.h"
#include "platform/version/VersionServices.h"

namespace {

namespace fs = std::filesystem;
namespace fixtures = keldwick::fixtures;

constexpr const char* kQuery = "\\StringFileInfo\\040904E4\\FileVersion";
constexpr const char* kDefaultCorpus = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows";

std::string g_folder;
std::vector<std::string> g_corpus;

std::string writeFixture(const std::string& name, const fixtures::Bytes& bytes) {
    auto path = g_folder + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

// What the driver probe does: size and handle, the block, the query.
bool readThroughServices(const char* path) {
    std::uint32_t handle = 0;
    const auto size = rt::version::fileVersionInfoSize(path, &handle);
    if (size == 0) {
        return false;
    }
    std::vector<std::byte> block(size);
    if (!rt::version::fileVersionInfo(path, handle, size, block.data())) {
        return false;
    }
    void* value = nullptr;
    unsigned int length = 0;
    return rt::version::queryVersionValue(block.data(), kQuery, &value, &length) != 0;
}

// The reader alone: one open, the block, the query.
bool readOnce(const char* path) {
    const auto info = rt::version::loadVersionInfo(path);
    return info && rt::version::queryAnsiBlock(info->block, kQuery).has_value();
}

void services(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(readThroughServices(path.c_str()));
    }
}

void reader(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(readOnce(path.c_str()));
    }
}

// One file per iteration, round the corpus; the time is per file.
void corpus(benchmark::State& state) {
    if (g_corpus.empty()) {
        state.SkipWithError("no corpus: pass --corpus=<folder>");
        return;
    }
    std::size_t next = 0;
    std::size_t found = 0;
    for (auto _ : state) {
        found += readOnce(g_corpus[next].c_str()) ? 1u : 0u;
        next = (next + 1) % g_corpus.size();
    }
    state.counters["files"] = static_cast<double>(g_corpus.size());
    benchmark::DoNotOptimize(found);
}

void loadCorpus(const std::string& folder) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.is_regular_file(error)) {
            g_corpus.push_back(entry.path().string());
        }
    }
}

void printUsage() {
    std::puts("usage: keldwick-version-bench [benchmark flags] [--corpus=<folder>]");
    benchmark::PrintDefaultHelp();
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv, &printUsage);
    std::string corpusFolder = kDefaultCorpus;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.starts_with("--corpus=")) {
            corpusFolder = std::string(argument.substr(9));
        } else {
            std::fprintf(stderr, "unknown argument: %s\n", argv[i]);
            return 2;
        }
    }
    char folder[] = "/tmp/keldwick-bench-XXXXXX";
    if (::mkdtemp(folder) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    g_folder = folder;
    loadCorpus(corpusFolder);

    const auto ansi = fixtures::encodeAnsi(fixtures::versionTree(fixtures::driverContents("4.00.1116")));
    const auto unicode =
        fixtures::encodeUnicode(fixtures::versionTree(fixtures::driverContents("4.00.1116")));
    fixtures::PeOptions pe64;
    pe64.is64 = true;
    const std::pair<std::string, std::string> files[] = {
        {"LE", writeFixture("driver.vxd", fixtures::leFile(ansi).bytes)},
        {"NE", writeFixture("driver.dll", fixtures::neFile(ansi).bytes)},
        {"PE32", writeFixture("driver32.dll", fixtures::peFile(unicode).bytes)},
        {"PE32+", writeFixture("driver64.dll", fixtures::peFile(unicode, pe64).bytes)},
    };
    for (const auto& [format, path] : files) {
        benchmark::RegisterBenchmark(("Reader/" + format).c_str(), reader, path)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("Services/" + format).c_str(), services, path)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("Corpus/Reader", corpus)->Unit(benchmark::kMicrosecond);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(g_folder);
    return 0;
}
