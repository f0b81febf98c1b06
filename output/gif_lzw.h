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

// As lzw_compress, but a string may go on with an index other than the pixel's own when its
// colour differs from the colour the pixel wants by at most tolerance in every channel: the
// strings grow longer and fewer codes are written. indices are the pixels' own entries of the
// palette, wanted their colours (red in the low byte); on return indices are the entries the
// code stream shows. With shown (the colours the pixels show now), the transparent index
// leaves a pixel showing its colour there, and goes wherever that is within tolerance too.
QByteArray lzw_compress_near(std::uint8_t* indices, const std::uint32_t* wanted, std::size_t count,
                             const std::vector<std::uint32_t>& palette, int tolerance,
                             int min_code_size, const std::uint32_t* shown = nullptr,
                             int transparent = -1);

// The first count indices a code stream holds. A stream that is cut short or malformed throws
// Error.
std::vector<std::uint8_t> lzw_decompress(const QByteArray& codes, int min_code_size,
                                         std::size_t count);

}  // namespace inkwren
