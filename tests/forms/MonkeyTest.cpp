// The monkey: random clicks, drags, double-clicks, wheel turns, key presses and drops on every
// visible window of the program, with real message boxes answered at random. It must not
// crash, hang or lose a byte: every file of the source and target folders is still in one of
// them or in the trash at the end, byte for byte.
//
// TOSSBOX_MONKEY_SEED and TOSSBOX_MONKEY_EVENTS pick the run; TOSSBOX_MONKEY_TARGETS names a
// folder (a private tmpfs under `make monkey`) to hold the six target folders.
#include <sys/vfs.h>

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QCryptographicHash>
#include <QDropEvent>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <mutex>
#include <random>
#include <thread>

#include "../core/media/AviFixtures.h"
#include "../core/picture/PictureFixtures.h"
#include "FakeTrayShell.h"
#include "GifTestFiles.h"
#include "ProgramFixture.h"
#include "core/files/FileKind.h"
#include "forms/folderselect/UFileSelect.h"
#include "forms/foldersettings/UFolderSett.h"
#include "platform/settings/SettingsStore.h"

using namespace tossbox;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kHangLimit = std::chrono::seconds(5);
// A box or menu nobody answers keeps the loop turning but the monkey still.
constexpr auto kStallLimit = std::chrono::seconds(60);
constexpr long kTmpfsMagic = 0x01021994;

unsigned environmentNumber(const char* name, unsigned fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? static_cast<unsigned>(std::stoul(text)) : fallback;
}

// Aborts the process when the event loop has not turned for kHangLimit, or one act has not
// ended for kStallLimit: a hang must fail the run, not stall it until ctest's time-out.
class Watchdog {
 public:
  explicit Watchdog(unsigned seed) : seed_(seed), thread_([this] { watch(); }) {}
  ~Watchdog() {
    {
      const std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

  // The loop turned; `event` is the number of acts done so far.
  void turned(int event) {
    const Clock::rep now = Clock::now().time_since_epoch().count();
    lastTurn_ = now;
    if (event_.exchange(event) != event) lastAct_ = now;
  }

 private:
  void watch() {
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, std::chrono::milliseconds(200), [this] { return stopping_; })) {
      const Clock::time_point now = Clock::now();
      const char* what = nullptr;
      if (now - Clock::time_point(Clock::duration(lastTurn_.load())) >= kHangLimit)
        what = "the event loop has not turned for 5 s";
      else if (now - Clock::time_point(Clock::duration(lastAct_.load())) >= kStallLimit)
        what = "one act has not ended for 60 s";
      if (what == nullptr) continue;
      std::fprintf(stderr, "monkey: %s (seed %u, event %d)\n", what, seed_, event_.load());
      std::abort();
    }
  }

  const unsigned seed_;
  std::atomic<Clock::rep> lastTurn_{Clock::now().time_since_epoch().count()};
  std::atomic<Clock::rep> lastAct_{Clock::now().time_since_epoch().count()};
  std::atomic<int> event_{0};
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  std::thread thread_;
};

std::string sha256Of(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  QCryptographicHash hash(QCryptographicHash::Sha256);
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
    hash.addData(QByteArrayView(buffer, static_cast<qsizetype>(in.gcount())));
  return hash.result().toHex().toStdString();
}

// Every regular file below the folders, by content; the path is the first one seen.
std::multimap<std::string, fs::path> contentsBelow(const std::vector<fs::path>& folders) {
  std::multimap<std::string, fs::path> found;
  for (const fs::path& folder : folders) {
    std::error_code ec;
    if (!fs::exists(folder, ec)) continue;
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      if (it->is_regular_file(ec) && !it->is_symlink(ec))
        found.emplace(sha256Of(it->path()), it->path());
    }
  }
  return found;
}

void writeBytes(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> imageBytes(const char* format) {
  QImage image(24, 16, QImage::Format_RGB32);
  image.fill(QColor(40, 120, 200));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, format)) return {};
  return {bytes.begin(), bytes.end()};
}

std::vector<std::uint8_t> waveBytes() {
  fixtures::ByteVector out;
  const auto id = [&](const char* text) { out.insert(out.end(), text, text + 4); };
  constexpr int kSamples = 800;
  id("RIFF");
  fixtures::put32(out, 36 + kSamples);
  id("WAVE");
  id("fmt ");
  fixtures::put32(out, 16);
  fixtures::put16(out, 1);
  fixtures::put16(out, 1);
  fixtures::put32(out, 8000);
  fixtures::put32(out, 8000);
  fixtures::put16(out, 1);
  fixtures::put16(out, 8);
  id("data");
  fixtures::put32(out, kSamples);
  for (int i = 0; i < kSamples; ++i) out.push_back(static_cast<std::uint8_t>(128 + (i % 16) * 4));
  return out;
}

std::vector<std::uint8_t> textBytes(std::string_view text) {
  return {text.begin(), text.end()};
}

// A well-formed file of the kind, or nothing for kinds only the system's players read (those
// get broken files only).
std::vector<std::uint8_t> goodFile(FileKind kind) {
  switch (kind) {
    case FileKind::Bitmap: {
      fixtures::BmpLayout layout;
      layout.value = [](int x, int y) { return static_cast<std::uint32_t>(0x102030 * (x + y)); };
      return fixtures::makeBmp(layout);
    }
    case FileKind::Jpeg:
      return fixtures::makeJpeg(40, 30, fixtures::JpegKind::Baseline);
    case FileKind::Gif:
      return gif_files::animation(16, 12, {{gif_files::kRedIndex, 5}, {gif_files::kBlueIndex, 5}});
    case FileKind::Icon: {
      fixtures::IconLayout layout;
      layout.value = [](int x, int) { return 0xFF000000u | static_cast<std::uint32_t>(x * 10); };
      layout.masked = [](int x, int y) { return x == y; };
      return fixtures::makeBitmapIcon(layout);
    }
    case FileKind::Metafile:
      return fixtures::WmfBuilder().record(0x020B, {0, 0}).record(0x020C, {100, 100})
          .record(0x0418, {80, 80, 10, 10}).build(fixtures::Placeable{0, 0, 100, 100, 96});
    case FileKind::Wave:
      return waveBytes();
    case FileKind::Video:
      return fixtures::aviBytes();
    case FileKind::Document:
    case FileKind::RichText:
      return textBytes("{\\rtf1\\ansi\\deff0 {\\fonttbl{\\f0 MS Gothic;}}\\f0 monkey\\par "
                       "\\b bold\\b0\\par}");
    case FileKind::Text:
    case FileKind::Ini:
    case FileKind::PlainText:
      return textBytes("[monkey]\nline one\nline two\n\xe6\x97\xa5\xe6\x9c\xac\n");
    case FileKind::Png:
      return imageBytes("PNG");
    case FileKind::WebP:
      return imageBytes("WEBP");
    case FileKind::Tiff:
      return imageBytes("TIFF");
    case FileKind::Movie:
    case FileKind::Audio:
      break;
  }
  return {};
}

bool isInside(const fs::path& path, const fs::path& folder) {
  const fs::path normal = path.lexically_normal();
  auto part = normal.begin();
  for (const fs::path& element : folder.lexically_normal()) {
    if (element.empty()) continue;
    if (part == normal.end() || *part != element) return false;
    ++part;
  }
  return true;
}

}  // namespace

class Monkey : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    // Real boxes, answered by answerBoxes().
    boxes.setResponder(nullptr);
    root = home.makeDir("monkey");
    source = root / "source";
    const char* targetsFolder = std::getenv("TOSSBOX_MONKEY_TARGETS");
    targetsRoot = targetsFolder != nullptr && *targetsFolder != '\0'
                      ? fs::path(targetsFolder) / ("run-" + std::to_string(::getpid()))
                      : root / "targets";
    fs::create_directories(targetsRoot);
    makeSource();
    saveTargets();
  }

  void TearDown() override {
    program.reset();
    std::error_code ec;
    if (!isInside(targetsRoot, root)) fs::remove_all(targetsRoot, ec);
  }

  // One good and one broken file of every extension the program collects, an empty one, a
  // folder below, names that clash with files in the targets and one that is not UTF-8.
  void makeSource() {
    fs::create_directories(source / "below");
    int n = 0;
    for (const FileKindInfo& info : fileKindTable()) {
      for (const std::string_view extension : info.extensions) {
        const std::string ext(extension);
        std::vector<std::uint8_t> good = goodFile(info.kind);
        std::vector<std::uint8_t> broken(good.begin(), good.begin() + good.size() / 2);
        if (good.empty()) {
          for (int i = 0; i < 64; ++i) broken.push_back(static_cast<std::uint8_t>(random() >> 3));
        } else {
          writeBytes(source / ("good" + ext), good);
          writeBytes(source / "below" / ("g" + std::to_string(n++) + ext), good);
        }
        writeBytes(source / ("broken" + ext), broken);
      }
    }
    writeBytes(source / "empty.jpg", {});
    writeBytes(source / "\xff\xfe name.txt", textBytes("not UTF-8 in the name\n"));
    writeBytes(source / "日本語.txt", textBytes("名前\n"));
  }

  // The six buttons each on a folder of their own, with every way of sorting among them; the
  // targets already hold a file by some of the source's names.
  void saveTargets() {
    SettingsRecord record = defaultSettingsRecord({1024, 768, 219, 324});
    const SameName rules[] = {SameName::Ask, SameName::Overwrite, SameName::AppendS};
    for (int button = 1; button <= kFolderButtonCount; ++button) {
      const fs::path folder = targetsRoot / ("t" + std::to_string(button));
      fs::create_directories(folder);
      writeBytes(folder / "good.txt", textBytes("already in target " + std::to_string(button)));
      FolderTarget& target = record.target(button);
      target.FolderPath = folder.string();
      target.setMoves(button % 2 == 1);
      target.setSameName(rules[button % 3]);
      target.setRenamesSerially(button == 5);
      target.SerialPrefix = "m";
      target.SerialNumber = "007";
      targets.push_back(target.FolderPath);
    }
    ASSERT_TRUE(SettingsStore().saveRecord(record).saved);
  }

  std::vector<fs::path> filesFolders() const {
    std::vector<fs::path> folders{root, home.dataHome() / "Trash" / "files"};
    if (!isInside(targetsRoot, root)) folders.push_back(targetsRoot);
    return folders;
  }

  bool allowed(const std::string& path) const {
    return path.empty() || isInside(path, root) || isInside(path, targetsRoot);
  }

  // Pulls every path the program could act on back inside the test's folders: the tree of
  // the folder dialog and a typed path can lead anywhere on the machine.
  void keepInside() {
    SettingsRecord& settings = program->state().settings;
    for (int button = 1; button <= kFolderButtonCount; ++button) {
      std::string& folder = settings.target(button).FolderPath;
      if (!allowed(folder)) {
        folder = targets[static_cast<std::size_t>(button - 1)];
        ++pulledBack;
      }
    }
    TForm8& chooser = program->form8();
    if (!allowed(chooser.editPath())) {
      chooser.setEditPath(source.string());
      ++pulledBack;
    }
    for (QLineEdit* edit : program->folderSett().findChildren<QLineEdit*>()) {
      if (edit->objectName() == QStringLiteral("Edit1") && !allowed(edit->text().toStdString())) {
        edit->setText(QString::fromStdString(targets.front()));
        ++pulledBack;
      }
    }
  }

  int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }
  bool chance(double p) { return std::bernoulli_distribution(p)(random); }

  std::vector<QWidget*> visibleWindows() const {
    std::vector<QWidget*> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
      if (window->isVisible() && window->windowHandle() != nullptr) windows.push_back(window);
    return windows;
  }

  // A random visible control of `window` (or the window itself) and a point in it.
  std::pair<QWidget*, QPoint> spot(QWidget* window) {
    std::vector<QWidget*> widgets{window};
    for (QWidget* child : window->findChildren<QWidget*>())
      if (child->isVisible() && !child->rect().isEmpty()) widgets.push_back(child);
    QWidget* widget = widgets[static_cast<std::size_t>(pick(static_cast<int>(widgets.size())))];
    const QPoint at(pick(std::max(1, widget->width())), pick(std::max(1, widget->height())));
    return {widget, at};
  }

  Qt::KeyboardModifiers modifiers() {
    const int roll = pick(20);
    if (roll < 14) return Qt::NoModifier;
    if (roll < 16) return Qt::ShiftModifier;
    if (roll < 19) return Qt::ControlModifier;
    return Qt::AltModifier;
  }

  Qt::MouseButton button() {
    const int roll = pick(10);
    return roll < 7 ? Qt::LeftButton : roll < 9 ? Qt::RightButton : Qt::MiddleButton;
  }

  Qt::Key key() {
    static const Qt::Key kKeys[] = {
        Qt::Key_1,      Qt::Key_2,     Qt::Key_3,     Qt::Key_4,      Qt::Key_5,
        Qt::Key_6,      Qt::Key_0,     Qt::Key_A,     Qt::Key_S,      Qt::Key_Z,
        Qt::Key_X,      Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab,
        Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,
        Qt::Key_Down,   Qt::Key_Home,  Qt::Key_End,   Qt::Key_PageUp, Qt::Key_PageDown,
        Qt::Key_F1,     Qt::Key_F2,    Qt::Key_F5,    Qt::Key_Insert, Qt::Key_Enter};
    return kKeys[pick(static_cast<int>(std::size(kKeys)))];
  }

  // A key pressed and let go, as the window system sends it: to a window that still exists.
  // QTest's keyClick also presses the modifier keys one by one and keeps its window pointer
  // through the events in between, which may close (and delete) a menu.
  static void pressKey(QWindow* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    const QPointer<QWindow> alive(window);
    const bool printable = key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde &&
                           !(modifiers & (Qt::ControlModifier | Qt::AltModifier));
    const QString text = printable ? QString(QChar(key)).toLower() : QString();
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
      if (alive.isNull()) return;
      qt_handleKeyEvent(alive.data(), type, key, modifiers, text, false, 1);
      QCoreApplication::processEvents();
    }
  }

  // Files and folders the drop carries: from the test's folders only.
  QList<QUrl> dropped() {
    std::vector<fs::path> candidates{source, targetsRoot};
    for (const fs::path& folder : {source, targetsRoot}) {
      std::error_code ec;
      for (auto it = fs::recursive_directory_iterator(folder, ec);
           !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        candidates.push_back(it->path());
    }
    QList<QUrl> urls;
    for (int n = 1 + pick(3); n > 0; --n) {
      const fs::path& path = candidates[static_cast<std::size_t>(pick(static_cast<int>(candidates.size())))];
      urls.push_back(QUrl::fromLocalFile(QString::fromStdString(path.string())));
    }
    return urls;
  }

  void drop(QWidget* widget, QPoint at) {
    while (widget != nullptr && !(widget->acceptDrops() && widget->isEnabled())) {
      at = widget->mapToParent(at);
      widget = widget->parentWidget();
    }
    if (widget == nullptr) return;
    QMimeData data;
    data.setUrls(dropped());
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    if (!enter.isAccepted()) return;
    QDragMoveEvent move(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    QDropEvent dropEvent(QPointF(at), actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &dropEvent);
  }

  // One random act of a user on a random window; the name of what was done.
  const char* act() {
    const std::vector<QWidget*> windows = visibleWindows();
    if (windows.empty()) return bringBack();
    QWidget* window = QApplication::activePopupWidget();
    if (window == nullptr || chance(0.3))
      window = windows[static_cast<std::size_t>(pick(static_cast<int>(windows.size())))];
    QWindow* handle = window->windowHandle();
    const auto [widget, at] = spot(window);
    QPoint inWindow = widget->mapTo(window, at);
    if (!window->rect().contains(inWindow))
      inWindow = QPoint(pick(window->width()), pick(window->height()));
    const int roll = pick(100);
    if (roll < 40) {
      QTest::mouseClick(handle, button(), modifiers(), inWindow);
      return "click";
    }
    if (roll < 50) {
      QTest::mouseDClick(handle, Qt::LeftButton, modifiers(), inWindow);
      return "double-click";
    }
    if (roll < 58) {
      const auto [target, point] = spot(window);
      QPoint to = target->mapTo(window, point);
      if (!window->rect().contains(to)) to = QPoint(pick(window->width()), pick(window->height()));
      // Each step may close the window (a menu item taken on the press, for one).
      const QPointer<QWindow> alive(handle);
      QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, inWindow);
      if (alive) QTest::mouseMove(handle, (inWindow + to) / 2);
      if (alive) QTest::mouseMove(handle, to);
      if (alive) QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, to);
      return "drag";
    }
    if (roll < 66) {
      const QPoint delta(0, 120 * (pick(2) == 0 ? -1 : 1) * (1 + pick(3)));
      QWheelEvent wheel(QPointF(at), QPointF(widget->mapToGlobal(at)), QPoint(), delta,
                        Qt::NoButton, modifiers(), Qt::NoScrollPhase, false);
      QApplication::sendEvent(widget, &wheel);
      return "wheel";
    }
    if (roll < 88) {
      pressKey(handle, key(), modifiers());
      return "key";
    }
    if (roll < 95) {
      drop(widget, at);
      return "drop";
    }
    if (roll < 97) {
      window->close();
      return "close";
    }
    QTest::qWait(20 + pick(200));
    return "wait";
  }

  // No window is on show: the program went into the tray or was ended. A user clicks the
  // tray icon or starts it again.
  const char* bringBack() {
    if (tray != nullptr && !tray->icons.empty() && chance(0.8)) {
      const int icon = tray->icons.begin()->first;
      tray->send(icon, {TrayMessage::LeftButtonDown, TrayMessage::LeftButtonUp});
      if (chance(0.5)) tray->send(icon, {TrayMessage::LeftButtonDoubleClick});
      return "tray";
    }
    restart();
    return "restart";
  }

  void restart() {
    auto shell = std::make_unique<FakeTrayShell>();
    tray = shell.get();
    start({source.string()}, std::move(shell));
    program->setSaveFileChooser([this](const SaveFileRequest& request) { return saveAs(request); });
  }

  // The save dialog's answer: cancel, or a fresh name in the folder it offers when that is
  // one of the test's, else among the test's logs.
  std::optional<std::string> saveAs(const SaveFileRequest& request) {
    if (chance(0.4)) return std::nullopt;
    const std::string name = "saved" + std::to_string(++saves) +
                             fs::path(request.proposedName.toStdString()).extension().string();
    if (allowed(request.folder) && !request.folder.empty()) return (fs::path(request.folder) / name).string();
    fs::create_directories(root.parent_path() / "logs");
    return (root.parent_path() / "logs" / name).string();
  }

  // A menu whose exec() holds the monkey's hand (Qt's own context menus) gets a random item,
  // or Escape.
  void answerMenu(QMenu& menu) {
    std::vector<QAction*> actions;
    for (QAction* action : menu.actions())
      if (action->isVisible() && action->isEnabled() && !action->isSeparator()) actions.push_back(action);
    ++answered;
    QAction* chosen = actions.empty() || chance(0.3)
                          ? nullptr
                          : actions[static_cast<std::size_t>(pick(static_cast<int>(actions.size())))];
    // Taken after this timer's turn: the item may open a box that this timer must answer.
    answerPending = true;
    QTimer::singleShot(0, [this, menu = QPointer<QMenu>(&menu), chosen] {
      answerPending = false;
      if (menu.isNull()) return;
      if (chosen == nullptr || !menu->actions().contains(chosen)) {
        QTest::keyClick(menu.data(), Qt::Key_Escape);
        return;
      }
      menu->setActiveAction(chosen);
      QTest::keyClick(menu.data(), Qt::Key_Return);
    });
  }

  // The active modal box gets a random button, or is closed; so does a menu the monkey waits
  // on.
  void answerBoxes() {
    if (answerPending) return;
    if (acting) {
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        answerMenu(*menu);
        return;
      }
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    std::vector<QAbstractButton*> buttons;
    for (QAbstractButton* button : modal->findChildren<QAbstractButton*>())
      if (button->isVisible() && button->isEnabled()) buttons.push_back(button);
    ++answered;
    // As with menus, the answer is given after this timer's turn.
    QPointer<QWidget> target = modal;
    const bool close = buttons.empty() || chance(0.15);
    if (!close) target = buttons[static_cast<std::size_t>(pick(static_cast<int>(buttons.size())))];
    answerPending = true;
    QTimer::singleShot(0, [this, target, close] {
      answerPending = false;
      if (target.isNull()) return;
      if (close) {
        target->close();
      } else if (auto* button = qobject_cast<QAbstractButton*>(target.data())) {
        button->click();
      }
    });
  }

  void run(unsigned seed, int events) {
    std::printf("monkey: seed %u, %d events, targets in %s (%s)\n", seed, events,
                targetsRoot.c_str(), onTmpfs() ? "a private tmpfs" : "a temporary folder");
    std::fflush(stdout);
    random.seed(seed);
    const std::multimap<std::string, fs::path> before = contentsBelow(filesFolders());
    Watchdog watchdog(seed);
    QTimer heartbeat;
    QObject::connect(&heartbeat, &QTimer::timeout, [&] { watchdog.turned(done); });
    heartbeat.start(100);
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [this] { answerBoxes(); });
    answerer.start(10);
    restart();
    std::map<std::string, int> acts;
    for (done = 0; done < events; ++done) {
      keepInside();
      acting = true;
      ++acts[act()];
      acting = false;
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QCoreApplication::processEvents();
      watchdog.turned(done);
    }
    program.reset();
    QCoreApplication::processEvents();

    for (const auto& [name, count] : acts) std::printf("monkey: %s %d\n", name.c_str(), count);
    std::printf("monkey: %d boxes answered, %d paths pulled back inside, %d saves\n", answered,
                pulledBack, saves);
    const std::multimap<std::string, fs::path> after = contentsBelow(filesFolders());
    std::printf("monkey: %zu files before, %zu after\n", before.size(), after.size());
    for (auto it = before.begin(); it != before.end(); it = before.upper_bound(it->first)) {
      EXPECT_GE(after.count(it->first), before.count(it->first))
          << "lost " << it->second << " (seed " << seed << ")";
    }
  }

  bool onTmpfs() const {
    struct statfs info {};
    return ::statfs(targetsRoot.c_str(), &info) == 0 && info.f_type == kTmpfsMagic;
  }

  std::mt19937 random;
  fs::path root;
  fs::path source;
  fs::path targetsRoot;
  std::vector<std::string> targets;
  FakeTrayShell* tray = nullptr;
  int done = 0;
  bool acting = false;
  bool answerPending = false;  // an answer waits for the next turn of the loop
  int answered = 0;
  int pulledBack = 0;
  int saves = 0;
};

TEST_F(Monkey, RandomUseNeitherCrashesNorHangsNorLosesAFile) {
  run(environmentNumber("TOSSBOX_MONKEY_SEED", 1818),
      static_cast<int>(environmentNumber("TOSSBOX_MONKEY_EVENTS", 2000)));
}

// Seeds that once failed. 3 and 6 sent a key and a drag step to a menu window the event
// before had deleted; they stay as they were found, 2,000 events each.
TEST_F(Monkey, Seed3) {
  run(3, 2000);
}

TEST_F(Monkey, Seed6) {
  run(6, 2000);
}
