#include "MzHeader.h"

#include <algorithm>
#include <string>

#include "platform/base/ByteReader.h"

namespace rt::version {

std::string_view formatName(ExecutableFormat format) {
    switch (format) {
        case ExecutableFormat::Pe:
            return "PE";
        case ExecutableFormat::Ne:
            return "NE";
        case ExecutableFormat::Le:
            return "LE";
    }
    return "?";
}

Result<std::uint32_t, Error> parseMzHeader(std::span<const std::byte> header) {
    const rt::ByteReader reader(header);
    if (header.size() < kMzHeaderSize) {
        return fail(Failure::NotExecutable, "file is " + std::to_string(header.size()) +
                                                " bytes, shorter than the 64-byte MZ header");
    }
    // Only "MZ": the reversed "ZM" of early DOS linkers never carries a new header.
    if (reader.u8At(0) != 'M' || reader.u8At(1) != 'Z') {
        return fail(Failure::NotExecutable, "no MZ signature at the start of the file");
    }
    return rt::checkedRead(reader.u32At(0x3C));
}

Result<ExecutableFormat, Error> identifyNewHeader(std::span<const std::byte> signature) {
    const rt::ByteReader reader(signature);
    const auto first = reader.u8At(0);
    const auto second = reader.u8At(1);
    if (!first || !second) {
        return fail(Failure::Truncated, "the file ends before the new header's signature");
    }
    const auto is = [&](char a, char b) {
        return *first == static_cast<std::uint8_t>(a) && *second == static_cast<std::uint8_t>(b);
    };
    if (is('N', 'E')) {
        return ExecutableFormat::Ne;
    }
    if (is('P', 'E') || is('L', 'E')) {
        const auto third = reader.u8At(2);
        const auto fourth = reader.u8At(3);
        if (!third || !fourth) {
            return fail(Failure::Truncated, "the file ends inside the new header's signature");
        }
        if (is('P', 'E')) {
            if (*third != 0 || *fourth != 0) {
                return fail(Failure::NotExecutable, "\"PE\" is not followed by two NUL bytes");
            }
            return ExecutableFormat::Pe;
        }
        if (*third != 0 || *fourth != 0) {
            return fail(Failure::Unsupported, "the LE header declares big-endian byte or word order");
        }
        return ExecutableFormat::Le;
    }
    if (is('L', 'X') || is('W', '3') || is('W', '4')) {
        return fail(Failure::Unsupported, std::string("a ") + static_cast<char>(*first) +
                                              static_cast<char>(*second) +
                                              " executable carries no version resource this reader reads");
    }
    return fail(Failure::NotExecutable, "the new header at e_lfanew is not PE, NE or LE");
}

Result<NewHeader, Error> readNewHeader(ByteSource& source) {
    const auto headerLength = static_cast<std::size_t>(std::min<std::uint64_t>(source.size(), kMzHeaderSize));
    auto header = readRange(source, 0, headerLength, "the MZ header");
    if (!header) {
        return header.error();
    }
    const auto offset = parseMzHeader(*header);
    if (!offset) {
        return offset.error();
    }
    if (*offset >= source.size()) {
        return fail(Failure::Truncated, "e_lfanew " + hex(*offset) + " lies past the end of the " +
                                            std::to_string(source.size()) + "-byte file");
    }
    const auto signatureLength =
        static_cast<std::size_t>(std::min<std::uint64_t>(kSignatureSize, source.size() - *offset));
    auto signature = readRange(source, *offset, signatureLength, "the new header's signature");
    if (!signature) {
        return signature.error();
    }
    const auto format = identifyNewHeader(*signature);
    if (!format) {
        return format.error();
    }
    return NewHeader{*format, *offset};
}

}  // namespace rt::version
