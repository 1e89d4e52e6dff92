#include "core/picture/JpegDecoder.h"

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <csetjmp>
#include <cstdio>

#include <algorithm>
#include <array>

namespace tossbox {

namespace {

// libjpeg may use this much for its own buffers (the coefficients of a
// progressive file); beyond it the file is refused rather than decoded.
constexpr long kMaxLibraryMemory = 1L << 30;

struct ErrorManager {
  jpeg_error_mgr pub;  // first, so libjpeg's pointer is ours
  std::jmp_buf jump;
  int warnings;
  char message[JMSG_LENGTH_MAX];
};

// libjpeg's progress hook, kept as a last guard: the decode loop stops at the
// scan limit itself, so this fires only when a single libjpeg call keeps
// absorbing scans far beyond it.
struct ScanGuard {
  jpeg_progress_mgr pub;  // first, as above
  ErrorManager* errors;
  int hardLimit;
};

void onErrorExit(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, errors->message);
  std::longjmp(errors->jump, 1);
}

void onEmitMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;  // trace messages
  auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
  ++errors->warnings;
  ++cinfo->err->num_warnings;
}

void onOutputMessage(j_common_ptr) {}

void onProgress(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  auto* guard = reinterpret_cast<ScanGuard*>(cinfo->progress);
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number <= guard->hardLimit) return;
  std::snprintf(guard->errors->message, JMSG_LENGTH_MAX, "too many scans");
  std::longjmp(guard->errors->jump, 1);
}

// Everything a decode shares with libjpeg. It lives in the caller's frame, so
// the longjmp of the error manager never skips its destructor.
struct Session {
  jpeg_decompress_struct cinfo{};
  ErrorManager errors{};
  ScanGuard guard{};
  std::span<const std::uint8_t> data;
  std::uint8_t* rows = nullptr;
  std::size_t bytesPerLine = 0;
  bool convertCmyk = false;
  bool invertedCmyk = false;
  bool drewRows = false;
  int lastPercent = -1;

  explicit Session(std::span<const std::uint8_t> bytes, int scanLimit) : data(bytes) {
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = onErrorExit;
    errors.pub.emit_message = onEmitMessage;
    errors.pub.output_message = onOutputMessage;
    guard.pub.progress_monitor = onProgress;
    guard.errors = &errors;
    guard.hardLimit = scanLimit * 2 + 16;
  }
  ~Session() { jpeg_destroy_decompress(&cinfo); }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
};

// Creates the decompressor over the data and reads the header. Called only
// from the functions holding the setjmp.
bool openAndReadHeader(Session& s) {
  jpeg_create_decompress(&s.cinfo);
  s.cinfo.progress = &s.guard.pub;
  s.cinfo.mem->max_memory_to_use = kMaxLibraryMemory;
  jpeg_mem_src(&s.cinfo, s.data.data(), static_cast<unsigned long>(s.data.size()));
  return jpeg_read_header(&s.cinfo, TRUE) == JPEG_HEADER_OK;
}

JpegHeaderFacts factsOf(j_decompress_ptr cinfo) {
  JpegHeaderFacts facts;
  facts.width = static_cast<int>(cinfo->image_width);
  facts.height = static_cast<int>(cinfo->image_height);
  facts.greyscale = cinfo->jpeg_color_space == JCS_GRAYSCALE;
  facts.multiScan = jpeg_has_multiple_scans(cinfo) != 0;
  return facts;
}

void runHeader(Session& s, std::optional<JpegHeaderFacts>& facts) {
  if (setjmp(s.errors.jump) != 0) return;
  if (openAndReadHeader(s)) facts = factsOf(&s.cinfo);
}

void configure(Session& s, const JpegDecodeOptions& o) {
  j_decompress_ptr cinfo = &s.cinfo;
  cinfo->scale_num = 1;
  cinfo->scale_denom = static_cast<unsigned int>(o.scaleDenominator);
  cinfo->dct_method = o.dct == JpegDct::Fast ? JDCT_IFAST : JDCT_ISLOW;
  if (o.dct == JpegDct::Fast) cinfo->do_fancy_upsampling = FALSE;
  const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
  s.invertedCmyk = cmyk && cinfo->saw_Adobe_marker;
  if (o.pixels == JpegPixels::Bgra32) {
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    s.convertCmyk = cmyk;
    return;
  }
  if (cmyk) {
    cinfo->out_color_space = JCS_CMYK;
  } else {
    cinfo->out_color_space = cinfo->jpeg_color_space == JCS_GRAYSCALE ? JCS_GRAYSCALE : JCS_RGB;
  }
  cinfo->quantize_colors = TRUE;
  cinfo->desired_number_of_colors = 256;
  cinfo->two_pass_quantize = FALSE;
  cinfo->dither_mode = o.dct == JpegDct::Fast ? JDITHER_ORDERED : JDITHER_FS;
}

std::uint8_t cmykToChannel(int ink, int black, bool inverted) {
  // Adobe writes CMYK inverted: 255 is no ink.
  if (inverted) return static_cast<std::uint8_t>(ink * black / 255);
  return static_cast<std::uint8_t>((255 - ink) * (255 - black) / 255);
}

void cmykRowToBgra(std::uint8_t* row, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x) {
    std::uint8_t* p = row + std::size_t{x} * 4;
    const int c = p[0], m = p[1], y = p[2], k = p[3];
    p[0] = cmykToChannel(y, k, inverted);
    p[1] = cmykToChannel(m, k, inverted);
    p[2] = cmykToChannel(c, k, inverted);
    p[3] = 0xFF;
  }
}

void sendColourMap(Session& s, JpegPixelSink& sink) {
  j_decompress_ptr cinfo = &s.cinfo;
  std::array<JpegRgb, 256> colours{};
  const int count = std::clamp(cinfo->actual_number_of_colors, 0, 256);
  for (int i = 0; i < count; ++i) {
    const auto at = [&](int component) { return cinfo->colormap[component][i]; };
    JpegRgb& c = colours[static_cast<std::size_t>(i)];
    if (cinfo->out_color_components == 1) {
      c = {at(0), at(0), at(0)};
    } else if (cinfo->out_color_components == 4) {
      c.red = cmykToChannel(at(0), at(3), s.invertedCmyk);
      c.green = cmykToChannel(at(1), at(3), s.invertedCmyk);
      c.blue = cmykToChannel(at(2), at(3), s.invertedCmyk);
    } else {
      c = {at(0), at(1), at(2)};
    }
  }
  sink.setColourMap(std::span<const JpegRgb>(colours.data(), static_cast<std::size_t>(count)));
}

void reportProgress(Session& s, JpegPixelSink& sink, int percent) {
  percent = std::clamp(percent, 0, 100);
  if (percent == s.lastPercent) return;
  s.lastPercent = percent;
  sink.progress(percent);
}

int bytesConsumedPercent(const Session& s) {
  if (s.data.empty()) return 100;
  const std::size_t left = s.cinfo.src->bytes_in_buffer;
  return static_cast<int>((s.data.size() - left) * 100 / s.data.size());
}

// One output pass: every row of the picture at the current state of the data.
void readAllRows(Session& s, JpegPixelSink& sink, bool rowProgress) {
  j_decompress_ptr cinfo = &s.cinfo;
  while (cinfo->output_scanline < cinfo->output_height) {
    std::array<JSAMPROW, 4> rows{};
    const JDIMENSION first = cinfo->output_scanline;
    const JDIMENSION count = std::min<JDIMENSION>(4, cinfo->output_height - first);
    for (JDIMENSION i = 0; i < count; ++i) rows[i] = s.rows + (first + i) * s.bytesPerLine;
    const JDIMENSION got = jpeg_read_scanlines(cinfo, rows.data(), count);
    if (s.convertCmyk) {
      for (JDIMENSION i = 0; i < got; ++i)
        cmykRowToBgra(rows[i], cinfo->output_width, s.invertedCmyk);
    }
    if (got > 0) s.drewRows = true;
    if (rowProgress) {
      reportProgress(
          s, sink,
          static_cast<int>(std::uint64_t{cinfo->output_scanline} * 100 / cinfo->output_height));
    }
  }
}

void decodeScans(Session& s, const JpegDecodeOptions& o, JpegPixelSink& sink, JpegDecodeResult& r) {
  j_decompress_ptr cinfo = &s.cinfo;
  while (!jpeg_input_complete(cinfo)) {
    if (cinfo->input_scan_number > o.scanLimit) {
      r.scanLimitReached = true;
      break;
    }
    if (o.showEachScan) {
      jpeg_start_output(cinfo, cinfo->input_scan_number);
      readAllRows(s, sink, false);
      jpeg_finish_output(cinfo);
      ++r.scansShown;
      sink.scanShown();
    } else if (jpeg_consume_input(cinfo) == JPEG_SUSPENDED) {
      break;
    }
    reportProgress(s, sink, bytesConsumedPercent(s));
  }
  const bool complete = jpeg_input_complete(cinfo) != 0;
  if (!o.showEachScan || !complete) {
    // Only whole scans: the one being read when the limit stopped us is left out.
    const int last = complete ? cinfo->input_scan_number : cinfo->input_scan_number - 1;
    if (last >= 1 && (!o.showEachScan || r.scansShown < last)) {
      jpeg_start_output(cinfo, last);
      readAllRows(s, sink, false);
      jpeg_finish_output(cinfo);
      ++r.scansShown;
      sink.scanShown();
    }
  }
  if (complete) jpeg_finish_decompress(cinfo);
  r.outcome = complete ? JpegOutcome::Complete : JpegOutcome::Partial;
}

// Every libjpeg call of a decode runs below this function's setjmp, so the
// functions it calls keep no locals that need destructors.
void runDecode(Session& s, const JpegDecodeOptions& o, JpegPixelSink& sink, JpegDecodeResult& r) {
  if (setjmp(s.errors.jump) != 0) {
    r.error = s.errors.message;
    r.warnings = s.errors.warnings;
    r.outcome = s.drewRows ? JpegOutcome::Partial : JpegOutcome::Failed;
    if (s.drewRows) sink.scanShown();
    return;
  }
  if (!openAndReadHeader(s)) return;
  r.facts = factsOf(&s.cinfo);
  configure(s, o);
  s.cinfo.buffered_image = r.facts.multiScan ? TRUE : FALSE;
  jpeg_calc_output_dimensions(&s.cinfo);
  const std::uint64_t pixels = std::uint64_t{s.cinfo.output_width} * s.cinfo.output_height;
  if (pixels == 0 || pixels > o.maxOutputPixels) {
    r.error = "picture too large";
    return;
  }
  jpeg_start_decompress(&s.cinfo);
  r.outputWidth = static_cast<int>(s.cinfo.output_width);
  r.outputHeight = static_cast<int>(s.cinfo.output_height);
  s.rows = sink.allocate(r.outputWidth, r.outputHeight, o.pixels, s.bytesPerLine);
  if (s.rows == nullptr) {
    r.error = "no memory for the picture";
    return;
  }
  if (s.cinfo.quantize_colors) sendColourMap(s, sink);
  if (r.facts.multiScan) {
    decodeScans(s, o, sink, r);
  } else {
    readAllRows(s, sink, true);
    jpeg_finish_decompress(&s.cinfo);
    r.scansShown = 1;
    sink.scanShown();
    r.outcome = JpegOutcome::Complete;
  }
  r.warnings = s.errors.warnings;
}

bool validOptions(const JpegDecodeOptions& o) {
  const int d = o.scaleDenominator;
  return (d == 1 || d == 2 || d == 4 || d == 8) && o.scanLimit >= 1;
}

}  // namespace

std::optional<JpegHeaderFacts> readJpegHeader(std::span<const std::uint8_t> data) {
  Session session(data, 1);
  std::optional<JpegHeaderFacts> facts;
  runHeader(session, facts);
  return facts;
}

int jpegScaledSize(int fullSize, int denominator) {
  return static_cast<int>((static_cast<long long>(fullSize) + denominator - 1) / denominator);
}

JpegDecodeResult decodeJpeg(std::span<const std::uint8_t> data, const JpegDecodeOptions& options,
                            JpegPixelSink& sink) {
  JpegDecodeResult result;
  if (!validOptions(options)) {
    result.error = "bad decode options";
    return result;
  }
  Session session(data, options.scanLimit);
  runDecode(session, options, sink, result);
  return result;
}

}  // namespace tossbox
