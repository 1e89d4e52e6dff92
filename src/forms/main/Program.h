#pragma once
// The running program: creates the ten windows in their fixed order, owns
// what they share, and keeps them until the end. main() and the tests build
// one of these; nothing about the program lives in globals.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/files/PrivateFolder.h"
#include "core/picture/JpegRetryCopy.h"
#include "core/sorting/FileOperation.h"
#include "core/sorting/HistoryList.h"
#include "forms/common/SaveFileChooser.h"
#include "forms/main/SettingsBinding.h"
#include "forms/main/SharedState.h"
#include "forms/render/Prefetch.h"
#include "forms/render/RendererTable.h"
#include "platform/media/MediaCommands.h"
#include "platform/sorting/DesktopOpener.h"
#include "platform/sorting/DesktopTrash.h"
#include "platform/sound/SoundPlayer.h"
#include "platform/tray/TrayIconIds.h"
#include "platform/tray/TrayShell.h"
#include "platform/ui/AsyncKeyState.h"
#include "platform/ui/ScreenCursor.h"

namespace tossbox {

class MessageBoxes;
class Artwork;
class TForm1;
class TFolderSett;
class TFSyurui;
class TForm2;
class TForm3;
class TForm5;
class TForm6;
class TForm8;
class TForm9;
class TSTVabout;

class Program {
 public:
  // arguments: the command-line paths to load at the first showing, as given. trayShell: the
  // notification area the tray icon goes into; the desktop's own when none is given.
  Program(MessageBoxes& boxes, std::vector<std::string> arguments,
          std::unique_ptr<TrayShell> trayShell = nullptr);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  void showMainWindow();

  TForm1& form1() { return *form1_; }
  TFolderSett& folderSett() { return *folderSett_; }
  TFSyurui& fSyurui() { return *fSyurui_; }
  TForm2& form2() { return *form2_; }
  TForm3& form3() { return *form3_; }
  TForm5& form5() { return *form5_; }
  TForm6& form6() { return *form6_; }
  TForm8& form8() { return *form8_; }
  TForm9& form9() { return *form9_; }
  TSTVabout& stvAbout() { return *stvAbout_; }

  SharedState& state() { return state_; }
  SettingsBinding& settingsBinding() { return settingsBinding_; }
  MessageBoxes& boxes() { return boxes_; }
  Artwork& art() { return *art_; }
  ScreenCursor& screenCursor() { return screenCursor_; }
  RendererTable& renderers() { return renderers_; }
  RenderServices& renderServices() { return renderServices_; }
  // The files beside the one on show, read and decoded ahead for the preview.
  Prefetch& prefetch() { return prefetch_; }
  // The one video device ("mvid"); tests put a recording one in its place.
  MediaCommands& media() { return *media_; }
  void setMedia(std::unique_ptr<MediaCommands> media);
  // The mouse buttons as the video loop polls them.
  AsyncKeyState& asyncKeys() { return asyncKeys_; }
  // Blocks the user interface for a moment (the visible press of a button);
  // tests replace it.
  void pause(int milliseconds) { pause_(milliseconds); }
  void setPause(std::function<void(int)> pause) { pause_ = std::move(pause); }
  [[nodiscard]] const std::vector<std::string>& arguments() const { return arguments_; }
  TrayShell& trayShell() { return *trayShell_; }
  TrayIconIds& trayIconIds() { return trayIconIds_; }

  // Sorting: every copy, move and trash goes through fileOperation(), which records it in
  // history(). Folders and files open in the desktop's programs through opener(), and the
  // name to save under is asked through chooseSaveFile(); tests replace both.
  HistoryList& history() { return history_; }
  FileOperation& fileOperation() { return fileOperation_; }
  DesktopOpener& opener() { return opener_; }
  void setOpener(DesktopOpener::Opener opener) { opener_ = DesktopOpener(std::move(opener)); }
  [[nodiscard]] std::optional<std::string> chooseSaveFile(const SaveFileRequest& request) {
    return saveFileChooser_(request);
  }
  void setSaveFileChooser(SaveFileChooser chooser) { saveFileChooser_ = std::move(chooser); }

 private:
  void connectRenderServices();
  void removeLeftovers();

  MessageBoxes& boxes_;
  std::vector<std::string> arguments_;
  // Files only this run of the program may see: the JPEG retry's copy. Removed at exit.
  PrivateFolder privateFolder_;
  JpegRetryCopy jpegRetry_{privateFolder_};
  SharedState state_;
  SettingsBinding settingsBinding_;
  std::unique_ptr<Artwork> art_;
  ScreenCursor screenCursor_;
  RendererTable renderers_;
  RenderServices renderServices_;
  Prefetch prefetch_;
  SoundPlayer soundPlayer_;
  std::unique_ptr<MediaCommands> media_;
  AsyncKeyState asyncKeys_;
  std::function<void(int)> pause_;
  DesktopTrash trash_;
  HistoryList history_;
  FileOperation fileOperation_;
  DesktopOpener opener_;
  SaveFileChooser saveFileChooser_ = askSaveFile;
  // Outlive the windows: the main window's tray icon is taken off through them at the end.
  std::unique_ptr<TrayShell> trayShell_;
  TrayIconIds trayIconIds_;
  // Declared in creation order; destroyed in reverse.
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<TFolderSett> folderSett_;
  std::unique_ptr<TFSyurui> fSyurui_;
  std::unique_ptr<TForm2> form2_;
  std::unique_ptr<TForm3> form3_;
  std::unique_ptr<TForm5> form5_;
  std::unique_ptr<TForm6> form6_;
  std::unique_ptr<TForm8> form8_;
  std::unique_ptr<TForm9> form9_;
  std::unique_ptr<TSTVabout> stvAbout_;
};

}  // namespace tossbox
