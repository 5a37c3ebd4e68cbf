#include <QApplication>
#include <QLabel>
#include <QTimer>

#include "timecore/datetime.h"

// A first window: the running GMT time, until the clock window takes its place.
int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zonewright"));
  QApplication::setOrganizationName(QStringLiteral("Velloran"));

  QLabel clock;
  clock.setWindowTitle(QStringLiteral("Zonewright"));
  clock.setMinimumWidth(240);
  clock.setAlignment(Qt::AlignCenter);
  const auto refresh = [&clock] {
    zw::CDateTime now;
    const std::string text =
        "GMT  " + now.FormatDate(0, "/", 4) + "  " + now.FormatTime(0, ":", true);
    clock.setText(QString::fromStdString(text));
  };
  refresh();
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, &clock, refresh);
  timer.start(250);
  clock.show();
  return QApplication::exec();
}
