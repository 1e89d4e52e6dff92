#pragma once
// Keeps the prefetch in step with the file on show: once an entry is shown, the entries after
// and before it in the list are wanted, and the one on show is kept. Made at the start of
// showing an entry; its end (however the showing ends) tells the prefetch.
#include "forms/render/RenderBox.h"

namespace tossbox {

class Program;

class NeighbourPrefetch {
 public:
  NeighbourPrefetch(Program& program, RenderBox box) : program_(program), box_(box) {}
  ~NeighbourPrefetch();
  NeighbourPrefetch(const NeighbourPrefetch&) = delete;
  NeighbourPrefetch& operator=(const NeighbourPrefetch&) = delete;

 private:
  Program& program_;
  RenderBox box_;
};

}  // namespace tossbox
