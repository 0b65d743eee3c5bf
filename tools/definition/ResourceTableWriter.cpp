#include "tools/definition/ResourceTableWriter.h"

#include <cstdio>

#include "platform/definition/StoredDefinitions.h"

namespace keldwick::defc {

namespace {

constexpr const char* kGeneratedNote =
    "// Generated at build time by keldwick_defc from ui/definitions/; edit the descriptions instead.\n";

std::string byteArray(const std::string& name, const std::vector<std::byte>& bytes) {
    std::string out = "constexpr unsigned char " + name + "[" + std::to_string(bytes.size()) + "] = {";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X,", std::to_integer<unsigned>(bytes[i]));
        out += i % 16 == 0 ? "\n    " : " ";
        out += hex;
    }
    return out + "\n};\n\n";
}

}  // namespace

std::string embeddedTableSource(const std::vector<CompiledResource>& resources) {
    std::string out = kGeneratedNote;
    out +=
        "#include \"platform/definition/ResourceTable.h\"\n#include "
        "\"platform/definition/StoredDefinitions.h\"\n\n";
    out += "namespace {\n\n";
    for (std::size_t i = 0; i < resources.size(); ++i) {
        out += byteArray("kResource" + std::to_string(i), resources[i].bytes);
    }
    out += "constexpr rt::definition::ResourceEntry kEntries[] = {\n";
    for (std::size_t i = 0; i < resources.size(); ++i) {
        const auto array = "kResource" + std::to_string(i);
        out += "    {rt::definition::kResourceType, \"";
        out += resources[i].name;
        out += "\", rt::definition::kResourceLanguage, ";
        out += array;
        out += ", sizeof ";
        out += array;
        out += "},\n";
    }
    out += "};\n\n}  // namespace\n\n";
    out += "std::span<const rt::definition::ResourceEntry> rt::definition::embeddedResources() {\n";
    out += "    return kEntries;\n}\n";
    return out;
}

std::string resourceScript(const std::vector<CompiledResource>& resources) {
    std::string out = kGeneratedNote;
    const auto language = rt::definition::kResourceLanguage;
    out += "LANGUAGE " + std::to_string(language & 0x3FF) + ", " + std::to_string(language >> 10) + "\n";
    for (const auto& resource : resources) {
        out += resource.name + " " + std::string(rt::definition::kResourceType) + " \"" +
               resource.binaryPath + "\"\n";
    }
    return out;
}

}  // namespace keldwick::defc
