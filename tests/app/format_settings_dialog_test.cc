// The settings command: what the dialog shows, what it stores on OK and what it refuses.
#include <QLineEdit>
#include <QPushButton>

#include "app/format_settings_dialog.h"
#include "tests/app/app_test.h"

namespace orbline {

class FormatSettingsDialogTest : public QObject {
  Q_OBJECT

  using Dialog = FormatSettingsDialog;

  std::unique_ptr<Document> doc_;
  QStringList boxTexts_;  // the message boxes of the last run

  // top, 30sec, weekkind, kankaku, kugiri of the document's settings.
  QList<int> Settings() const {
    const FormatSettings& s = doc_->settings;
    return {s.top, s.sec30, s.weekkind, s.kankaku, s.kugiri};
  }
  // The same, as the dialog's controls show them (-1: no button of a group checked).
  static QList<int> Shown(const Dialog& d) {
    const auto on = [&](int id) { return qobject_cast<QAbstractButton*>(d.control(id))->isChecked(); };
    const auto radio = [&](int first) {
      for (int i = 0; i < 4; ++i)
        if (on(first + i)) return i;
      return -1;
    };
    return {on(Dialog::kIdTop), on(Dialog::kIdSec30), radio(Dialog::kIdWeekkindFirst), Width(d)->text().toInt(),
            radio(Dialog::kIdKugiriFirst)};
  }
  static QLineEdit* Width(const Dialog& d) { return qobject_cast<QLineEdit*>(d.control(Dialog::kIdKankaku)); }
  static void Click(const Dialog& d, int id) { qobject_cast<QAbstractButton*>(d.control(id))->click(); }

  // Runs the settings command; `drive` gets the open dialog and ends it, or it is cancelled. Message
  // boxes are answered with OK.
  bool Run(const std::function<void(Dialog&)>& drive) {
    boxTexts_.clear();
    QTimer answer;
    connect(&answer, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        boxTexts_ << box->text();
        box->button(QMessageBox::Ok)->click();
      }
    });
    answer.start(5);
    QTimer::singleShot(0, this, [&] {
      auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
      drive(*dialog);
      if (dialog->isVisible()) dialog->reject();
    });
    return RunSettingsCommand(*doc_, nullptr);
  }

 private slots:
  void initTestCase() { SetUpApplication(*qApp); }
  void init() { doc_ = std::make_unique<Document>(); }

  void okStoresWhatIsShownCancelNothing() {
    // Comma, width 12, a scheme outside 0..3 (which checks no button and stays so), top and 30sec off;
    // OK derives the delimiter.
    doc_->settings = {1, 12, 7, 0, 0};
    doc_->delimiter = "x";
    QVERIFY(Run([&](Dialog& d) {
      QCOMPARE(Shown(d), (QList<int>{0, 0, -1, 12, 1}));
      Click(d, Dialog::kIdTop);
      Click(d, Dialog::kIdKugiriFirst + 2);
      Click(d, Dialog::kIdOk);
    }));
    QCOMPARE(Settings(), (QList<int>{1, 0, -1, 12, 2}));
    QCOMPARE(doc_->delimiter, std::string(" "));
    // Fixed width keeps the delimiter of the last separation.
    QVERIFY(Run([&](Dialog& d) {
      Click(d, Dialog::kIdKugiriFirst + 3);
      Click(d, Dialog::kIdOk);
    }));
    QCOMPARE(doc_->delimiter, std::string(" "));
    QVERIFY(boxTexts_.isEmpty());
    // So does a separation outside 0..3.
    doc_->settings.kugiri = -2;
    QVERIFY(Run([&](Dialog& d) {
      QCOMPARE(Shown(d)[4], -1);
      Click(d, Dialog::kIdOk);
    }));
    QCOMPARE(doc_->settings.kugiri, -1);
    // The defaults, then Cancel, change nothing; the defaults, then OK, store them.
    doc_->settings = {2, 40, 2, 1, 0};
    QVERIFY(!Run([&](Dialog& d) {
      Click(d, Dialog::kIdDefaults);
      QCOMPARE(Shown(d), (QList<int>{0, 1, 0, 5, 0}));
      Click(d, Dialog::kIdCancel);
    }));
    QCOMPARE(Settings(), (QList<int>{1, 0, 2, 40, 2}));
    QVERIFY(Run([&](Dialog& d) {
      Click(d, Dialog::kIdDefaults);
      Click(d, Dialog::kIdOk);
    }));
    QCOMPARE(Settings(), (QList<int>{0, 1, 0, 5, 0}));
    QCOMPARE(doc_->delimiter, std::string("\t"));
  }

  // Each radio group is one Tab stop, at its chosen button; the arrows move round the group,
  // choosing as they go.
  void tabStopsAtEachGroupOnceAndArrowsMoveWithin() {
    doc_->settings = {1, 5, 3, 0, 1};  // comma, the last scheme
    const auto id = [](const QWidget* w) { return w->property("controlId").toInt(); };
    QVERIFY(Run([&](Dialog& d) {
      QWidget* ok = d.control(Dialog::kIdOk);
      ok->setFocus();
      QList<int> stops;
      for (int i = 0; i < 8; ++i) {
        QTest::keyClick(d.focusWidget(), Qt::Key_Tab);
        stops << id(d.focusWidget());
      }
      QCOMPARE(stops,
               (QList<int>{Dialog::kIdCancel, Dialog::kIdDefaults, Dialog::kIdWeekkindFirst + 3, Dialog::kIdSec30,
                           Dialog::kIdTop, Dialog::kIdKugiriFirst + 1, Dialog::kIdKankaku, Dialog::kIdOk}));
      const std::pair<Qt::Key, int> moves[] = {{Qt::Key_Down, Dialog::kIdWeekkindFirst},  // round to the first
                                               {Qt::Key_Right, Dialog::kIdWeekkindFirst + 1},
                                               {Qt::Key_Up, Dialog::kIdWeekkindFirst},
                                               {Qt::Key_Left, Dialog::kIdWeekkindFirst + 3}};
      for (int i = 0; i < 3; ++i) QTest::keyClick(d.focusWidget(), Qt::Key_Tab);
      for (const auto& [key, to] : moves) {
        QTest::keyClick(d.focusWidget(), key);
        QCOMPARE(id(d.focusWidget()), to);
        QVERIFY(qobject_cast<QAbstractButton*>(d.focusWidget())->isChecked());
      }
      QTest::keyClick(d.focusWidget(), Qt::Key_Down);
      // Back into the group from the check box below it, at the button now chosen.
      QTest::keyClick(d.focusWidget(), Qt::Key_Tab);
      QTest::keyClick(d.focusWidget(), Qt::Key_Backtab);
      QCOMPARE(id(d.focusWidget()), Dialog::kIdWeekkindFirst);
      Click(d, Dialog::kIdOk);
    }));
    QCOMPARE(doc_->settings.weekkind, 0);
    QCOMPARE(doc_->settings.kugiri, 1);
  }

  void onlyAWholeWidthFrom0To100IsTaken() {
    // A refused width shows one box and leaves the dialog open with the focus in the width box.
    const std::pair<const char*, int> cases[] = {{"101", -1}, {"-1", -1}, {"5x", -1}, {"0", 0}, {"100", 100}};
    for (const auto& [text, taken] : cases) {
      const bool ended = Run([&](Dialog& d) {
        Width(d)->setText(QLatin1String(text));
        Click(d, Dialog::kIdOk);
        QCOMPARE(d.isVisible(), taken < 0);
        if (taken < 0) QCOMPARE(d.focusWidget(), d.control(Dialog::kIdKankaku));
      });
      QVERIFY2(ended == (taken >= 0) && boxTexts_.size() == (taken >= 0 ? 0 : 1), text);
      QCOMPARE(doc_->settings.kankaku, taken >= 0 ? taken : 5);
    }
  }
};

}  // namespace orbline

QTEST_MAIN(orbline::FormatSettingsDialogTest)

#include "format_settings_dialog_test.moc"
