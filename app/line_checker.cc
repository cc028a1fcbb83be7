#include "app/line_checker.h"

#include <QThread>

#include "compiler/line_check.h"
#include "document/document.h"
#include "platform/line_reader.h"
#include "platform/wait_cursor.h"

namespace orbline {

LineChecker::LineChecker(LineReader& files, QObject* parent) : QObject(parent), files_(files) {}

LineChecker::~LineChecker() {
  if (thread_ != nullptr) {
    thread_->wait();
    delete thread_;
  }
}

void LineChecker::Start(const FormatSettings& settings) {
  if (thread_ != nullptr) {
    next_ = settings;
    return;
  }
  if (!doc_) doc_ = std::make_unique<Document>();
  doc_->settings = settings;
  doc_->DeriveDelimiter();
  // Nobody waits for this check: it shows no busy cursor.
  thread_ = QThread::create([this] {
    WaitCursor unseen;
    findings_ = CheckWholeLine(*doc_, files_, unseen);
  });
  connect(thread_, &QThread::finished, this, &LineChecker::Finished);
  thread_->start(QThread::LowPriority);
}

void LineChecker::Finished() {
  thread_->wait();
  delete thread_;
  thread_ = nullptr;
  if (next_) {
    const FormatSettings settings = *next_;
    next_.reset();
    Start(settings);
    return;
  }
  emit checked(findings_);
}

}  // namespace orbline
