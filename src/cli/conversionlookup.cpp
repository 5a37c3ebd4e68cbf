// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/conversionlookup.h"

#include <optional>

#include "cli/clierror.h"
#include "cli/latin1.h"
#include "cli/namealiases.h"
#include "convert/currencyfile.h"
#include "convert/measurefile.h"

namespace zw {

namespace {

constexpr std::size_t kIsoCodeLength = 3;
constexpr char kUnitSystems[] = {CMeasureFile::kMetricKey, CMeasureFile::kUsKey,
                                 CMeasureFile::kOtherKey};

std::string_view TrimEnd(std::string_view text) {
  const std::size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return CLatin1::Lower(a) == CLatin1::Lower(b);
}

// The indices of `names` equal to `wanted`: exact ones if there are any, else those equal
// but for case.
template <typename Names>
std::vector<std::size_t> Matching(const Names& names, std::string_view wanted) {
  std::vector<std::size_t> exact;
  std::vector<std::size_t> folded;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string_view name = TrimEnd(names[i]);
    if (name == wanted) {
      exact.push_back(i);
    } else if (SameIgnoringCase(name, wanted)) {
      folded.push_back(i);
    }
  }
  return exact.empty() ? folded : exact;
}

std::string AsciiUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return upper;
}

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  quoted.append(text);
  quoted.push_back('"');
  return quoted;
}

[[noreturn]] void NotFound(std::string message) {
  throw CCliError(CCliError::kNotFound, message);
}

}  // namespace

std::string_view CConversionLookup::IsoCode(std::string_view name) {
  const std::size_t open = name.rfind('(');
  if (open == std::string_view::npos || open + kIsoCodeLength + 1 >= name.size() ||
      name[open + kIsoCodeLength + 1] != ')') {
    return {};
  }
  const std::string_view code = name.substr(open + 1, kIsoCodeLength);
  for (const char c : code) {
    if (c < 'A' || c > 'Z') {
      return {};
    }
  }
  return code;
}

std::string_view CConversionLookup::DateIn(std::string_view text) {
  constexpr std::string_view kPattern = "dddd-dd-dd";
  for (std::size_t at = 0; at + kPattern.size() <= text.size(); ++at) {
    bool fits = true;
    for (std::size_t i = 0; i < kPattern.size() && fits; ++i) {
      const char c = text[at + i];
      fits = kPattern[i] == '-' ? c == '-' : c >= '0' && c <= '9';
    }
    if (fits) {
      return text.substr(at, kPattern.size());
    }
  }
  return {};
}

std::vector<std::size_t> CConversionLookup::Currencies(std::string_view name) const {
  const auto& records = m_currencies.Records();
  std::vector<std::string> names;
  std::vector<std::string> codes;
  for (const CurrencyRecord& record : records) {
    names.push_back(record.name);
    codes.emplace_back(IsoCode(record.name));
  }
  std::vector<std::size_t> found = Matching(names, name);
  if (found.empty() && name.size() == kIsoCodeLength) {
    found = Matching(codes, name);
  }
  const std::string_view coded = CNameAliases::CurrencyName(AsciiUpper(name));
  if (found.empty() && !coded.empty()) {
    found = Matching(names, coded);
  }
  return found;
}

std::vector<CConversionLookup::Unit> CConversionLookup::AllUnits() const {
  std::vector<Unit> units;
  const std::vector<MeasureCategory> categories = m_measures.Categories();
  for (std::size_t position = 0; position < categories.size(); ++position) {
    for (const char system : kUnitSystems) {
      for (const MeasureUnit& unit : m_measures.Units(categories[position].code, system)) {
        units.push_back({position, unit.line, unit.name});
      }
    }
  }
  return units;
}

std::vector<CConversionLookup::Unit> CConversionLookup::Units(std::string_view name) const {
  const std::vector<Unit> all = AllUnits();
  std::vector<std::string> names;
  for (const Unit& unit : all) {
    names.push_back(unit.name);
  }
  std::vector<std::size_t> matching = Matching(names, name);
  const std::string_view symbolised = CNameAliases::UnitName(name);
  if (matching.empty() && !symbolised.empty()) {
    matching = Matching(names, symbolised);
  }
  std::vector<Unit> found;
  for (const std::size_t index : matching) {
    found.push_back(all[index]);
  }
  return found;
}

bool CConversionLookup::ResolveCurrencies(std::string_view from, std::string_view to,
                                          Plan& plan) const {
  const std::vector<std::size_t> source = Currencies(from);
  const std::vector<std::size_t> target = Currencies(to);
  if (source.size() != 1 || target.size() != 1) {
    return false;
  }
  const CurrencyRecord& a = m_currencies.Records()[source.front()];
  const CurrencyRecord& b = m_currencies.Records()[target.front()];
  plan.currency = true;
  plan.category = kCurrencyCategory;
  plan.from = a.name;
  plan.to = b.name;
  plan.sourceRate = a.rate;
  plan.targetRate = b.rate;
  if (const std::optional<std::string>& description = m_currencies.Description()) {
    plan.ratesDate = DateIn(*description);
  }
  return true;
}

bool CConversionLookup::ResolveUnits(std::string_view from, std::string_view to, Plan& plan) const {
  std::vector<std::pair<Unit, Unit>> pairs;
  for (const Unit& source : Units(from)) {
    for (const Unit& target : Units(to)) {
      if (source.category == target.category) {
        pairs.emplace_back(source, target);
      }
    }
  }
  if (pairs.size() > 1) {
    NotFound(Quoted(from)
                 .append(" and ")
                 .append(Quoted(to))
                 .append(" name units of more than one category"));
  }
  if (pairs.empty()) {
    return false;
  }
  const auto& [source, target] = pairs.front();
  plan.currency = false;
  plan.category = m_measures.Categories()[source.category].name;
  plan.from = source.name;
  plan.to = target.name;
  plan.terms = m_measures.Terms(source.category, source.line, target.line);
  plan.allowsNegative = source.category == CMeasureFile::kSignedCategory;
  return true;
}

CConversionLookup::Plan CConversionLookup::Resolve(std::string_view from,
                                                   std::string_view to) const {
  Plan plan;
  if (ResolveCurrencies(from, to, plan) || ResolveUnits(from, to, plan)) {
    return plan;
  }
  for (const std::string_view name : {from, to}) {
    const std::size_t currencies = Currencies(name).size();
    if (currencies == 0 && Units(name).empty()) {
      NotFound(std::string("no currency or unit is named ").append(Quoted(name)));
    }
    if (currencies > 1) {
      NotFound(Quoted(name).append(" names more than one currency"));
    }
  }
  NotFound(Quoted(from).append(" cannot be converted to ").append(Quoted(to)));
}

}  // namespace zw
