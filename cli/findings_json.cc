#include "cli/findings_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "platform/sjis.h"

namespace orbline {

std::string FindingsJson(const std::vector<Finding>& findings) {
  QJsonArray array;
  for (const Finding& f : findings) {
    QJsonObject o;
    o.insert(QStringLiteral("file"), f.file.empty() ? QJsonValue() : QJsonValue(QString::fromStdString(f.file)));
    o.insert(QStringLiteral("line"), f.line);
    o.insert(QStringLiteral("severity"), f.IsError() ? QStringLiteral("error") : QStringLiteral("warning"));
    o.insert(QStringLiteral("code"), f.code);
    o.insert(QStringLiteral("message"), QString::fromStdString(SjisToUtf8(f.message)));
    array.append(o);
  }
  return QJsonDocument(array).toJson(QJsonDocument::Compact).toStdString() + "\n";
}

}  // namespace orbline
