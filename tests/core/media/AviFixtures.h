#pragma once
// AVI files made in the tests: a RIFF "AVI " form with its header list (main
// header, one stream's header and format, optionally the extended header)
// and an empty frame list.
#include <cstring>
#include <string>

#include "../picture/PictureFixtures.h"

namespace fixtures {

struct AviLayout {
  std::uint32_t frames = 50;
  std::uint32_t width = 320;
  std::uint32_t height = 240;
  std::uint32_t microSecondsPerFrame = 40000;
  std::string streamType = "vids";
  std::uint32_t streamLength = 50;
  std::int32_t formatWidth = 320;
  std::int32_t formatHeight = 240;
  std::uint32_t extendedFrames = 0;  // an "odml" list when not 0
};

inline void putId(ByteVector& out, const std::string& id) {
  out.insert(out.end(), id.begin(), id.begin() + 4);
}

inline ByteVector riffChunk(const std::string& id, const ByteVector& data) {
  ByteVector out;
  putId(out, id);
  put32(out, static_cast<std::uint32_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  if (data.size() % 2 != 0) out.push_back(0);
  return out;
}

inline ByteVector riffList(const std::string& type, const ByteVector& body) {
  ByteVector data;
  putId(data, type);
  data.insert(data.end(), body.begin(), body.end());
  return riffChunk("LIST", data);
}

inline ByteVector concat(std::initializer_list<ByteVector> parts) {
  ByteVector out;
  for (const ByteVector& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

inline ByteVector aviMainHeader(const AviLayout& layout) {
  ByteVector avih;
  put32(avih, layout.microSecondsPerFrame);
  put32(avih, 0);     // max bytes per second
  put32(avih, 0);     // padding granularity
  put32(avih, 0x10);  // flags: has index
  put32(avih, layout.frames);
  put32(avih, 0);  // initial frames
  put32(avih, 1);  // streams
  put32(avih, 0);  // suggested buffer size
  put32(avih, layout.width);
  put32(avih, layout.height);
  for (int i = 0; i < 4; ++i) put32(avih, 0);
  return riffChunk("avih", avih);
}

inline ByteVector aviStreamList(const AviLayout& layout) {
  ByteVector strh;
  putId(strh, layout.streamType);
  putId(strh, "MJPG");
  for (int i = 0; i < 3; ++i) put32(strh, 0);  // flags, priority and language, initial frames
  put32(strh, 1);                              // scale
  put32(strh, 25);                             // rate
  put32(strh, 0);                              // start
  put32(strh, layout.streamLength);
  for (int i = 0; i < 5; ++i) put32(strh, 0);  // buffer size, quality, sample size, frame
  ByteVector strf;
  put32(strf, 40);
  put32(strf, static_cast<std::uint32_t>(layout.formatWidth));
  put32(strf, static_cast<std::uint32_t>(layout.formatHeight));
  put16(strf, 1);
  put16(strf, 24);
  for (int i = 0; i < 6; ++i) put32(strf, 0);
  return riffList("strl", concat({riffChunk("strh", strh), riffChunk("strf", strf)}));
}

inline ByteVector aviBytes(const AviLayout& layout = {}) {
  ByteVector hdrl = concat({aviMainHeader(layout), aviStreamList(layout)});
  if (layout.extendedFrames != 0) {
    ByteVector dmlh;
    put32(dmlh, layout.extendedFrames);
    hdrl = concat({hdrl, riffList("odml", riffChunk("dmlh", dmlh))});
  }
  ByteVector form;
  putId(form, "AVI ");
  form = concat({form, riffList("hdrl", hdrl), riffList("movi", {})});
  return riffChunk("RIFF", form);
}

}  // namespace fixtures
