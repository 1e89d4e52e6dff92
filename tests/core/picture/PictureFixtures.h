#pragma once
// Picture files made in the tests: JPEGs written by libjpeg, BMPs of each
// depth and compression, and metafiles record by record.
#include <jpeglib.h>
#include <cstdio>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fixtures {

using ByteVector = std::vector<std::uint8_t>;

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline void put16(ByteVector& out, int v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

inline void put32(ByteVector& out, std::uint32_t v) {
  put16(out, static_cast<int>(v & 0xFFFF));
  put16(out, static_cast<int>(v >> 16));
}

inline void writeFile(const std::string& path, const ByteVector& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

// ---- JPEG ------------------------------------------------------------------

enum class JpegKind { Baseline, Progressive, Grey };

using PixelFn = std::function<Rgb(int x, int y)>;

inline Rgb gradient(int x, int y) {
  return {static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 5),
          static_cast<std::uint8_t>((x + y) * 3)};
}

inline ByteVector makeJpeg(int width, int height, JpegKind kind, const PixelFn& pixel = gradient,
                           int quality = 90) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  const bool grey = kind == JpegKind::Grey;
  cinfo.input_components = grey ? 1 : 3;
  cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (kind == JpegKind::Progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * cinfo.input_components);
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = static_cast<int>(cinfo.next_scanline);
    for (int x = 0; x < width; ++x) {
      const Rgb c = pixel(x, y);
      if (grey) {
        row[x] = c.g;
      } else {
        row[x * 3] = c.r;
        row[x * 3 + 1] = c.g;
        row[x * 3 + 2] = c.b;
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  ByteVector bytes(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return bytes;
}

// A progressive file whose last scan is repeated `times` more times: the
// decoder only warns about it, so the file keeps going scan after scan.
inline ByteVector withRepeatedLastScan(const ByteVector& jpeg, int times) {
  std::size_t lastSos = 0;
  for (std::size_t i = 0; i + 1 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) lastSos = i;
  }
  const std::size_t eoi = jpeg.size() - 2;
  ByteVector out(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(eoi));
  for (int i = 0; i < times; ++i) {
    out.insert(out.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(lastSos),
               jpeg.begin() + static_cast<std::ptrdiff_t>(eoi));
  }
  out.push_back(0xFF);
  out.push_back(0xD9);
  return out;
}

// ---- BMP -------------------------------------------------------------------

enum class BmpCompression { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3 };

struct BmpLayout {
  int width = 4;
  int height = 3;
  int bits = 24;
  BmpCompression compression = BmpCompression::Rgb;
  int headerSize = 40;  // 12 for the OS/2 core header, 108 for V4
  bool topDown = false;
  std::vector<Rgb> palette;            // for 1, 4 and 8 bits
  std::uint32_t masks[3] = {0, 0, 0};  // for BitFields
  std::uint32_t alphaMask = 0;         // for BitFields, in headers of 56 bytes and more
  // The stored value of a pixel: a palette index, or the packed bits.
  std::function<std::uint32_t(int x, int y)> value;
};

inline void rleRow(ByteVector& out, const BmpLayout& s, int y) {
  for (int x = 0; x < s.width;) {
    const std::uint32_t v = s.value(x, y);
    int run = 1;
    while (x + run < s.width && run < 255 && s.value(x + run, y) == v) ++run;
    out.push_back(static_cast<std::uint8_t>(run));
    out.push_back(static_cast<std::uint8_t>(s.bits == 4 ? (v << 4) | v : v));
    x += run;
  }
  out.push_back(0);
  out.push_back(0);
}

inline void packedRow(ByteVector& out, const BmpLayout& s, int y) {
  const std::size_t start = out.size();
  std::uint32_t acc = 0;
  int accBits = 0;
  for (int x = 0; x < s.width; ++x) {
    const std::uint32_t v = s.value(x, y);
    if (s.bits >= 8) {
      for (int b = 0; b < s.bits / 8; ++b) out.push_back(static_cast<std::uint8_t>(v >> (8 * b)));
      continue;
    }
    acc = (acc << s.bits) | v;
    accBits += s.bits;
    if (accBits == 8) {
      out.push_back(static_cast<std::uint8_t>(acc));
      acc = 0;
      accBits = 0;
    }
  }
  if (accBits > 0) out.push_back(static_cast<std::uint8_t>(acc << (8 - accBits)));
  while ((out.size() - start) % 4 != 0) out.push_back(0);
}

inline ByteVector makeBmp(const BmpLayout& s) {
  ByteVector dib;
  const bool core = s.headerSize == 12;
  put32(dib, static_cast<std::uint32_t>(s.headerSize));
  if (core) {
    put16(dib, s.width);
    put16(dib, s.height);
    put16(dib, 1);
    put16(dib, s.bits);
  } else {
    put32(dib, static_cast<std::uint32_t>(s.width));
    put32(dib, static_cast<std::uint32_t>(s.topDown ? -s.height : s.height));
    put16(dib, 1);
    put16(dib, s.bits);
    put32(dib, static_cast<std::uint32_t>(s.compression));
    put32(dib, 0);
    put32(dib, 2835);
    put32(dib, 2835);
    put32(dib, static_cast<std::uint32_t>(s.palette.size()));
    put32(dib, 0);
    if (s.headerSize >= 52) {
      for (const std::uint32_t m : s.masks) put32(dib, m);
      if (s.headerSize >= 56) put32(dib, s.alphaMask);
      while (dib.size() < static_cast<std::size_t>(s.headerSize)) dib.push_back(0);
    } else if (s.compression == BmpCompression::BitFields) {
      for (const std::uint32_t m : s.masks) put32(dib, m);
    }
  }
  for (const Rgb& c : s.palette) {
    dib.push_back(c.b);
    dib.push_back(c.g);
    dib.push_back(c.r);
    if (!core) dib.push_back(0);
  }
  const std::size_t bitsAt = 14 + dib.size();
  for (int row = 0; row < s.height; ++row) {
    const int y = s.topDown ? row : s.height - 1 - row;
    if (s.compression == BmpCompression::Rle8 || s.compression == BmpCompression::Rle4) {
      rleRow(dib, s, y);
    } else {
      packedRow(dib, s, y);
    }
  }
  if (s.compression == BmpCompression::Rle8 || s.compression == BmpCompression::Rle4) {
    dib.push_back(0);
    dib.push_back(1);
  }
  ByteVector file{'B', 'M'};
  put32(file, static_cast<std::uint32_t>(14 + dib.size()));
  put32(file, 0);
  put32(file, static_cast<std::uint32_t>(bitsAt));
  file.insert(file.end(), dib.begin(), dib.end());
  return file;
}

// The packed DIB of a file made by makeBmp (without its 14-byte file header).
inline ByteVector packedDib(const ByteVector& bmpFile) {
  return ByteVector(bmpFile.begin() + 14, bmpFile.end());
}

// ---- ICO -------------------------------------------------------------------

// One bitmap image in an icon file: a DIB header of `headerSize` bytes whose
// height counts the colour rows and the AND mask, a full colour table for
// depths up to 8, bottom-up colour rows, then the mask rows.
struct IconLayout {
  int width = 20;
  int height = 12;
  int bits = 24;  // 1, 4, 8, 24 or 32 (the high byte is alpha)
  int headerSize = 40;
  std::vector<Rgb> palette;  // for 1, 4 and 8 bits
  // A palette index, or the pixel as 0xAARRGGBB.
  std::function<std::uint32_t(int x, int y)> value;
  std::function<bool(int x, int y)> masked;
};

inline ByteVector makeBitmapIcon(const IconLayout& s) {
  ByteVector image;
  put32(image, static_cast<std::uint32_t>(s.headerSize));
  put32(image, static_cast<std::uint32_t>(s.width));
  put32(image, static_cast<std::uint32_t>(s.height * 2));
  put16(image, 1);
  put16(image, s.bits);
  image.resize(static_cast<std::size_t>(s.headerSize), 0);
  for (const Rgb& c : s.palette) image.insert(image.end(), {c.b, c.g, c.r, 0});
  BmpLayout colours;
  colours.width = s.width;
  colours.height = s.height;
  colours.bits = s.bits;
  colours.value = s.value;
  for (int y = s.height - 1; y >= 0; --y) packedRow(image, colours, y);
  BmpLayout mask = colours;
  mask.bits = 1;
  mask.value = [&s](int x, int y) { return s.masked(x, y) ? 1u : 0u; };
  for (int y = s.height - 1; y >= 0; --y) packedRow(image, mask, y);

  ByteVector file;
  put16(file, 0);
  put16(file, 1);
  put16(file, 1);
  file.insert(file.end(),
              {static_cast<std::uint8_t>(s.width), static_cast<std::uint8_t>(s.height), 0, 0});
  put16(file, 1);
  put16(file, s.bits);
  put32(file, static_cast<std::uint32_t>(image.size()));
  put32(file, 22);
  file.insert(file.end(), image.begin(), image.end());
  return file;
}

// ---- WMF -------------------------------------------------------------------

struct Placeable {
  std::int16_t left = 0, top = 0, right = 0, bottom = 0;
  std::uint16_t inch = 96;
};

class WmfBuilder {
 public:
  WmfBuilder& record(std::uint16_t function, const std::vector<int>& words) {
    ByteVector params;
    for (const int w : words) put16(params, w);
    return raw(function, params);
  }

  WmfBuilder& raw(std::uint16_t function, const ByteVector& params) {
    ByteVector params2 = params;
    if (params2.size() % 2 != 0) params2.push_back(0);
    const std::uint32_t words = static_cast<std::uint32_t>(3 + params2.size() / 2);
    put32(records_, words);
    put16(records_, function);
    records_.insert(records_.end(), params2.begin(), params2.end());
    maxRecord_ = std::max(maxRecord_, words);
    return *this;
  }

  WmfBuilder& objects(int count) {
    objects_ = count;
    return *this;
  }

  [[nodiscard]] ByteVector build(std::optional<Placeable> placeable = std::nullopt,
                                 bool endRecord = true) const {
    ByteVector out;
    if (placeable) {
      put32(out, 0x9AC6CDD7);
      put16(out, 0);
      put16(out, placeable->left);
      put16(out, placeable->top);
      put16(out, placeable->right);
      put16(out, placeable->bottom);
      put16(out, placeable->inch);
      put32(out, 0);
      std::uint16_t sum = 0;
      for (std::size_t i = 0; i < 20; i += 2)
        sum ^= static_cast<std::uint16_t>(out[i] | (out[i + 1] << 8));
      put16(out, sum);
    }
    ByteVector body = records_;
    if (endRecord) {
      put32(body, 3);
      put16(body, 0);
    }
    put16(out, 1);
    put16(out, 9);
    put16(out, 0x0300);
    put32(out, static_cast<std::uint32_t>((18 + body.size()) / 2));
    put16(out, objects_);
    put32(out, maxRecord_);
    put16(out, 0);
    out.insert(out.end(), body.begin(), body.end());
    return out;
  }

 private:
  ByteVector records_;
  std::uint32_t maxRecord_ = 3;
  int objects_ = 0;
};

// Parameter bytes of a LOGBRUSH16 / LOGPEN16 and a COLORREF.
inline std::uint32_t colorRef(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return r | (g << 8) | (b << 16);
}

inline ByteVector brushParams(int style, std::uint32_t colour, int hatch = 0) {
  ByteVector p;
  put16(p, style);
  put32(p, colour);
  put16(p, hatch);
  return p;
}

inline ByteVector penParams(int style, int width, std::uint32_t colour) {
  ByteVector p;
  put16(p, style);
  put16(p, width);
  put16(p, 0);
  put32(p, colour);
  return p;
}

inline ByteVector fontParams(int height, const std::string& face, int charset = 0,
                             int escapement = 0) {
  ByteVector p;
  put16(p, height);
  put16(p, 0);
  put16(p, escapement);
  put16(p, escapement);
  put16(p, 400);
  p.insert(p.end(), {0, 0, 0, static_cast<std::uint8_t>(charset), 0, 0, 0, 0});
  p.insert(p.end(), face.begin(), face.end());
  p.push_back(0);
  return p;
}

}  // namespace fixtures
