// A small GIF writer: one image, a global colour table of at most 256
// colours and LZW-compressed pixel data. Qt reads GIF but cannot write it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace layout {

struct RgbImage {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;   // 0xRRGGBB, row by row
};

// The palette: the image's own colours when there are 256 or fewer, else the
// 256 most frequent ones, every other pixel taking the nearest of them.
std::vector<std::uint32_t> ChoosePalette(const RgbImage& image);

// LZW codes of the pixel indexes, packed low bit first, without the block
// framing. minCodeSize is 2..8.
std::string LzwCompress(const std::vector<std::uint8_t>& indexes, int minCodeSize);

// The whole file, "GIF89a" to the trailer.
std::string EncodeGif(const RgbImage& image);

}  // namespace layout
