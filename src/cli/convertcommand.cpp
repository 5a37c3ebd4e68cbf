// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/convertcommand.h"

#include <algorithm>
#include <optional>

#include "cli/clierror.h"
#include "cli/jsonwriter.h"
#include "cli/latin1.h"
#include "convert/formatgrouped.h"
#include "convert/ratedates.h"
#include "platform/messagesink.h"

namespace zw {

namespace {

// A rate file whose description names no date.
constexpr std::string_view kUnknownDate = "an unknown date";

// Keeps the converter's objection so that it becomes the one error line of the run.
class Objection final : public IMessageSink {
 public:
  void Warn(const std::string& text) override { m_text = text; }
  void Inform(const std::string& text) override { m_text = text; }
  bool AskYesNo(const std::string& text) override {
    m_text = text;
    return false;
  }
  const std::string& Text() const { return m_text; }

 private:
  std::string m_text;
};

std::optional<CConverter::Texts> Convert(const CConversionLookup::Plan& plan,
                                         std::string_view amount, IMessageSink& messages) {
  if (plan.currency) {
    return CConverter::Currency(amount, plan.sourceRate, plan.targetRate, messages);
  }
  return CConverter::Measure(amount, plan.terms, messages);
}

}  // namespace

bool CConvertCommand::IsAmount(std::string_view text, bool allowsNegative) {
  if (allowsNegative && !text.empty() && text.front() == '-') {
    text.remove_prefix(1);
  }
  bool digits = false;
  bool period = false;
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      digits = true;
    } else if (c == '.' && !period) {
      period = true;
    } else if (c != ',' || period) {
      return false;
    }
  }
  return digits;
}

void CConvertCommand::DateEachRate(CConversionLookup::Plan& plan, const CRateDates& dates) {
  if (!plan.currency) {
    return;
  }
  const auto own = [&](const std::string& name) {
    const std::string date = dates.DateOf(name);
    return date.empty() ? plan.ratesDate : date;
  };
  plan.fromRatesDate = own(plan.from);
  plan.toRatesDate = own(plan.to);
  // An unknown day counts as the oldest: "YYYY-MM-DD" compares by date.
  plan.ratesDate = std::min(plan.fromRatesDate, plan.toRatesDate);
}

void CConvertCommand::Write(const CConversionLookup::Plan& plan, std::string_view amount, bool json,
                            std::ostream& out) {
  if (!IsAmount(amount, plan.allowsNegative)) {
    std::string message = "\"";
    message.append(amount).append("\" is no amount of ").append(plan.category);
    throw CCliError(CCliError::kUsage, message);
  }
  Objection objection;
  const std::optional<CConverter::Texts> texts = Convert(plan, amount, objection);
  if (!texts && !objection.Text().empty()) {
    throw CCliError(CCliError::kFailure, objection.Text());
  }
  if (!texts) {
    throw CCliError(CCliError::kUsage, "an amount of zero converts to nothing");
  }
  // The dialogs drop leading zeros from what was typed, which leaves nothing of a zero.
  const std::string source = texts->source.empty() ? "0" : FormatGrouped(texts->source, {});
  const std::string target = FormatGrouped(texts->target, {});
  if (json) {
    CJsonWriter writer;
    writer.BeginObject()
        .StringField("category", plan.category)
        .StringField("amount", source)
        .RealField("amount_value", CConverter::ReadNumber(texts->source))
        .StringField("from", plan.from)
        .StringField("result", target)
        .RealField("result_value", CConverter::ReadNumber(texts->target))
        .StringField("to", plan.to);
    if (plan.currency) {
      writer.Key("rates_date");
      plan.ratesDate.empty() ? writer.Null() : writer.String(plan.ratesDate);
      if (plan.fromRatesDate != plan.toRatesDate) {
        writer.Key("from_rates_date");
        plan.fromRatesDate.empty() ? writer.Null() : writer.String(plan.fromRatesDate);
        writer.Key("to_rates_date");
        plan.toRatesDate.empty() ? writer.Null() : writer.String(plan.toRatesDate);
      }
    }
    writer.EndObject();
    out << writer.Text() << '\n';
    return;
  }
  std::string line = source;
  line.append(" ").append(plan.from).append(" = ").append(target).append(" ").append(plan.to);
  if (plan.currency) {
    const auto day = [](const std::string& date) {
      return date.empty() ? std::string(kUnknownDate) : date;
    };
    line.append(" (rates of ");
    if (plan.fromRatesDate != plan.toRatesDate) {
      line.append(day(plan.fromRatesDate)).append(" and ").append(day(plan.toRatesDate));
    } else {
      line.append(day(plan.ratesDate));
    }
    line.append(")");
  }
  out << CLatin1::ToUtf8(line) << '\n';
}

}  // namespace zw
