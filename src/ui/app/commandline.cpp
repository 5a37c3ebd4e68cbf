#include "ui/app/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <algorithm>

namespace zw {

namespace {

// "-5" reaches the parser as the unknown option "5"; it is the hour switch's value.
bool IsHourValue(const QString& name) {
  return !name.isEmpty() &&
         std::all_of(name.begin(), name.end(), [](QChar c) { return c.isDigit(); });
}

}  // namespace

std::optional<int> CCommandLine::ExitCode(const QStringList& arguments, QTextStream& out,
                                          QTextStream& err) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("A world clock: the time of many places at a glance, events and alarms."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  parser.addPositionalArgument(
      QStringLiteral("/H±hours"),
      QStringLiteral("Shift every clock by -23 to +23 hours, for a computer whose own clock "
                     "is kept in local time."),
      QStringLiteral("[/H±hours]"));
  const bool parsed = parser.parse(arguments);
  if (parser.isSet(help)) {
    out << parser.helpText();
    return 0;
  }
  if (parser.isSet(version)) {
    out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
        << '\n';
    return 0;
  }
  const QStringList unknown = parser.unknownOptionNames();
  if (!parsed && !std::all_of(unknown.begin(), unknown.end(), IsHourValue)) {
    err << parser.errorText() << "\n\n" << parser.helpText();
    return kUsageError;
  }
  return std::nullopt;
}

}  // namespace zw
