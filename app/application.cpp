#include "app/application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

#include "view/qpainter_canvas.h"

// The images are built into this static library; a program that links it must register them.
static void InitResources() { Q_INIT_RESOURCE(resources); }

namespace orbline {

void SetUpApplication(QApplication& app) {
  InitResources();
  QApplication::setApplicationName(QStringLiteral("Orbline"));
  // No display name: Qt would add it to every window's caption.
  QApplication::setOrganizationName(QString());
  QIcon icon(QStringLiteral(":/orbline/icon.png"));
  icon.addFile(QStringLiteral(":/orbline/icon16.png"));
  QApplication::setWindowIcon(icon);
  const QString family = RegisterJapaneseFont();
  if (!family.isEmpty()) {
    QFont font = app.font();
    font.setFamily(JapaneseGothicName());
    app.setFont(font);
  }
}

}  // namespace orbline
