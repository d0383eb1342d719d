// The editor on a big drawing: KView at 2000 x 1500 driven with synthesised
// events. Prints the reading time, the first paint, the frame times of
// middle-button panning and of wheel zooming (event handled and picture
// painted), the full paint that catches up after them, and the time of a
// pick, a rectangle delete and an undo, each with the repaint it asks for.
// Opening to the first picture (reading and first paint) is set against
// `quarvel info` on the same file, run as a child five times (median), three
// times before the opening and twice after, so both feel the same machine.
// Usage: editor_bench DRAWING [FRAMES [QUARVEL [PICTURE]]]
// (bench/make_big_drawing.sh writes a drawing; QUARVEL defaults to the
// quarvel program beside bench/; PICTURE: a PNG file for the first picture,
// to compare builds pixel for pixel)
// Runs offscreen unless QT_QPA_PLATFORM says otherwise (xcb under xvfb-run).
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <ctime>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "qt/view/kview.h"
#include "platform/resources/menus.h"

namespace {

constexpr int kWidth = 2000;
constexpr int kHeight = 1500;

// Processor time of the whole process: the paint may use worker threads.
double ProcessCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Wall and processor time (all threads) of some work, in milliseconds: on a
// machine others share, the second tells slow work from a busy machine.
struct Time {
  double wall = 0, cpu = 0;
};

Time Measure(const std::function<void()>& work) {
  QElapsedTimer timer;
  const double cpu = ProcessCpuMs();
  timer.start();
  work();
  return {static_cast<double>(timer.nsecsElapsed()) / 1e6, ProcessCpuMs() - cpu};
}

std::string Text(Time t) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.1f ms (cpu %.1f ms)", t.wall, t.cpu);
  return buffer;
}

// Wall and processor times, each sorted.
struct Sorted {
  std::vector<double> wall, cpu;
  explicit Sorted(const std::vector<Time>& times) {
    for (Time t : times) {
      wall.push_back(t.wall);
      cpu.push_back(t.cpu);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
  }
};

// Median and worst of frames, by wall time and by processor time.
std::string Spread(const std::vector<Time>& times) {
  const Sorted s(times);
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, "median %.1f ms, worst %.1f ms (cpu: median %.1f ms, worst %.1f ms)",
                s.wall[s.wall.size() / 2], s.wall.back(), s.cpu[s.cpu.size() / 2], s.cpu.back());
  return buffer;
}

// One run of `quarvel info FILE`, its output discarded: wall time, and the
// child's user and system time. Both zero when it could not run.
Time InfoRun(const std::string& quarvel, const char* file) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::string program = quarvel, command = "info", path = file;
  char* argv[] = {program.data(), command.data(), path.data(), nullptr};
  QElapsedTimer timer;
  timer.start();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, quarvel.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return {};
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
  const auto ms = [](timeval t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; };
  return {static_cast<double>(timer.nsecsElapsed()) / 1e6, ms(usage.ru_utime) + ms(usage.ru_stime)};
}

// Zero when there are no times.
Time Median(const std::vector<Time>& times) {
  if (times.empty()) return {};
  const Sorted s(times);
  return {s.wall[s.wall.size() / 2], s.cpu[s.cpu.size() / 2]};
}

void Send(KView& view, QEvent&& event) { QApplication::sendEvent(&view, &event); }

void SendMouse(KView& view, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
  const QPointF local(at);
  Send(view, QMouseEvent(type, local, view.mapToGlobal(local), button, held, Qt::NoModifier));
}

// Every frame: the event, then the paint it asks for, at once.
std::string PanFrames(KView& view, int frames) {
  std::vector<Time> times;
  QPoint at(kWidth / 2, kHeight / 2);
  SendMouse(view, QEvent::MouseButtonPress, at, Qt::MiddleButton, Qt::MiddleButton);
  for (int i = 0; i < frames; ++i) {
    at += QPoint(i % 40 < 20 ? 7 : -7, i % 30 < 15 ? 4 : -4);
    times.push_back(Measure([&] {
      SendMouse(view, QEvent::MouseMove, at, Qt::NoButton, Qt::MiddleButton);
      view.repaint();
    }));
  }
  SendMouse(view, QEvent::MouseButtonRelease, at, Qt::MiddleButton, Qt::NoButton);
  return Spread(times);
}

std::string WheelFrames(KView& view, int frames) {
  std::vector<Time> times;
  for (int i = 0; i < frames; ++i) {
    const QPointF at(kWidth / 2 + (i % 7) * 30, kHeight / 2 - (i % 5) * 30);
    const int delta = (i / 4) % 2 == 0 ? 120 : -120;
    times.push_back(Measure([&] {
      Send(view, QWheelEvent(at, view.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                             Qt::NoScrollPhase, false));
      view.repaint();
    }));
  }
  return Spread(times);
}

// The full paint a pause in the navigation brings, timed from the end of
// the pause to the picture shown.
Time CatchUp(KView& view) {
  bool arrived = false;
  const Time paused = Measure([&] { arrived = QTest::qWaitFor([&] { return !view.ShowsMovedPicture(); }, 60000); });
  if (!arrived) std::fprintf(stderr, "editor_bench: the full paint did not arrive within 60 s\n");
  return {paused.wall - KView::kSettleMs, paused.cpu};
}

Time FullPaint(KView& view) {
  return Measure([&] {
    view.Refresh();
    view.repaint();
  });
}

void Click(KView& view, QPoint at) { QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, at); }

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s DRAWING [FRAMES]\n", argv[0]);
    return 2;
  }
  const int frames = argc > 2 ? std::max(1, std::atoi(argv[2])) : 60;
  // The most threads a paint takes, set against one.
  const int threads = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 2, 4);
  const std::string quarvel =
      argc > 3 ? argv[3] : (QApplication::applicationDirPath() + "/../quarvel").toStdString();
  std::vector<Time> info;
  const auto runInfo = [&] {
    if (const Time t = InfoRun(quarvel, argv[1]); t.wall > 0) info.push_back(t);
  };
  for (int i = 0; i < 3; ++i) runInfo();
  std::printf("platform: %s, window %d x %d\n", qPrintable(QApplication::platformName()), kWidth, kHeight);

  KView view;
  view.resize(kWidth, kHeight);
  view.show();
  if (!QTest::qWaitForWindowExposed(&view)) std::printf("(window not exposed)\n");
  view.repaint();

  QuarvelWindow& window = view.Window();
  bool opened = false;
  const Time read = Measure([&] { opened = window.OnOpenDocument(argv[1]) != 0 && !window.entries.empty(); });
  if (!opened) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  const int firstThreads = KView::IdleCoreThreads();
  const Time first = FullPaint(view);
  std::printf("reading: %s, %zu entries\n", Text(read).c_str(), window.entries.size());
  std::printf("first paint: %s, %.2f x reading (cpu %.2f x), lines on %d thread(s) by the load\n",
              Text(first).c_str(), first.wall / read.wall, first.cpu / read.cpu, firstThreads);
  if (argc > 4 && !view.Backing().save(argv[4], "PNG")) std::fprintf(stderr, "cannot write %s\n", argv[4]);
  for (int i = 0; i < 2; ++i) runInfo();
  const Time open{read.wall + first.wall, read.cpu + first.cpu};
  const Time infoMedian = Median(info);
  std::printf("open to first paint: %s\n", Text(open).c_str());
  if (infoMedian.wall > 0)
    std::printf("  quarvel info, median of %zu runs: %s; open to first paint %.2f x info (cpu %.2f x)\n", info.size(),
                Text(infoMedian).c_str(), open.wall / infoMedian.wall, open.cpu / infoMedian.cpu);
  else
    std::printf("  (could not run %s info)\n", quarvel.c_str());
  std::printf("full paint: %s\n", Text(FullPaint(view)).c_str());
  // The same paint on one thread and on the default ones, in turn.
  std::vector<Time> single, banded;
  for (int i = 0; i < 3; ++i) {
    view.SetPaintThreads(1);
    single.push_back(FullPaint(view));
    view.SetPaintThreads(threads);
    banded.push_back(FullPaint(view));
  }
  view.SetPaintThreads(0);
  std::printf("  full paint, medians of 3: one thread %s, %d threads %s\n", Text(Median(single)).c_str(), threads,
              Text(Median(banded)).c_str());

  std::printf("pan, %d frames: %s\n", frames, PanFrames(view, frames).c_str());
  std::printf("  showing the moved picture: %s\n", view.ShowsMovedPicture() ? "yes" : "no");
  std::printf("  catch-up paint after panning: %s\n", Text(CatchUp(view)).c_str());
  std::printf("wheel zoom, %d frames: %s\n", frames, WheelFrames(view, frames).c_str());
  std::printf("  catch-up paint after zooming: %s\n", Text(CatchUp(view)).c_str());

  // Back to the whole drawing for the edits.
  window.Extend();
  view.Refresh();
  view.repaint();

  window.viewState = kCmdClick;
  const Time pick = Measure([&] { Click(view, QPoint(kWidth / 2 + 300, kHeight / 2)); });
  const Time pickPaint = Measure([&] { view.repaint(); });
  std::printf("pick: %s, then repaint %s, %s\n", Text(pick).c_str(), Text(pickPaint).c_str(),
              window.PickedEntry() ? "picked an entry" : "picked nothing");

  window.ChooseMode(kCmdRectangle);
  const std::size_t before = window.entries.size();
  const Time remove = Measure([&] {
    Click(view, QPoint(kWidth / 2 - 200, kHeight / 2 - 150));
    Click(view, QPoint(kWidth / 2 + 200, kHeight / 2 + 150));
  });
  const Time removePaint = Measure([&] { view.repaint(); });
  std::printf("rectangle delete: %s, then repaint %s, %zu entries removed\n", Text(remove).c_str(),
              Text(removePaint).c_str(), before - window.entries.size());

  bool undone = false;
  const Time undo = Measure([&] { undone = view.Undo(); });
  const Time undoPaint = Measure([&] { view.repaint(); });
  std::printf("undo: %s, then repaint %s, %s, %zu entries\n", Text(undo).c_str(), Text(undoPaint).c_str(),
              undone ? "undone" : "nothing to undo", window.entries.size());
  return 0;
}
