// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zw::test {

// A JSON value read back from zw's output.
struct JsonValue {
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };

  Kind kind = Kind::kNull;
  bool boolean = false;
  double number = 0;
  std::string text;  // UTF-8
  std::vector<JsonValue> items;
  std::vector<std::pair<std::string, JsonValue>> members;

  const JsonValue& operator[](std::string_view key) const {
    for (const auto& [name, value] : members) {
      if (name == key) {
        return value;
      }
    }
    throw std::out_of_range("no member " + std::string(key));
  }
  const JsonValue& operator[](std::size_t index) const { return items.at(index); }
  bool Has(std::string_view key) const {
    for (const auto& member : members) {
      if (member.first == key) {
        return true;
      }
    }
    return false;
  }
};

// A strict reader of one document: anything JSON does not allow, trailing text included,
// gives nothing, so the tests also check that zw writes valid JSON.
class JsonReader {
 public:
  static std::optional<JsonValue> Parse(std::string_view text) {
    JsonReader reader(text);
    std::optional<JsonValue> value = reader.Value();
    reader.SkipBlanks();
    if (!value || reader.m_at != text.size()) {
      return std::nullopt;
    }
    return value;
  }

 private:
  explicit JsonReader(std::string_view text) : m_text(text) {}

  void SkipBlanks() {
    while (m_at < m_text.size() && (m_text[m_at] == ' ' || m_text[m_at] == '\n' ||
                                    m_text[m_at] == '\r' || m_text[m_at] == '\t')) {
      ++m_at;
    }
  }
  bool Take(char c) {
    SkipBlanks();
    if (m_at < m_text.size() && m_text[m_at] == c) {
      ++m_at;
      return true;
    }
    return false;
  }
  bool TakeWord(std::string_view word) {
    if (m_text.substr(m_at, word.size()) != word) {
      return false;
    }
    m_at += word.size();
    return true;
  }

  std::optional<JsonValue> Value() {
    SkipBlanks();
    if (m_at >= m_text.size()) {
      return std::nullopt;
    }
    JsonValue value;
    const char c = m_text[m_at];
    if (c == '{') {
      return Object();
    }
    if (c == '[') {
      return Array();
    }
    if (c == '"') {
      value.kind = JsonValue::Kind::kString;
      return String(value.text) ? std::optional(value) : std::nullopt;
    }
    if (TakeWord("true") || TakeWord("false")) {
      value.kind = JsonValue::Kind::kBool;
      value.boolean = c == 't';
      return value;
    }
    if (TakeWord("null")) {
      return value;
    }
    return Number();
  }

  std::optional<JsonValue> Number() {
    const std::size_t start = m_at;
    if (m_at < m_text.size() && m_text[m_at] == '-') {
      ++m_at;
    }
    const std::size_t digits = m_at;
    while (m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9') {
      ++m_at;
    }
    if (m_at == digits) {
      return std::nullopt;
    }
    while (m_at < m_text.size() &&
           std::string_view("0123456789.eE+-").find(m_text[m_at]) != std::string_view::npos) {
      ++m_at;
    }
    JsonValue value;
    value.kind = JsonValue::Kind::kNumber;
    value.number = std::stod(std::string(m_text.substr(start, m_at - start)));
    return value;
  }

  static void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
      out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (code >> 6)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (code >> 12)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }

  bool Escape(std::string& out) {
    if (m_at >= m_text.size()) {
      return false;
    }
    const char c = m_text[m_at++];
    const std::string_view simple = "\"\\/bfnrt";
    const std::string_view meant = "\"\\/\b\f\n\r\t";
    if (const std::size_t i = simple.find(c); i != std::string_view::npos) {
      out.push_back(meant[i]);
      return true;
    }
    if (c != 'u' || m_at + 4 > m_text.size()) {
      return false;
    }
    const std::string hex(m_text.substr(m_at, 4));
    m_at += 4;
    AppendUtf8(out, static_cast<unsigned>(std::stoul(hex, nullptr, 16)));
    return true;
  }

  bool String(std::string& out) {
    ++m_at;  // the opening quote
    while (m_at < m_text.size()) {
      const char c = m_text[m_at++];
      if (c == '"') {
        return true;
      }
      if (static_cast<unsigned char>(c) < 0x20) {
        return false;
      }
      if (c != '\\') {
        out.push_back(c);
      } else if (!Escape(out)) {
        return false;
      }
    }
    return false;
  }

  std::optional<JsonValue> Array() {
    ++m_at;
    JsonValue value;
    value.kind = JsonValue::Kind::kArray;
    if (Take(']')) {
      return value;
    }
    do {
      std::optional<JsonValue> item = Value();
      if (!item) {
        return std::nullopt;
      }
      value.items.push_back(std::move(*item));
    } while (Take(','));
    return Take(']') ? std::optional(value) : std::nullopt;
  }

  std::optional<JsonValue> Object() {
    ++m_at;
    JsonValue value;
    value.kind = JsonValue::Kind::kObject;
    if (Take('}')) {
      return value;
    }
    do {
      SkipBlanks();
      std::string key;
      if (m_at >= m_text.size() || m_text[m_at] != '"' || !String(key) || !Take(':')) {
        return std::nullopt;
      }
      std::optional<JsonValue> member = Value();
      if (!member) {
        return std::nullopt;
      }
      value.members.emplace_back(std::move(key), std::move(*member));
    } while (Take(','));
    return Take('}') ? std::optional(value) : std::nullopt;
  }

  std::string_view m_text;
  std::size_t m_at = 0;
};

}  // namespace zw::test
