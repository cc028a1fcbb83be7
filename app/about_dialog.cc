#include "app/about_dialog.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "app/dialog_units.h"

namespace orbline {
namespace {

constexpr int kIconSize = 32;  // pixels; the icon control takes the size of the icon

QLabel* MakeText(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setProperty("controlId", -1);
  return label;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral(u"ﾊﾞｰｼﾞｮﾝ情報  (Zelkor Maker)"));
  setFont(DialogFont());
  const DialogUnits units(font());
  setFixedSize(units.ToPixels(194, 91));

  auto* icon = new QLabel(this);
  icon->setProperty("controlId", -1);
  icon->setPixmap(QApplication::windowIcon().pixmap(kIconSize, kIconSize));
  icon->setGeometry(units.ToPixelsX(11), units.ToPixelsY(17), kIconSize, kIconSize);

  units.Place(MakeText(QStringLiteral("Zelkor Maker Ver 1.17"), this), 40, 8, 76, 8);
  units.Place(MakeText(QStringLiteral(u"ZKF形式：2.00"), this), 40, 24, 47, 8);
  QLabel* made = MakeText(QStringLiteral(u"制作日：2000/2/13(Sun)\n"
                                         u"Orbline project\n"
                                         u"ご意見・不具合の報告は\n"
                                         u"プロジェクトの課題管理へ"),
                          this);
  made->setWordWrap(true);
  units.Place(made, 40, 40, 130, 40);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setProperty("controlId", kIdOk);
  ok->setDefault(true);
  units.Place(ok, 140, 10, 40, 14);
  connect(ok, &QPushButton::clicked, this, &AboutDialog::accept);
}

}  // namespace orbline
