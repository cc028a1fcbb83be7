#include "app/problems_panel.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTreeWidget>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "app/ui_tables.h"
#include "platform/sjis.h"

namespace orbline {
namespace {

enum Column { kSeverity, kFile, kLine, kCode, kMessage };
constexpr int kLineRole = Qt::UserRole;
constexpr int kRowsShownFirst = 8;

// Opens eight rows high, so that the display keeps most of the window; the author drags it taller.
class FindingTree : public QTreeWidget {
 public:
  QSize sizeHint() const override {
    const int rows = kRowsShownFirst * (fontMetrics().height() + 2);
    return {QTreeWidget::sizeHint().width(), header()->sizeHint().height() + rows + 2 * frameWidth()};
  }
};

// The same finding in two checks: the same fault of the same file, whatever its line (lines may
// have been added or taken away above it).
bool SameFault(const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
  return a->text(kFile) == b->text(kFile) && a->text(kCode) == b->text(kCode) && a->text(kMessage) == b->text(kMessage);
}

}  // namespace

ProblemsPanel::ProblemsPanel(QWidget* parent) : QDockWidget(ProblemsText().title, parent), list_(new FindingTree) {
  setObjectName(QStringLiteral("problems"));
  setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
  list_->setColumnCount(ProblemsText().headers.size());
  list_->setHeaderLabels(ProblemsText().headers);
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAllColumnsShowFocus(true);
  list_->header()->setStretchLastSection(true);
  // Activated is a double click, or Enter on the current row.
  connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    const QString file = item->text(kFile);
    if (!file.isEmpty()) emit openRequested(file, item->data(kLine, kLineRole).toInt());
  });
  connect(list_, &QTreeWidget::currentItemChanged, this, &ProblemsPanel::TellChoice);
  setWidget(list_);
  hide();
}

void ProblemsPanel::SetFindings(const std::vector<Finding>& findings) {
  // The row the author is on, to find again among the new ones.
  std::unique_ptr<QTreeWidgetItem> current;
  if (QTreeWidgetItem* item = list_->currentItem()) current.reset(item->clone());
  const int currentIndex = list_->currentIndex().row();
  const int scrolled = list_->verticalScrollBar()->value();
  list_->clear();
  errors_ = warnings_ = 0;
  QList<QTreeWidgetItem*> rows;
  for (const Finding& f : findings) {
    (f.IsError() ? errors_ : warnings_) += 1;
    auto* row = new QTreeWidgetItem;
    row->setText(kSeverity, f.IsError() ? ProblemsText().error : ProblemsText().warning);
    // File names are ASCII; the message is Shift_JIS and may break into two lines.
    row->setText(kFile, QString::fromStdString(f.file));
    row->setData(kLine, kLineRole, f.line);
    if (f.line > 0) row->setText(kLine, QString::number(f.line));
    row->setText(kCode, QString::number(f.code));
    row->setText(kMessage, QString::fromUtf8(SjisToUtf8(f.message)).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    row->setTextAlignment(kLine, Qt::AlignRight | Qt::AlignVCenter);
    row->setTextAlignment(kCode, Qt::AlignRight | Qt::AlignVCenter);
    rows.append(row);
  }
  list_->addTopLevelItems(rows);
  for (int c = kSeverity; c < kMessage; ++c) list_->resizeColumnToContents(c);
  if (!rows.isEmpty()) {
    // The same finding when it is still there, else the one that took its place.
    QTreeWidgetItem* again = rows[std::clamp(currentIndex, 0, static_cast<int>(rows.size()) - 1)];
    if (current) {
      const int line = current->data(kLine, kLineRole).toInt();
      int nearest = -1;
      for (QTreeWidgetItem* row : rows) {
        const int distance = std::abs(row->data(kLine, kLineRole).toInt() - line);
        if (SameFault(row, current.get()) && (nearest < 0 || distance < nearest)) {
          again = row;
          nearest = distance;
        }
      }
    }
    list_->verticalScrollBar()->setValue(scrolled);
    list_->setCurrentItem(again);
    list_->scrollToItem(again);
  }
  ShowIfWanted();
}

void ProblemsPanel::SetWanted(bool wanted) {
  if (wanted == wanted_) return;
  wanted_ = wanted;
  ShowIfWanted();
  emit wantedChanged(wanted_);
}

void ProblemsPanel::closeEvent(QCloseEvent* event) {
  QDockWidget::closeEvent(event);
  if (event->isAccepted()) SetWanted(false);
}

// A finding is chosen only while the list shows it.
void ProblemsPanel::TellChoice() {
  const QTreeWidgetItem* item = list_->currentItem();
  if (item != nullptr && isVisible()) {
    emit findingChosen(item->text(kFile), item->data(kLine, kLineRole).toInt());
  } else {
    emit findingChosen({}, 0);
  }
}

void ProblemsPanel::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  TellChoice();
}

void ProblemsPanel::hideEvent(QHideEvent* event) {
  QDockWidget::hideEvent(event);
  TellChoice();
}

void ProblemsPanel::ShowIfWanted() { setVisible(wanted_ && list_->topLevelItemCount() > 0); }

}  // namespace orbline
