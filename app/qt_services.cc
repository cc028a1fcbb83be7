#include "app/qt_services.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "app/ui_tables.h"
#include "platform/sjis.h"

namespace orbline {
namespace {

QString Decode(std::string_view sjis) { return QString::fromUtf8(SjisToUtf8(sjis)); }

}  // namespace

void QtMessageSink::Show(std::string_view text, std::string_view caption, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::kStop ? QMessageBox::Critical : QMessageBox::Information,
                  caption.empty() ? ApplicationTitle() : Decode(caption), Decode(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

QtWaitCursor::QtWaitCursor() { QApplication::instance()->installEventFilter(this); }

QtWaitCursor::~QtWaitCursor() {
  depth_ = 0;
  Apply();
}

void QtWaitCursor::Begin() {
  if (depth_++ == 0) Apply();
}

void QtWaitCursor::End() {
  if (depth_ == 0) return;  // an unmatched End changes nothing
  if (--depth_ == 0) Apply();
}

bool QtWaitCursor::eventFilter(QObject* watched, QEvent* event) {
  if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->isWindow())
    Apply();
  return false;
}

void QtWaitCursor::Apply() {
  bool modalOpen = false;
  for (const QWidget* w : QApplication::topLevelWidgets()) modalOpen |= w->isModal() && w->isVisible();
  const bool show = depth_ > 0 && !modalOpen;
  if (show == shown_) return;
  shown_ = show;
  if (show) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

bool QtSavePrompt::Ask(const Request& request, Choice* choice) {
  QFileDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(QStringLiteral(u"名前を付けて保存"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
  dialog.setNameFilters({QStringLiteral("ZKF File (*.zkf)"), QStringLiteral("All Files (*)")});
  dialog.setDirectory(request.initialFolder.empty() ? startFolder_ : QFile::decodeName(request.initialFolder.c_str()));
  // File names are the file system's bytes, not Shift_JIS texts.
  dialog.selectFile(QFile::decodeName(request.initialName.c_str()));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  const QFileInfo chosen(dialog.selectedFiles().first());
  choice->folder = QFile::encodeName(chosen.absolutePath()).toStdString();
  choice->fileName = QFile::encodeName(chosen.fileName()).toStdString();
  return true;
}

}  // namespace orbline
