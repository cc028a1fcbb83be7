#include "view/faces.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace orbline {

QString JapaneseGothicName() { return QStringLiteral(u"ＭＳ Ｐゴシック"); }

QString RegisterJapaneseFont() {
  static QString chosen;
  static bool done = false;
  if (done) return chosen;
  done = true;
  const QStringList families = QFontDatabase::families();
  const QString preferred[] = {JapaneseGothicName(), QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"),
                               QStringLiteral("IPAGothic")};
  for (const QString& name : preferred)
    if (families.contains(name)) {
      chosen = name;
      break;
    }
  if (chosen.isEmpty()) {
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString& name : japanese)
      if (!name.contains(QStringLiteral("Mincho"), Qt::CaseInsensitive) && !QFontDatabase::isFixedPitch(name)) {
        chosen = name;
        break;
      }
    if (chosen.isEmpty() && !japanese.isEmpty()) chosen = japanese.first();
  }
  if (!chosen.isEmpty() && chosen != JapaneseGothicName()) QFont::insertSubstitution(JapaneseGothicName(), chosen);
  return chosen;
}

QString ListingFaceName() {
  static const QString chosen = [] {
    const QStringList families = QFontDatabase::families();
    const QString preferred[] = {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                                 QStringLiteral("TakaoGothic"), QStringLiteral("VL Gothic")};
    for (const QString& name : preferred)
      if (families.contains(name)) return name;
    for (const QString& name : QFontDatabase::families(QFontDatabase::Japanese))
      if (QFontDatabase::isFixedPitch(name) && !name.contains(QStringLiteral("Mincho"), Qt::CaseInsensitive))
        return name;
    return JapaneseGothicName();
  }();
  return chosen;
}

}  // namespace orbline
