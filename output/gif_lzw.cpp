#include "output/gif_lzw.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <optional>

#include "platform/error.h"

namespace inkwren {

namespace {

constexpr int max_code_width = 12;
constexpr unsigned last_code = (1u << max_code_width) - 1;

// Codes go out least significant bit first, packed into bytes.
class BitWriter {
public:
    explicit BitWriter(QByteArray& out) : out_(out) {}

    void put(unsigned code, int width) {
        buffer_ |= std::uint64_t(code) << bits_;
        bits_ += width;
        while (bits_ >= 8) {
            out_.append(char(buffer_ & 0xFF));
            buffer_ >>= 8;
            bits_ -= 8;
        }
    }

    void flush() {
        if (bits_ > 0) {
            out_.append(char(buffer_ & 0xFF));
        }
        buffer_ = 0;
        bits_ = 0;
    }

private:
    QByteArray& out_;
    std::uint64_t buffer_ = 0;
    int bits_ = 0;
};

// The strings known so far, each a known string (its code) followed by one index; an open
// hash table twice the size of the dictionary, so lookups rarely probe more than once.
class StringTable {
public:
    static constexpr std::size_t slot_count = 8192;

    void clear() { keys_.fill(0); }

    // The slot of the key: where it is, or the empty slot it would go into.
    std::size_t slot_of(std::uint32_t key) const {
        std::size_t slot = (key * 2654435761u) >> (32 - 13);
        while (keys_[slot] != 0 && keys_[slot] != key + 1) {
            slot = (slot + 1) & (slot_count - 1);
        }
        return slot;
    }

    bool holds(std::size_t slot) const { return keys_[slot] != 0; }
    unsigned code(std::size_t slot) const { return codes_[slot]; }

    void insert(std::size_t slot, std::uint32_t key, unsigned code) {
        keys_[slot] = key + 1;
        codes_[slot] = std::uint16_t(code);
    }

private:
    std::array<std::uint32_t, slot_count> keys_{};
    std::array<std::uint16_t, slot_count> codes_{};
};

std::uint32_t string_key(unsigned prefix, std::uint8_t index) {
    return (std::uint32_t(prefix) << 8) | index;
}

Error malformed_stream() {
    return Error(QCoreApplication::translate("GifEncoder", "A GIF code stream is damaged."));
}

// Codes read back least significant bit first; past the end there are no more codes.
class BitReader {
public:
    explicit BitReader(const QByteArray& in) : in_(in) {}

    bool get(int width, unsigned& code) {
        while (bits_ < width) {
            if (position_ >= in_.size()) {
                return false;
            }
            buffer_ |= std::uint64_t(std::uint8_t(in_[position_++])) << bits_;
            bits_ += 8;
        }
        code = unsigned(buffer_ & ((1u << width) - 1));
        buffer_ >>= width;
        bits_ -= width;
        return true;
    }

private:
    const QByteArray& in_;
    qsizetype position_ = 0;
    std::uint64_t buffer_ = 0;
    int bits_ = 0;
};

// The decoder's dictionary: every code is a shorter code followed by one index.
struct Dictionary {
    std::array<std::uint16_t, last_code + 1> prefix{};
    std::array<std::uint8_t, last_code + 1> suffix{};
    std::array<std::uint8_t, last_code + 1> first{};
    std::array<std::uint16_t, last_code + 1> length{};
};

// Appends the string of code to out, at most up to count indices.
void append_string(const Dictionary& dictionary, unsigned code, std::vector<std::uint8_t>& out,
                   std::size_t count) {
    const std::size_t length = dictionary.length[code];
    const std::size_t start = out.size();
    out.resize(std::min(count, start + length));
    for (std::size_t position = start + length; position-- > start;) {
        if (position < out.size()) {
            out[position] = dictionary.suffix[code];
        }
        code = dictionary.prefix[code];
    }
}

}  // namespace

namespace {

int channel_difference(std::uint32_t a, std::uint32_t b, int shift) {
    return std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
}

// How far apart two colours are: the largest difference in a channel.
int colour_difference(std::uint32_t a, std::uint32_t b) {
    return std::max(
        {channel_difference(a, b, 0), channel_difference(a, b, 8), channel_difference(a, b, 16)});
}

// The encoder's strings as a tree: each code's longer strings, one index further, in a list.
struct StringTree {
    static constexpr unsigned none = 0;  // no string is a child of the first root

    std::array<std::uint16_t, last_code + 1> first_child{};
    std::array<std::uint16_t, last_code + 1> next_sibling{};
    std::array<std::uint8_t, last_code + 1> index{};

    void clear() { first_child.fill(none); }

    void add(unsigned prefix, unsigned code, std::uint8_t last_index) {
        index[code] = last_index;
        first_child[code] = none;
        next_sibling[code] = first_child[prefix];
        first_child[prefix] = std::uint16_t(code);
    }

    // The longer string whose last index is the pixel's own, else the one whose colour (given by
    // colour_of) is nearest the wanted one within tolerance; none when there is neither.
    template <typename ColourOf>
    unsigned child(unsigned prefix, std::uint8_t own, std::uint32_t wanted, ColourOf colour_of,
                   int tolerance) const {
        unsigned best = none;
        int best_difference = tolerance + 1;
        for (unsigned code = first_child[prefix]; code != none; code = next_sibling[code]) {
            if (index[code] == own) {
                return code;
            }
            const int difference = colour_difference(colour_of(index[code]), wanted);
            if (difference < best_difference) {
                best_difference = difference;
                best = code;
            }
        }
        return best;
    }
};

// The loop every compressor shares. strings.longer(prefix, i) answers the code of the known
// string prefix followed by pixel i, if any; strings.add(prefix, code, i) makes that string
// known under a new code; a full dictionary starts again rather than freezing on strings of the
// past.
template <typename Strings>
QByteArray lzw_codes(Strings& strings, std::size_t count, int min_code_size) {
    const unsigned clear_code = 1u << min_code_size;
    const unsigned end_code = clear_code + 1;
    QByteArray out;
    out.reserve(qsizetype(count / 4 + 16));
    BitWriter bits(out);
    strings.clear();
    int width = min_code_size + 1;
    unsigned newest = end_code;  // the latest code given to a string
    bits.put(clear_code, width);
    if (count > 0) {
        unsigned prefix = strings.at(0);
        for (std::size_t i = 1; i < count; ++i) {
            if (const std::optional<unsigned> longer = strings.longer(prefix, i)) {
                prefix = *longer;
                continue;
            }
            bits.put(prefix, width);
            strings.add(prefix, ++newest, i);
            if (newest >= (1u << width)) {
                ++width;
            }
            if (newest == last_code) {
                bits.put(clear_code, width);
                strings.clear();
                width = min_code_size + 1;
                newest = end_code;
            }
            prefix = strings.at(i);
        }
        bits.put(prefix, width);
    }
    bits.put(end_code, width);
    bits.flush();
    return out;
}

}  // namespace

QByteArray lzw_compress(const std::uint8_t* indices, std::size_t count, int min_code_size) {
    // The hash table's slot found for a string not yet known is where it goes in.
    struct Exact {
        const std::uint8_t* indices;
        StringTable table;
        std::size_t slot = 0;
        std::uint32_t key = 0;

        void clear() { table.clear(); }
        std::uint8_t at(std::size_t i) const { return indices[i]; }
        std::optional<unsigned> longer(unsigned prefix, std::size_t i) {
            key = string_key(prefix, indices[i]);
            slot = table.slot_of(key);
            return table.holds(slot) ? std::optional<unsigned>(table.code(slot)) : std::nullopt;
        }
        void add(unsigned, unsigned code, std::size_t) { table.insert(slot, key, code); }
    };
    auto strings = std::make_unique<Exact>(Exact{indices, {}});
    return lzw_codes(*strings, count, min_code_size);
}

QByteArray lzw_compress_near(std::uint8_t* indices, const std::uint32_t* wanted, std::size_t count,
                             const std::vector<std::uint32_t>& palette, int tolerance,
                             int min_code_size, const std::uint32_t* shown, int transparent) {
    // A string may go on with a near colour: the pixel is then shown as the string has it. The
    // transparent index shows what the pixel showed before.
    struct Near {
        std::uint8_t* indices;
        const std::uint32_t* wanted;
        const std::vector<std::uint32_t>& palette;
        int tolerance;
        const std::uint32_t* shown;
        int transparent;
        StringTree tree;

        void clear() { tree.clear(); }
        std::uint8_t at(std::size_t i) const { return indices[i]; }
        std::optional<unsigned> longer(unsigned prefix, std::size_t i) {
            const auto colour_of = [this, i](std::uint8_t index) {
                return index == transparent ? shown[i] : palette[index];
            };
            const unsigned code = tree.child(prefix, indices[i], wanted[i], colour_of, tolerance);
            if (code == StringTree::none) {
                return std::nullopt;
            }
            indices[i] = tree.index[code];
            return code;
        }
        void add(unsigned prefix, unsigned code, std::size_t i) {
            tree.add(prefix, code, indices[i]);
        }
    };
    if (shown == nullptr) {
        transparent = -1;
    }
    auto strings =
        std::make_unique<Near>(Near{indices, wanted, palette, tolerance, shown, transparent, {}});
    return lzw_codes(*strings, count, min_code_size);
}

std::vector<std::uint8_t> lzw_decompress(const QByteArray& codes, int min_code_size,
                                         std::size_t count) {
    const unsigned clear_code = 1u << min_code_size;
    const unsigned end_code = clear_code + 1;
    auto dictionary = std::make_unique<Dictionary>();
    for (unsigned code = 0; code < clear_code; ++code) {
        dictionary->suffix[code] = std::uint8_t(code);
        dictionary->first[code] = std::uint8_t(code);
        dictionary->length[code] = 1;
    }
    std::vector<std::uint8_t> out;
    out.reserve(count);
    BitReader bits(codes);
    int width = min_code_size + 1;
    unsigned next = end_code + 1;
    bool has_previous = false;
    unsigned previous = 0;
    unsigned code = 0;
    while (out.size() < count) {
        if (!bits.get(width, code) || code == end_code) {
            throw malformed_stream();
        }
        if (code == clear_code) {
            width = min_code_size + 1;
            next = end_code + 1;
            has_previous = false;
            continue;
        }
        if (code > next || (code == next && !has_previous) ||
            (code > end_code && code == next && next > last_code)) {
            throw malformed_stream();
        }
        if (has_previous && next <= last_code) {
            // The new string is the previous one followed by the first index of this one,
            // which for a code not yet known is the previous string's own first index.
            const unsigned first =
                code < next ? dictionary->first[code] : dictionary->first[previous];
            dictionary->prefix[next] = std::uint16_t(previous);
            dictionary->suffix[next] = std::uint8_t(first);
            dictionary->first[next] = dictionary->first[previous];
            dictionary->length[next] = std::uint16_t(dictionary->length[previous] + 1);
            ++next;
            if (next == (1u << width) && width < max_code_width) {
                ++width;
            }
        }
        append_string(*dictionary, code, out, count);
        previous = code;
        has_previous = true;
    }
    return out;
}

}  // namespace inkwren
