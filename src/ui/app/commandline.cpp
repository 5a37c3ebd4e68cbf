// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>
#include <algorithm>

namespace zw {

namespace {

// "-5" reaches the parser as the unknown option "5"; it is the hour switch's value.
bool IsHourValue(const QString& name) {
  return !name.isEmpty() &&
         std::all_of(name.begin(), name.end(), [](QChar c) { return c.isDigit(); });
}

// Without an application object yet the parser cannot name the program itself.
QString HelpText(const QCommandLineParser& parser, const QStringList& arguments) {
  QString text = parser.helpText();
  const QString program = arguments.isEmpty() ? QString() : QFileInfo(arguments[0]).fileName();
  return text.replace(QStringLiteral("<executable_name>"), program);
}

}  // namespace

std::optional<int> CCommandLine::ExitCode(const QStringList& arguments, QTextStream& out,
                                          QTextStream& err) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QCoreApplication::translate(
      "zw::CommandLine", "A world clock: the time of many places at a glance, events and alarms."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  parser.addPositionalArgument(
      QStringLiteral("/H±hours"),
      QCoreApplication::translate(
          "zw::CommandLine",
          "Shift every clock by -23 to +23 hours, for a computer whose own clock "
          "is kept in local time."),
      QStringLiteral("[/H±hours]"));
  const bool parsed = parser.parse(arguments);
  if (parser.isSet(help)) {
    out << HelpText(parser, arguments);
    return 0;
  }
  if (parser.isSet(version)) {
    out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
        << '\n';
    return 0;
  }
  const QStringList unknown = parser.unknownOptionNames();
  if (!parsed && !std::all_of(unknown.begin(), unknown.end(), IsHourValue)) {
    err << parser.errorText() << "\n\n" << HelpText(parser, arguments);
    return kUsageError;
  }
  return std::nullopt;
}

}  // namespace zw
