// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zw {

// Builds one compact JSON document. Every text handed in is Latin-1, as the data files hold
// it; the document comes out as UTF-8 with the characters JSON requires escaped.
class CJsonWriter {
 public:
  CJsonWriter& BeginObject();
  CJsonWriter& EndObject();
  CJsonWriter& BeginArray();
  CJsonWriter& EndArray();
  // Inside an object every value is preceded by its key.
  CJsonWriter& Key(std::string_view key);
  CJsonWriter& String(std::string_view latin1);
  CJsonWriter& Number(std::int64_t value);
  // The shortest text that reads back as `value`; null for what JSON cannot hold.
  CJsonWriter& Real(double value);
  CJsonWriter& Bool(bool value);
  CJsonWriter& Null();

  // Member shorthands: Key(key) then the value. Distinct names, because a string literal
  // would otherwise pick the bool overload.
  CJsonWriter& StringField(std::string_view key, std::string_view latin1);
  CJsonWriter& NumberField(std::string_view key, std::int64_t value);
  CJsonWriter& RealField(std::string_view key, double value);
  CJsonWriter& BoolField(std::string_view key, bool value);

  const std::string& Text() const { return m_text; }
  // The text written since the last call, handed over so a long document can be written out
  // as it grows; what follows still continues the same document.
  std::string Take() { return std::exchange(m_text, {}); }

  static std::string Quote(std::string_view latin1);

 private:
  // Writes the comma that separates this value from the one before it at the same level.
  void BeforeValue();
  CJsonWriter& Open(char bracket);
  CJsonWriter& Close(char bracket);

  std::string m_text;
  // Per open level: whether it holds a value yet.
  std::vector<bool> m_filled;
  bool m_afterKey = false;
};

}  // namespace zw
