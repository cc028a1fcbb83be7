// The format settings dialog: its controls, the exchange with its members, the width check and
// the settings command that runs it on the document.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <functional>
#include <memory>

#include "app/dialog_units.h"
#include "app/format_settings_dialog.h"
#include "doc/document.h"
#include "platform/memory_line_reader.h"
#include "platform/memory_profile_store.h"
#include "platform/recording_message_sink.h"
#include "platform/wait_cursor.h"
#include "tests/app/app_test.h"
#include "view/qpainter_canvas.h"

using orbline::Document;
using orbline::FormatSettings;
using orbline::FormatSettingsDialog;

namespace {

const QString kIntegerPrompt = QStringLiteral(u"整数を入力してください。");
const QString kRangePrompt = QStringLiteral(u"0 から 100 までの整数を入力してください。");

// The five members of the dialog, or of the document's settings, in one comparable value.
struct Values {
  int top, sec30, weekkind, kankaku, kugiri;
  bool operator==(const Values&) const = default;
};

Values Of(const FormatSettingsDialog& d) { return {d.top, d.sec30, d.weekkind, d.kankaku, d.kugiri}; }
Values Of(const FormatSettings& s) { return {s.top, s.sec30, s.weekkind, s.kankaku, s.kugiri}; }

// The dialog and the settings name their five members alike.
template <typename Holder>
void Set(Holder& h, const Values& v) {
  h.top = v.top;
  h.sec30 = v.sec30;
  h.weekkind = v.weekkind;
  h.kankaku = v.kankaku;
  h.kugiri = v.kugiri;
}

char* Describe(const Values& v) {
  return QTest::toString(QStringLiteral("top %1, 30sec %2, weekkind %3, kankaku %4, kugiri %5")
                             .arg(v.top)
                             .arg(v.sec30)
                             .arg(v.weekkind)
                             .arg(v.kankaku)
                             .arg(v.kugiri));
}

// The text a control shows, whatever its kind.
QString TextOf(const QWidget* w) {
  if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
  if (auto* g = qobject_cast<const QGroupBox*>(w)) return g->title();
  if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
  if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
  return QString();
}

int IdOf(const QWidget* w) {
  const QVariant id = w->property("controlId");
  return id.isValid() ? id.toInt() : 0;
}

// The dialog's control showing `text`, for those without an id.
QWidget* ByText(const QDialog& dialog, const QString& text) {
  for (QWidget* w : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (TextOf(w) == text) return w;
  return nullptr;
}

// Pixels of dialog units, worked out here from the font's metrics with floating point.
QRect ExpectedPixels(const QFont& font, const QRect& units) {
  const QFontMetrics metrics(font);
  const double letters =
      metrics.horizontalAdvance(QLatin1String("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  const int baseX = static_cast<int>(std::lround(letters / 52.0));
  const int baseY = metrics.height();
  auto x = [&](int u) { return static_cast<int>(std::lround(u * baseX / 4.0)); };
  auto y = [&](int u) { return static_cast<int>(std::lround(u * baseY / 8.0)); };
  return QRect(x(units.x()), y(units.y()), x(units.width()), y(units.height()));
}

}  // namespace

namespace QTest {
template <>
char* toString(const Values& v) {
  return Describe(v);
}
}  // namespace QTest

class FormatSettingsDialogTest : public QObject {
  Q_OBJECT

 private:
  // A document over in-memory services.
  std::unique_ptr<Document> doc_;

  // Answers every message box that comes up with OK and keeps its text.
  QTimer boxAnswerer_;
  QStringList boxTexts_;

  static QPushButton* Button(const FormatSettingsDialog& d, int id) { return qobject_cast<QPushButton*>(d.control(id)); }
  static QRadioButton* Radio(const FormatSettingsDialog& d, int id) { return qobject_cast<QRadioButton*>(d.control(id)); }
  static QCheckBox* Check(const FormatSettingsDialog& d, int id) { return qobject_cast<QCheckBox*>(d.control(id)); }
  static QLineEdit* WidthBox(const FormatSettingsDialog& d) {
    return qobject_cast<QLineEdit*>(d.control(FormatSettingsDialog::kIdKankaku));
  }

  // The index of the checked button among the four from `firstId`, -1 with none checked.
  static int CheckedIndex(const FormatSettingsDialog& d, int firstId) {
    int index = -1;
    for (int i = 0; i < 4; ++i)
      if (Radio(d, firstId + i)->isChecked()) {
        if (index != -1) return -2;  // two checked: never right
        index = i;
      }
    return index;
  }

  // What the controls show, in the members' terms.
  static Values Shown(const FormatSettingsDialog& d) {
    bool ok = false;
    const int width = WidthBox(d)->text().toInt(&ok);
    return {Check(d, FormatSettingsDialog::kIdTop)->isChecked() ? 1 : 0,
            Check(d, FormatSettingsDialog::kIdSec30)->isChecked() ? 1 : 0,
            CheckedIndex(d, FormatSettingsDialog::kIdWeekkindFirst), ok ? width : -1000,
            CheckedIndex(d, FormatSettingsDialog::kIdKugiriFirst)};
  }

  // Runs the settings command on the document; `drive` gets the dialog once it is open and
  // modal and must end it. Returns what the command returned.
  bool RunCommand(const std::function<void(FormatSettingsDialog&)>& drive, QWidget* parent = nullptr) {
    bool driven = false;
    bool leftOpen = false;
    QTimer poll;
    poll.setInterval(5);
    connect(&poll, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<FormatSettingsDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      poll.stop();
      driven = true;
      drive(*dialog);
      // A failed check inside `drive` returns early; end the dialog so that the test goes on.
      if (dialog->isVisible()) {
        leftOpen = true;
        dialog->reject();
      }
    });
    poll.start();
    const bool result = orbline::RunSettingsCommand(*doc_, parent);
    if (!driven) QTest::qFail("the settings dialog never became the active modal window", __FILE__, __LINE__);
    if (leftOpen) QTest::qFail("the settings dialog was left open", __FILE__, __LINE__);
    return result;
  }

 private slots:
  void initTestCase() {
    boxAnswerer_.setInterval(5);
    connect(&boxAnswerer_, &QTimer::timeout, this, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      boxTexts_ << box->text();
      box->button(QMessageBox::Ok)->click();
    });
  }

  void init() {
    boxTexts_.clear();
    boxAnswerer_.start();
    doc_ = std::make_unique<Document>();
  }

  void cleanup() {
    boxAnswerer_.stop();
    doc_.reset();
  }

  // The dialog font is the Japanese Gothic face at 9 points, and one dialog unit is a quarter
  // of its average letter width across and an eighth of its height down.
  void dialogUnitsFollowTheDialogFont() {
    const QFont font = orbline::DialogFont();
    QCOMPARE(font.family(), orbline::JapaneseGothicName());
    QCOMPARE(font.pointSize(), 9);
    QVERIFY2(QFontMetrics(font).inFont(QChar(u'曜')), qPrintable(QFontInfo(font).family()));

    const orbline::DialogUnits units(font);
    QVERIFY(units.averageCharWidth() > 0);
    QVERIFY(units.charHeight() > units.averageCharWidth());
    for (int u : {0, 1, 2, 3, 7, 8, 12, 44, 145, 174, 194}) {
      const QRect expected = ExpectedPixels(font, QRect(u, u, u, u));
      QCOMPARE(units.ToPixelsX(u), expected.x());
      QCOMPARE(units.ToPixelsY(u), expected.y());
    }
    // Another font gives other units.
    QFont big = font;
    big.setPointSize(18);
    QVERIFY(orbline::DialogUnits(big).ToPixelsX(100) > units.ToPixelsX(100));
  }

  void controlsFollowTheTemplate_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("units");
    auto row = [](int id, const char* kind, const QString& text, int x, int y, int w, int h) {
      QTest::addRow("%d %s %d,%d", id, kind, x, y) << id << QString::fromLatin1(kind) << text << QRect(x, y, w, h);
    };
    row(1, "QPushButton", QStringLiteral("OK"), 104, 88, 44, 12);
    row(2, "QPushButton", QStringLiteral(u"ｷｬﾝｾﾙ"), 104, 108, 44, 12);
    row(1013, "QPushButton", QStringLiteral(u"初期値"), 104, 128, 44, 12);
    row(1005, "QRadioButton", QStringLiteral(u"平日／土日"), 12, 17, 52, 8);
    row(1006, "QRadioButton", QStringLiteral(u"区別なし"), 12, 28, 40, 8);
    row(1007, "QRadioButton", QStringLiteral(u"平日／土曜／日曜"), 12, 40, 72, 8);
    row(1008, "QRadioButton", QStringLiteral(u"平日土曜／日曜"), 12, 52, 64, 8);
    row(-1, "QGroupBox", QStringLiteral(u"曜日別ダイア"), 4, 4, 84, 64);
    row(1010, "QCheckBox", QStringLiteral(u"待ち時間の\n１分は30秒へ"), 12, 89, 56, 16);
    row(1012, "QCheckBox", QStringLiteral(u"１行目は無視"), 12, 113, 56, 8);
    row(-1, "QGroupBox", QStringLiteral(u"時刻表データ"), 4, 76, 84, 52);
    row(1014, "QRadioButton", QStringLiteral(u"タブ"), 104, 16, 24, 8);
    row(1015, "QRadioButton", QStringLiteral(u"カンマ"), 104, 28, 28, 8);
    row(1016, "QRadioButton", QStringLiteral(u"半角スペース"), 104, 40, 52, 8);
    row(1017, "QRadioButton", QStringLiteral(u"一定間隔"), 104, 52, 40, 8);
    row(-1, "QGroupBox", QStringLiteral(u"データの区切り方法"), 96, 4, 72, 76);
    row(1018, "QLineEdit", QString(), 128, 64, 16, 12);
    row(-1, "QLabel", QStringLiteral(u"文字"), 148, 64, 16, 8);
    row(-1, "QLabel", QStringLiteral(u"→"), 116, 64, 8, 8);
  }

  void controlsFollowTheTemplate() {
    QFETCH(int, id);
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QRect, units);
    FormatSettingsDialog dialog;
    QWidget* w = id > 0 ? dialog.control(id) : ByText(dialog, text);
    QVERIFY(w);
    QVERIFY2(w->inherits(kind.toLatin1().constData()), w->metaObject()->className());
    QCOMPARE(IdOf(w), id);
    if (id != FormatSettingsDialog::kIdKankaku) QCOMPARE(TextOf(w), text);
    QCOMPARE(w->geometry(), ExpectedPixels(orbline::DialogFont(), units));
    if (auto* label = qobject_cast<QLabel*>(w)) QCOMPARE(label->textFormat(), Qt::PlainText);
  }

  void dialogFrameTabOrderAndGroups() {
    QWidget parent;
    parent.setGeometry(40, 30, 700, 500);
    parent.show();
    FormatSettingsDialog dialog(&parent);
    QCOMPARE(dialog.windowTitle(), QStringLiteral(u"データの形式情報"));
    const QSize size = ExpectedPixels(orbline::DialogFont(), QRect(0, 0, 174, 145)).size();
    QCOMPARE(dialog.minimumSize(), size);
    QCOMPARE(dialog.maximumSize(), size);
    QCOMPARE(dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 19);

    QVERIFY(Button(dialog, 1)->isDefault());
    QVERIFY(!Button(dialog, 2)->isDefault());
    QVERIFY(!Button(dialog, 1013)->isDefault());

    // Tab order: the template order of the controls that take the focus.
    QList<int> order;
    for (QWidget* w = dialog.nextInFocusChain(); w != &dialog; w = w->nextInFocusChain())
      if (w->parentWidget() == &dialog && (w->focusPolicy() & Qt::TabFocus)) order << IdOf(w);
    QCOMPARE(order, (QList<int>{1, 2, 1013, 1005, 1006, 1007, 1008, 1010, 1012, 1014, 1015, 1016, 1017, 1018}));

    dialog.weekkind = 1;
    dialog.kugiri = 2;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // Centred over the window it belongs to.
    QVERIFY2((dialog.frameGeometry().center() - parent.frameGeometry().center()).manhattanLength() <= 2,
             qPrintable(QStringLiteral("dialog %1,%2 parent %3,%4")
                            .arg(dialog.frameGeometry().center().x())
                            .arg(dialog.frameGeometry().center().y())
                            .arg(parent.frameGeometry().center().x())
                            .arg(parent.frameGeometry().center().y())));
    // The first control takes the focus.
    QCOMPARE(dialog.focusWidget(), dialog.control(1));

    // Clicks go through the frames to the buttons inside them, and the two radio groups are
    // independent of each other.
    auto clickAt = [&](int id) {
      QWidget* w = dialog.control(id);
      QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {}, w->geometry().topLeft() + QPoint(4, w->height() / 2));
    };
    clickAt(1015);
    QCOMPARE(CheckedIndex(dialog, 1014), 1);
    QCOMPARE(CheckedIndex(dialog, 1005), 1);
    clickAt(1008);
    QCOMPARE(CheckedIndex(dialog, 1005), 3);
    QCOMPARE(CheckedIndex(dialog, 1014), 1);
    clickAt(1012);
    QVERIFY(Check(dialog, 1012)->isChecked());
    QVERIFY(boxTexts_.isEmpty());
  }

  // Each opening loads every control from the members; OK without changes saves the same values
  // back, and a changed control reaches its member.
  void exchangeLoadsOnOpenAndSavesOnOk_data() {
    QTest::addColumn<Values>("first");
    QTest::addColumn<Values>("second");
    QTest::addRow("all different") << Values{1, 0, 3, 17, 2} << Values{0, 1, 0, 100, 3};
    QTest::addRow("again different") << Values{0, 1, 1, 0, 0} << Values{1, 0, 2, 55, 1};
  }

  void exchangeLoadsOnOpenAndSavesOnOk() {
    QFETCH(Values, first);
    QFETCH(Values, second);
    FormatSettingsDialog dialog;
    QCOMPARE(Of(dialog), (Values{0, 0, -1, 0, -1}));
    Set(dialog, first);
    dialog.show();
    QCOMPARE(Shown(dialog), first);
    dialog.hide();

    Set(dialog, second);
    dialog.show();
    QCOMPARE(Shown(dialog), second);
    Set(dialog, Values{9, 9, 9, 9, 9});
    QTest::mouseClick(Button(dialog, 1), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(Of(dialog), second);

    // Every control reaches its own member.
    dialog.show();
    Check(dialog, 1012)->click();
    Check(dialog, 1010)->click();
    Radio(dialog, 1005 + first.weekkind)->click();
    WidthBox(dialog)->setText(QString::number(first.kankaku));
    Radio(dialog, 1014 + first.kugiri)->click();
    QTest::mouseClick(Button(dialog, 1), Qt::LeftButton);
    QCOMPARE(Of(dialog), first);
    QVERIFY(boxTexts_.isEmpty());
  }

  // The width must be an integer from 0 to 100 when OK is pressed. A refused width keeps the
  // dialog open with the focus in the width box; the members before the width have been taken
  // by then, the delimiter choice after it not.
  void widthIsCheckedWhenSaving_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("prompt");
    QTest::addRow("100") << QStringLiteral("100") << 100 << QString();
    QTest::addRow("0") << QStringLiteral("0") << 0 << QString();
    QTest::addRow("5") << QStringLiteral("5") << 5 << QString();
    QTest::addRow("101") << QStringLiteral("101") << 101 << kRangePrompt;
    QTest::addRow("-1") << QStringLiteral("-1") << -1 << kRangePrompt;
    QTest::addRow("too long") << QStringLiteral("99999999999") << 42 << kRangePrompt;
    QTest::addRow("abc") << QStringLiteral("abc") << 42 << kIntegerPrompt;
    QTest::addRow("trailing letters") << QStringLiteral("12a") << 42 << kIntegerPrompt;
    QTest::addRow("decimal") << QStringLiteral("1.5") << 42 << kIntegerPrompt;
    QTest::addRow("empty") << QString() << 42 << kIntegerPrompt;
  }

  void widthIsCheckedWhenSaving() {
    QFETCH(QString, text);
    QFETCH(int, stored);
    QFETCH(QString, prompt);
    FormatSettingsDialog dialog;
    Set(dialog, Values{0, 0, 2, 42, 1});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(WidthBox(dialog)->text(), QStringLiteral("42"));
    Check(dialog, 1012)->click();
    Radio(dialog, 1006)->click();
    Radio(dialog, 1017)->click();
    WidthBox(dialog)->setText(text);
    QTest::mouseClick(Button(dialog, 1), Qt::LeftButton);
    QCOMPARE(dialog.kankaku, stored);
    QCOMPARE(dialog.top, 1);
    QCOMPARE(dialog.weekkind, 1);
    if (prompt.isEmpty()) {
      QVERIFY(boxTexts_.isEmpty());
      QVERIFY(!dialog.isVisible());
      QCOMPARE(dialog.result(), int(QDialog::Accepted));
      QCOMPARE(dialog.kugiri, 3);
      return;
    }
    QCOMPARE(boxTexts_, QStringList{prompt});
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.kugiri, 1);
    QCOMPARE(dialog.focusWidget(), dialog.control(FormatSettingsDialog::kIdKankaku));
    QCOMPARE(WidthBox(dialog)->selectedText(), text);

    // Calling accept() checks the same way; a good width then ends the dialog.
    boxTexts_.clear();
    dialog.accept();
    QCOMPARE(boxTexts_, QStringList{prompt});
    QVERIFY(dialog.isVisible());
    WidthBox(dialog)->setText(QStringLiteral("64"));
    dialog.accept();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(Of(dialog), (Values{1, 0, 1, 64, 3}));
  }

  // A choice outside a group's buttons opens with none of them checked, even when one was
  // checked at the last opening, and saving without a choice gives -1.
  void unknownChoiceChecksNoButton_data() {
    QTest::addColumn<int>("weekkind");
    QTest::addColumn<int>("kugiri");
    QTest::addRow("kugiri 7") << 2 << 7;
    QTest::addRow("weekkind 9") << 9 << 1;
    QTest::addRow("both -1") << -1 << -1;
    QTest::addRow("kugiri 4, weekkind 4") << 4 << 4;
  }

  void unknownChoiceChecksNoButton() {
    QFETCH(int, weekkind);
    QFETCH(int, kugiri);
    FormatSettingsDialog dialog;
    Set(dialog, Values{0, 1, 3, 5, 3});
    dialog.show();
    QCOMPARE(Shown(dialog), (Values{0, 1, 3, 5, 3}));
    dialog.hide();
    Set(dialog, Values{0, 1, weekkind, 5, kugiri});
    dialog.show();
    const int shownWeek = weekkind >= 0 && weekkind <= 3 ? weekkind : -1;
    const int shownKugiri = kugiri >= 0 && kugiri <= 3 ? kugiri : -1;
    QCOMPARE(CheckedIndex(dialog, 1005), shownWeek);
    QCOMPARE(CheckedIndex(dialog, 1014), shownKugiri);
    dialog.accept();
    QCOMPARE(Of(dialog), (Values{0, 1, shownWeek, 5, shownKugiri}));

    // With none checked a click still checks one, and the group stays exclusive.
    dialog.show();
    Radio(dialog, 1015)->click();
    Radio(dialog, 1016)->click();
    Radio(dialog, 1007)->click();
    QCOMPARE(CheckedIndex(dialog, 1014), 2);
    QCOMPARE(CheckedIndex(dialog, 1005), 2);
  }

  // OK at once keeps every setting and derives the delimiter again from kugiri.
  void okAtOnceKeepsTheSettings_data() {
    QTest::addColumn<Values>("settings");
    QTest::addColumn<QString>("delimiter");
    QTest::addRow("comma") << Values{1, 0, 3, 12, 1} << QStringLiteral(",");
    QTest::addRow("space") << Values{0, 1, 2, 100, 2} << QStringLiteral(" ");
    QTest::addRow("tab") << Values{1, 1, 1, 0, 0} << QStringLiteral("\t");
    QTest::addRow("fixed width keeps it") << Values{0, 0, 0, 8, 3} << QStringLiteral("x");
  }

  void okAtOnceKeepsTheSettings() {
    QFETCH(Values, settings);
    QFETCH(QString, delimiter);
    Set(doc_->settings, settings);
    doc_->delimiter = "x";
    const bool ok = RunCommand([&](FormatSettingsDialog& dialog) {
      QCOMPARE(Shown(dialog), settings);
      QTest::mouseClick(Button(dialog, 1), Qt::LeftButton);
    });
    QVERIFY(ok);
    QCOMPARE(Of(doc_->settings), settings);
    QCOMPARE(QString::fromStdString(doc_->delimiter), delimiter);
    QVERIFY(boxTexts_.isEmpty());
  }

  // The defaults button loads the default settings into every control; Cancel or the close box
  // afterwards leaves the document as it was, OK stores them.
  void defaultsThenEnding_data() {
    QTest::addColumn<QString>("ending");
    QTest::addRow("cancel") << QStringLiteral("cancel");
    QTest::addRow("close box") << QStringLiteral("close");
    QTest::addRow("escape") << QStringLiteral("escape");
    QTest::addRow("ok") << QStringLiteral("ok");
  }

  void defaultsThenEnding() {
    QFETCH(QString, ending);
    const Values before{1, 0, 3, 40, 1};
    const Values defaults{0, 1, 0, 5, 0};
    Set(doc_->settings, before);
    doc_->delimiter = ",";
    const bool ok = RunCommand([&](FormatSettingsDialog& dialog) {
      QTest::mouseClick(Button(dialog, 1013), Qt::LeftButton);
      QVERIFY(dialog.isVisible());
      QCOMPARE(Shown(dialog), defaults);
      QCOMPARE(Of(dialog), defaults);
      if (ending == QLatin1String("cancel")) QTest::mouseClick(Button(dialog, 2), Qt::LeftButton);
      if (ending == QLatin1String("close")) dialog.close();
      if (ending == QLatin1String("escape")) QTest::keyClick(&dialog, Qt::Key_Escape);
      if (ending == QLatin1String("ok")) QTest::mouseClick(Button(dialog, 1), Qt::LeftButton);
    });
    if (ending == QLatin1String("ok")) {
      QVERIFY(ok);
      QCOMPARE(Of(doc_->settings), defaults);
      QCOMPARE(doc_->delimiter, std::string("\t"));
    } else {
      QVERIFY(!ok);
      QCOMPARE(Of(doc_->settings), before);
      QCOMPARE(doc_->delimiter, std::string(","));
    }
  }

  // Choices the user makes reach the document only with OK; fixed width keeps the delimiter of
  // the previous mode, and a group with no button checked stores -1.
  void commandStoresOnlyOnOk() {
    Set(doc_->settings, Values{0, 1, 0, 5, 1});
    doc_->delimiter = ",";
    bool ok = RunCommand([&](FormatSettingsDialog& dialog) {
      Radio(dialog, 1017)->click();
      WidthBox(dialog)->setText(QStringLiteral("8"));
      QTest::mouseClick(Button(dialog, 1), Qt::LeftButton);
    });
    QVERIFY(ok);
    QCOMPARE(Of(doc_->settings), (Values{0, 1, 0, 8, 3}));
    QCOMPARE(doc_->delimiter, std::string(","));

    // A refused width, then Cancel: the members the dialog had already taken stay in it.
    ok = RunCommand([&](FormatSettingsDialog& dialog) {
      Check(dialog, 1012)->click();
      Radio(dialog, 1016)->click();
      WidthBox(dialog)->setText(QStringLiteral("101"));
      QTest::mouseClick(Button(dialog, 1), Qt::LeftButton);
      QVERIFY(dialog.isVisible());
      QCOMPARE(dialog.top, 1);
      QTest::mouseClick(Button(dialog, 2), Qt::LeftButton);
    });
    QVERIFY(!ok);
    QCOMPARE(boxTexts_, QStringList{kRangePrompt});
    QCOMPARE(Of(doc_->settings), (Values{0, 1, 0, 8, 3}));
    QCOMPARE(doc_->delimiter, std::string(","));

    // Out-of-range choices from the profile: no button checked, and OK stores -1.
    Set(doc_->settings, Values{0, 1, 9, 5, 7});
    ok = RunCommand([&](FormatSettingsDialog& dialog) {
      QCOMPARE(CheckedIndex(dialog, 1005), -1);
      QCOMPARE(CheckedIndex(dialog, 1014), -1);
      QTest::mouseClick(Button(dialog, 1), Qt::LeftButton);
    });
    QVERIFY(ok);
    QCOMPARE(Of(doc_->settings), (Values{0, 1, -1, 5, -1}));
    QCOMPARE(doc_->delimiter, std::string(","));
  }

  // The command's dialog belongs to the given window and opens centred over it.
  void commandDialogOpensOverItsParent() {
    QWidget window;
    window.setGeometry(100, 80, 600, 420);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QPoint dialogCentre;
    const bool ok = RunCommand(
        [&](FormatSettingsDialog& dialog) {
          QCOMPARE(dialog.parentWidget(), &window);
          QVERIFY(dialog.isModal());
          dialogCentre = dialog.frameGeometry().center();
          dialog.reject();
        },
        &window);
    QVERIFY(!ok);
    QVERIFY((dialogCentre - window.frameGeometry().center()).manhattanLength() <= 2);
  }
};

ORBLINE_APP_TEST(FormatSettingsDialogTest);

#include "format_settings_dialog_test.moc"
