#include "generator/list_directed_reader.hpp"

#include <cctype>
#include <charconv>
#include <cmath>

namespace tessark {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool endsField(char c) { return isBlank(c) || c == ',' || c == '\n' || c == '/'; }

}  // namespace

void ListDirectedReader::beginRead() {
  if (lineStarted_) endRead();
  afterValue_ = false;
  repeatsLeft_ = 0;
}

void ListDirectedReader::endRead() {
  if (lineStarted_) {
    while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
    if (pos_ < text_.size()) ++pos_;
  }
  lineStarted_ = false;
  repeatsLeft_ = 0;
}

std::optional<std::string> ListDirectedReader::nextField(std::string& problem) {
  if (repeatsLeft_ > 0) {
    --repeatsLeft_;
    return repeatedValue_;
  }
  bool commaSeen = false;
  for (;;) {
    if (pos_ >= text_.size()) {
      problem = "the file ends before it";
      return std::nullopt;
    }
    lineStarted_ = true;
    const char c = text_[pos_];
    if (isBlank(c)) {
      ++pos_;
    } else if (c == '\n') {
      ++pos_;
      lineStarted_ = false;
    } else if (c == ',') {
      // One comma after a value separates; any other comma marks an empty value.
      if (commaSeen || !afterValue_) {
        problem = "it is empty (two separators in a row)";
        return std::nullopt;
      }
      commaSeen = true;
      ++pos_;
    } else if (c == '/') {
      problem = "a slash ends the values before it";
      return std::nullopt;
    } else {
      break;
    }
  }
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !endsField(text_[pos_])) ++pos_;
  std::string field(text_.substr(start, pos_ - start));
  afterValue_ = true;
  // r*c stands for r copies of c.
  const std::size_t star = field.find('*');
  if (star != std::string::npos) {
    long count = 0;
    const auto* first = field.data();
    const auto parsed = std::from_chars(first, first + star, count);
    if (star == 0 || parsed.ptr != first + star || parsed.ec != std::errc() || count <= 0) {
      problem = "\"" + field + "\" is not a number";
      return std::nullopt;
    }
    if (star + 1 == field.size()) {
      problem = "it is empty (\"" + field + "\")";
      return std::nullopt;
    }
    repeatedValue_ = field.substr(star + 1);
    repeatsLeft_ = count - 1;
    return repeatedValue_;
  }
  return field;
}

std::optional<std::int32_t> ListDirectedReader::integer(std::string& problem) {
  auto field = nextField(problem);
  if (!field) return std::nullopt;
  auto value = parseIntegerField(*field);
  if (!value) problem = "\"" + *field + "\" is not a whole number";
  return value;
}

std::optional<double> ListDirectedReader::real(std::string& problem) {
  auto field = nextField(problem);
  if (!field) return std::nullopt;
  auto value = parseRealField(*field);
  if (!value) problem = "\"" + *field + "\" is not a number";
  return value;
}

std::optional<std::int32_t> parseIntegerField(std::string_view field) {
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  if (field.empty() || field.front() == '+') return std::nullopt;
  std::int32_t value = 0;
  const auto result = std::from_chars(field.data(), field.data() + field.size(), value);
  if (result.ec != std::errc() || result.ptr != field.data() + field.size()) return std::nullopt;
  return value;
}

std::optional<double> parseRealField(std::string_view field) {
  // Accepted: [sign] digits [. [digits]] or [sign] . digits, then optionally
  // an exponent: E, D or Q (either case) with optional sign and digits, or a
  // sign and digits alone (1.5+3).
  std::string normal;
  std::size_t i = 0;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
    if (field[i] == '-') normal.push_back('-');
    ++i;
  }
  std::size_t mantissaDigits = 0;
  while (i < field.size() && std::isdigit(static_cast<unsigned char>(field[i]))) {
    normal.push_back(field[i++]);
    ++mantissaDigits;
  }
  if (i < field.size() && field[i] == '.') {
    normal.push_back('.');
    ++i;
    while (i < field.size() && std::isdigit(static_cast<unsigned char>(field[i]))) {
      normal.push_back(field[i++]);
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (i < field.size()) {
    const char c = field[i];
    if (c == 'e' || c == 'E' || c == 'd' || c == 'D' || c == 'q' || c == 'Q') ++i;
    else if (c != '+' && c != '-') return std::nullopt;
    normal.push_back('e');
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) normal.push_back(field[i++]);
    std::size_t exponentDigits = 0;
    while (i < field.size() && std::isdigit(static_cast<unsigned char>(field[i]))) {
      normal.push_back(field[i++]);
      ++exponentDigits;
    }
    if (exponentDigits == 0 || i != field.size()) return std::nullopt;
  }
  if (normal.front() == '.' || (normal.size() > 1 && normal[0] == '-' && normal[1] == '.')) {
    normal.insert(normal.front() == '-' ? 1 : 0, "0");
  }
  double value = 0.0;
  const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), value);
  if (result.ptr != normal.data() + normal.size()) return std::nullopt;
  if (result.ec == std::errc::result_out_of_range || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace tessark
