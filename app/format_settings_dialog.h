#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace orbline {

class Document;

// The "データの形式情報" dialog (131): edits a copy of the five reading settings. The controls
// load from the members each time the dialog is shown; OK saves them back into the members and
// ends the dialog only when the width is an integer from 0 to 100. Cancel and the close box end
// it without saving. Every control carries its template id in the dynamic property "controlId"
// (-1 for the frames and labels that have none). Tab stops once in each radio group, at its chosen
// button; the arrow keys move round the group.
class FormatSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kId = 131;
  // Control ids.
  static constexpr int kIdOk = 1;
  static constexpr int kIdCancel = 2;
  static constexpr int kIdDefaults = 1013;
  static constexpr int kIdWeekkindFirst = 1005;  // 1005 … 1008
  static constexpr int kIdSec30 = 1010;
  static constexpr int kIdTop = 1012;
  static constexpr int kIdKugiriFirst = 1014;  // 1014 … 1017
  static constexpr int kIdKankaku = 1018;
  static constexpr int kNoId = -1;

  explicit FormatSettingsDialog(QWidget* parent = nullptr);

  // The control with template id `id`, or null.
  QWidget* control(int id) const;

  // Moves the values between the controls and the members, in the order top, 30sec, weekkind,
  // kankaku, kugiri. Saving stops at a width that is not an integer from 0 to 100: it tells the
  // user, puts the focus back into the width box and returns false; the members before it have
  // been saved by then.
  bool ExchangeData(bool save);

  // Saves the controls; the dialog ends only if that succeeded.
  void accept() override;

  // The defaults button: the document's default settings, loaded into every control.
  void RestoreDefaults();

  int top = 0;
  int sec30 = 0;  // "30sec"
  int weekkind = -1;
  int kankaku = 0;
  int kugiri = -1;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  static void LoadRadio(QButtonGroup* group, int index);
  static int SavedRadio(const QButtonGroup* group);
  bool SaveWidth();

  QCheckBox* sec30Box_;
  QCheckBox* topBox_;
  QButtonGroup* weekkindGroup_;
  QButtonGroup* kugiriGroup_;
  QLineEdit* kankakuEdit_;
};

// The settings command: runs the dialog on a copy of the document's settings and, only when it
// ends with OK, copies them back and derives the delimiter again. Returns whether OK ended it.
bool RunSettingsCommand(Document& doc, QWidget* parent);

}  // namespace orbline
