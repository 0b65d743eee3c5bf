#include "LeResources.h"

#include <algorithm>
#include <string>

#include "platform/base/ByteReader.h"

namespace rt::version {

namespace {

constexpr std::uint8_t kOrdinalMarker = 0xFF;
constexpr std::uint16_t kVersionType = 16;
// A record header with string names longer than this is not a version record.
constexpr std::size_t kMaxResourceHeader = 512;

// The type or name field: an ordinal after 0xFF, or a string (ordinal 0 then).
std::optional<std::uint32_t> readNameOrOrdinal(rt::ByteReader& reader, bool& isOrdinal) {
    const auto marker = reader.u8At(reader.offset());
    if (!marker) {
        return std::nullopt;
    }
    isOrdinal = *marker == kOrdinalMarker;
    if (isOrdinal) {
        (void)reader.skip(1);
        const auto ordinal = reader.readU16();
        return ordinal ? std::optional<std::uint32_t>(*ordinal) : std::nullopt;
    }
    const auto text = reader.readCString(reader.remaining());
    return text ? std::optional<std::uint32_t>(0) : std::nullopt;
}

}  // namespace

Result<LeResourceBlob, Error> parseLeHeader(std::span<const std::byte> header) {
    const rt::ByteReader reader(header);
    const auto offset = reader.u32At(kLeResourceOffsetField);
    const auto length = reader.u32At(kLeResourceLengthField);
    if (!offset || !length) {
        return fail(Failure::Truncated, "the LE header is cut short");
    }
    if (*offset == 0 || *length == 0) {
        return fail(Failure::NoVersionResource, "the LE header names no Windows resource (offset " +
                                                    hex(*offset) + ", length " + std::to_string(*length) +
                                                    ")");
    }
    return LeResourceBlob{*offset, *length};
}

Result<LeResourceHeader, Error> parseLeResourceHeader(std::span<const std::byte> blob) {
    rt::ByteReader reader(blob);
    bool typeIsOrdinal = false;
    const auto type = readNameOrOrdinal(reader, typeIsOrdinal);
    if (!type) {
        return fail(Failure::Truncated, "the LE resource's type runs past its header");
    }
    if (!typeIsOrdinal || *type != kVersionType) {
        return fail(Failure::NoVersionResource,
                    typeIsOrdinal ? "the LE resource has type " + std::to_string(*type) + ", not 16 (version)"
                                  : std::string("the LE resource has a named type, not 16 (version)"));
    }
    bool nameIsOrdinal = false;
    if (!readNameOrOrdinal(reader, nameIsOrdinal)) {
        return fail(Failure::Truncated, "the LE resource's name runs past its header");
    }
    const auto flags = reader.readU16();
    const auto size = reader.readU32();
    if (!flags || !size) {
        return fail(Failure::Truncated, "the LE resource header is cut short");
    }
    if (*size == 0) {
        return fail(Failure::Malformed, "the LE version resource's data size is 0");
    }
    return LeResourceHeader{reader.offset(), *size};
}

Result<BlockLocation, Error> findLeVersionBlock(ByteSource& source, std::uint32_t leOffset) {
    auto header = readRange(source, leOffset, kLeHeaderSize, "the 196-byte LE header");
    if (!header) {
        return header.error();
    }
    const auto blob = parseLeHeader(*header);
    if (!blob) {
        return blob.error();
    }
    if (blob->offset >= source.size()) {
        return fail(Failure::Truncated, "the LE resource at " + hex(blob->offset) +
                                            " lies past the end of the " + std::to_string(source.size()) +
                                            "-byte file");
    }
    const auto headerBytes =
        std::min<std::uint64_t>({blob->length, kMaxResourceHeader, source.size() - blob->offset});
    auto record =
        readRange(source, blob->offset, static_cast<std::size_t>(headerBytes), "the LE resource header");
    if (!record) {
        return record.error();
    }
    const auto resource = parseLeResourceHeader(*record);
    if (!resource) {
        return resource.error();
    }
    const auto dataOffset = std::uint64_t{blob->offset} + resource->headerLength;
    if (dataOffset >= source.size()) {
        return fail(Failure::Truncated,
                    "the LE version data at " + hex(dataOffset) + " lies past the end of the file");
    }
    // The data size is the record's own; the LE header's length and the file's
    // end both bound it, whichever is shorter.
    const auto available =
        std::min({std::uint64_t{resource->dataSize}, std::uint64_t{blob->length} - resource->headerLength,
                  source.size() - dataOffset, std::uint64_t{kMaxBlockLength}});
    BlockLocation location;
    location.offset = dataOffset;
    location.length = static_cast<std::uint32_t>(available);
    location.details = "LE Windows resource at " + hex(blob->offset) + " (" + std::to_string(blob->length) +
                       " bytes), " + std::to_string(resource->headerLength) + "-byte record header, " +
                       std::to_string(resource->dataSize) + " bytes of data declared";
    return location;
}

}  // namespace rt::version
