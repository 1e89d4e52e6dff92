// The main window's geometry, settings binding and the store it writes.
#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>

#include "ProgramFixture.h"
#include "core/settings/RegistryDocument.h"
#include "forms/foldersettings/UFolderSett.h"
#include "forms/list/UList.h"
#include "forms/main/SettingsBinding.h"
#include "forms/kindfilter/USyurui.h"
#include "forms/viewer/ULarge.h"
#include "platform/settings/SettingsStore.h"

using namespace tossbox;

namespace {

const std::string* findValue(const RegistryKey& key, const std::string& name) {
  const RegistryValue* value = key.find(name);
  return value != nullptr ? &value->data : nullptr;
}

}  // namespace

TEST_F(ProgramTest, FirstStartIsCentredWithDefaultsAndWritesNothing) {
  start();
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(main().width(), 219);
  EXPECT_EQ(main().height(), 324);
  EXPECT_EQ(main().x(), (screen.width() - 219) / 2);
  EXPECT_EQ(main().y(), (screen.height() - TForm1::kDesignedHeight) / 2);
  EXPECT_EQ(main().staticText1().text(), "0/0");
  EXPECT_EQ(main().statusText(), "振分したいﾌｫﾙﾀﾞを選択して下さい。");
  EXPECT_TRUE(main().folderButton(1).isVisibleTo(&main()));
  for (int n = 1; n <= 6; ++n) EXPECT_TRUE(main().folderButton(n).text().isEmpty());
  // The defaults reached the controls at the first showing.
  for (int kind = 1; kind <= 11; ++kind) EXPECT_TRUE(program->fSyurui().kindChecked(kind));
  EXPECT_TRUE(program->form2().findChild<QAction*>("N3")->isChecked());
  EXPECT_FALSE(std::filesystem::exists(storeFile()));
  main().Exit1Click();
  EXPECT_FALSE(std::filesystem::exists(storeFile()));
}

TEST_F(ProgramTest, StoredTargetSurvivesARestartByTheExitButton) {
  start();
  program->state().currentButton = 2;
  program->settingsBinding().LoadSettingsToControls();
  program->folderSett().findChild<QLineEdit*>("Edit1")->setText("/srv/Pictures/Cats");
  main().action("GoTo1").setChecked(true);
  program->settingsBinding().StoreControlsToSettings(StoreCaller::FolderTarget);
  main().speedButton(4).click();

  const SettingsStore store(storeFile());
  const auto loaded = store.load();
  ASSERT_TRUE(loaded.key.has_value());
  const std::string* st1 = findValue(*loaded.key, "st1");
  const std::string* rle = findValue(*loaded.key, "rle");
  const std::string* r15 = findValue(*loaded.key, "r15");
  ASSERT_TRUE(st1 && rle && r15);
  EXPECT_EQ(*st1, "/srv/Pictures/Cats");
  ASSERT_EQ((*rle).size(), 30u);
  for (int n = 0; n < 6; ++n) {
    const int length = static_cast<unsigned char>((*rle)[2 * n]) |
                       static_cast<unsigned char>((*rle)[2 * n + 1]) << 8;
    EXPECT_EQ(length, n == 1 ? 18 : 0) << "button " << n + 1;
  }
  ASSERT_EQ((*r15).size(), 62u);
  EXPECT_EQ((*r15)[57], 1);

  start();
  EXPECT_EQ(main().folderButton(2).text(), "Cats");
  EXPECT_EQ(program->state().settings.target(2).MoveOnPress, 1);
  program->state().currentButton = 2;
  program->settingsBinding().LoadSettingsToControls();
  EXPECT_TRUE(main().action("GoTo1").isChecked());
}

TEST_F(ProgramTest, PositionComesBackOnlyAfterTheExitButton) {
  start();
  main().move(40, 50);
  main().resize(219, 380);
  main().speedButton(4).click();
  start();
  EXPECT_EQ(main().pos(), QPoint(40, 50));
  EXPECT_EQ(main().height(), 380);
  main().move(300, 10);
  main().Exit1Click();
  start();
  EXPECT_EQ(main().pos(), QPoint(40, 50));
}

TEST_F(ProgramTest, AnySettingChangeStoresThePositionToo) {
  start();
  main().move(12, 34);
  program->fSyurui().setKindChecked(3, false);
  program->fSyurui().CheckBox1MouseDown();
  main().Exit1Click();
  start();
  EXPECT_EQ(main().pos(), QPoint(12, 34));
  EXPECT_FALSE(program->fSyurui().kindChecked(3));
  EXPECT_EQ(program->state().settings.KindEnabled[2], 0);
}

TEST_F(ProgramTest, FolderTargetsAreStoredOnlyByTheirOwnCallers) {
  start();
  auto* edit = program->folderSett().findChild<QLineEdit*>("Edit1");
  // CurrentButton 0: no target row is touched, even by a target caller.
  edit->setText("/tmp/a");
  program->settingsBinding().StoreControlsToSettings(StoreCaller::FolderTarget);
  for (int n = 1; n <= 6; ++n) EXPECT_TRUE(program->state().settings.target(n).FolderPath.empty());
  // Another caller leaves the rows alone although the controls hold a value.
  program->state().currentButton = 4;
  program->settingsBinding().StoreControlsToSettings(StoreCaller::Other);
  EXPECT_TRUE(program->state().settings.target(4).FolderPath.empty());
  program->settingsBinding().StoreControlsToSettings(StoreCaller::FolderTarget);
  EXPECT_EQ(program->state().settings.target(4).FolderPath, "/tmp/a");
  EXPECT_TRUE(program->state().settings.target(1).FolderPath.empty());
}

// A stored move byte other than 1 copies when the button is pressed; the menu says so too.
TEST_F(ProgramTest, TheCopyMoveMarkFollowsWhatThePressDoes) {
  start();
  program->state().settings.target(2).MoveOnPress = 2;
  program->state().currentButton = 2;
  program->settingsBinding().LoadFolderTargetToControls();
  EXPECT_TRUE(main().action("Copy1").isChecked());
  EXPECT_FALSE(main().action("GoTo1").isChecked());
  EXPECT_EQ(program->state().settings.target(2).MoveOnPress, 2);
}

// The windows' faces set and read the very controls the names give to tests and accessibility.
TEST_F(ProgramTest, WindowFacesDriveTheirNamedControls) {
  start();
  const auto named = [](QObject& window, const char* name) {
    auto* item = window.findChild<QAction*>(name);
    EXPECT_NE(item, nullptr) << name;
    return item != nullptr && item->isChecked();
  };
  TForm3& viewer = program->form3();
  viewer.setViewerFlags({false, true, false});
  EXPECT_FALSE(named(viewer, "Close1"));
  EXPECT_TRUE(named(viewer, "N1"));
  EXPECT_TRUE(named(viewer, "N2"));
  EXPECT_FALSE(named(viewer, "N8"));
  viewer.findChild<QAction*>("Close1")->setChecked(true);
  viewer.findChild<QAction*>("N8")->setChecked(true);
  const ViewerFlags flags = viewer.viewerFlags();
  EXPECT_TRUE(flags.closesOnDoubleClick && flags.fullScreen && flags.alwaysCentre);

  TForm2& list = program->form2();
  list.setDoubleClickAction(TForm2::ListDoubleClick::OpensFile);
  EXPECT_FALSE(named(list, "N3"));
  EXPECT_TRUE(named(list, "N4"));
  list.action("N3").setChecked(true);
  EXPECT_EQ(list.doubleClickAction(), TForm2::ListDoubleClick::OpensFolder);
  list.setSortAscending(true);
  EXPECT_TRUE(named(list, "N10"));

  main().setMovesOnPress(true);
  EXPECT_TRUE(named(main(), "GoTo1"));
  EXPECT_FALSE(named(main(), "Copy1"));
  main().action("Copy1").setChecked(true);
  EXPECT_FALSE(main().movesOnPress());

  TFolderSett& dialog = program->folderSett();
  dialog.setTargetFields({"/tmp/a b", "p", "007", true, SameName::AppendS});
  EXPECT_EQ(dialog.findChild<QLineEdit*>("Edit1")->text(), "/tmp/a b");
  EXPECT_TRUE(dialog.findChild<QRadioButton*>("RadioButton3")->isChecked());
  dialog.findChild<QRadioButton*>("RadioButton2")->setChecked(true);
  dialog.findChild<QLineEdit*>("Edit3")->setText("12");
  const TFolderSett::TargetFields fields = dialog.targetFields();
  EXPECT_EQ(fields.sameName, SameName::Overwrite);
  EXPECT_EQ(fields.serialNumber, "12");
  EXPECT_EQ(fields.serialPrefix, "p");
  EXPECT_TRUE(fields.serialRename);
}

// A number or name the windows do not have is an error, not a dereference of nothing.
TEST_F(ProgramTest, UnknownButtonsAndMenuItemsAreRefused) {
  start();
  EXPECT_EQ(main().speedButton(7).objectName(), "SpeedButton7");
  EXPECT_EQ(main().folderButton(6).objectName(), "FLDBtn6");
  EXPECT_THROW((void)main().speedButton(0), std::out_of_range);
  EXPECT_THROW((void)main().speedButton(8), std::out_of_range);
  EXPECT_THROW((void)main().folderButton(0), std::out_of_range);
  EXPECT_THROW((void)main().folderButton(7), std::out_of_range);
  EXPECT_THROW((void)main().action("NoSuchItem"), std::logic_error);
  EXPECT_THROW((void)program->form2().action("NoSuchItem"), std::logic_error);
}

TEST_F(ProgramTest, HeightStaysWithinItsLimitsAndTheWidthNeverChanges) {
  start();
  main().resize(300, 100);
  EXPECT_EQ(main().size(), QSize(219, 240));
  main().resize(100, 900);
  EXPECT_EQ(main().size(), QSize(219, 402));
  main().showMaximized();
  QApplication::processEvents();
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(main().geometry(),
            QRect((screen.width() - 219) / 2, (screen.height() - 402) / 2, 219, 402));
  // At the full height both rows of folder buttons show.
  auto* panel4 = main().findChild<QWidget*>("Panel4");
  EXPECT_GE(panel4->height(), 86 + 70);
}

TEST_F(ProgramTest, DraggingTheCaptionBarMovesTheWindow) {
  start();
  main().move(100, 100);
  auto* panel3 = main().findChild<QWidget*>("Panel3");
  const QPoint grab(40, 8);
  QTest::mousePress(panel3, Qt::LeftButton, {}, grab);
  // A press without movement does not move.
  EXPECT_EQ(main().pos(), QPoint(100, 100));
  QMouseEvent moveEvent(QEvent::MouseMove, QPointF(grab + QPoint(30, 20)),
                        QPointF(panel3->mapToGlobal(grab + QPoint(30, 20))), Qt::NoButton,
                        Qt::LeftButton, {});
  QApplication::sendEvent(panel3, &moveEvent);
  QMouseEvent followEvent(QEvent::MouseMove, QPointF(grab + QPoint(30, 20)),
                          QPointF(QPoint(100, 100) + panel3->mapTo(&main(), grab) + QPoint(35, 25)),
                          Qt::NoButton, Qt::LeftButton, {});
  QApplication::sendEvent(panel3, &followEvent);
  QTest::mouseRelease(panel3, Qt::LeftButton, {}, grab);
  EXPECT_NE(main().pos(), QPoint(100, 100));
  EXPECT_EQ(panel3->toolTip(), "ﾀﾞﾌﾞﾙｸﾘｯｸでｱｲｺﾝ化");
}

TEST_F(ProgramTest, ToolButtonHintsAndTheFileMenuButtonIsReleasedByClicksElsewhere) {
  start();
  QTest::mouseMove(&main().speedButton(1));
  QMouseEvent hover(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton, Qt::NoButton,
                    {});
  for (int n : {1, 2, 5, 6}) QApplication::sendEvent(&main().speedButton(n), &hover);
  EXPECT_EQ(main().speedButton(1).toolTip(), "拡大表示 (Enter)");
  EXPECT_EQ(main().speedButton(2).toolTip(), "振分ﾌｧｲﾙ一覧");
  EXPECT_EQ(main().speedButton(5).toolTip(), "削除 (Delete)");
  EXPECT_EQ(main().speedButton(6).toolTip(), "元に戻す (Ctrl+Z)");
  EXPECT_FALSE(program->screenCursor().overridden());

  main().speedButton(3).setChecked(true);
  QTest::mouseClick(main().findChild<QWidget*>("Panel4"), Qt::LeftButton);
  EXPECT_FALSE(main().speedButton(3).isChecked());
}

TEST_F(ProgramTest, TheMenusHoldTheirItems) {
  start();
  for (const char* name : {"N1", "N3", "Copy1", "GoTo1", "N4", "N7", "N9", "N13", "N10", "N17",
                           "N12", "N8", "N15", "N16", "TOSSBOX1", "N14", "Exit1"})
    EXPECT_NE(main().findChild<QAction*>(name), nullptr) << name;
  EXPECT_TRUE(main().action("Copy1").isChecked());
  EXPECT_TRUE(main().action("N16").isChecked());
  EXPECT_EQ(main().action("N9").text(), "ﾌｫﾙﾀﾞ選択");
  EXPECT_EQ(main().action("Exit1").text(), "終了");
}

TEST_F(ProgramTest, AnUnreadableStoreIsKeptAsideAndReported) {
  touch(storeFile(), "this is not a registry file\n\x01\x02");
  start();
  EXPECT_TRUE(std::filesystem::exists(storeFile().string() + ".bad"));
  ASSERT_FALSE(boxes.shown().empty());
  EXPECT_TRUE(boxes.shown().front().text.contains("Software-stv.reg.bad"));
  EXPECT_EQ(main().height(), 324);
}

TEST_F(ProgramTest, AnExceptionEscapingAHandlerEndsInAnErrorBox) {
  start();
  QObject thrower;
  QObject::connect(&main().timer1(), &QTimer::timeout, &thrower,
                   [] { throw std::runtime_error("broken handler"); });
  main().timer1().setInterval(0);
  main().timer1().setSingleShot(true);
  main().timer1().start();
  QTest::qWait(20);
  ASSERT_FALSE(boxes.shown().empty());
  EXPECT_EQ(boxes.shown().back().text, "broken handler");
  EXPECT_EQ(boxes.shown().back().icon, BoxIcon::Error);
}
