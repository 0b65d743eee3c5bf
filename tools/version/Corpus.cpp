#include <string>
#include <utility>
#include <vector>

#include "FixtureBuilder.h"

namespace version::fixtures {

namespace {

Bytes ansiDriverBlock(const std::string& fileVersion, const std::string& table = "040904E4") {
    return encodeAnsi(versionTree(driverContents(fileVersion, table)));
}

Bytes unicodeDriverBlock(const std::string& fileVersion, const std::string& table = "040904E4") {
    return encodeUnicode(versionTree(driverContents(fileVersion, table)));
}

}  // namespace

std::vector<std::pair<std::string, Bytes>> standardCorpus() {
    std::vector<std::pair<std::string, Bytes>> corpus;
    const auto add = [&](std::string name, Bytes bytes) {
        corpus.emplace_back(std::move(name), std::move(bytes));
    };
    auto sixty = std::string("4.00.1116 (a fixture build whose text is sixty characters long)");
    sixty.resize(60);

    // The texts the driver probe must handle, in the format that matters most.
    add("le-4.00.1116.vxd", leFile(ansiDriverBlock("4.00.1116")).bytes);
    add("le-4.00.950.vxd", leFile(ansiDriverBlock("4.00.950")).bytes);
    add("le-trailing-blanks.vxd", leFile(ansiDriverBlock("4.00.1116   ")).bytes);
    add("le-leading-blanks.vxd", leFile(ansiDriverBlock("  4.00.1116")).bytes);
    add("le-60-characters.vxd", leFile(ansiDriverBlock(sixty)).bytes);
    add("le-blanks-only.vxd", leFile(ansiDriverBlock("     ")).bytes);
    add("le-empty.vxd", leFile(ansiDriverBlock("")).bytes);
    add("le-040904B0-only.vxd", leFile(ansiDriverBlock("4.00.1116", "040904B0")).bytes);

    // The other formats a VREDIR.VXD can be.
    add("ne-4.00.1116.dll", neFile(ansiDriverBlock("4.00.1116")).bytes);
    NeOptions shift9;
    shift9.alignShift = 9;
    add("ne-shift-9.dll", neFile(ansiDriverBlock("4.00.1116"), shift9).bytes);
    add("pe32-4.00.1116.dll", peFile(unicodeDriverBlock("4.00.1116")).bytes);
    PeOptions pe64;
    pe64.is64 = true;
    add("pe64-4.00.1116.dll", peFile(unicodeDriverBlock("4.00.1116"), pe64).bytes);
    add("pe32-040904B0-only.dll", peFile(unicodeDriverBlock("4.00.1116", "040904B0")).bytes);
    PeOptions twoLanguages;
    twoLanguages.otherLanguages = {{0x0407, unicodeDriverBlock("9.9.9")}};
    add("pe32-two-languages.dll", peFile(unicodeDriverBlock("4.00.1116"), twoLanguages).bytes);
    PeOptions secondSection;
    secondSection.dataInSecondSection = true;
    add("pe32-data-in-second-section.dll", peFile(unicodeDriverBlock("4.00.1116"), secondSection).bytes);
    auto cp1252 = driverContents("4.00.1116");
    cp1252.tables[0].strings.emplace_back("Comments", "caf\xE9 \x80 \x99");
    add("pe32-cp1252-text.dll", peFile(encodeUnicode(versionTree(cp1252))).bytes);
    auto varFirst = driverContents("4.00.1116");
    varFirst.varFileInfoFirst = true;
    add("le-varfileinfo-first.vxd", leFile(encodeAnsi(versionTree(varFirst))).bytes);

    // Broken variants, one defect each.
    add("not-executable.txt",
        toBytes("This is a text file, not an executable: it has no MZ header, whatever its length.\n"));
    add("empty.bin", {});
    auto le = leFile(ansiDriverBlock("4.00.1116"));
    add("mz-truncated.exe", Bytes(le.bytes.begin(), le.bytes.begin() + 30));
    {
        auto broken = le;
        broken.putU32("le.winresoff", 0x7FFFFFF0);
        add("le-winresoff-past-eof.vxd", broken.bytes);
    }
    {
        auto broken = le;
        broken.putU32("le.winreslen", 0);
        add("le-winreslen-zero.vxd", broken.bytes);
    }
    {
        auto broken = le;
        broken.bytes.at(broken.blockOffset) = std::byte{2};
        broken.bytes.at(broken.blockOffset + 1) = std::byte{0};
        add("le-block-length-2.vxd", broken.bytes);
    }
    {
        auto tree = versionTree(driverContents("4.00.1116"));
        auto& fileVersion = tree.children[0].children[0].children[2];
        fileVersion.omitTextNul = true;
        fileVersion.text = "4.00.1116xyz";  // twelve characters: the node ends right after them
        add("le-value-without-nul.vxd", leFile(encodeAnsi(tree)).bytes);
    }
    {
        auto broken = neFile(ansiDriverBlock("4.00.1116"));
        broken.putU16("ne.shift", 16);
        add("ne-shift-16.dll", broken.bytes);
    }
    {
        auto broken = neFile(ansiDriverBlock("4.00.1116"));
        broken.putU16("ne.type_count", 0x7FFF);
        add("ne-count-past-table.dll", broken.bytes);
    }
    auto pe = peFile(unicodeDriverBlock("4.00.1116"));
    {
        auto broken = pe;
        broken.putU32("rsrc.type_offset", 0x80000000u);
        add("pe32-directory-loop.dll", broken.bytes);
    }
    {
        auto broken = pe;
        broken.putU16("rsrc.root_id_count", 0xFFFF);
        add("pe32-huge-entry-count.dll", broken.bytes);
    }
    {
        auto broken = pe;
        broken.putU32("rsrc.data_rva", 0x00F00000);
        add("pe32-data-rva-outside.dll", broken.bytes);
    }
    {
        auto broken = pe;
        broken.putU16("pe.number_of_sections", 0xFFFF);
        add("pe32-section-count-65535.dll", broken.bytes);
    }
    return corpus;
}

std::vector<std::pair<std::string, Bytes>> standardBlocks() {
    std::vector<std::pair<std::string, Bytes>> blocks;
    auto tree = versionTree(driverContents("4.00.1116"));
    blocks.emplace_back("ansi.bin", encodeAnsi(tree));
    blocks.emplace_back("unicode.bin", encodeUnicode(tree));
    auto zeroChild = tree;
    zeroChild.children[0].children[0].children[1].length = 0;
    blocks.emplace_back("ansi-zero-length-child.bin", encodeAnsi(zeroChild));
    auto longChild = tree;
    longChild.children[0].length = 0xFFF0;
    blocks.emplace_back("ansi-child-longer-than-parent.bin", encodeAnsi(longChild));
    blocks.emplace_back("unicode-child-longer-than-parent.bin", encodeUnicode(longChild));
    return blocks;
}

}  // namespace version::fixtures
