#include <QApplication>
#include <QIcon>

#include "ui/app/zoneapp.h"
#include "ui/clock/clockwnd.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zonewright"));
  QApplication::setOrganizationName(QStringLiteral("Velloran"));
  QApplication::setDesktopFileName(QStringLiteral("io.github.zonewright.Zonewright"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zonewright.svg")));
  // The clock is the one window that matters; closing it ends the program even while the
  // help window is open.
  QApplication::setQuitOnLastWindowClosed(false);

  zw::CZoneApp zone;
  if (!zone.InitInstance(QApplication::arguments())) {
    return zone.ExitInstance(0);
  }
  QObject::connect(zone.Clock(), &zw::CClockWnd::closed, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  return zone.ExitInstance(QApplication::exec());
}
