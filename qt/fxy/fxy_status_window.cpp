#include "qt/fxy/fxy_status_window.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QThread>

#include "qt/fxy/fxy_question.h"

// Runs in the worker: hands the lines to the window's thread and answers the
// driver's questions from what the window set.
class CViewPlayDlg::Status : public KFxyStatus {
public:
  explicit Status(CViewPlayDlg& window) : window_(window) {}
  void Text(int x, int y, const std::string& text) override {
    const QString line = QString::fromLocal8Bit(text.c_str());
    CViewPlayDlg* w = &window_;
    // Queued: the window lives until the worker has ended (its destructor
    // waits), and posted events die with it.
    QMetaObject::invokeMethod(w, [w, x, y, line] { w->SetLine(x, y, line); }, Qt::QueuedConnection);
  }
  KFxyAnswer Ask() override {
    Wait();
    return window_.stop_ ? KFxyAnswer::kEnd : window_.answer_.exchange(KFxyAnswer::kContinue);
  }
  bool StopRequested() override {
    Wait();
    return window_.stop_;
  }

private:
  // Until the open question is answered or the run is stopped.
  void Wait() {
    std::unique_lock<std::mutex> lock(window_.mutex_);
    window_.answered_.wait(lock, [this] { return !window_.asking_ || window_.stop_; });
  }

  CViewPlayDlg& window_;
};

CViewPlayDlg::CViewPlayDlg(KFxyInput input, KFxyDialogData data, Finished finished, QWidget* parent)
    : QWidget(parent, Qt::Window),
      input_(std::move(input)),
      data_(std::move(data)),
      finished_(std::move(finished)),
      status_(std::make_unique<Status>(*this)) {
  setWindowTitle("Gridding - click to end or skip a level");
  resize(360, 380);
}

CViewPlayDlg::~CViewPlayDlg() { Stop(); }

void CViewPlayDlg::Start() {
  thread_ = QThread::create([this] { result_ = RunFxy(input_, data_, *status_); });
  connect(thread_, &QThread::finished, this, &CViewPlayDlg::OnDone);
  thread_->start();
}

bool CViewPlayDlg::Running() const { return thread_ && thread_->isRunning(); }

void CViewPlayDlg::Asking() {
  const std::lock_guard<std::mutex> lock(mutex_);
  asking_ = true;
}

void CViewPlayDlg::Answer(KFxyAnswer choice) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    answer_ = choice;
    if (choice == KFxyAnswer::kEnd) stop_ = true;
    asking_ = false;
  }
  answered_.notify_all();
}

void CViewPlayDlg::Stop() {
  if (!thread_) return;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  answered_.notify_all();
  thread_->wait();
  delete thread_;
  thread_ = nullptr;
}

void CViewPlayDlg::OnDone() {
  if (!thread_) return;
  thread_->wait();
  delete thread_;
  thread_ = nullptr;
  if (finished_) finished_(result_, data_.output);
  if (result_) {
    close();
    return;
  }
  // Kept open on failure, so that the reason stays beside the level lines.
  SetLine(10, height() - 30, QString::fromLocal8Bit(result_.message().c_str()));
}

QString CViewPlayDlg::Line(int x, int y) const {
  const auto it = lines_.find({y, x});
  return it == lines_.end() ? QString() : it->second;
}

void CViewPlayDlg::SetLine(int x, int y, const QString& text) {
  lines_[{y, x}] = text;
  update();
}

void CViewPlayDlg::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  const int ascent = painter.fontMetrics().ascent();
  for (const auto& [at, text] : lines_) painter.drawText(at.second, at.first + ascent, text);
}

void CViewPlayDlg::mousePressEvent(QMouseEvent*) {
  if (!Running()) return;
  // Modal over this window only, without a nested loop: the drawing window
  // goes on while the question is open, the worker waits for the answer.
  Asking();
  auto* question = new CHowToContinueDlg(this);
  question->setAttribute(Qt::WA_DeleteOnClose);
  connect(question, &QDialog::finished, this, [this, question] { Answer(question->Choice()); });
  question->open();
}

void CViewPlayDlg::closeEvent(QCloseEvent* event) {
  Stop();
  event->accept();
}
