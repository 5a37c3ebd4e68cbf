// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commandline.h"

#include <algorithm>
#include <charconv>

#include "cli/clierror.h"
#include "cli/latin1.h"
#include "cli/whentext.h"

namespace zw {

namespace {

using Command = Invocation::Command;

constexpr std::string_view kUsage =
    "usage: zw [OPTION...] now [--changes] [LOCATION...]\n"
    "       zw [OPTION...] at WHEN (--gmt | --in LOCATION) [LOCATION...]\n"
    "       zw [OPTION...] compare A B [--at WHEN (--in A|B | --gmt)]\n"
    "       zw [OPTION...] find TEXT\n"
    "       zw [OPTION...] events [--days N] [--basis LOCATION | --gmt] [--from DATE]\n"
    "       zw [OPTION...] events --list | --ics | --missed\n"
    "       zw [OPTION...] convert AMOUNT FROM TO\n"
    "       zw [OPTION...] changes [--days N] [LOCATION...]\n"
    "       zw [OPTION...] plan DATE [LOCATION...]\n"
    "       zw --help | --version\n";

constexpr std::string_view kHelp =
    "World times, time comparisons, coming events and conversions from the Zonewright data.\n"
    "\n"
    "Commands:\n"
    "  now [LOCATION...]         the current time at each location (default: the clock's)\n"
    "  at WHEN ...               the same at a moment read as GMT or as a location's time\n"
    "  compare A B               both times and how far apart the clocks are\n"
    "  find TEXT                 locations whose name or country contains TEXT\n"
    "  events                    coming occurrences of the stored events\n"
    "  convert AMOUNT FROM TO    currencies, or units of one kind of measure\n"
    "  changes [LOCATION...]     the coming changes of each location's offset\n"
    "  plan DATE [LOCATION...]   the hours of DATE at up to 10 locations, and those in\n"
    "                            everyone's working hours (09:00 to 17:00)\n"
    "\n"
    "A LOCATION is NAME or NAME,COUNTRY, or a tz database zone such as Europe/Paris or UTC.\n"
    "WHEN is YYYY-MM-DD HH:MM[:SS], DATE is YYYY-MM-DD.\n"
    "\n"
    "Options:\n"
    "  --json                  print the results as JSON\n"
    "  --data-dir DIR          read the data files in DIR\n"
    "  --24h, --12h            the clock to show times in\n"
    "  --date-order ORDER      mdy, ymd or dmy\n"
    "  --seconds, --no-seconds whether times show seconds\n"
    "  --gmt                   WHEN (or the events' time basis) is GMT\n"
    "  --in LOCATION           WHEN is the wall-clock time of LOCATION\n"
    "  --at WHEN               compare at WHEN instead of now\n"
    "  --days N                events: list N days after the first one (0 to 999);\n"
    "                          changes: list every change within N days, not only the next\n"
    "  --changes               now: each location's next change of offset as well\n"
    "  --basis LOCATION        events: show the times at LOCATION\n"
    "  --from DATE             events: start on DATE instead of today\n"
    "  --list                  events: each event, how it repeats and when it comes next\n"
    "  --ics                   events: every event as an iCalendar file\n"
    "  --missed                events: the occurrences that passed while nobody watched,\n"
    "                          with what becomes of each\n"
    "  --help, --version\n"
    "\n"
    "Exit status: 0 done, 1 a data file could not be used, 2 usage error, 3 a location,\n"
    "currency or unit was not found or was ambiguous.\n";

constexpr std::string_view kVersion = "zw (Zonewright) 2.0\n";

struct CommandName {
  std::string_view word;
  Command command;
};
constexpr CommandName kCommands[] = {
    {"now", Command::kNow},         {"at", Command::kAt},         {"compare", Command::kCompare},
    {"find", Command::kFind},       {"events", Command::kEvents}, {"convert", Command::kConvert},
    {"changes", Command::kChanges}, {"plan", Command::kPlan},
};

// Options that make sense only with some commands.
struct Scoped {
  std::string_view option;
  std::initializer_list<Command> commands;
};
const Scoped kScopedOptions[] = {
    {"--gmt", {Command::kAt, Command::kCompare, Command::kEvents}},
    {"--in", {Command::kAt, Command::kCompare}},
    {"--at", {Command::kCompare}},
    {"--days", {Command::kEvents, Command::kChanges}},
    {"--changes", {Command::kNow}},
    {"--basis", {Command::kEvents}},
    {"--from", {Command::kEvents}},
    {"--list", {Command::kEvents}},
    {"--ics", {Command::kEvents}},
    {"--missed", {Command::kEvents}},
};

constexpr std::string_view kValueOptions[] = {"--data-dir", "--date-order", "--in",  "--at",
                                              "--days",     "--basis",      "--from"};

[[noreturn]] void Fail(std::string_view first, std::string_view second = {},
                       std::string_view third = {}) {
  // Words come in as typed, UTF-8; messages are held in the data's Latin-1 like all others.
  std::string message(first);
  message.append(second).append(third);
  throw CCliError(CCliError::kUsage, CLatin1::FromUtf8(message));
}

bool TakesValue(std::string_view name) {
  return std::find(std::begin(kValueOptions), std::end(kValueOptions), name) !=
         std::end(kValueOptions);
}

// A word that starts with "-" and is not a number is meant as an option.
bool LooksLikeOption(std::string_view word) {
  if (word.size() < 2 || word[0] != '-') {
    return false;
  }
  const char c = word[1];
  return !((c >= '0' && c <= '9') || c == '.' || c == ',');
}

int DateOrderOf(std::string_view text) {
  if (text == "mdy") {
    return CDateTime::kMonthDayYear;
  }
  if (text == "ymd") {
    return CDateTime::kYearMonthDay;
  }
  if (text == "dmy") {
    return CDateTime::kDayMonthYear;
  }
  Fail("--date-order takes mdy, ymd or dmy, not \"", text, "\"");
}

int DaysOf(std::string_view text) {
  int days = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), days);
  if (error != std::errc() || end != text.data() + text.size() || days < 0 ||
      days > CCommandLine::kMaxDays) {
    Fail("--days takes a whole number from 0 to 999, not \"", text, "\"");
  }
  return days;
}

CDateTime MomentOf(std::string_view text) {
  const std::optional<CDateTime> moment = CWhenText::ParseMoment(text);
  if (!moment) {
    Fail("\"", text, "\" is no moment of the form YYYY-MM-DD HH:MM[:SS] in 1970..2099");
  }
  return *moment;
}

}  // namespace

DisplayOptions Invocation::Apply(DisplayOptions options) const {
  options.hour24 = hour24.value_or(options.hour24);
  options.dateOrder = dateOrder.value_or(options.dateOrder);
  options.showSeconds = showSeconds.value_or(options.showSeconds);
  return options;
}

std::string_view CCommandLine::Usage() {
  return kUsage;
}

std::string_view CCommandLine::Help() {
  return kHelp;
}

std::string_view CCommandLine::Version() {
  return kVersion;
}

Invocation CCommandLine::Parse(const std::vector<std::string>& words) {
  Invocation invocation;
  CCommandLine parser(invocation);
  parser.Read(words);
  if (invocation.help || invocation.version) {
    return invocation;
  }
  parser.Check();
  return invocation;
}

void CCommandLine::Read(const std::vector<std::string>& words) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (!optionsEnded && word == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && LooksLikeOption(word)) {
      i += Option(word, i + 1 < words.size() ? &words[i + 1] : nullptr);
    } else {
      Positional(word);
    }
  }
}

std::size_t CCommandLine::Option(std::string_view word, const std::string* next) {
  const std::size_t equals = word.find('=');
  const std::string_view name = word.substr(0, equals);
  if (TakesValue(name)) {
    m_seen.emplace_back(name);
    if (equals != std::string_view::npos) {
      ValueOption(name, std::string(word.substr(equals + 1)));
      return 0;
    }
    if (next == nullptr) {
      Fail("option ", name, " needs a value");
    }
    ValueOption(name, *next);
    return 1;
  }
  if (equals != std::string_view::npos) {
    Fail("option ", name, " takes no value");
  }
  m_seen.emplace_back(name);
  Flag(name);
  return 0;
}

void CCommandLine::Flag(std::string_view name) {
  Invocation& inv = m_invocation;
  if (name == "--help" || name == "-h") {
    inv.help = true;
  } else if (name == "--version") {
    inv.version = true;
  } else if (name == "--json") {
    inv.json = true;
  } else if (name == "--24h" || name == "--12h") {
    inv.hour24 = name == "--24h";
  } else if (name == "--seconds" || name == "--no-seconds") {
    inv.showSeconds = name == "--seconds";
  } else if (name == "--gmt") {
    inv.gmt = true;
  } else if (name == "--list") {
    inv.list = true;
  } else if (name == "--ics") {
    inv.ics = true;
  } else if (name == "--missed") {
    inv.missed = true;
  } else if (name == "--changes") {
    inv.changes = true;
  } else {
    Fail("unknown option ", name);
  }
}

void CCommandLine::ValueOption(std::string_view name, const std::string& value) {
  Invocation& inv = m_invocation;
  if (name == "--data-dir") {
    inv.dataDir = value;
  } else if (name == "--date-order") {
    inv.dateOrder = DateOrderOf(value);
  } else if (name == "--in") {
    inv.in = CLatin1::FromUtf8(value);
  } else if (name == "--at") {
    inv.when = MomentOf(value);
  } else if (name == "--days") {
    inv.days = DaysOf(value);
  } else if (name == "--basis") {
    inv.basis = CLatin1::FromUtf8(value);
  } else {
    inv.from = CWhenText::ParseDate(value);
    if (!inv.from) {
      Fail("\"", value, "\" is no date of the form YYYY-MM-DD in 1970..2099");
    }
  }
}

void CCommandLine::Positional(const std::string& word) {
  if (!m_commandWord.empty()) {
    m_invocation.arguments.push_back(CLatin1::FromUtf8(word));
    return;
  }
  m_commandWord = word;
  for (const CommandName& known : kCommands) {
    if (word == known.word) {
      m_invocation.command = known.command;
      return;
    }
  }
  Fail("unknown command \"", word, "\"");
}

void CCommandLine::Check() {
  if (m_invocation.command == Command::kNone) {
    Fail("no command given");
  }
  CheckOptionsApply();
  switch (m_invocation.command) {
    case Command::kAt:
      CheckAt();
      return;
    case Command::kCompare:
      CheckCompare();
      return;
    case Command::kFind:
      CheckCount(1, 1);
      return;
    case Command::kEvents:
      CheckCount(0, 0);
      if (m_invocation.gmt && m_invocation.basis) {
        Fail("give either --basis or --gmt, not both");
      }
      if (int{m_invocation.list} + int{m_invocation.ics} + int{m_invocation.missed} > 1) {
        Fail("give only one of --list, --ics and --missed");
      }
      return;
    case Command::kConvert:
      CheckCount(3, 3);
      return;
    case Command::kPlan:
      CheckPlan();
      return;
    default:
      return;
  }
}

void CCommandLine::CheckOptionsApply() const {
  for (const std::string& seen : m_seen) {
    for (const Scoped& scoped : kScopedOptions) {
      if (seen != scoped.option) {
        continue;
      }
      const auto& allowed = scoped.commands;
      if (std::find(allowed.begin(), allowed.end(), m_invocation.command) == allowed.end()) {
        Fail("option ", seen, std::string(" does not go with \"").append(m_commandWord) + "\"");
      }
    }
  }
}

void CCommandLine::CheckCount(std::size_t least, std::size_t most) const {
  const std::size_t count = m_invocation.arguments.size();
  if (count < least) {
    Fail("\"", m_commandWord, "\" needs more arguments");
  }
  if (count > most) {
    Fail("\"", m_commandWord, "\" got too many arguments");
  }
}

void CCommandLine::CheckAt() {
  Invocation& inv = m_invocation;
  if (inv.arguments.empty()) {
    Fail("\"at\" needs a moment WHEN");
  }
  inv.when = MomentOf(inv.arguments.front());
  inv.arguments.erase(inv.arguments.begin());
  if (inv.gmt == inv.in.has_value()) {
    Fail("\"at\" needs exactly one of --gmt and --in LOCATION");
  }
}

void CCommandLine::CheckCompare() const {
  const Invocation& inv = m_invocation;
  CheckCount(2, 2);
  if (!inv.when) {
    if (inv.gmt || inv.in) {
      Fail("--gmt and --in go with --at WHEN");
    }
    return;
  }
  if (inv.gmt == inv.in.has_value()) {
    Fail("--at needs exactly one of --in A|B and --gmt");
  }
}

void CCommandLine::CheckPlan() {
  Invocation& inv = m_invocation;
  CheckCount(1, 11);
  inv.from = CWhenText::ParseDate(inv.arguments.front());
  if (!inv.from) {
    Fail("\"", inv.arguments.front(), "\" is no date of the form YYYY-MM-DD in 1970..2099");
  }
  inv.arguments.erase(inv.arguments.begin());
}

}  // namespace zw
