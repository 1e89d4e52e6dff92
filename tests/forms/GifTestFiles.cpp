// The forms tests build their GIF files with the GIF reader tests' writer.
#include "../core/gif/GifTestWriter.cpp"
