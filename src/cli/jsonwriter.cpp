// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/jsonwriter.h"

#include <array>
#include <charconv>
#include <cmath>
#include <iterator>

#include "cli/latin1.h"

namespace zw {

namespace {

constexpr unsigned char kFirstPrintable = 0x20;

void AppendControl(std::string& out, unsigned char c) {
  switch (c) {
    case '\b':
      out.append("\\b");
      return;
    case '\f':
      out.append("\\f");
      return;
    case '\n':
      out.append("\\n");
      return;
    case '\r':
      out.append("\\r");
      return;
    case '\t':
      out.append("\\t");
      return;
    default:
      break;
  }
  constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                         '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
  out.append("\\u00");
  out.push_back(kHex[c >> 4]);
  out.push_back(kHex[c & 0x0F]);
}

}  // namespace

std::string CJsonWriter::Quote(std::string_view latin1) {
  const std::string utf8 = CLatin1::ToUtf8(latin1);
  std::string out;
  out.reserve(utf8.size() + 2);
  out.push_back('"');
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(c);
    } else if (byte < kFirstPrintable) {
      AppendControl(out, byte);
    } else {
      out.push_back(c);
    }
  }
  out.push_back('"');
  return out;
}

void CJsonWriter::BeforeValue() {
  if (m_afterKey) {
    m_afterKey = false;
    return;
  }
  if (m_filled.empty()) {
    return;
  }
  if (m_filled.back()) {
    m_text.push_back(',');
  }
  m_filled.back() = true;
}

CJsonWriter& CJsonWriter::Open(char bracket) {
  BeforeValue();
  m_text.push_back(bracket);
  m_filled.push_back(false);
  return *this;
}

CJsonWriter& CJsonWriter::Close(char bracket) {
  m_text.push_back(bracket);
  if (!m_filled.empty()) {
    m_filled.pop_back();
  }
  return *this;
}

CJsonWriter& CJsonWriter::BeginObject() {
  return Open('{');
}

CJsonWriter& CJsonWriter::EndObject() {
  return Close('}');
}

CJsonWriter& CJsonWriter::BeginArray() {
  return Open('[');
}

CJsonWriter& CJsonWriter::EndArray() {
  return Close(']');
}

CJsonWriter& CJsonWriter::Key(std::string_view key) {
  BeforeValue();
  m_text.append(Quote(key));
  m_text.push_back(':');
  m_afterKey = true;
  return *this;
}

CJsonWriter& CJsonWriter::String(std::string_view latin1) {
  BeforeValue();
  m_text.append(Quote(latin1));
  return *this;
}

CJsonWriter& CJsonWriter::Number(std::int64_t value) {
  BeforeValue();
  m_text.append(std::to_string(value));
  return *this;
}

CJsonWriter& CJsonWriter::Real(double value) {
  if (!std::isfinite(value)) {
    return Null();
  }
  BeforeValue();
  char digits[32];
  const std::to_chars_result written = std::to_chars(std::begin(digits), std::end(digits), value);
  m_text.append(digits, written.ptr);
  return *this;
}

CJsonWriter& CJsonWriter::Bool(bool value) {
  BeforeValue();
  m_text.append(value ? "true" : "false");
  return *this;
}

CJsonWriter& CJsonWriter::Null() {
  BeforeValue();
  m_text.append("null");
  return *this;
}

CJsonWriter& CJsonWriter::StringField(std::string_view key, std::string_view latin1) {
  return Key(key).String(latin1);
}

CJsonWriter& CJsonWriter::NumberField(std::string_view key, std::int64_t value) {
  return Key(key).Number(value);
}

CJsonWriter& CJsonWriter::RealField(std::string_view key, double value) {
  return Key(key).Real(value);
}

CJsonWriter& CJsonWriter::BoolField(std::string_view key, bool value) {
  return Key(key).Bool(value);
}

}  // namespace zw
