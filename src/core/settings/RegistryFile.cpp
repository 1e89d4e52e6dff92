#include "core/settings/RegistryFile.h"

#include <cstdint>

namespace tossbox {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::uint32_t kBinaryKind = 3;
constexpr std::uint32_t kDwordKind = 4;
constexpr std::size_t kMaxLineWidth = 80;

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A single pass over the text; the first fault ends it.
class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  RegistryParseResult run() {
    RegistryParseResult result;
    RegistryDocument document;
    if (parseHeader()) parseBody(document);
    if (!error_.empty()) {
      result.errorLine = line_;
      result.error = std::move(error_);
      return result;
    }
    result.document = std::move(document);
    return result;
  }

 private:
  [[nodiscard]] bool atEnd() const { return pos_ >= text_.size(); }
  [[nodiscard]] char peek() const { return atEnd() ? '\0' : text_[pos_]; }
  [[nodiscard]] bool atLineEnd() const {
    return atEnd() || peek() == '\n' ||
           (peek() == '\r' && (pos_ + 1 == text_.size() || text_[pos_ + 1] == '\n'));
  }

  bool fail(std::string message) {
    if (error_.empty()) error_ = std::move(message);
    return false;
  }

  void skipSpaces() {
    while (!atEnd() && (peek() == ' ' || peek() == '\t')) ++pos_;
  }

  // Consumes the rest of a line that must be empty apart from spaces.
  bool endLine() {
    skipSpaces();
    if (!atLineEnd()) return fail("行末に余分な文字があります");
    if (peek() == '\r') ++pos_;
    if (peek() == '\n') {
      ++pos_;
      ++line_;
    }
    return true;
  }

  bool parseHeader() {
    if (!text_.starts_with(kHeader)) return fail("先頭に REGEDIT4 の行がありません");
    pos_ = kHeader.size();
    return endLine();
  }

  void parseBody(RegistryDocument& document) {
    RegistryKey* key = nullptr;
    while (true) {
      skipSpaces();
      if (atEnd()) return;
      if (atLineEnd()) {
        if (!endLine()) return;
        continue;
      }
      const char c = peek();
      bool ok = true;
      if (c == ';') {
        skipComment();
      } else if (c == '[') {
        ok = parseKey(document, key);
      } else if (c == '"' || c == '@') {
        ok = key != nullptr ? parseValue(*key) : fail("キーより前に値があります");
      } else {
        ok = fail("解釈できない行です");
      }
      if (!ok) return;
    }
  }

  void skipComment() {
    while (!atLineEnd()) ++pos_;
    endLine();
  }

  bool parseKey(RegistryDocument& document, RegistryKey*& key) {
    const std::size_t start = ++pos_;
    while (!atLineEnd()) ++pos_;
    std::string_view inside = text_.substr(start, pos_ - start);
    while (!inside.empty() && (inside.back() == ' ' || inside.back() == '\t')) {
      inside.remove_suffix(1);
    }
    if (!inside.ends_with(']')) return fail("キーの行が ] で終わっていません");
    inside.remove_suffix(1);
    if (inside.empty()) return fail("キーの名前が空です");
    if (inside.front() == '-') return fail("キーの削除には対応していません");
    key = &document.key(inside);
    return endLine();
  }

  bool parseValue(RegistryKey& key) {
    std::string name;
    if (peek() == '@') {
      ++pos_;
    } else if (!parseQuoted(name)) {
      return false;
    }
    skipSpaces();
    if (peek() != '=') return fail("値の名前の後に = がありません");
    ++pos_;
    skipSpaces();
    if (peek() == '-') {
      ++pos_;
      key.remove(name);
      return endLine();
    }
    RegistryValue value;
    if (!parseData(value)) return false;
    key.set(std::move(name), std::move(value));
    return endLine();
  }

  bool parseData(RegistryValue& value) {
    const std::string_view rest = text_.substr(pos_);
    if (peek() == '"') {
      value.type = RegistryType::String;
      return parseQuoted(value.data);
    }
    if (rest.starts_with("hex:")) {
      pos_ += 4;
      value.type = RegistryType::Binary;
      return parseHexList(value.data);
    }
    if (rest.starts_with("dword:")) {
      pos_ += 6;
      value.type = RegistryType::Other;
      value.otherKind = kDwordKind;
      return parseDword(value.data);
    }
    if (rest.starts_with("hex(")) {
      pos_ += 4;
      std::uint32_t kind = 0;
      if (!parseTypeNumber(kind)) return false;
      value.type = kind == kBinaryKind ? RegistryType::Binary : RegistryType::Other;
      value.otherKind = kind == kBinaryKind ? 0 : kind;
      return parseHexList(value.data);
    }
    return fail("値の種類が分かりません");
  }

  // A quoted string; the opening quote is at pos_.
  bool parseQuoted(std::string& out) {
    const std::size_t startLine = line_;
    ++pos_;
    while (!atEnd()) {
      const char c = text_[pos_++];
      if (c == '"') return true;
      if (c == '\n') ++line_;
      if (c != '\\') {
        out.push_back(c);
        continue;
      }
      if (atEnd() || (peek() != '\\' && peek() != '"')) {
        return fail("文字列に使えない \\ があります");
      }
      out.push_back(text_[pos_++]);
    }
    line_ = startLine;
    return fail("文字列が \" で閉じていません");
  }

  // The type number of hex(n):, in hexadecimal as the registry writes it.
  bool parseTypeNumber(std::uint32_t& kind) {
    std::size_t digits = 0;
    while (hexDigit(peek()) >= 0) {
      if (++digits > 8) return fail("値の型番号が長すぎます");
      kind = kind * 16 + static_cast<std::uint32_t>(hexDigit(peek()));
      ++pos_;
    }
    if (digits == 0 || text_.substr(pos_).substr(0, 2) != "):") {
      return fail("hex( の後の型番号が正しくありません");
    }
    pos_ += 2;
    return true;
  }

  // Skips spaces and line continuations (a backslash ending the line) inside a list.
  bool skipListSpace() {
    while (true) {
      skipSpaces();
      if (peek() != '\\') return true;
      ++pos_;
      skipSpaces();
      if (!atLineEnd() || atEnd()) return fail("16 進数の並びに使えない \\ があります");
      endLine();
    }
  }

  bool parseHexList(std::string& out) {
    while (true) {
      if (!skipListSpace()) return false;
      if (atLineEnd()) return true;
      const int high = hexDigit(peek());
      const int low = pos_ + 1 < text_.size() ? hexDigit(text_[pos_ + 1]) : -1;
      if (high < 0 || low < 0) return fail("16 進数のバイトが正しくありません");
      pos_ += 2;
      out.push_back(static_cast<char>(high * 16 + low));
      if (!skipListSpace()) return false;
      if (peek() != ',') return true;
      ++pos_;
    }
  }

  bool parseDword(std::string& out) {
    std::uint32_t number = 0;
    for (int i = 0; i < 8; ++i) {
      const int digit = hexDigit(peek());
      if (digit < 0) return fail("dword の値は 16 進数 8 桁です");
      number = number * 16 + static_cast<std::uint32_t>(digit);
      ++pos_;
    }
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((number >> (8 * i)) & 0xFF));
    return true;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
  std::string error_;
};

void appendQuoted(std::string& out, std::string_view bytes) {
  out.push_back('"');
  for (const char c : bytes) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
}

void appendHexList(std::string& out, std::size_t lineWidth, std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    // Each item takes up to three columns; one more stays free for the backslash.
    if (lineWidth + 3 > kMaxLineWidth - 1) {
      out += "\\\n  ";
      lineWidth = 2;
    }
    const auto byte = static_cast<std::uint8_t>(bytes[i]);
    out.push_back(kDigits[byte >> 4]);
    out.push_back(kDigits[byte & 0x0F]);
    lineWidth += 2;
    if (i + 1 < bytes.size()) {
      out.push_back(',');
      ++lineWidth;
    }
  }
}

std::string dwordText(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text = "dword:";
  for (std::size_t i = 4; i-- > 0;) {
    const auto byte = static_cast<std::uint8_t>(bytes[i]);
    text.push_back(kDigits[byte >> 4]);
    text.push_back(kDigits[byte & 0x0F]);
  }
  return text;
}

std::string hexKindPrefix(std::uint32_t kind) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[kind & 0x0F]);
    kind >>= 4;
  } while (kind != 0);
  return "hex(" + digits + "):";
}

void appendValue(std::string& out, const NamedValue& named) {
  const std::size_t lineStart = out.size();
  if (named.name.empty()) {
    out.push_back('@');
  } else {
    appendQuoted(out, named.name);
  }
  out.push_back('=');
  const RegistryValue& value = named.value;
  switch (value.type) {
    case RegistryType::String:
      appendQuoted(out, value.data);
      break;
    case RegistryType::Binary:
      out += "hex:";
      appendHexList(out, out.size() - lineStart, value.data);
      break;
    case RegistryType::Other:
      if (value.otherKind == kDwordKind && value.data.size() == 4) {
        out += dwordText(value.data);
      } else {
        out += hexKindPrefix(value.otherKind);
        appendHexList(out, out.size() - lineStart, value.data);
      }
      break;
  }
  out.push_back('\n');
}

}  // namespace

RegistryParseResult parseRegistryFile(std::string_view text) {
  return Parser(text).run();
}

std::string writeRegistryFile(const RegistryDocument& document) {
  std::string out(kHeader);
  out += "\n\n";
  for (const RegistryKey& key : document.keys) {
    out += "[" + key.path() + "]\n";
    for (const NamedValue& value : key.values()) appendValue(out, value);
    out.push_back('\n');
  }
  return out;
}

}  // namespace tossbox
