#include "app/application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

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
  // Qt's own dialogs and buttons in Japanese, like the rest of the program.
  auto* translator = new QTranslator(&app);
  if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator);
  }
  const QString family = RegisterJapaneseFont();
  if (!family.isEmpty()) {
    QFont font = app.font();
    font.setFamily(JapaneseGothicName());
    app.setFont(font);
  }
}

}  // namespace orbline
