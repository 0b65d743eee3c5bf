// keldwick_defc: turns window descriptions into stored definitions at build time.
#include <cstdio>
#include <exception>
#include <set>
#include <string>
#include <vector>

#include "platform/definition/StoredDefinitions.h"
#include "tools/definition/DefinitionCompiler.h"
#include "tools/definition/DescriptionParser.h"
#include "tools/definition/ResourceTableWriter.h"
#include "tools/definition/ToolFiles.h"

namespace {

using keldwick::defc::CompiledResource;
using keldwick::defc::Result;
using keldwick::defc::ToolMessage;

constexpr const char* kUsage =
    "usage: keldwick_defc compile <description> <output.bin>\n"
    "       keldwick_defc embed <output.cpp> <description>...\n"
    "       keldwick_defc rc <output.rc> <description> <binary> [<description> <binary>]...\n";

Result<CompiledResource, ToolMessage> compileFile(const std::string& path) {
    auto text = keldwick::defc::readWholeFile(path);
    if (!text) {
        return ToolMessage{text.error().text};
    }
    auto window = keldwick::defc::parseDescription(text.value());
    if (!window) {
        return ToolMessage{path + ": " + window.error().text};
    }
    auto bytes = keldwick::defc::compileDefinition(window.value());
    if (!bytes) {
        return ToolMessage{path + ": " + bytes.error().text};
    }
    return CompiledResource{
        rt::definition::resourceNameFor(window.value().moduleKey), std::move(bytes).value(), {}};
}

// Compiles every description; `withBinaries` takes a binary path after each.
Result<std::vector<CompiledResource>, ToolMessage> compileAll(const std::vector<std::string>& args,
                                                              bool withBinaries) {
    std::vector<CompiledResource> resources;
    std::set<std::string> names;
    const std::size_t step = withBinaries ? 2 : 1;
    for (std::size_t i = 0; i + step <= args.size(); i += step) {
        auto resource = compileFile(args[i]);
        if (!resource) {
            return ToolMessage{resource.error().text};
        }
        if (!names.insert(resource.value().name).second) {
            return ToolMessage{args[i] + ": a second definition named " + resource.value().name};
        }
        resources.push_back(std::move(resource).value());
        if (withBinaries) {
            resources.back().binaryPath = args[i + 1];
        }
    }
    return resources;
}

Result<void, ToolMessage> run(const std::vector<std::string>& args) {
    const auto mode = args.empty() ? std::string() : args[0];
    const std::vector<std::string> inputs(args.begin() + (args.size() > 2 ? 2 : 0), args.end());
    if (mode == "compile" && args.size() == 3) {
        auto resource = compileFile(args[1]);
        if (!resource) {
            return ToolMessage{resource.error().text};
        }
        return keldwick::defc::writeWholeFile(args[2], resource.value().bytes);
    }
    const bool withBinaries = mode == "rc";
    if ((mode == "embed" || mode == "rc") && !inputs.empty() && (!withBinaries || inputs.size() % 2 == 0)) {
        auto resources = compileAll(inputs, withBinaries);
        if (!resources) {
            return ToolMessage{resources.error().text};
        }
        return keldwick::defc::writeWholeFile(
            args[1], withBinaries ? keldwick::defc::resourceScript(resources.value())
                                  : keldwick::defc::embeddedTableSource(resources.value()));
    }
    return ToolMessage{kUsage};
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 2 && std::string(argv[1]) == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        const auto done = run(std::vector<std::string>(argv + 1, argv + argc));
        if (!done) {
            std::fprintf(stderr, "keldwick_defc: %s\n", done.error().text.c_str());
            return 1;
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "keldwick_defc: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "keldwick_defc: unexpected failure\n");
    }
    return 1;
}
