#include "app/format_settings_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QShowEvent>

#include "app/dialog_units.h"
#include "document/document.h"
#include "document/format_settings.h"

namespace orbline {
namespace {

constexpr int kMinWidth = 0;
constexpr int kMaxWidth = 100;

// Gives `widget` its template id and its place in dialog units.
template <class Widget>
Widget* Put(Widget* widget, const DialogUnits& units, int id, int x, int y, int width, int height) {
  widget->setProperty("controlId", id);
  units.Place(widget, x, y, width, height);
  return widget;
}

QLabel* MakeLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

// A group box is only a frame drawn beneath the controls it surrounds: they are the dialog's
// own children, and clicks inside the frame reach them.
QGroupBox* MakeFrame(const QString& title, QWidget* parent) {
  auto* frame = new QGroupBox(title, parent);
  frame->setAttribute(Qt::WA_TransparentForMouseEvents);
  frame->setFocusPolicy(Qt::NoFocus);
  frame->lower();
  return frame;
}

// One radio button of a group: its text and place in dialog units.
struct Radio {
  QString text;
  int x, y, width, height;
};

// A button of a radio group that is one Tab stop, as the platform's dialogs have it: the arrow
// keys move round the group, choosing the button they move to.
class GroupedRadio : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const int key = event->key();
    const int step = key == Qt::Key_Down || key == Qt::Key_Right ? 1
                     : key == Qt::Key_Up || key == Qt::Key_Left  ? -1
                                                                 : 0;
    if (step == 0 || group() == nullptr) {
      QRadioButton::keyPressEvent(event);
      return;
    }
    const QList<QAbstractButton*> buttons = group()->buttons();
    const qsizetype count = buttons.size();
    QAbstractButton* next = buttons[(buttons.indexOf(this) + step + count) % count];
    next->setFocus(Qt::TabFocusReason);
    next->click();
  }
};

// Tab stops at the chosen button of the group, or at its first when none is chosen.
void SetTabStop(const QButtonGroup* group) {
  const QAbstractButton* stop = group->checkedButton() ? group->checkedButton() : group->buttons().first();
  for (QAbstractButton* button : group->buttons())
    button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

// The four buttons of a radio group, created in template order with ids firstId, firstId + 1, …;
// a button's index in the group is its place in it.
QButtonGroup* MakeRadioGroup(const Radio (&radios)[4], int firstId, const DialogUnits& units, QWidget* parent) {
  auto* group = new QButtonGroup(parent);
  for (int i = 0; i < 4; ++i) {
    const Radio& r = radios[i];
    group->addButton(Put(new GroupedRadio(r.text, parent), units, firstId + i, r.x, r.y, r.width, r.height), i);
  }
  QObject::connect(group, &QButtonGroup::buttonToggled, group, [group] { SetTabStop(group); });
  SetTabStop(group);
  return group;
}

}  // namespace

FormatSettingsDialog::FormatSettingsDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral(u"データの形式情報"));
  setFont(DialogFont());
  const DialogUnits units(font());
  setFixedSize(units.ToPixels(174, 145));

  // Created in the order of the template, which is also the tab order.
  auto* ok = Put(new QPushButton(QStringLiteral("OK"), this), units, kIdOk, 104, 88, 44, 12);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &FormatSettingsDialog::accept);
  auto* cancel = Put(new QPushButton(QStringLiteral(u"ｷｬﾝｾﾙ"), this), units, kIdCancel, 104, 108, 44, 12);
  connect(cancel, &QPushButton::clicked, this, &FormatSettingsDialog::reject);
  auto* defaults = Put(new QPushButton(QStringLiteral(u"初期値"), this), units, kIdDefaults, 104, 128, 44, 12);
  connect(defaults, &QPushButton::clicked, this, &FormatSettingsDialog::RestoreDefaults);

  const Radio weekkinds[] = {{QStringLiteral(u"平日／土日"), 12, 17, 52, 8},
                             {QStringLiteral(u"区別なし"), 12, 28, 40, 8},
                             {QStringLiteral(u"平日／土曜／日曜"), 12, 40, 72, 8},
                             {QStringLiteral(u"平日土曜／日曜"), 12, 52, 64, 8}};
  weekkindGroup_ = MakeRadioGroup(weekkinds, kIdWeekkindFirst, units, this);
  Put(MakeFrame(QStringLiteral(u"曜日別ダイア"), this), units, kNoId, 4, 4, 84, 64);

  sec30Box_ = Put(new QCheckBox(QStringLiteral(u"待ち時間の\n１分は30秒へ"), this), units, kIdSec30, 12, 89, 56, 16);
  topBox_ = Put(new QCheckBox(QStringLiteral(u"１行目は無視"), this), units, kIdTop, 12, 113, 56, 8);
  Put(MakeFrame(QStringLiteral(u"時刻表データ"), this), units, kNoId, 4, 76, 84, 52);

  const Radio kugiris[] = {{QStringLiteral(u"タブ"), 104, 16, 24, 8},
                           {QStringLiteral(u"カンマ"), 104, 28, 28, 8},
                           {QStringLiteral(u"半角スペース"), 104, 40, 52, 8},
                           {QStringLiteral(u"一定間隔"), 104, 52, 40, 8}};
  kugiriGroup_ = MakeRadioGroup(kugiris, kIdKugiriFirst, units, this);
  Put(MakeFrame(QStringLiteral(u"データの区切り方法"), this), units, kNoId, 96, 4, 72, 76);

  kankakuEdit_ = Put(new QLineEdit(this), units, kIdKankaku, 128, 64, 16, 12);
  Put(MakeLabel(QStringLiteral(u"文字"), this), units, kNoId, 148, 64, 16, 8);
  Put(MakeLabel(QStringLiteral(u"→"), this), units, kNoId, 116, 64, 8, 8);
}

QWidget* FormatSettingsDialog::control(int id) const {
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const QVariant value = child->property("controlId");
    if (value.isValid() && value.toInt() == id) return child;
  }
  return nullptr;
}

void FormatSettingsDialog::LoadRadio(QButtonGroup* group, int index) {
  // An exclusive group refuses to uncheck its checked button, and an index outside the group
  // leaves every button unchecked.
  group->setExclusive(false);
  for (QAbstractButton* button : group->buttons()) button->setChecked(group->id(button) == index);
  group->setExclusive(true);
}

int FormatSettingsDialog::SavedRadio(const QButtonGroup* group) { return group->checkedId(); }

bool FormatSettingsDialog::ExchangeData(bool save) {
  if (save) {
    top = topBox_->isChecked() ? 1 : 0;
    sec30 = sec30Box_->isChecked() ? 1 : 0;
    weekkind = SavedRadio(weekkindGroup_);
    if (!SaveWidth()) return false;
    kugiri = SavedRadio(kugiriGroup_);
  } else {
    topBox_->setChecked(top != 0);
    sec30Box_->setChecked(sec30 != 0);
    LoadRadio(weekkindGroup_, weekkind);
    kankakuEdit_->setText(QString::number(kankaku));
    LoadRadio(kugiriGroup_, kugiri);
  }
  return true;
}

// The width must be an integer, and from 0 to 100; the range is checked only here, so a value
// outside it that came from the profile still shows when the dialog opens.
bool FormatSettingsDialog::SaveWidth() {
  static const QRegularExpression kInteger(QStringLiteral("^[+-]?[0-9]+$"));
  const QString text = kankakuEdit_->text().trimmed();
  QString problem;
  if (!kInteger.match(text).hasMatch()) {
    problem = QStringLiteral(u"整数を入力してください。");
  } else {
    bool fits = false;
    const int value = text.toInt(&fits);
    if (fits) kankaku = value;
    if (!fits || value < kMinWidth || value > kMaxWidth)
      problem = QStringLiteral(u"%1 から %2 までの整数を入力してください。").arg(kMinWidth).arg(kMaxWidth);
  }
  if (problem.isEmpty()) return true;
  QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), problem, QMessageBox::Ok, this);
  box.exec();
  kankakuEdit_->setFocus(Qt::OtherFocusReason);
  kankakuEdit_->selectAll();
  return false;
}

void FormatSettingsDialog::accept() {
  if (ExchangeData(true)) QDialog::accept();
}

void FormatSettingsDialog::RestoreDefaults() {
  const FormatSettings defaults;
  sec30 = defaults.sec30;
  kankaku = defaults.kankaku;
  weekkind = defaults.weekkind;
  top = defaults.top;
  kugiri = defaults.kugiri;
  ExchangeData(false);
}

void FormatSettingsDialog::showEvent(QShowEvent* event) {
  // Spontaneous show events come from the window system (a restored window); only a show by
  // the program opens the dialog and loads the controls.
  if (!event->spontaneous()) ExchangeData(false);
  QDialog::showEvent(event);
}

bool RunSettingsCommand(Document& doc, QWidget* parent) {
  FormatSettingsDialog dialog(parent);
  FormatSettings& settings = doc.settings;
  dialog.kugiri = settings.kugiri;
  dialog.kankaku = settings.kankaku;
  dialog.weekkind = settings.weekkind;
  dialog.top = settings.top;
  dialog.sec30 = settings.sec30;
  if (dialog.exec() != QDialog::Accepted) return false;
  settings.kugiri = dialog.kugiri;
  settings.kankaku = dialog.kankaku;
  settings.weekkind = dialog.weekkind;
  settings.top = dialog.top;
  settings.sec30 = dialog.sec30;
  doc.DeriveDelimiter();
  return true;
}

}  // namespace orbline
