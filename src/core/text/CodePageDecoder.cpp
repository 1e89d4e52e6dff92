#include "core/text/CodePageDecoder.h"

#include <cerrno>
#include <string>

namespace tossbox {
namespace {

const iconv_t kNoHandle = reinterpret_cast<iconv_t>(-1);
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

std::string iconvName(int codePage) {
  switch (codePage) {
    case 65001:
      return "UTF-8";
    case 20127:
      return "ASCII";
    case 10000:
      return "MACINTOSH";
    case 10007:
      return "MAC-CYRILLIC";
    case 10029:
      return "MAC-CENTRALEUROPE";
    // Mac Japanese and the EUC forms are Shift-JIS or EUC-JP close enough for
    // reading text.
    case 10001:
      return "CP932";
    case 20932:
    case 51932:
      return "EUC-JP";
    case 50220:
    case 50221:
    case 50222:
      return "ISO-2022-JP";
    case 1361:
      return "JOHAB";
    case 950:
      return "BIG5";
    default:
      break;
  }
  if (codePage >= 28591 && codePage <= 28606) return "ISO-8859-" + std::to_string(codePage - 28590);
  return "CP" + std::to_string(codePage);
}

bool isAscii(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Code pages where plain ASCII bytes do not stand for themselves.
bool keepsAscii(int codePage) {
  return !(codePage >= 50220 && codePage <= 50229);
}

}  // namespace

int codePageOfCharset(int charset) {
  switch (charset) {
    case 0:
      return 1252;
    case 2:
      return 1252;  // symbol fonts: their bytes have no code page of their own
    case 77:
      return 10000;
    case 78:
      return 10001;
    case 128:
      return 932;
    case 129:
      return 949;
    case 130:
      return 1361;
    case 134:
      return 936;
    case 136:
      return 950;
    case 161:
      return 1253;
    case 162:
      return 1254;
    case 163:
      return 1258;
    case 177:
      return 1255;
    case 178:
      return 1256;
    case 186:
      return 1257;
    case 204:
      return 1251;
    case 222:
      return 874;
    case 238:
      return 1250;
    case 254:
      return 437;
    case 255:
      return 850;
    default:
      return kDocumentCodePage;
  }
}

CodePageDecoder::~CodePageDecoder() {
  for (const auto& [codePage, handle] : handles_) {
    if (handle != kNoHandle) iconv_close(handle);
  }
}

iconv_t CodePageDecoder::handleFor(int codePage) {
  if (const auto found = handles_.find(codePage); found != handles_.end()) return found->second;
  // A code page iconv lacks is remembered as such, so it is asked only once.
  const iconv_t handle = iconv_open("UTF-8", iconvName(codePage).c_str());
  handles_.emplace(codePage, handle);
  return handle;
}

void CodePageDecoder::decode(int codePage, std::string_view bytes, std::string& out) {
  if (bytes.empty()) return;
  if (keepsAscii(codePage) && isAscii(bytes)) {
    out.append(bytes);
    return;
  }
  iconv_t handle = handleFor(codePage);
  if (handle == kNoHandle) handle = handleFor(kDefaultCodePage);
  if (handle == kNoHandle) {
    out.append(bytes);
    return;
  }
  iconv(handle, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char buffer[1024];
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t rc = iconv(handle, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    out.append(kReplacement);
    if (errno == EINVAL) break;  // a sequence cut off at the end
    ++in;
    --inLeft;
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
  }
  char* outPtr = buffer;
  std::size_t outLeft = sizeof buffer;
  iconv(handle, nullptr, nullptr, &outPtr, &outLeft);
  out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
}

}  // namespace tossbox
