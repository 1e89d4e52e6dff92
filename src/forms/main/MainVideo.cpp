// The video in the preview: the media window keeps the clicks on it to itself, so Timer1
// polls the device to loop the clip and reads the mouse buttons to step through the files.
#include <QTimer>

#include "forms/list/UList.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "platform/art/Artwork.h"
#include "platform/media/MediaCommands.h"
#include "platform/ui/AsyncKeyState.h"
#include "platform/ui/ControlUnderCursor.h"

namespace tossbox {

namespace {

constexpr std::uint16_t kNewlyPressed = AsyncKeyState::kDown | AsyncKeyState::kPressedSinceRead;
constexpr std::uint16_t kHeld = AsyncKeyState::kDown;

bool pointerOverVideo() {
  QString name;
  ControlUnderCursor(name);
  // The video window is a child of Panel2: over the video or its frame, Panel2 is found.
  return name == QLatin1String("Panel2");
}

}  // namespace

void TForm1::startVideoLoop() {
  timer1_.setInterval(kVideoLoopInterval);
  timer1_.start();
}

void TForm1::Timer1Timer() {
  MediaCommands& media = program_.media();
  if (media.send("status mvid mode").text == "stopped") {
    media.send("seek mvid to start");
    media.send("play mvid window");
  }
  AsyncKeyState& keys = program_.asyncKeys();
  const EntryListBox& list = program_.form2().listBox1();
  if (keys.read(Qt::LeftButton) == kNewlyPressed && pointerOverVideo()) {
    navigation_.setPictureCursor(Pointer::StepForward);
    const int index = list.selectedIndex();
    if (index + 1 < list.count()) navigation_.showEntry(index + 1);
  }
  // Held from an earlier tick: a held right button steps back once per tick.
  if (keys.read(Qt::RightButton) == kHeld && pointerOverVideo()) {
    navigation_.setPictureCursor(Pointer::StepBack);
    const int index = list.selectedIndex();
    if (index - 1 >= 0) navigation_.showEntry(index - 1);
  }
}

}  // namespace tossbox
