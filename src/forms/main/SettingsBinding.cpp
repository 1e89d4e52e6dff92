#include "forms/main/SettingsBinding.h"
#include "forms/common/ByteText.h"

#include <QGuiApplication>
#include <QScreen>
#include <QToolButton>

#include "core/files/FileKind.h"
#include "core/files/PathRules.h"
#include "forms/foldersettings/UFolderSett.h"
#include "forms/list/UList.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "forms/kindfilter/USyurui.h"
#include "forms/viewer/ULarge.h"
#include "platform/prompt/MessageBoxes.h"

namespace tossbox {

static_assert(kKindCount == kOlderFileKindCount && kKindCount + kNewerKindCount == kFileKindCount);

namespace {

ScreenGeometry screenGeometry() {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  return {screen.width(), screen.height(), TForm1::kWidth, TForm1::kDesignedHeight};
}

std::uint8_t flag(bool on) {
  return on ? 1 : 0;
}

}  // namespace

SettingsBinding::SettingsBinding(Program& program) : program_(program) {}

void SettingsBinding::report(const std::vector<std::string>& errors) {
  for (const std::string& error : errors) program_.boxes().error(byteText(error));
}

void SettingsBinding::applyPlacement(TForm1& main) {
  const SettingsRecord& record = program_.state().settings;
  main.applyPlacement(record.MainTop, record.MainLeft, record.MainHeight);
}

void SettingsBinding::applyButtonCaptions(TForm1& main) {
  for (int n = 1; n <= kFolderButtonCount; ++n) {
    main.folderButton(n).setText(
        byteText(LastPathPart(program_.state().settings.target(n).FolderPath)));
  }
}

void SettingsBinding::LoadSettings(TForm1& main) {
  SettingsLoadResult loaded = store_.loadRecord(screenGeometry());
  program_.state().settings = std::move(loaded.record);
  applyPlacement(main);
  applyButtonCaptions(main);
  report(loaded.errors);
}

void SettingsBinding::DefaultSettings(TForm1& main) {
  program_.state().settings = defaultSettingsRecord(screenGeometry());
  applyPlacement(main);
}

void SettingsBinding::SaveSettings() {
  SettingsRecord& record = program_.state().settings;
  const TForm1& main = program_.form1();
  record.MainTop = main.y();
  record.MainLeft = main.x();
  record.MainHeight = main.height();
  report(store_.saveRecord(record).errors);
}

void SettingsBinding::LoadFolderTargetToControls() {
  const SharedState& state = program_.state();
  if (state.currentButton == 0) return;
  const FolderTarget& target = state.settings.target(state.currentButton);
  program_.folderSett().setTargetFields({byteText(target.FolderPath), byteText(target.SerialPrefix),
                                         byteText(target.SerialNumber), target.renamesSerially(),
                                         target.sameName()});
  program_.form1().setMovesOnPress(target.moves());
}

void SettingsBinding::LoadSettingsToControls() {
  const SettingsRecord& record = program_.state().settings;
  LoadFolderTargetToControls();
  TForm2& list = program_.form2();
  list.setDoubleClickAction(record.ListDblClickAction == 1 ? TForm2::ListDoubleClick::OpensFolder
                                                           : TForm2::ListDoubleClick::OpensFile);
  list.setSortAscending(record.ListSortAscending == 1);
  for (int kind = 1; kind <= kKindCount; ++kind)
    program_.fSyurui().setKindChecked(kind,
                                      record.KindEnabled[static_cast<std::size_t>(kind - 1)] == 1);
  for (int n = 0; n < kNewerKindCount; ++n)
    program_.fSyurui().setKindChecked(kKindCount + 1 + n,
                                      record.NewerKindHidden[static_cast<std::size_t>(n)] != 1);
  program_.form3().setViewerFlags({record.ViewerDblClickMode == 0, record.ViewerFullScreen == 1,
                                   record.ViewerAlwaysCentre == 1});
}

void SettingsBinding::StoreControlsToSettings(StoreCaller caller) {
  SharedState& state = program_.state();
  SettingsRecord& record = state.settings;
  if (caller == StoreCaller::FolderTarget && state.currentButton != 0) {
    FolderTarget& target = record.target(state.currentButton);
    const TFolderSett::TargetFields fields = program_.folderSett().targetFields();
    target.FolderPath = pathFromText(fields.folder, target.FolderPath);
    if (fields.sameName) target.setSameName(*fields.sameName);
    target.setRenamesSerially(fields.serialRename);
    target.SerialPrefix = pathFromText(fields.serialPrefix, target.SerialPrefix);
    target.SerialNumber = pathFromText(fields.serialNumber, target.SerialNumber);
    target.setMoves(program_.form1().movesOnPress());
  }
  const TForm2& list = program_.form2();
  if (const auto action = list.doubleClickAction())
    record.ListDblClickAction = *action == TForm2::ListDoubleClick::OpensFolder ? 1 : 2;
  record.ListSortAscending = flag(list.sortAscending());
  for (int kind = 1; kind <= kKindCount; ++kind)
    record.KindEnabled[static_cast<std::size_t>(kind - 1)] =
        flag(program_.fSyurui().kindChecked(kind));
  for (int n = 0; n < kNewerKindCount; ++n)
    record.NewerKindHidden[static_cast<std::size_t>(n)] =
        flag(!program_.fSyurui().kindChecked(kKindCount + 1 + n));
  const ViewerFlags viewer = program_.form3().viewerFlags();
  record.ViewerDblClickMode = viewer.closesOnDoubleClick ? 0 : 1;
  record.ViewerFullScreen = flag(viewer.fullScreen);
  record.ViewerAlwaysCentre = flag(viewer.alwaysCentre);
  SaveSettings();
}

}  // namespace tossbox
