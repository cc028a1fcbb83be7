#include "app/editor_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/ui_tables.h"

namespace orbline {

EditorDialog::EditorDialog(const QString& commandLine, QWidget* parent) : QDialog(parent), edit_(new QLineEdit) {
  const EditorTexts& texts = EditorText();
  setWindowTitle(texts.title);
  auto* label = new QLabel(texts.label);
  label->setBuddy(edit_);
  edit_->setText(commandLine);
  edit_->setMinimumWidth(edit_->fontMetrics().averageCharWidth() * 60);
  auto* hint = new QLabel(texts.hint);
  hint->setTextFormat(Qt::PlainText);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(edit_);
  layout->addWidget(hint);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString EditorDialog::commandLine() const { return edit_->text().trimmed(); }

bool RunEditorDialog(QString* commandLine, QWidget* parent) {
  EditorDialog dialog(*commandLine, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  *commandLine = dialog.commandLine();
  return true;
}

}  // namespace orbline
