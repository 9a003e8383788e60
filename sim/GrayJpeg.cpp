#include "sim/GrayJpeg.h"

#include <array>
#include <cmath>
#include <numbers>

namespace orlan {

namespace {

// The usual luminance quantisation table, natural (row by row) order.
constexpr std::array<int, 64> kQuant = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};

// Natural index of each zig-zag position.
std::array<int, 64> ZigZag()
{
    std::array<int, 64> order{};
    int k = 0;
    for (int sum = 0; sum < 15; ++sum) {
        const int low = sum < 8 ? 0 : sum - 7;
        const int high = sum < 8 ? sum : 7;
        for (int i = 0; i <= high - low; ++i) {
            const int row = sum % 2 == 0 ? high - i : low + i;
            order[static_cast<std::size_t>(k++)] = row * 8 + (sum - row);
        }
    }
    return order;
}

// Our own Huffman tables, chosen for simplicity over size: every DC category
// (0 … 11) gets a 4-bit code, every AC symbol (end of block, run of sixteen
// zeros and run/size pairs up to size 10) an 8-bit code. Canonical codes are
// then just the symbol's position in the table.
constexpr int kDcCodeLength = 4;
constexpr int kAcCodeLength = 8;

std::vector<std::uint8_t> AcSymbols()
{
    std::vector<std::uint8_t> symbols;
    for (int run = 0; run < 16; ++run) {
        if (run == 0)
            symbols.push_back(0x00); // end of block
        if (run == 15)
            symbols.push_back(0xF0); // sixteen zeros
        for (int size = 1; size <= 10; ++size)
            symbols.push_back(static_cast<std::uint8_t>(run << 4 | size));
    }
    return symbols;
}

class CBitWriter {
public:
    explicit CBitWriter(std::string& out) : m_out(out) {}

    void Put(unsigned code, int length)
    {
        m_bits = (m_bits << length) | (code & ((1u << length) - 1));
        m_count += length;
        while (m_count >= 8) {
            const auto byte = static_cast<char>((m_bits >> (m_count - 8)) & 0xFF);
            m_out.push_back(byte);
            if (byte == '\xFF')
                m_out.push_back('\0'); // stuffing: FF in entropy data is not a marker
            m_count -= 8;
        }
        m_bits &= (1u << m_count) - 1;
    }

    void Flush()
    {
        if (m_count > 0)
            Put((1u << (8 - m_count)) - 1, 8 - m_count); // padded with one bits
    }

private:
    std::string& m_out;
    unsigned m_bits = 0;
    int m_count = 0;
};

int Category(int value)
{
    int magnitude = value < 0 ? -value : value;
    int size = 0;
    while (magnitude > 0) {
        ++size;
        magnitude >>= 1;
    }
    return size;
}

unsigned MagnitudeBits(int value, int size)
{
    return static_cast<unsigned>(value < 0 ? value + (1 << size) - 1 : value);
}

void PutByte(std::string& out, int value)
{
    out.push_back(static_cast<char>(value & 0xFF));
}

void PutSegment(std::string& out, int marker, const std::string& payload)
{
    PutByte(out, 0xFF);
    PutByte(out, marker);
    const int length = static_cast<int>(payload.size()) + 2;
    PutByte(out, length >> 8);
    PutByte(out, length);
    out += payload;
}

std::string HuffmanTable(int tableClass, int codeLength, const std::vector<std::uint8_t>& symbols)
{
    std::string payload;
    PutByte(payload, tableClass << 4); // table 0 of its class
    for (int length = 1; length <= 16; ++length)
        PutByte(payload, length == codeLength ? static_cast<int>(symbols.size()) : 0);
    payload.append(symbols.begin(), symbols.end());
    return payload;
}

// Forward DCT of one level-shifted block, quantised, in natural order.
std::array<int, 64> TransformBlock(const std::array<double, 64>& block)
{
    std::array<int, 64> out{};
    for (int v = 0; v < 8; ++v) {
        for (int u = 0; u < 8; ++u) {
            double sum = 0.0;
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x) {
                    sum += block[static_cast<std::size_t>(y * 8 + x)]
                        * std::cos((2 * x + 1) * u * std::numbers::pi / 16.0)
                        * std::cos((2 * y + 1) * v * std::numbers::pi / 16.0);
                }
            }
            const double cu = u == 0 ? std::numbers::sqrt2 / 2.0 : 1.0;
            const double cv = v == 0 ? std::numbers::sqrt2 / 2.0 : 1.0;
            const auto index = static_cast<std::size_t>(v * 8 + u);
            out[index] = static_cast<int>(std::lround(0.25 * cu * cv * sum / kQuant[index]));
        }
    }
    return out;
}

} // namespace

std::string EncodeGrayJpeg(int width, int height, const std::vector<std::uint8_t>& pixels)
{
    if (width < 8 || height < 8 || width > 2048 || height > 2048 || width % 8 != 0 || height % 8 != 0
        || pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return {};

    const std::array<int, 64> zigzag = ZigZag();
    const std::vector<std::uint8_t> acSymbols = AcSymbols();
    std::array<int, 256> acCode{};
    for (std::size_t i = 0; i < acSymbols.size(); ++i)
        acCode[acSymbols[i]] = static_cast<int>(i);

    std::string out;
    PutByte(out, 0xFF);
    PutByte(out, 0xD8);
    PutSegment(out, 0xE0, std::string("JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 14));

    std::string quant(1, '\0');
    for (int k = 0; k < 64; ++k)
        PutByte(quant, kQuant[static_cast<std::size_t>(zigzag[static_cast<std::size_t>(k)])]);
    PutSegment(out, 0xDB, quant);

    std::string frame;
    PutByte(frame, 8); // bits per sample
    PutByte(frame, height >> 8);
    PutByte(frame, height);
    PutByte(frame, width >> 8);
    PutByte(frame, width);
    frame += std::string("\x01\x01\x11\x00", 4); // one component, no subsampling, table 0
    PutSegment(out, 0xC0, frame);

    std::vector<std::uint8_t> dcSymbols;
    for (int category = 0; category <= 11; ++category)
        dcSymbols.push_back(static_cast<std::uint8_t>(category));
    PutSegment(out, 0xC4, HuffmanTable(0, kDcCodeLength, dcSymbols));
    PutSegment(out, 0xC4, HuffmanTable(1, kAcCodeLength, acSymbols));
    PutSegment(out, 0xDA, std::string("\x01\x01\x00\x00\x3F\x00", 6));

    CBitWriter bits(out);
    int previousDc = 0;
    for (int by = 0; by < height; by += 8) {
        for (int bx = 0; bx < width; bx += 8) {
            std::array<double, 64> block{};
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x) {
                    const auto pixel = static_cast<std::size_t>((by + y) * width + bx + x);
                    block[static_cast<std::size_t>(y * 8 + x)] = pixels[pixel] - 128.0;
                }
            }
            const std::array<int, 64> coefficients = TransformBlock(block);

            const int dc = coefficients[0];
            const int dcSize = Category(dc - previousDc);
            bits.Put(static_cast<unsigned>(dcSize), kDcCodeLength);
            if (dcSize > 0)
                bits.Put(MagnitudeBits(dc - previousDc, dcSize), dcSize);
            previousDc = dc;

            int run = 0;
            for (std::size_t k = 1; k < 64; ++k) {
                const int value = coefficients[static_cast<std::size_t>(zigzag[k])];
                if (value == 0) {
                    ++run;
                    continue;
                }
                for (; run >= 16; run -= 16)
                    bits.Put(static_cast<unsigned>(acCode[0xF0]), kAcCodeLength);
                const int size = Category(value);
                bits.Put(static_cast<unsigned>(acCode[static_cast<std::size_t>(run << 4 | size)]), kAcCodeLength);
                bits.Put(MagnitudeBits(value, size), size);
                run = 0;
            }
            if (run > 0)
                bits.Put(static_cast<unsigned>(acCode[0x00]), kAcCodeLength);
        }
    }
    bits.Flush();
    PutByte(out, 0xFF);
    PutByte(out, 0xD9);
    return out;
}

const std::string& SamplePicture()
{
    static const std::string picture = [] {
        constexpr int kWidth = 64;
        constexpr int kHeight = 48;
        std::vector<std::uint8_t> pixels;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const double distance = std::hypot(x - 32.0, y - 24.0);
                const int shade = distance < 14.0 ? 235 - static_cast<int>(distance * 4) : 40 + x + y * 2;
                pixels.push_back(static_cast<std::uint8_t>(shade));
            }
        }
        return EncodeGrayJpeg(kWidth, kHeight, pixels);
    }();
    return picture;
}

} // namespace orlan
