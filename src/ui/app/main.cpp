// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QIcon>
#include <QTextStream>
#include <cstdio>

#include "ui/app/commandline.h"
#include "ui/app/zoneapp.h"
#include "ui/clock/clockwnd.h"

int main(int argc, char* argv[]) {
  QApplication::setApplicationName(QStringLiteral("Zonewright"));
  QApplication::setOrganizationName(QStringLiteral("Velloran"));
  QApplication::setApplicationVersion(QStringLiteral(ZW_VERSION));
  // --help and --version answer in a terminal without a display, so they are read before the
  // windowing system is reached.
  {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
      arguments << QString::fromLocal8Bit(argv[i]);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (const std::optional<int> code = zw::CCommandLine::ExitCode(arguments, out, err)) {
      return *code;
    }
  }

  QApplication app(argc, argv);
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
