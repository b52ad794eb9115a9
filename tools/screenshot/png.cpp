#include "png.h"

#include <cstdio>

namespace shot {
namespace {

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

uint32_t Adler32(const std::vector<uint8_t>& data) {
  uint32_t a = 1, b = 0;
  for (uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void PutBig32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

// Deflate's bit order: values least significant bit first, Huffman codes
// most significant bit first.
class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}
  void Bits(uint32_t value, int count) {
    for (int i = 0; i < count; ++i) Bit((value >> i) & 1);
  }
  void Code(uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1);
  }
  void Flush() {
    if (used_) out_.push_back(byte_);
    byte_ = 0;
    used_ = 0;
  }

 private:
  void Bit(uint32_t bit) {
    byte_ |= uint8_t(bit << used_);
    if (++used_ == 8) Flush();
  }
  std::vector<uint8_t>& out_;
  uint8_t byte_ = 0;
  int used_ = 0;
};

// The fixed literal/length code.
void Symbol(BitWriter& w, int symbol) {
  if (symbol < 144) w.Code(0x30 + symbol, 8);
  else if (symbol < 256) w.Code(0x190 + symbol - 144, 9);
  else if (symbol < 280) w.Code(symbol - 256, 7);
  else w.Code(0xC0 + symbol - 280, 8);
}

const int LENGTH_BASE[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                           31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const int LENGTH_EXTRA[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                            2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};

// A copy of the byte just written, length times (3 to 258).
void RepeatLast(BitWriter& w, int length) {
  int code = 28;
  while (LENGTH_BASE[code] > length) --code;
  Symbol(w, 257 + code);
  w.Bits(length - LENGTH_BASE[code], LENGTH_EXTRA[code]);
  w.Code(0, 5);  // distance 1
}

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& data) {
  std::vector<uint8_t> out = {0x78, 0x01};  // zlib header: deflate, 32 KiB window
  BitWriter w(out);
  w.Bits(1, 1);  // the final block
  w.Bits(1, 2);  // fixed code
  size_t i = 0;
  while (i < data.size()) {
    Symbol(w, data[i]);
    size_t run = 0;
    while (i + 1 + run < data.size() && data[i + 1 + run] == data[i] && run < 258) ++run;
    if (run >= 3) {
      RepeatLast(w, int(run));
      i += 1 + run;
    } else {
      ++i;
    }
  }
  Symbol(w, 256);
  w.Flush();
  PutBig32(out, Adler32(data));
  return out;
}

void Chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
  PutBig32(png, uint32_t(data.size()));
  size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  PutBig32(png, Crc32(png.data() + start, png.size() - start));
}

}  // namespace

std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgb) {
  const size_t stride = size_t(width) * 3;
  std::vector<uint8_t> filtered;
  filtered.reserve((stride + 1) * height);
  for (int y = 0; y < height; ++y) {
    filtered.push_back(2);  // "up": the difference from the row above
    for (size_t x = 0; x < stride; ++x) {
      uint8_t above = y ? rgb[(y - 1) * stride + x] : 0;
      filtered.push_back(uint8_t(rgb[y * stride + x] - above));
    }
  }
  std::vector<uint8_t> header;
  PutBig32(header, uint32_t(width));
  PutBig32(header, uint32_t(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits per channel, RGB
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", Deflate(filtered));
  Chunk(png, "IEND", {});
  return png;
}

bool WritePng(const char* path, int width, int height, const std::vector<uint8_t>& rgb) {
  std::vector<uint8_t> png = EncodePng(width, height, rgb);
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace shot
