// kolocli: converts colour texts and palette files in bulk, with the same
// readers and writers as Kolo itself. Output is kept stable for scripts.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "color/color_text.h"
#include "color/legibility.h"
#include "color/fixed_palettes.h"
#include "palette/palette_file.h"
#include "tools/fix_color_model.h"
#include "tools/wheel_model.h"

namespace kolo {
namespace {

constexpr char kDefaultSite[] = "https://www.velmora.example/kolo/";

constexpr char kUsage[] =
    "usage:\n"
    "  kolocli color [--format N] TEXT...\n"
    "  kolocli palette convert [--format N] [--site URL] IN OUT\n"
    "  kolocli palette show [--format N] FILE\n"
    "  kolocli palette new --kind empty|web|windows|mac|gray|random [--seed N] OUT\n"
    "  kolocli palette gradient [--format N] C0 C1 C2 C3 OUT\n"
    "  kolocli harmony --type 1..8 [--preset 1..3] [--format N] COLOR\n"
    "  kolocli contrast C1 C2\n"
    "N is a colour text format 0..12 (default 0).\n";

struct Args {
  int format = 0;
  std::string site = kDefaultSite;
  std::string kind;
  std::optional<std::uint32_t> seed;
  int type = 0;    // harmony 1..8, 0 when not given
  int preset = 1;  // the wheel's base colours 1..3
  std::vector<std::string> positional;
};

int Usage(const char* problem) {
  if (problem) std::fprintf(stderr, "kolocli: %s\n", problem);
  std::fputs(kUsage, stderr);
  return 2;
}

std::optional<int> ReadFormat(std::string_view s) {
  if (s.empty() || s.size() > 2) return std::nullopt;
  int v = 0;
  for (char ch : s) {
    if (ch < '0' || ch > '9') return std::nullopt;
    v = v * 10 + (ch - '0');
  }
  if (v >= kColorTextFormatCount) return std::nullopt;
  return v;
}

// A small whole number lo..hi, or nothing.
std::optional<int> ReadNumber(const char* text, int lo, int hi) {
  if (!text) return std::nullopt;
  std::string_view s = text;
  if (s.empty() || s.size() > 3) return std::nullopt;
  int v = 0;
  for (char ch : s) {
    if (ch < '0' || ch > '9') return std::nullopt;
    v = v * 10 + (ch - '0');
  }
  if (v < lo || v > hi) return std::nullopt;
  return v;
}

// Options may stand anywhere; "--" ends them.
std::optional<Args> ParseArgs(int argc, char** argv, int first, bool allowSite, std::string& problem,
                              bool allowKind = false, bool allowHarmony = false) {
  Args a;
  bool options = true;
  for (int i = first; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (options && arg == "--") {
      options = false;
    } else if (options && arg == "--format") {
      std::optional<int> f = i + 1 < argc ? ReadFormat(argv[i + 1]) : std::nullopt;
      if (!f) {
        problem = "--format needs a number from 0 to 12";
        return std::nullopt;
      }
      a.format = *f;
      ++i;
    } else if (options && allowSite && arg == "--site") {
      if (i + 1 >= argc) {
        problem = "--site needs an address";
        return std::nullopt;
      }
      a.site = argv[++i];
    } else if (options && allowKind && arg == "--kind") {
      if (i + 1 >= argc) {
        problem = "--kind needs a palette kind";
        return std::nullopt;
      }
      a.kind = argv[++i];
    } else if (options && allowKind && arg == "--seed") {
      std::string_view v = i + 1 < argc ? std::string_view(argv[i + 1]) : std::string_view();
      std::uint64_t n = 0;
      bool ok = !v.empty() && v.size() <= 10;
      for (char ch : v) {
        if (ch < '0' || ch > '9') ok = false;
        n = n * 10 + static_cast<unsigned>(ch - '0');
      }
      if (!ok || n > 0xFFFFFFFFull) {
        problem = "--seed needs a number from 0 to 4294967295";
        return std::nullopt;
      }
      a.seed = static_cast<std::uint32_t>(n);
      ++i;
    } else if (options && allowHarmony && (arg == "--type" || arg == "--preset")) {
      const bool type = arg == "--type";
      std::optional<int> v = ReadNumber(i + 1 < argc ? argv[i + 1] : nullptr, 1, type ? kWheelTypeCount : kWheelPresetCount);
      if (!v) {
        problem = type ? "--type needs a number from 1 to 8" : "--preset needs a number from 1 to 3";
        return std::nullopt;
      }
      (type ? a.type : a.preset) = *v;
      ++i;
    } else if (options && arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
      problem = "unknown option " + std::string(arg);
      return std::nullopt;
    } else {
      a.positional.emplace_back(arg);
    }
  }
  return a;
}

ColorParser ParserFor(int format) {
  return [format](std::string_view text) { return ParseColor(text, format); };
}

ColorFormatter FormatterFor(int format) {
  return [format](TColor c) { return FormatColor(c, format); };
}

int ColorCommand(const Args& a) {
  if (a.positional.empty()) return Usage("color needs at least one TEXT");
  int status = 0;
  for (const std::string& text : a.positional) {
    std::optional<TColor> c = ParseColor(text, a.format);
    if (!c) {
      std::fprintf(stderr, "kolocli: not a colour: %s\n", text.c_str());
      status = 1;
      continue;
    }
    std::string line = text;
    for (int f = 0; f < kColorTextFormatCount; ++f) line += "\t" + FormatColor(*c, f);
    std::printf("%s\n", line.c_str());
  }
  return status;
}

bool Load(const std::string& file, int format, int& transparent, std::vector<TColor>& cells) {
  cells.assign(256, clEmptyColor);
  transparent = -1;
  PaletteFormat kind = PaletteFormatOf(file);
  if (!CanReadPalette(kind)) {
    std::fprintf(stderr, "kolocli: cannot read this kind of palette file: %s\n", file.c_str());
    return false;
  }
  if (!LoadPaletteFile(file, ParserFor(format), transparent, 255, cells)) {
    std::fprintf(stderr, "kolocli: failed to load palette: %s\n", file.c_str());
    return false;
  }
  return true;
}

int ConvertCommand(const Args& a) {
  if (a.positional.size() != 2) return Usage("palette convert needs IN and OUT");
  const std::string& in = a.positional[0];
  const std::string& out = a.positional[1];
  PaletteFormat outKind = PaletteFormatOf(out);
  if (!CanWritePalette(outKind)) {
    std::fprintf(stderr, "kolocli: cannot write this kind of palette file: %s\n", out.c_str());
    return 1;
  }
  int transparent = -1;
  std::vector<TColor> cells;
  if (!Load(in, a.format, transparent, cells)) return 1;
  const std::string logo = a.site + "gif/logob.png";
  if (!SavePaletteFile(cells, transparent, out, FormatterFor(a.format), a.site, logo)) {
    std::fprintf(stderr, "kolocli: failed to save palette: %s\n", out.c_str());
    return 1;
  }
  return 0;
}

int ShowCommand(const Args& a) {
  if (a.positional.size() != 1) return Usage("palette show needs one FILE");
  int transparent = -1;
  std::vector<TColor> cells;
  if (!Load(a.positional[0], a.format, transparent, cells)) return 1;
  std::printf("%d\n", transparent);
  for (TColor c : cells) std::printf("%s\n", IsEmptyColor(c) ? "empty" : FormatColor(c, a.format).c_str());
  return 0;
}

bool Save(const std::string& out, const std::vector<TColor>& colors, int format) {
  PaletteFormat outKind = PaletteFormatOf(out);
  if (outKind == PaletteFormat::Unknown || outKind == PaletteFormat::Gif) {
    std::fprintf(stderr, "kolocli: cannot write this kind of palette file: %s\n", out.c_str());
    return false;
  }
  std::vector<TColor> cells(256, clEmptyColor);
  std::copy_n(colors.begin(), std::min<std::size_t>(colors.size(), cells.size()), cells.begin());
  const std::string site = kDefaultSite;
  if (!SavePaletteFile(cells, -1, out, FormatterFor(format), site, site + "gif/logob.png")) {
    std::fprintf(stderr, "kolocli: failed to save palette: %s\n", out.c_str());
    return false;
  }
  return true;
}

int NewCommand(const Args& a) {
  if (a.positional.size() != 1) return Usage("palette new needs --kind and OUT");
  constexpr std::string_view kKinds[] = {"empty", "web", "windows", "mac", "gray", "random"};
  int type = -1;
  for (int t = 0; t < kNewPaletteTypeCount; ++t)
    if (a.kind == kKinds[t]) type = t;
  if (type < 0) return Usage("--kind must be empty, web, windows, mac, gray or random");
  std::mt19937 rng = a.seed ? std::mt19937(*a.seed) : SeededGenerator();
  return Save(a.positional[0], NewPaletteColors(type, rng), a.format) ? 0 : 1;
}

// The first N positional texts as colours; a text that is not one is named on stderr.
template <std::size_t N>
bool ParseColors(const Args& a, std::array<TColor, N>& out) {
  for (std::size_t k = 0; k < N; ++k) {
    std::optional<TColor> c = ParseColor(a.positional[k], a.format);
    if (!c) {
      std::fprintf(stderr, "kolocli: not a colour: %s\n", a.positional[k].c_str());
      return false;
    }
    out[k] = *c;
  }
  return true;
}

int GradientCommand(const Args& a) {
  if (a.positional.size() != 5) return Usage("palette gradient needs four colours and OUT");
  std::array<TColor, 4> slots{};
  if (!ParseColors(a, slots)) return 1;
  const FixCells cells = GradientPalette(slots);
  return Save(a.positional[4], {cells.begin(), cells.end()}, a.format) ? 0 : 1;
}

// The colour as slot 0 of the wheel: found on the wheel, then the harmony's
// other slots worked out from there; slot 0 stays the colour given.
int HarmonyCommand(const Args& a) {
  if (a.type == 0) return Usage("harmony needs --type");
  if (a.positional.size() != 1) return Usage("harmony needs one COLOR");
  std::array<TColor, 1> colour{};
  if (!ParseColors(a, colour)) return 1;
  WheelModel wheel;
  wheel.wheelType = a.type;
  wheel.SetPreset(a.preset);
  wheel.Search(colour[0]);
  std::array<TColor, 4> slots;
  slots.fill(colour[0]);
  wheel.Recompute(slots, false);
  for (int i = 0; i < wheel.SlotsUsed(); ++i) std::printf("%s\n", FormatColor(slots[static_cast<std::size_t>(i)], a.format).c_str());
  return 0;
}

int ContrastCommand(const Args& a) {
  if (a.positional.size() != 2) return Usage("contrast needs two colours");
  std::array<TColor, 2> pair{};
  if (!ParseColors(a, pair)) return 1;
  const double ratio = ContrastRatio(pair[0], pair[1]);
  const ContrastVerdict v = JudgeContrast(ratio);
  auto verdict = [](bool pass) { return pass ? "pass" : "fail"; };
  std::printf("ratio\t%s\n", ContrastText(ratio, 2).c_str());
  std::printf("AA\tnormal %s\tlarge %s\n", verdict(v.aaNormal), verdict(v.aaLarge));
  std::printf("AAA\tnormal %s\tlarge %s\n", verdict(v.aaaNormal), verdict(v.aaaLarge));
  return 0;
}

int Main(int argc, char** argv) {
  if (argc < 2) return Usage(nullptr);
  std::string_view command = argv[1];
  if (command == "-h" || command == "--help" || command == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  std::string problem;
  if (command == "color") {
    std::optional<Args> a = ParseArgs(argc, argv, 2, false, problem);
    return a ? ColorCommand(*a) : Usage(problem.c_str());
  }
  if (command == "harmony" || command == "contrast") {
    std::optional<Args> a = ParseArgs(argc, argv, 2, false, problem, false, command == "harmony");
    if (!a) return Usage(problem.c_str());
    return command == "harmony" ? HarmonyCommand(*a) : ContrastCommand(*a);
  }
  if (command == "palette" && argc >= 3) {
    std::string_view sub = argv[2];
    if (sub == "convert" || sub == "show") {
      std::optional<Args> a = ParseArgs(argc, argv, 3, sub == "convert", problem);
      if (!a) return Usage(problem.c_str());
      return sub == "convert" ? ConvertCommand(*a) : ShowCommand(*a);
    }
    if (sub == "new" || sub == "gradient") {
      std::optional<Args> a = ParseArgs(argc, argv, 3, false, problem, sub == "new");
      if (!a) return Usage(problem.c_str());
      return sub == "new" ? NewCommand(*a) : GradientCommand(*a);
    }
  }
  return Usage("unknown command");
}

}  // namespace
}  // namespace kolo

int main(int argc, char** argv) {
  int status = kolo::Main(argc, argv);
  std::fflush(stdout);
  return std::ferror(stdout) ? 1 : status;
}
