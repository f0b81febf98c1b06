// GIF's variable-width LZW code stream, written and read by ourselves so that frames can be
// compressed as they arrive and kept compressed until the file is put together.
#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace inkwren {

// The code stream of the colour indices (each below 2^min_code_size) for a minimum code size
// of 2 to 8: a clear code first, the end code last, without the sub-block framing.
QByteArray lzw_compress(const std::uint8_t* indices, std::size_t count, int min_code_size);

// The first count indices a code stream holds. A stream that is cut short or malformed throws
// Error.
std::vector<std::uint8_t> lzw_decompress(const QByteArray& codes, int min_code_size,
                                         std::size_t count);

}  // namespace inkwren
