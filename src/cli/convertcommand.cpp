#include "cli/convertcommand.h"

#include <optional>

#include "cli/clierror.h"
#include "cli/jsonwriter.h"
#include "cli/latin1.h"
#include "convert/formatgrouped.h"
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
    }
    writer.EndObject();
    out << writer.Text() << '\n';
    return;
  }
  std::string line = source;
  line.append(" ").append(plan.from).append(" = ").append(target).append(" ").append(plan.to);
  if (plan.currency) {
    line.append(" (rates of ")
        .append(plan.ratesDate.empty() ? kUnknownDate : plan.ratesDate)
        .append(")");
  }
  out << CLatin1::ToUtf8(line) << '\n';
}

}  // namespace zw
