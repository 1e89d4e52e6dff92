#pragma once
// The list of files to sort and the action history, beside the main window.
// Its ListBox1 lives for the whole run: its selection is the position on
// show for every window, also while this window is hidden.
#include "forms/common/ProgramWindow.h"
#include "forms/list/EntryListBox.h"

namespace tossbox {

class TForm2 : public ProgramWindow {
  Q_OBJECT
public:
  explicit TForm2(Program& program);

  EntryListBox& listBox1() { return *listBox1_; }

  // Fills ListBox1 from the entries through the kind filter, recounts the
  // kinds in the filter dialog and shows the selected entry.
  void RebuildList();

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  EntryListBox* listBox1_;
};

}  // namespace tossbox
