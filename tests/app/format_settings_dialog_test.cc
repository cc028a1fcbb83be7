// The settings command: what the dialog shows, what it stores on OK and what it refuses.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include "app/format_settings_dialog.h"
#include "document/document.h"
#include "tests/app/app_test.h"

using orbline::Document;
using orbline::FormatSettingsDialog;

class FormatSettingsDialogTest : public QObject {
  Q_OBJECT

  std::unique_ptr<Document> doc_;
  QStringList boxTexts_;  // the message boxes that came up, each answered with OK
  QTimer boxAnswerer_;

  // top, 30sec, weekkind, kankaku, kugiri of the document's settings.
  QList<int> Settings() const {
    const auto& s = doc_->settings;
    return {s.top, s.sec30, s.weekkind, s.kankaku, s.kugiri};
  }
  // The same, as the dialog's controls show them (-1: no button of a group checked).
  static QList<int> Shown(const FormatSettingsDialog& d) {
    auto checked = [&](int first) {
      for (int i = 0; i < 4; ++i)
        if (qobject_cast<QRadioButton*>(d.control(first + i))->isChecked()) return i;
      return -1;
    };
    auto box = [&](int id) { return qobject_cast<QCheckBox*>(d.control(id))->isChecked() ? 1 : 0; };
    return {box(FormatSettingsDialog::kIdTop), box(FormatSettingsDialog::kIdSec30),
            checked(FormatSettingsDialog::kIdWeekkindFirst), Width(d)->text().toInt(),
            checked(FormatSettingsDialog::kIdKugiriFirst)};
  }
  static QLineEdit* Width(const FormatSettingsDialog& d) {
    return qobject_cast<QLineEdit*>(d.control(FormatSettingsDialog::kIdKankaku));
  }
  static void Click(const FormatSettingsDialog& d, int id) {
    QTest::mouseClick(qobject_cast<QAbstractButton*>(d.control(id)), Qt::LeftButton);
  }

  // Runs the settings command; `drive` gets the open dialog and must end it.
  bool Run(const std::function<void(FormatSettingsDialog&)>& drive) {
    QTimer poll;
    poll.setInterval(5);
    connect(&poll, &QTimer::timeout, [&] {
      if (auto* dialog = qobject_cast<FormatSettingsDialog*>(QApplication::activeModalWidget())) {
        poll.stop();
        drive(*dialog);
        if (dialog->isVisible()) dialog->reject();  // a failed check returned early
      }
    });
    poll.start();
    return orbline::RunSettingsCommand(*doc_, nullptr);
  }

 private slots:
  void initTestCase() {
    boxAnswerer_.setInterval(5);
    connect(&boxAnswerer_, &QTimer::timeout, this, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        boxTexts_ << box->text();
        box->button(QMessageBox::Ok)->click();
      }
    });
  }
  void init() {
    boxTexts_.clear();
    boxAnswerer_.start();
    doc_ = std::make_unique<Document>();
  }
  void cleanup() { boxAnswerer_.stop(); }

  void okStoresWhatIsShownAndDerivesTheDelimiter() {
    doc_->settings = {1, 12, 3, 0, 0};  // comma, width 12, scheme 3, top off, 30sec off
    doc_->delimiter = "x";
    QVERIFY(Run([&](FormatSettingsDialog& d) {
      QCOMPARE(Shown(d), (QList<int>{0, 0, 3, 12, 1}));
      Click(d, FormatSettingsDialog::kIdTop);
      Click(d, FormatSettingsDialog::kIdKugiriFirst + 2);
      Click(d, FormatSettingsDialog::kIdOk);
    }));
    QCOMPARE(Settings(), (QList<int>{1, 0, 3, 12, 2}));
    QCOMPARE(doc_->delimiter, std::string(" "));
    // Fixed width keeps the delimiter of the last separation.
    QVERIFY(Run([&](FormatSettingsDialog& d) {
      Click(d, FormatSettingsDialog::kIdKugiriFirst + 3);
      Click(d, FormatSettingsDialog::kIdOk);
    }));
    QCOMPARE(doc_->delimiter, std::string(" "));
    QVERIFY(boxTexts_.isEmpty());
  }

  void defaultsThenCancelChangeNothingThenOkStoresThem() {
    doc_->settings = {2, 40, 2, 1, 0};
    QVERIFY(!Run([&](FormatSettingsDialog& d) {
      Click(d, FormatSettingsDialog::kIdDefaults);
      QCOMPARE(Shown(d), (QList<int>{0, 1, 0, 5, 0}));
      Click(d, FormatSettingsDialog::kIdCancel);
    }));
    QCOMPARE(Settings(), (QList<int>{1, 0, 2, 40, 2}));
    QVERIFY(Run([&](FormatSettingsDialog& d) {
      Click(d, FormatSettingsDialog::kIdDefaults);
      Click(d, FormatSettingsDialog::kIdOk);
    }));
    QCOMPARE(Settings(), (QList<int>{0, 1, 0, 5, 0}));
    QCOMPARE(doc_->delimiter, std::string("\t"));
  }

  void aWidthOutside0To100OrNoNumberIsRefused() {
    for (const QString& text : {QStringLiteral("101"), QStringLiteral("-1"), QStringLiteral("5x")}) {
      boxTexts_.clear();
      QVERIFY(!Run([&](FormatSettingsDialog& d) {
        Width(d)->setText(text);
        Click(d, FormatSettingsDialog::kIdOk);
        QTRY_COMPARE(boxTexts_.size(), 1);
        QVERIFY(d.isVisible());
        QCOMPARE(d.focusWidget(), d.control(FormatSettingsDialog::kIdKankaku));
        Click(d, FormatSettingsDialog::kIdCancel);
      }));
      QCOMPARE(doc_->settings.kankaku, 5);
    }
    for (const QString& text : {QStringLiteral("0"), QStringLiteral("100")}) {
      QVERIFY(Run([&](FormatSettingsDialog& d) {
        Width(d)->setText(text);
        Click(d, FormatSettingsDialog::kIdOk);
      }));
      QCOMPARE(doc_->settings.kankaku, text.toInt());
    }
  }

  void aChoiceOutside0To3ChecksNoButtonAndStaysSo() {
    doc_->settings.weekkind = 7;
    doc_->settings.kugiri = -2;
    QVERIFY(Run([&](FormatSettingsDialog& d) {
      QCOMPARE(Shown(d)[2], -1);
      QCOMPARE(Shown(d)[4], -1);
      Click(d, FormatSettingsDialog::kIdOk);
    }));
    QCOMPARE(doc_->settings.weekkind, -1);
    QCOMPARE(doc_->settings.kugiri, -1);
  }
};

ORBLINE_APP_TEST(FormatSettingsDialogTest);

#include "format_settings_dialog_test.moc"
