#include "ui/app/helpwindow.h"

#include <QIcon>

namespace zw {

CHelpWindow::CHelpWindow(QWidget* parent) : QTextBrowser(parent) {
  setWindowFlag(Qt::Window, true);
  setWindowTitle(QStringLiteral("Zonewright Help"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/zonewright.svg")));
  setOpenExternalLinks(false);
  setSearchPaths({QStringLiteral(":/help")});
  resize(640, 560);
}

void CHelpWindow::ShowContents() {
  setSource(QUrl(QStringLiteral("qrc:/help/index.html")));
  show();
  raise();
  activateWindow();
}

}  // namespace zw
