#include "forms/main/SettingsBinding.h"
#include "forms/common/ByteText.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>
#include <stdexcept>

#include "core/files/PathRules.h"
#include "forms/foldersett/UFolderSett.h"
#include "forms/list/UList.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "forms/syurui/USyurui.h"
#include "forms/viewer/ULarge.h"
#include "platform/prompt/MessageBoxes.h"

namespace tossbox {

namespace {

template <typename T>
T& control(QObject& window, const char* name) {
  auto* found = window.findChild<T*>(QLatin1String(name));
  if (found == nullptr) throw std::logic_error(std::string("missing control ") + name);
  return *found;
}

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
  TFolderSett& dialog = program_.folderSett();
  const FolderTarget& target = state.settings.target(state.currentButton);
  control<QLineEdit>(dialog, "Edit1").setText(byteText(target.FolderPath));
  control<QLineEdit>(dialog, "Edit2").setText(byteText(target.SerialPrefix));
  control<QLineEdit>(dialog, "Edit3").setText(byteText(target.SerialNumber));
  control<QCheckBox>(dialog, "CheckBox1").setChecked(target.renamesSerially());
  const SameName rule = target.sameName();
  const char* policy = rule == SameName::Overwrite ? "RadioButton2"
                       : rule == SameName::AppendS ? "RadioButton3"
                                                   : "RadioButton1";
  control<QRadioButton>(dialog, policy).setChecked(true);
  TForm1& main = program_.form1();
  control<QAction>(main, "Copy1").setChecked(!target.moves());
  control<QAction>(main, "GoTo1").setChecked(target.moves());
}

void SettingsBinding::LoadSettingsToControls() {
  const SettingsRecord& record = program_.state().settings;
  LoadFolderTargetToControls();
  TForm2& list = program_.form2();
  control<QAction>(list, "N3").setChecked(record.ListDblClickAction == 1);
  control<QAction>(list, "N4").setChecked(record.ListDblClickAction != 1);
  control<QAction>(list, "N10").setChecked(record.ListSortAscending == 1);
  for (int kind = 1; kind <= kKindCount; ++kind)
    program_.fSyurui().setKindChecked(kind,
                                      record.KindEnabled[static_cast<std::size_t>(kind - 1)] == 1);
  TForm3& viewer = program_.form3();
  control<QAction>(viewer, "Close1").setChecked(record.ViewerDblClickMode == 0);
  control<QAction>(viewer, "N1").setChecked(record.ViewerDblClickMode != 0);
  control<QAction>(viewer, "N2").setChecked(record.ViewerFullScreen == 1);
  control<QAction>(viewer, "N8").setChecked(record.ViewerAlwaysCentre == 1);
}

void SettingsBinding::StoreControlsToSettings(StoreCaller caller) {
  SharedState& state = program_.state();
  SettingsRecord& record = state.settings;
  if (caller == StoreCaller::FolderTarget && state.currentButton != 0) {
    TFolderSett& dialog = program_.folderSett();
    FolderTarget& target = record.target(state.currentButton);
    target.FolderPath = pathFromText(control<QLineEdit>(dialog, "Edit1").text(), target.FolderPath);
    if (control<QRadioButton>(dialog, "RadioButton1").isChecked())
      target.setSameName(SameName::Ask);
    if (control<QRadioButton>(dialog, "RadioButton2").isChecked())
      target.setSameName(SameName::Overwrite);
    if (control<QRadioButton>(dialog, "RadioButton3").isChecked())
      target.setSameName(SameName::AppendS);
    target.setRenamesSerially(control<QCheckBox>(dialog, "CheckBox1").isChecked());
    target.SerialPrefix =
        pathFromText(control<QLineEdit>(dialog, "Edit2").text(), target.SerialPrefix);
    target.SerialNumber =
        pathFromText(control<QLineEdit>(dialog, "Edit3").text(), target.SerialNumber);
    target.setMoves(!control<QAction>(program_.form1(), "Copy1").isChecked());
  }
  TForm2& list = program_.form2();
  if (control<QAction>(list, "N3").isChecked()) record.ListDblClickAction = 1;
  if (control<QAction>(list, "N4").isChecked()) record.ListDblClickAction = 2;
  record.ListSortAscending = flag(control<QAction>(list, "N10").isChecked());
  for (int kind = 1; kind <= kKindCount; ++kind)
    record.KindEnabled[static_cast<std::size_t>(kind - 1)] =
        flag(program_.fSyurui().kindChecked(kind));
  TForm3& viewer = program_.form3();
  record.ViewerDblClickMode = control<QAction>(viewer, "Close1").isChecked() ? 0 : 1;
  record.ViewerFullScreen = flag(control<QAction>(viewer, "N2").isChecked());
  record.ViewerAlwaysCentre = flag(control<QAction>(viewer, "N8").isChecked());
  SaveSettings();
}

}  // namespace tossbox
