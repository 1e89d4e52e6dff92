// The Qt adapters of the GIF painters: painting into a QImage through the GUI thread's event
// loop, and StopPaint serving a painter that waits for the GUI thread.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <chrono>
#include <thread>

#include "core/gif/GifImage.h"
#include "platform/gif/QtGifCanvas.h"
#include "platform/gif/QtUiThreadCaller.h"

namespace tossbox {
namespace {

// Two 2x1 frames (red, blue / blue, red), delay 1, looping without end.
const std::vector<std::uint8_t> kTwoFrames = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x01, 0x00, 0xF1, 0x00, 0x00, 0x00, 0x00, 0x00,
    0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x21, 0xFF, 0x0B, 0x4E, 0x45, 0x54, 0x53,
    0x43, 0x41, 0x50, 0x45, 0x32, 0x2E, 0x30, 0x03, 0x01, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x04,
    0x01, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02,
    0x8C, 0x0A, 0x00, 0x21, 0xF9, 0x04, 0x04, 0x01, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00,
    0x02, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x54, 0x0A, 0x00, 0x3B};

constexpr PaintFlags kProgramFlags = DefaultPaintFlags.with(PaintFlag::pfDirect);

// No waiting at all: the painter asks the GUI thread for work as fast as it can.
class InstantClock : public GifClock {
 public:
  GifTime now() override { return GifTime{}; }
  bool waitUntil(GifTime, GifStopEvent& stop) override { return stop.isSet(); }
  void yield() override {}
};

TEST(GifQtAdapters, AnimationPlaysIntoTheBackingImageThroughTheEventLoop) {
  QImage backing(4, 2, QImage::Format_RGB888);
  backing.fill(QColor(128, 128, 128));
  int updates = 0;
  QtGifCanvas canvas(backing, [&] { ++updates; });
  TGIFImage image(kProgramFlags);
  image.loadFromMemory(kTwoFrames);
  image.setUiThreadCaller(std::make_shared<QtUiThreadCaller>());
  image.draw(canvas, {1, 0, 3, 1});
  QElapsedTimer timer;
  timer.start();
  // Delay 1 is raised to 4 hundredths: 48 ms a frame.
  while (updates < 3 && timer.elapsed() < 5000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  EXPECT_GE(updates, 3);
  EXPECT_GE(timer.elapsed(), 2 * 48 - 5);
  image.StopPaint();
  EXPECT_EQ(image.painterCount(), 0);
  EXPECT_EQ(backing.format(), QImage::Format_ARGB32_Premultiplied);
  const QRgb left = backing.pixel(1, 0);
  EXPECT_TRUE(left == qRgb(255, 0, 0) || left == qRgb(0, 0, 255));
  EXPECT_NE(backing.pixel(1, 0), backing.pixel(2, 0));
  EXPECT_EQ(backing.pixel(0, 0), qRgb(128, 128, 128)) << "outside the rectangle";
  EXPECT_EQ(backing.pixel(1, 1), qRgb(128, 128, 128));
}

TEST(GifQtAdapters, StoppingServesAPainterWaitingForTheGuiThread) {
  QImage backing(2, 1, QImage::Format_ARGB32);
  backing.fill(0);
  QtGifCanvas canvas(backing, {});
  auto image = std::make_unique<TGIFImage>(kProgramFlags);
  image->loadFromMemory(kTwoFrames);
  image->setUiThreadCaller(std::make_shared<QtUiThreadCaller>());
  image->setClock(std::make_shared<InstantClock>());
  image->draw(canvas, {0, 0, 2, 1});
  // The event loop does not run: the painter is soon blocked in a call only this thread serves.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  QElapsedTimer timer;
  timer.start();
  image.reset();
  EXPECT_LT(timer.elapsed(), 2000);
  // Wake-ups posted for the finished calls find nothing left to do.
  QCoreApplication::processEvents();
}

}  // namespace
}  // namespace tossbox
