// Test support: a small JSON reader, so that tests read the programs' JSON rather than compare its
// text. Throws std::runtime_error on anything that is not strict JSON.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tavrimen::testing {

struct Json {
  using Array = std::vector<Json>;
  using Object = std::map<std::string, Json>;
  std::variant<std::nullptr_t, bool, double, std::string, std::shared_ptr<Array>,
               std::shared_ptr<Object>>
      value;

  bool is_null() const { return std::holds_alternative<std::nullptr_t>(value); }
  const std::string& text() const { return std::get<std::string>(value); }
  double number() const { return std::get<double>(value); }
  const Array& array() const { return *std::get<std::shared_ptr<Array>>(value); }
  const Object& object() const { return *std::get<std::shared_ptr<Object>>(value); }
  const Json& operator[](const std::string& key) const { return object().at(key); }
};

// The whole of `text` as one JSON value.
Json ParseJson(std::string_view text);

}  // namespace tavrimen::testing
