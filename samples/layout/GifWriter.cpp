#include "GifWriter.hpp"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

namespace layout {

std::vector<std::uint32_t> ChoosePalette(const RgbImage& image)
{
    std::unordered_map<std::uint32_t, std::size_t> counts;
    for (std::uint32_t p : image.pixels) ++counts[p & 0xFFFFFF];
    std::vector<std::pair<std::size_t, std::uint32_t>> byCount;
    for (const auto& [colour, n] : counts) byCount.push_back({n, colour});
    // Most frequent first; ties by colour value, so the output is deterministic.
    std::sort(byCount.begin(), byCount.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    std::vector<std::uint32_t> palette;
    for (std::size_t i = 0; i < byCount.size() && i < 256; ++i) palette.push_back(byCount[i].second);
    if (palette.empty()) palette.push_back(0);
    return palette;
}

namespace {

int Distance(std::uint32_t a, std::uint32_t b)
{
    const int dr = int((a >> 16) & 0xFF) - int((b >> 16) & 0xFF);
    const int dg = int((a >> 8) & 0xFF) - int((b >> 8) & 0xFF);
    const int db = int(a & 0xFF) - int(b & 0xFF);
    return dr * dr + dg * dg + db * db;
}

class BitPacker {
public:
    void Put(int code, int size)
    {
        buffer_ |= std::uint32_t(code) << bits_;
        bits_ += size;
        while (bits_ >= 8) {
            out_ += char(buffer_ & 0xFF);
            buffer_ >>= 8;
            bits_ -= 8;
        }
    }
    std::string Finish()
    {
        if (bits_ > 0) out_ += char(buffer_ & 0xFF);
        buffer_ = 0;
        bits_ = 0;
        return out_;
    }

private:
    std::string out_;
    std::uint32_t buffer_ = 0;
    int bits_ = 0;
};

void PutLE16(std::string& out, int v)
{
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}

}  // namespace

std::string LzwCompress(const std::vector<std::uint8_t>& indexes, int minCodeSize)
{
    if (minCodeSize < 2 || minCodeSize > 8) throw std::invalid_argument("LZW code size 2..8");
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    constexpr int kMaxCode = 4095;
    BitPacker bits;
    int codeSize = minCodeSize + 1;
    int nextCode = endCode + 1;
    // (prefix code << 8 | next index) -> code
    std::unordered_map<std::uint32_t, int> table;
    auto put = [&](int code) {
        bits.Put(code, codeSize);
        // Once the table has outgrown the code width, the next code is wider.
        if (nextCode >= (1 << codeSize) && codeSize < 12) ++codeSize;
    };
    put(clearCode);
    if (indexes.empty()) {
        put(endCode);
        return bits.Finish();
    }
    int prefix = indexes[0];
    for (std::size_t i = 1; i < indexes.size(); ++i) {
        const std::uint8_t k = indexes[i];
        const std::uint32_t key = (std::uint32_t(prefix) << 8) | k;
        const auto found = table.find(key);
        if (found != table.end()) {
            prefix = found->second;
            continue;
        }
        put(prefix);
        prefix = k;
        if (nextCode >= kMaxCode) {
            put(clearCode);
            table.clear();
            nextCode = endCode + 1;
            codeSize = minCodeSize + 1;
        } else {
            table[key] = nextCode++;
        }
    }
    put(prefix);
    put(endCode);
    return bits.Finish();
}

std::string EncodeGif(const RgbImage& image)
{
    if (image.width < 1 || image.height < 1 || image.width > 65535 || image.height > 65535 ||
        image.pixels.size() != std::size_t(image.width) * std::size_t(image.height))
        throw std::invalid_argument("GIF image size");
    const std::vector<std::uint32_t> palette = ChoosePalette(image);
    int tableBits = 1;
    while ((1u << tableBits) < palette.size()) ++tableBits;

    std::unordered_map<std::uint32_t, std::uint8_t> indexOf;
    for (std::size_t i = 0; i < palette.size(); ++i) indexOf[palette[i]] = std::uint8_t(i);
    std::vector<std::uint8_t> indexes;
    indexes.reserve(image.pixels.size());
    for (std::uint32_t p : image.pixels) {
        p &= 0xFFFFFF;
        auto it = indexOf.find(p);
        if (it == indexOf.end()) {
            std::size_t best = 0;
            for (std::size_t i = 1; i < palette.size(); ++i)
                if (Distance(p, palette[i]) < Distance(p, palette[best])) best = i;
            it = indexOf.emplace(p, std::uint8_t(best)).first;
        }
        indexes.push_back(it->second);
    }

    std::string out = "GIF89a";
    PutLE16(out, image.width);
    PutLE16(out, image.height);
    out += char(0x80 | ((tableBits - 1) << 4) | (tableBits - 1));  // global table, its size
    out += char(0);   // background colour index
    out += char(0);   // no aspect ratio
    for (int i = 0; i < (1 << tableBits); ++i) {
        const std::uint32_t c = std::size_t(i) < palette.size() ? palette[i] : 0;
        out += char((c >> 16) & 0xFF);
        out += char((c >> 8) & 0xFF);
        out += char(c & 0xFF);
    }
    out += char(0x2C);  // image descriptor: whole screen, no local table
    PutLE16(out, 0);
    PutLE16(out, 0);
    PutLE16(out, image.width);
    PutLE16(out, image.height);
    out += char(0);
    const int minCodeSize = std::max(2, tableBits);
    out += char(minCodeSize);
    const std::string data = LzwCompress(indexes, minCodeSize);
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - at);
        out += char(n);
        out.append(data, at, n);
    }
    out += char(0);     // end of the image data
    out += char(0x3B);  // trailer
    return out;
}

}  // namespace layout
