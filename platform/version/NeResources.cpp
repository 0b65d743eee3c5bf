#include "NeResources.h"

#include <algorithm>
#include <string>

#include "platform/base/ByteReader.h"

namespace rt::version {

namespace {

constexpr std::uint16_t kVersionType = 0x8010;  // integer type 16
constexpr std::uint16_t kVersionId = 0x8001;    // integer ID 1
constexpr std::size_t kNameInfoSize = 12;
// Offsets are stored in units of 1 << shift bytes; Windows never used more than
// 512-byte units, and a shift of 16 or more could not address a 32-bit file usefully.
constexpr std::uint16_t kMaxShift = 15;

}  // namespace

Result<NeTableBounds, Error> parseNeHeader(std::span<const std::byte> header) {
    const rt::ByteReader reader(header);
    const auto resources = reader.u16At(0x24);
    const auto names = reader.u16At(0x26);
    if (!resources || !names) {
        return fail(Failure::Truncated, "the NE header is cut short");
    }
    if (*resources == *names) {
        return fail(Failure::NoVersionResource, "the NE file has no resource table");
    }
    if (*names < *resources) {
        return fail(Failure::Malformed, "the NE resource table at +" + hex(*resources) +
                                            " ends before it starts (resident names at +" + hex(*names) +
                                            ")");
    }
    return NeTableBounds{*resources, *names};
}

Result<NeResource, Error> findNeVersionResource(std::span<const std::byte> table) {
    rt::ByteReader reader(table);
    const auto shift = reader.readU16();
    if (!shift) {
        return fail(Failure::Truncated, "the NE resource table has no alignment shift");
    }
    if (*shift > kMaxShift) {
        return fail(Failure::Malformed,
                    "NE resource alignment shift " + std::to_string(*shift) + " is too large");
    }
    // Each pass consumes at least a TYPEINFO, so the walk ends with the table
    // even when the terminating zero is missing.
    while (true) {
        const auto type = reader.readU16();
        if (!type) {
            return fail(Failure::Truncated, "the NE resource table ends without its terminating type 0");
        }
        if (*type == 0) {
            return fail(Failure::NoVersionResource, "the NE resource table has no version resource");
        }
        const auto count = reader.readU16();
        if (!count || !reader.skip(4)) {
            return fail(Failure::Truncated, "a TYPEINFO record runs past the end of the NE resource table");
        }
        auto names = reader.readBytes(std::size_t{*count} * kNameInfoSize);
        if (!names) {
            return fail(Failure::Truncated, "type " + hex(*type) + " declares " + std::to_string(*count) +
                                                " resources, more than the NE resource table holds");
        }
        if (*type != kVersionType) {
            continue;
        }
        rt::ByteReader entries(*names);
        while (entries.remaining() >= kNameInfoSize) {
            const auto offset = rt::checkedRead(entries.readU16());
            const auto length = rt::checkedRead(entries.readU16());
            (void)entries.skip(2);  // flags
            const auto id = rt::checkedRead(entries.readU16());
            (void)entries.skip(4);  // handle and usage: zero on disk
            if (id == kVersionId) {
                return NeResource{std::uint64_t{offset} << *shift, std::uint64_t{length} << *shift, *shift};
            }
        }
        return fail(Failure::NoVersionResource, "no NE version resource has the ID 1");
    }
}

Result<BlockLocation, Error> findNeVersionBlock(ByteSource& source, std::uint32_t neOffset) {
    auto header = readRange(source, neOffset, kNeHeaderSize, "the NE header");
    if (!header) {
        return header.error();
    }
    const auto bounds = parseNeHeader(*header);
    if (!bounds) {
        return bounds.error();
    }
    auto table =
        readRange(source, std::uint64_t{neOffset} + bounds->resourceTable,
                  std::size_t{bounds->residentNames} - bounds->resourceTable, "the NE resource table");
    if (!table) {
        return table.error();
    }
    const auto resource = findNeVersionResource(*table);
    if (!resource) {
        return resource.error();
    }
    if (resource->length == 0) {
        return fail(Failure::Malformed, "the NE version resource's length is 0");
    }
    if (resource->offset >= source.size()) {
        return fail(Failure::Truncated,
                    "the NE version resource at " + hex(resource->offset) + " lies past the end of the file");
    }
    // The table's length is rounded up to the alignment unit, so it usually
    // runs past the block and may run past the file; the block's own length decides.
    const auto available =
        std::min({resource->length, source.size() - resource->offset, std::uint64_t{kMaxBlockLength}});
    BlockLocation location;
    location.offset = resource->offset;
    location.length = static_cast<std::uint32_t>(available);
    location.details = "NE resource table at " + hex(std::uint64_t{neOffset} + bounds->resourceTable) +
                       ", alignment shift " + std::to_string(resource->shift) + ", " +
                       std::to_string(resource->length) + " bytes declared";
    return location;
}

}  // namespace rt::version
