#pragma once
// The order of the displayed list when it is sorted: ascending over the whole entry text,
// ignoring case, the same for every user whatever the process locale. The text is read as UTF-8
// (bytes that are not UTF-8 keep a fixed place of their own) and each character is folded before
// code point order decides:
//   - upper case to lower case for ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic;
//   - full-width ASCII forms to ASCII, the ideographic space to a space;
//   - half-width katakana to katakana, a following half-width or combining (semi-)voiced mark
//     joined to its kana, and hiragana to katakana, so that the kana spellings of one name sort
//     together in syllabary order;
//   - kanji and everything else by code point.
// The entry number is part of the text, so equal names stand in the order of their numbers.
#include <string>
#include <string_view>

namespace tossbox {

// Appends the collation key of `text` to `key`; comparing two keys bytewise gives the order.
void appendCollationKey(std::string_view text, std::string& key);
[[nodiscard]] std::string collationKey(std::string_view text);
// Whether `a` comes before `b` in the displayed list's sorted order.
[[nodiscard]] bool listOrderLess(std::string_view a, std::string_view b);

}  // namespace tossbox
