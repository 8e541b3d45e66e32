#include "preview/log_facts.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "platform/cp932.h"

namespace tavrimen::preview {
namespace {

// Depths closer than this count as the same.
constexpr double kSameDepth = 0.005;

// The texts of an item that hold a value, decoded and joined by blanks.
std::string Texts(std::initializer_list<std::string_view> texts) {
  std::string joined;
  for (const std::string_view text : texts) {
    if (text.empty() || text == record::kNoText || text == record::kNoNumber ||
        text == record::kNoDepth) {
      continue;
    }
    if (!joined.empty()) joined += ' ';
    joined += cp932::ToUtf8(text);
  }
  return joined;
}

class Vetting {
 public:
  Vetting(const BoringLog& log, LogFacts& facts) : log_(log), facts_(facts) {}

  void Run() {
    Layers();
    Depth();
    Elevation();
    for (const LogPenetration& test : log_.penetrations) {
      const auto& f = test.fields;
      facts_.penetration_drawn.push_back(Point("標準貫入試験", test.depth, [&] {
        return Texts({f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7]});
      }));
    }
    for (const LogSample& sample : log_.samples) {
      facts_.sample_drawn.push_back(Interval("試料", sample.top, sample.bottom, [&] {
        return Texts(
            {sample.top.text, sample.bottom.text, sample.number, sample.kind, sample.sampler});
      }));
    }
    for (const LogInterval& condition : log_.conditions) {
      facts_.condition_drawn.push_back(Interval("孔内状況", condition.top, condition.bottom, [&] {
        return Texts({condition.top.text, condition.bottom.text, condition.name});
      }));
    }
    for (const LogDated& level : log_.water_levels) {
      facts_.water_drawn.push_back(Point("孔内水位", level.depth, [&] {
        return Texts({level.depth.text, level.month, level.day});
      }));
    }
    for (const LogDated& day : log_.progress) {
      facts_.progress_drawn.push_back(Point("掘進月日", day.depth, [&] {
        return Texts({day.depth.text, day.month, day.day});
      }));
    }
    for (const LogInterval& test : log_.tests) {
      facts_.test_drawn.push_back(Interval("原位置試験", test.top, test.bottom, [&] {
        return Texts({test.top.text, test.bottom.text, test.name, test.result});
      }));
    }
  }

 private:
  void Caution(std::string text) { facts_.cautions.push_back(std::move(text)); }

  // The layers: each below the one above it, and above the deepest depth a log is drawn to.
  void Layers() {
    double top = 0;
    for (std::size_t i = 0; i < log_.layers.size(); ++i) {
      const LogLayer& layer = log_.layers[i];
      facts_.layer_tops.push_back(top);
      const auto which = [&] { return std::to_string(i + 1) + " 番目の層の下端"; };
      const auto texts = [&] {
        std::string joined = Texts({layer.geology, layer.soil, layer.colour, layer.density});
        for (const std::string_view note : log_.NotesOf(layer)) joined += " " + cp932::ToUtf8(note);
        return joined;
      };
      const std::optional<double> bottom = layer.bottom.value;
      bool drawn = false;
      if (!bottom) {
        Caution(which() + "「" + cp932::ToUtf8(layer.bottom.text) +
                "」は深度として読めないため描いていません: " + texts());
      } else if (*bottom >= kDeepestDrawn) {
        Caution(which() + " " + cp932::ToUtf8(layer.bottom.text) + " m は描ける深度 (" +
                Metres(kDeepestDrawn) + " m 未満) を超えるため描いていません: " + texts());
      } else if (*bottom < top + kSameDepth) {
        Caution(which() + " " + cp932::ToUtf8(layer.bottom.text) + " m は上の層の下端 " +
                Metres(top) + " m より深くないため描いていません: " + texts());
      } else {
        drawn = true;
        top = *bottom;
      }
      facts_.layer_drawn.push_back(drawn);
    }
    deepest_layer_ = top;
  }

  // The depth drawn: the deepest layer bottom, or the stated depth where it is deeper and
  // plausible.
  void Depth() {
    const std::string_view stated_text = log_.header[record::header::kDrilled].substr(
        0, log_.header[record::header::kDrilled].find(' '));
    const Number stated = NumberOf(stated_text, record::kNoNumber);
    double depth = deepest_layer_;
    if (stated.value) {
      const double s = *stated.value;
      const bool plausible =
          s > 0 && s < kDeepestDrawn &&
          (deepest_layer_ == 0 || s <= std::max(2 * deepest_layer_, deepest_layer_ + 10));
      if (std::abs(s - deepest_layer_) >= kSameDepth) {
        if (deepest_layer_ > 0) {
          Caution("掘進長 " + cp932::ToUtf8(stated.text) + " m と最深の層の下端 " +
                  Metres(deepest_layer_) + " m が一致しません。");
        }
        if (plausible && s > deepest_layer_) {
          depth = s;
          if (deepest_layer_ > 0) Caution("柱状図は掘進長 " + Metres(s) + " m まで描いています。");
        } else if (!plausible) {
          Caution("掘進長 " + cp932::ToUtf8(stated.text) +
                  " m は描ける深度ではないため、柱状図は層の下端まで描いています。");
        }
      }
    } else if (!stated.text.empty() && stated.text != record::kNoNumber) {
      Caution("掘進長「" + cp932::ToUtf8(stated.text) + "」は深度として読めません。");
    }
    facts_.depth = depth > 0 ? depth : 1;
  }

  // The hole's elevation: none for the marks, a caution for one that is no number or beyond any
  // ground.
  void Elevation() {
    const std::string_view text = log_.header[record::header::kElevation];
    if (text.empty() || text == record::kNoElevation || text == record::kNoNumber ||
        text == record::kNoText || text == record::kNoDepth) {
      return;
    }
    const std::optional<double> value = FieldNumber(text);
    if (value && std::abs(*value) < kMostElevation) {
      facts_.elevation = value;
      return;
    }
    Caution("孔口標高「" + cp932::ToUtf8(text) +
            "」は標高として描けないため、標高を描いていません。");
  }

  bool InRange(double depth) const { return depth >= 0 && depth <= facts_.depth + kSameDepth; }

  // An item at one depth; `texts` gives its texts for a caution.
  template <typename TextsOf>
  bool Point(std::string_view what, const Number& depth, TextsOf texts) {
    if (!depth.value) {
      if (!depth.text.empty() && depth.text != record::kNoDepth) {
        Caution(std::string(what) + "の深度「" + cp932::ToUtf8(depth.text) +
                "」は読めないため描いていません: " + texts());
      }
      return false;
    }
    if (InRange(*depth.value)) return true;
    Caution(std::string(what) + " " + cp932::ToUtf8(depth.text) + " m は柱状図の深度 0〜" +
            Metres(facts_.depth) + " m の外にあるため描いていません: " + texts());
    return false;
  }

  // An item from a top to a bottom.
  template <typename TextsOf>
  bool Interval(std::string_view what, const Number& top, const Number& bottom, TextsOf texts) {
    for (const Number* end : {&top, &bottom}) {
      if (end->value) continue;
      if (end->text.empty() || end->text == record::kNoDepth) {
        Caution(std::string(what) + "の深度の記録がないため描いていません: " + texts());
      } else {
        Caution(std::string(what) + "の深度「" + cp932::ToUtf8(end->text) +
                "」は読めないため描いていません: " + texts());
      }
      return false;
    }
    if (*bottom.value < *top.value) {
      Caution(std::string(what) + " " + cp932::ToUtf8(top.text) + "〜" +
              cp932::ToUtf8(bottom.text) + " m は下端が上端より浅いため描いていません: " + texts());
      return false;
    }
    if (InRange(*top.value) && InRange(*bottom.value)) return true;
    Caution(std::string(what) + " " + cp932::ToUtf8(top.text) + "〜" + cp932::ToUtf8(bottom.text) +
            " m は柱状図の深度 0〜" + Metres(facts_.depth) +
            " m の外にあるため描いていません: " + texts());
    return false;
  }

  const BoringLog& log_;
  LogFacts& facts_;
  double deepest_layer_ = 0;
};

}  // namespace

void Vet(const BoringLog& log, LogFacts& facts) {
  facts.depth = 0;
  facts.elevation.reset();
  for (auto* list :
       {&facts.layer_drawn, &facts.penetration_drawn, &facts.sample_drawn, &facts.condition_drawn,
        &facts.water_drawn, &facts.progress_drawn, &facts.test_drawn}) {
    list->clear();
  }
  facts.layer_tops.clear();
  facts.cautions.clear();
  Vetting(log, facts).Run();
}

long long Centimetres(double metres) {
  // Beyond any depth of a log: held at a bound rather than overflowing.
  return std::llround(std::clamp(metres, -1e12, 1e12) * 100);
}

std::string CentimetresText(long long cm) {
  const unsigned long long whole =
      cm < 0 ? 0ULL - static_cast<unsigned long long>(cm) : static_cast<unsigned long long>(cm);
  char text[32];
  char* const end = text + sizeof text;
  char* at = end;
  *--at = static_cast<char>('0' + whole % 10);
  *--at = static_cast<char>('0' + whole / 10 % 10);
  *--at = '.';
  unsigned long long metres = whole / 100;
  do {
    *--at = static_cast<char>('0' + metres % 10);
    metres /= 10;
  } while (metres != 0);
  if (cm < 0) *--at = '-';
  return std::string(at, end);
}

std::string Metres(double metres) { return CentimetresText(Centimetres(metres)); }

}  // namespace tavrimen::preview
