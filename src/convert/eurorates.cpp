// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/eurorates.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace zw {

namespace {

constexpr std::string_view kCube = "<Cube";
constexpr std::string_view kEnvelopeEnd = "</gesmes:Envelope>";
constexpr std::size_t kMaxValueBytes = 32;

// The value of `name='...'` (or "...") inside one tag; nothing when absent or unclosed.
std::optional<std::string_view> Attribute(std::string_view tag, std::string_view name) {
  for (std::size_t at = tag.find(name); at != std::string_view::npos; at = tag.find(name, at + 1)) {
    const std::size_t equals = at + name.size();
    const bool wholeName = at > 0 && (tag[at - 1] == ' ' || tag[at - 1] == '\t' ||
                                      tag[at - 1] == '\n' || tag[at - 1] == '\r');
    if (!wholeName || equals + 1 >= tag.size() || tag[equals] != '=' ||
        (tag[equals + 1] != '\'' && tag[equals + 1] != '"')) {
      continue;
    }
    const std::size_t end = tag.find(tag[equals + 1], equals + 2);
    if (end == std::string_view::npos || end - (equals + 2) > kMaxValueBytes) {
      return std::nullopt;
    }
    return tag.substr(equals + 2, end - (equals + 2));
  }
  return std::nullopt;
}

bool IsDay(std::string_view text) {
  int year = 0;
  int month = 0;
  int day = 0;
  const auto number = [&](std::size_t at, std::size_t length, int& value) {
    const char* first = text.data() + at;
    const auto [end, error] = std::from_chars(first, first + length, value);
    return error == std::errc() && end == first + length;
  };
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !number(0, 4, year) ||
      !number(5, 2, month) || !number(8, 2, day) || year < 1999 || month < 1 || month > 12) {
    return false;
  }
  constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day >= 1 && day <= (month == 2 && !leap ? 28 : kDays[month - 1]);
}

bool IsCode(std::string_view text) {
  return text.size() == 3 &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

std::optional<double> PositiveRate(std::string_view text) {
  if (text.empty() || !std::all_of(text.begin(), text.end(),
                                   [](char c) { return (c >= '0' && c <= '9') || c == '.'; })) {
    return std::nullopt;
  }
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
      value <= 0) {
    return std::nullopt;
  }
  return value;
}

// Whether the text, less trailing white space, ends the envelope: a cut-off download doesn't.
bool Whole(std::string_view xml) {
  const std::size_t last = xml.find_last_not_of(" \t\r\n");
  return last != std::string_view::npos && xml.substr(0, last + 1).ends_with(kEnvelopeEnd);
}

}  // namespace

std::optional<EuroRates> EuroRates::Parse(std::string_view xml) {
  if (xml.size() > kMaxBytes || !Whole(xml)) {
    return std::nullopt;
  }
  EuroRates rates;
  for (std::size_t at = xml.find(kCube); at != std::string_view::npos;
       at = xml.find(kCube, at + kCube.size())) {
    const std::size_t close = xml.find('>', at);
    if (close == std::string_view::npos) {
      return std::nullopt;
    }
    const std::string_view tag = xml.substr(at, close - at);
    const auto time = Attribute(tag, "time");
    const auto currency = Attribute(tag, "currency");
    const auto rate = Attribute(tag, "rate");
    if (time) {
      if (!rates.date.empty() || !IsDay(*time)) {
        return std::nullopt;
      }
      rates.date = *time;
    }
    if (currency.has_value() != rate.has_value()) {
      return std::nullopt;
    }
    if (!currency) {
      continue;
    }
    const auto value = PositiveRate(*rate);
    if (!IsCode(*currency) || !value || rates.perEuro.size() >= kMaxCurrencies ||
        !rates.perEuro.emplace(std::string(*currency), *value).second) {
      return std::nullopt;
    }
  }
  if (rates.date.empty() || rates.perEuro.empty()) {
    return std::nullopt;
  }
  return rates;
}

}  // namespace zw
