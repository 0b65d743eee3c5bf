#include <string>
#include <utility>
#include <vector>

#include "FixtureBuilder.h"

namespace keldwick::fixtures {

namespace {

Bytes ansiDriverBlock(const std::string& fileVersion, const std::string& table = "040904E4") {
    return encodeAnsi(versionTree(driverContents(fileVersion, table)));
}

Bytes unicodeDriverBlock(const std::string& fileVersion, const std::string& table = "040904E4") {
    return encodeUnicode(versionTree(driverContents(fileVersion, table)));
}

using Corpus = std::vector<std::pair<std::string, Bytes>>;

void add(Corpus& corpus, std::string name, Bytes bytes) {
    corpus.emplace_back(std::move(name), std::move(bytes));
}

// The texts the driver probe must handle, in the format that matters most.
void addDriverTexts(Corpus& corpus) {
    auto sixty = std::string("4.00.1116 (a fixture build whose text is sixty characters long)");
    sixty.resize(60);
    add(corpus, "le-4.00.1116.vxd", leFile(ansiDriverBlock("4.00.1116")).bytes);
    add(corpus, "le-4.00.950.vxd", leFile(ansiDriverBlock("4.00.950")).bytes);
    add(corpus, "le-trailing-blanks.vxd", leFile(ansiDriverBlock("4.00.1116   ")).bytes);
    add(corpus, "le-leading-blanks.vxd", leFile(ansiDriverBlock("  4.00.1116")).bytes);
    add(corpus, "le-60-characters.vxd", leFile(ansiDriverBlock(sixty)).bytes);
    add(corpus, "le-blanks-only.vxd", leFile(ansiDriverBlock("     ")).bytes);
    add(corpus, "le-empty.vxd", leFile(ansiDriverBlock("")).bytes);
    add(corpus, "le-040904B0-only.vxd", leFile(ansiDriverBlock("4.00.1116", "040904B0")).bytes);
}

// The other formats a VREDIR.VXD can be.
void addOtherFormats(Corpus& corpus) {
    add(corpus, "ne-4.00.1116.dll", neFile(ansiDriverBlock("4.00.1116")).bytes);
    NeOptions shift9;
    shift9.alignShift = 9;
    add(corpus, "ne-shift-9.dll", neFile(ansiDriverBlock("4.00.1116"), shift9).bytes);
    add(corpus, "pe32-4.00.1116.dll", peFile(unicodeDriverBlock("4.00.1116")).bytes);
    PeOptions pe64;
    pe64.is64 = true;
    add(corpus, "pe64-4.00.1116.dll", peFile(unicodeDriverBlock("4.00.1116"), pe64).bytes);
    add(corpus, "pe32-040904B0-only.dll", peFile(unicodeDriverBlock("4.00.1116", "040904B0")).bytes);
    PeOptions twoLanguages;
    twoLanguages.otherLanguages = {{0x0407, unicodeDriverBlock("9.9.9")}};
    add(corpus, "pe32-two-languages.dll", peFile(unicodeDriverBlock("4.00.1116"), twoLanguages).bytes);
    PeOptions secondSection;
    secondSection.dataInSecondSection = true;
    add(corpus, "pe32-data-in-second-section.dll",
        peFile(unicodeDriverBlock("4.00.1116"), secondSection).bytes);
    auto cp1252 = driverContents("4.00.1116");
    cp1252.tables[0].strings.emplace_back("Comments", "caf\xE9 \x80 \x99");
    add(corpus, "pe32-cp1252-text.dll", peFile(encodeUnicode(versionTree(cp1252))).bytes);
    auto varFirst = driverContents("4.00.1116");
    varFirst.varFileInfoFirst = true;
    add(corpus, "le-varfileinfo-first.vxd", leFile(encodeAnsi(versionTree(varFirst))).bytes);
}

// Broken variants, one defect each: no executable at all, or a broken LE file.
void addBrokenLeFiles(Corpus& corpus) {
    add(corpus, "not-executable.txt",
        toBytes("This is a text file, not an executable: it has no MZ header, whatever its length.\n"));
    add(corpus, "empty.bin", {});
    auto le = leFile(ansiDriverBlock("4.00.1116"));
    add(corpus, "mz-truncated.exe", Bytes(le.bytes.begin(), le.bytes.begin() + 30));
    {
        auto broken = le;
        broken.putU32("le.winresoff", 0x7FFFFFF0);
        add(corpus, "le-winresoff-past-eof.vxd", broken.bytes);
    }
    {
        auto broken = le;
        broken.putU32("le.winreslen", 0);
        add(corpus, "le-winreslen-zero.vxd", broken.bytes);
    }
    {
        auto broken = le;
        broken.bytes.at(broken.blockOffset) = std::byte{2};
        broken.bytes.at(broken.blockOffset + 1) = std::byte{0};
        add(corpus, "le-block-length-2.vxd", broken.bytes);
    }
    auto tree = versionTree(driverContents("4.00.1116"));
    auto& fileVersion = tree.children[0].children[0].children[2];
    fileVersion.omitTextNul = true;
    fileVersion.text = "4.00.1116xyz";  // twelve characters: the node ends right after them
    add(corpus, "le-value-without-nul.vxd", leFile(encodeAnsi(tree)).bytes);
}

// Broken NE and PE files, one defect each.
void addBrokenNeAndPeFiles(Corpus& corpus) {
    {
        auto broken = neFile(ansiDriverBlock("4.00.1116"));
        broken.putU16("ne.shift", 16);
        add(corpus, "ne-shift-16.dll", broken.bytes);
    }
    {
        auto broken = neFile(ansiDriverBlock("4.00.1116"));
        broken.putU16("ne.type_count", 0x7FFF);
        add(corpus, "ne-count-past-table.dll", broken.bytes);
    }
    const auto pe = peFile(unicodeDriverBlock("4.00.1116"));
    {
        auto broken = pe;
        broken.putU32("rsrc.type_offset", 0x80000000u);
        add(corpus, "pe32-directory-loop.dll", broken.bytes);
    }
    {
        auto broken = pe;
        broken.putU16("rsrc.root_id_count", 0xFFFF);
        add(corpus, "pe32-huge-entry-count.dll", broken.bytes);
    }
    {
        auto broken = pe;
        broken.putU32("rsrc.data_rva", 0x00F00000);
        add(corpus, "pe32-data-rva-outside.dll", broken.bytes);
    }
    {
        auto broken = pe;
        broken.putU16("pe.number_of_sections", 0xFFFF);
        add(corpus, "pe32-section-count-65535.dll", broken.bytes);
    }
}

}  // namespace

std::vector<std::pair<std::string, Bytes>> standardCorpus() {
    Corpus corpus;
    addDriverTexts(corpus);
    addOtherFormats(corpus);
    addBrokenLeFiles(corpus);
    addBrokenNeAndPeFiles(corpus);
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

}  // namespace keldwick::fixtures
