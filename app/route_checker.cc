#include "app/route_checker.h"

#include <QThread>

#include "compiler/route_check.h"
#include "document/document.h"
#include "platform/line_reader.h"

namespace orbline {

RouteChecker::RouteChecker(LineReader& files, QObject* parent) : QObject(parent), files_(files) {}

RouteChecker::~RouteChecker() {
  if (thread_ != nullptr) {
    thread_->wait();
    delete thread_;
  }
}

void RouteChecker::Start(const FormatSettings& settings) {
  if (thread_ != nullptr) {
    next_ = settings;
    return;
  }
  if (!doc_) doc_ = std::make_unique<Document>();
  doc_->settings = settings;
  doc_->DeriveDelimiter();
  // Nobody waits for this check: it shows no busy cursor.
  thread_ = QThread::create([this] { findings_ = CheckWholeRoute(*doc_, files_); });
  connect(thread_, &QThread::finished, this, &RouteChecker::Finished);
  thread_->start(QThread::LowPriority);
}

void RouteChecker::Finished() {
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
