#include "support/json_reader.h"

#include <cstdlib>
#include <stdexcept>

namespace tavrimen::testing {
namespace {

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  Json Document() {
    Json json = Value();
    Blanks();
    if (at_ != text_.size()) Fail("text after the value");
    return json;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error("JSON: " + what + " at " + std::to_string(at_));
  }
  void Blanks() {
    while (at_ < text_.size() && std::string_view(" \t\r\n").find(text_[at_]) != text_.npos) ++at_;
  }
  bool Take(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }
  void Expect(char c) {
    Blanks();
    if (at_ >= text_.size() || text_[at_] != c) Fail(std::string("expected ") + c);
    ++at_;
  }

  Json Value() {
    Blanks();
    if (at_ >= text_.size()) Fail("end of text");
    const char c = text_[at_];
    if (c == '{') return Object();
    if (c == '[') return Array();
    if (c == '"') return Json{String()};
    if (Take("null")) return Json{nullptr};
    if (Take("true")) return Json{true};
    if (Take("false")) return Json{false};
    return Json{Number()};
  }
  Json Object() {
    auto object = std::make_shared<Json::Object>();
    Expect('{');
    Blanks();
    if (Take("}")) return Json{object};
    do {
      Blanks();
      std::string key = String();
      Expect(':');
      (*object)[key] = Value();
      Blanks();
    } while (Take(","));
    Expect('}');
    return Json{object};
  }
  Json Array() {
    auto array = std::make_shared<Json::Array>();
    Expect('[');
    Blanks();
    if (Take("]")) return Json{array};
    do {
      array->push_back(Value());
      Blanks();
    } while (Take(","));
    Expect(']');
    return Json{array};
  }
  std::string String() {
    Expect('"');
    std::string out;
    while (at_ < text_.size() && text_[at_] != '"') {
      const char c = text_[at_++];
      if (static_cast<unsigned char>(c) < 0x20) Fail("control character in a string");
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= text_.size()) Fail("end of text in an escape");
      const char e = text_[at_++];
      const std::string_view simple = "\"\\/bfnrt", meaning = "\"\\/\b\f\n\r\t";
      if (const std::size_t k = simple.find(e); k != simple.npos) {
        out += meaning[k];
      } else if (e == 'u' && at_ + 4 <= text_.size()) {
        const unsigned long code =
            std::strtoul(std::string(text_.substr(at_, 4)).c_str(), nullptr, 16);
        at_ += 4;
        if (code >= 0x80) Fail("only ASCII \\u escapes are read");
        out += static_cast<char>(code);
      } else {
        Fail("bad escape");
      }
    }
    Expect('"');
    return out;
  }
  double Number() {
    const std::string rest(text_.substr(at_));
    char* end = nullptr;
    const double number = std::strtod(rest.c_str(), &end);
    if (end == rest.c_str()) Fail("not a value");
    at_ += static_cast<std::size_t>(end - rest.c_str());
    return number;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

Json ParseJson(std::string_view text) { return Reader(text).Document(); }

}  // namespace tavrimen::testing
