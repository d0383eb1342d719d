#pragma once
// The gridding status window: runs the f(x,y) levels in a worker thread and
// shows their status lines as the driver writes them, so the drawing window
// stays responsive. A click asks how to go on (end, next level, continue),
// and the run waits for the answer; "&End" at any time means nothing is
// written. Closing the window ends the run and waits for the worker.
#include <QWidget>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "io/fxy/fxy_driver.h"

class QThread;

class CViewPlayDlg : public QWidget {
public:
  using Finished = std::function<void(const KResultWith<KFxyRun>& result, const std::string& output)>;

  // Copies input and data, so the run needs nothing of the caller's while it
  // goes on. finished runs on this thread once the run ended (not when the
  // window was closed first).
  CViewPlayDlg(KFxyInput input, KFxyDialogData data, Finished finished, QWidget* parent = nullptr);
  ~CViewPlayDlg() override;

  // Starts the worker; call once.
  void Start();
  bool Running() const;
  // What a status line at (x, y) says now; "" when none.
  QString Line(int x, int y) const;
  // A question is open: the worker waits at its next question or before
  // writing until Answer.
  void Asking();
  // The answer the next question of the driver gets: what a click on the
  // window and the question dialog give. kEnd also stops a run that has no
  // question left to ask, before it writes.
  void Answer(KFxyAnswer choice);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  class Status;
  void Stop();
  void SetLine(int x, int y, const QString& text);
  void OnDone();

  KFxyInput input_;
  KFxyDialogData data_;
  Finished finished_;
  QThread* thread_ = nullptr;
  std::unique_ptr<Status> status_;
  KResultWith<KFxyRun> result_{KFxyRun{}};
  std::atomic<KFxyAnswer> answer_{KFxyAnswer::kContinue};
  std::atomic<bool> stop_{false};
  // Held while the question is open; guarded by mutex_.
  std::mutex mutex_;
  std::condition_variable answered_;
  bool asking_ = false;
  std::map<std::pair<int, int>, QString> lines_;  // by (y, x)
};
