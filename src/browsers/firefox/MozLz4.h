#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Firefox's compressed files ("mozLz4": recovery.jsonlz4, search.json.mozlz4): the 8-byte magic
// "mozLz40\0", the decompressed size as a 32-bit little-endian number, then one LZ4 block.
namespace lintavo::browsers {

// The decompressed content of a mozLz4 file. Nothing when the magic is missing, the declared size
// is above `maxSize` or more than the block can hold (both refused before anything is allocated),
// or the block does not decompress to exactly the declared size: a file that lies about its size
// is damaged.
std::optional<std::string> DecodeMozLz4(std::string_view file, std::size_t maxSize);

}  // namespace lintavo::browsers
