#include "core/files/ListCollation.h"

#include <array>
#include <cstdint>

namespace tossbox {

namespace {

// Bytes that are not UTF-8 are placed as U+DC80..U+DCFF (where no character of a valid text can
// be), so the key stays a total order over all byte strings.
constexpr char32_t kStrayByteBase = 0xDC00;

// Half-width katakana U+FF61..U+FF9F in their full-width forms.
constexpr std::array<char16_t, 0x3F> kHalfWidthKana = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9,
    0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB,
    0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1,
    0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5,
    0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9,
    0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C,
};

// Decodes one UTF-8 character at `pos` (advanced past it); a byte that does not start a valid,
// shortest-form sequence is returned on its own as a stray byte.
char32_t decodeUtf8(std::string_view text, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  std::size_t length = 0;
  char32_t value = 0;
  char32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07, minimum = 0x10000;
  }
  if (length == 0 || text.size() - pos < length) {
    ++pos;
    return kStrayByteBase + lead;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = byte(pos + i);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return kStrayByteBase + lead;
    }
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    ++pos;
    return kStrayByteBase + lead;
  }
  pos += length;
  return value;
}

void appendUtf8(char32_t value, std::string& out) {
  if (value < 0x80) {
    out.push_back(static_cast<char>(value));
  } else if (value < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (value >> 6)));
    out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
  } else if (value < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (value >> 12)));
    out.push_back(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (value >> 18)));
    out.push_back(static_cast<char>(0x80 | ((value >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
  }
}

char32_t foldLatinExtendedA(char32_t c) {
  if (c == 0x0178) return 0x00FF;
  if (c == 0x0130 || c == 0x0131 || c == 0x0138 || c == 0x0149 || c == 0x017F) return c;
  // Upper case is the even code point of each pair, except in U+0139..U+0148 and U+0179..U+017E.
  const bool oddPairs = (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E);
  const bool isUpper = oddPairs ? (c % 2 == 1) : (c % 2 == 0);
  return isUpper ? c + 1 : c;
}

char32_t fold(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
  if (c >= 0xFF01 && c <= 0xFF5E) return fold(c - 0xFEE0);
  if (c >= 0xFF61 && c <= 0xFF9F) return kHalfWidthKana[c - 0xFF61];
  if (c >= 0x3041 && c <= 0x3096) return c + 0x60;
  if (c == 0x309D || c == 0x309E) return c + 0x60;  // hiragana iteration marks
  if (c == 0x3000) return ' ';
  if (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) return c + 0x20;
  if (c >= 0x0100 && c <= 0x017F) return foldLatinExtendedA(c);
  if (c >= 0x0391 && c <= 0x03A9 && c != 0x03A2) return c + 0x20;
  if (c >= 0x0410 && c <= 0x042F) return c + 0x20;
  if (c >= 0x0400 && c <= 0x040F) return c + 0x50;
  return c;
}

// Voiced (゛) and semi-voiced (゜) marks written after a kana: half-width, combining or spacing
// (the spacing forms are what the half-width marks fold to).
enum class Mark { None, Voiced, SemiVoiced };

Mark markOf(char32_t folded) {
  if (folded == 0x3099 || folded == 0x309B) return Mark::Voiced;
  if (folded == 0x309A || folded == 0x309C) return Mark::SemiVoiced;
  return Mark::None;
}

// The katakana `kana` with `mark` joined, or 0 when the two do not make one letter.
char32_t joinMark(char32_t kana, Mark mark) {
  const bool kaToTo = (kana >= 0x30AB && kana <= 0x30C2 && kana % 2 == 1) || kana == 0x30C4 ||
                      kana == 0x30C6 || kana == 0x30C8;
  const bool haToHo = kana >= 0x30CF && kana <= 0x30DB && (kana - 0x30CF) % 3 == 0;
  if (mark == Mark::Voiced) {
    if (kaToTo || haToHo) return kana + 1;
    if (kana == 0x30A6) return 0x30F4;  // ヴ
  }
  if (mark == Mark::SemiVoiced && haToHo) return kana + 2;
  return 0;
}

}  // namespace

void appendCollationKey(std::string_view text, std::string& key) {
  char32_t pending = 0;
  bool hasPending = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char32_t folded = fold(decodeUtf8(text, pos));
    if (hasPending) {
      const Mark mark = markOf(folded);
      const char32_t joined = mark == Mark::None ? 0 : joinMark(pending, mark);
      if (joined != 0) {
        pending = joined;
        continue;
      }
      appendUtf8(pending, key);
    }
    pending = folded;
    hasPending = true;
  }
  if (hasPending) appendUtf8(pending, key);
}

std::string collationKey(std::string_view text) {
  std::string key;
  key.reserve(text.size());
  appendCollationKey(text, key);
  return key;
}

bool listOrderLess(std::string_view a, std::string_view b) {
  return collationKey(a) < collationKey(b);
}

}  // namespace tossbox
