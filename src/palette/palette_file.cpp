#include "palette/palette_file.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <memory>
#include <system_error>

#include "palette/palette_exchange.h"

namespace kolo {

namespace {

constexpr int kMaxCells = 256;
constexpr TColor kTransparentBit = 0x20000000;
// A palette file is small; anything bigger than this is not one of ours and
// is refused before it is read into memory.
constexpr std::uintmax_t kMaxFileSize = 64u * 1024 * 1024;

// Fixed-layout reads: bytes past the end of the file read as 0.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint8_t At(size_t offset) const { return offset < bytes_.size() ? bytes_[offset] : 0; }
  std::uint32_t Le32(size_t offset) const {
    return At(offset) | (At(offset + 1) << 8) | (At(offset + 2) << 16) |
           (static_cast<std::uint32_t>(At(offset + 3)) << 24);
  }
  std::uint16_t Le16(size_t offset) const { return static_cast<std::uint16_t>(At(offset) | (At(offset + 1) << 8)); }
  std::uint16_t Be16(size_t offset) const { return static_cast<std::uint16_t>((At(offset) << 8) | At(offset + 1)); }
  bool Has(size_t count) const { return bytes_.size() >= count; }
  bool StartsWith(std::string_view magic) const {
    for (size_t i = 0; i < magic.size(); ++i)
      if (At(i) != static_cast<std::uint8_t>(magic[i])) return false;
    return true;
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

TColor Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return MakeColor(r, g, b); }

std::optional<LoadedPalette> ReadKpt(const ByteReader& in) {
  if (!in.StartsWith("KOLO")) return std::nullopt;
  LoadedPalette p;
  p.colors.resize(kMaxCells);
  for (int i = 0; i < kMaxCells; ++i) {
    TColor v = in.Le32(4 + 4 * static_cast<size_t>(i));
    if (v & kTransparentBit) {
      p.transparentIndex = i;  // the last marked cell wins
      v &= 0xFFFFFF;
    } else if (IsEmptyColor(v)) {
      v = clEmptyColor;
    } else {
      v &= 0xFFFFFF;  // stray high bits would not be a colour
    }
    p.colors[i] = v;
  }
  return p;
}

std::optional<LoadedPalette> ReadPal(const ByteReader& in) {
  if (!in.StartsWith("RIFF")) return std::nullopt;
  // Size, "PAL ", "data", chunk size and version are not checked.
  int count = in.Le16(22);
  if (count > kMaxCells) return std::nullopt;
  LoadedPalette p;
  for (int i = 0; i < count; ++i) p.colors.push_back(in.Le32(24 + 4 * static_cast<size_t>(i)) & 0xFFFFFF);
  return p;
}

std::optional<LoadedPalette> ReadAct(const ByteReader& in) {
  // An empty file would otherwise read as 256 blacks and wipe the palette.
  if (!in.Has(1)) return std::nullopt;
  LoadedPalette p;
  for (size_t i = 0; i < kMaxCells; ++i) p.colors.push_back(Rgb(in.At(3 * i), in.At(3 * i + 1), in.At(3 * i + 2)));
  // The trailer counts only when whole: one stray byte after the table is ignored.
  if (in.Has(770)) p.colors.resize(in.Be16(768), clBlack);
  if (in.Has(772)) {
    std::uint16_t t = in.Be16(770);
    p.transparentIndex = t == 0xFFFF ? -1 : t;
  }
  return p;
}

bool IsLineOrPieceEnd(char ch) { return ch == ';' || ch == '\n' || ch == '\r'; }

std::optional<LoadedPalette> ReadCsv(std::span<const std::uint8_t> bytes, const ColorParser& parser) {
  LoadedPalette p;
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = pos;
    while (end < text.size() && !IsLineOrPieceEnd(text[end])) ++end;
    std::string_view piece = text.substr(pos, end - pos);
    while (!piece.empty() && static_cast<unsigned char>(piece.front()) < 33) piece.remove_prefix(1);
    while (!piece.empty() && static_cast<unsigned char>(piece.back()) < 33) piece.remove_suffix(1);
    if (!piece.empty()) {
      std::optional<TColor> c = parser ? parser(piece) : std::nullopt;
      if (!c) return std::nullopt;
      p.colors.push_back(*c);
    }
    pos = end + 1;
  }
  return p;
}

struct MemorySource {
  std::span<const std::uint8_t> bytes;
  size_t pos = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int want) {
  auto* src = static_cast<MemorySource*>(gif->UserData);
  size_t n = std::min(static_cast<size_t>(want < 0 ? 0 : want), src->bytes.size() - src->pos);
  if (n) std::memcpy(out, src->bytes.data() + src->pos, n);
  src->pos += n;
  return static_cast<int>(n);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

// The colour table of the first image and its transparent index. The image's
// data blocks are walked (not decompressed) so that a cut file fails.
std::optional<LoadedPalette> ReadGif(std::span<const std::uint8_t> bytes) {
  MemorySource src{bytes};
  int error = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&src, ReadFromMemory, &error));
  if (!gif) return std::nullopt;
  int transparent = -1;
  for (;;) {
    GifRecordType type;
    if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) return std::nullopt;
    if (type == TERMINATE_RECORD_TYPE) return std::nullopt;  // no image at all
    if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR) return std::nullopt;
      if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
        GraphicsControlBlock gcb;
        if (DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK) transparent = gcb.TransparentColor;
      }
      while (block)
        if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR) return std::nullopt;
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE) return std::nullopt;
    if (DGifGetImageDesc(gif.get()) == GIF_ERROR) return std::nullopt;
    int codeSize = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif.get(), &codeSize, &block) == GIF_ERROR) return std::nullopt;
    while (block)
      if (DGifGetCodeNext(gif.get(), &block) == GIF_ERROR) return std::nullopt;
    break;
  }
  const ColorMapObject* map = gif->Image.ColorMap;
  if (!map || map->ColorCount <= 0) map = gif->SColorMap;
  LoadedPalette p;
  if (map && map->Colors) {
    for (int i = 0; i < map->ColorCount && i < kMaxCells; ++i) {
      const GifColorType& e = map->Colors[i];
      TColor c = Rgb(e.Red, e.Green, e.Blue);
      // Tables are padded to a power of two with black: keep one black, drop the rest.
      if (c == clBlack && !p.colors.empty() && p.colors.back() == clBlack) break;
      p.colors.push_back(c);
    }
  }
  p.transparentIndex = transparent;
  return p;
}

// Non-empty cells in order, plus the transparent cell even when empty, as 24-bit colours.
struct ExportList {
  std::vector<TColor> colors;
  int transparentPos = -1;
};

ExportList BuildExportList(std::span<const TColor> cells, int transparentIndex) {
  ExportList list;
  for (size_t i = 0; i < cells.size() && i < kMaxCells; ++i) {
    bool isTransparent = static_cast<int>(i) == transparentIndex;
    if (!IsEmptyColor(cells[i]) || isTransparent) {
      if (isTransparent) list.transparentPos = static_cast<int>(list.colors.size());
      list.colors.push_back(cells[i] & 0xFFFFFF);
    }
  }
  return list;
}

class ByteWriter {
 public:
  void Bytes(std::string_view s) { out_.insert(out_.end(), s.begin(), s.end()); }
  void U8(std::uint32_t v) { out_.push_back(static_cast<std::uint8_t>(v & 0xFF)); }
  void Le16(std::uint32_t v) { U8(v), U8(v >> 8); }
  void Le32(std::uint32_t v) { Le16(v), Le16(v >> 16); }
  void Be16(std::uint32_t v) { U8(v >> 8), U8(v); }
  void Rgb(TColor c) { U8(GetR(c)), U8(GetG(c)), U8(GetB(c)); }
  void Line(std::string_view s) { Bytes(s), Bytes("\r\n"); }
  std::vector<std::uint8_t> Take() { return std::move(out_); }

 private:
  std::vector<std::uint8_t> out_;
};

std::vector<std::uint8_t> WriteKpt(std::span<const TColor> cells, int transparentIndex) {
  ByteWriter w;
  w.Bytes("KOLO");
  for (int i = 0; i < kMaxCells; ++i) {
    TColor v = static_cast<size_t>(i) < cells.size() ? cells[i] : clEmptyColor;
    if (i == transparentIndex && static_cast<size_t>(i) < cells.size()) v |= kTransparentBit;
    w.Le32(v);
  }
  return w.Take();
}

std::vector<std::uint8_t> WriteAct(const ExportList& list) {
  ByteWriter w;
  for (size_t i = 0; i < kMaxCells; ++i) w.Rgb(i < list.colors.size() ? list.colors[i] : clBlack);
  if (list.colors.size() < kMaxCells || list.transparentPos != -1) {
    w.Be16(static_cast<std::uint32_t>(list.colors.size()));
    w.Be16(list.transparentPos == -1 ? 0xFFFF : static_cast<std::uint32_t>(list.transparentPos));
  }
  return w.Take();
}

std::vector<std::uint8_t> WritePal(const ExportList& list) {
  const std::uint32_t n = static_cast<std::uint32_t>(list.colors.size());
  ByteWriter w;
  w.Bytes("RIFF");
  w.Le32(4 * n + 16);
  w.Bytes("PAL data");
  w.Le32(4 * n + 4);
  w.Le16(0x0300);
  w.Le16(n);
  for (TColor c : list.colors) w.Rgb(c), w.U8(0);
  return w.Take();
}

std::string Label(const ColorFormatter& formatter, TColor c) { return formatter ? formatter(c) : std::string(); }

std::vector<std::uint8_t> WriteCsv(const ExportList& list, const ColorFormatter& formatter) {
  ByteWriter w;
  const size_t n = list.colors.size();
  for (size_t i = 0; i < n; ++i) {
    w.Bytes(Label(formatter, list.colors[i]));
    if (i + 1 < n) w.Bytes(";");
    if ((i + 1) % 16 == 0) w.Bytes("\r\n");
  }
  return w.Take();
}

std::string Hex2(std::uint32_t v) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[(v >> 4) & 0xF], kDigits[v & 0xF]};
}

std::vector<std::uint8_t> WriteHtml(const ExportList& list, const ColorFormatter& formatter,
                                    const HtmlPageLinks& links) {
  ByteWriter w;
  w.Line("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">");
  w.Line("<html><head><title>Kolo colors</title>");
  w.Line("<meta name=vs_defaultClientScript content=\"JavaScript\">");
  w.Line("<style type=\"text/css\">");
  w.Line("BODY{margin: 2px 2px 2px 2px;background-color:#A6CAF0}");
  w.Line("TABLE{border:0px solid #000000}");
  w.Line("IMG{border:0px}");
  w.Line("TD{padding:2px; border:0px;text-align:center;vertical-align:middle;font:10pt Arial;color:#0080C0}");
  w.Line(".TDCN{height:16px;width:16px;border:1px solid #0080C0;cursor:pointer}");
  w.Line(".TDSCN{height:16px;width:16px;border:1px solid #FFFFFF;color:#FFFFFF}");
  w.Line(".TDCOL{padding:0px;height:16px;width:14px;border:1px solid #0080C0;font:1pt Arial}");
  w.Line(".TDLBL{padding:0px;font:8pt Arial;color:#0080C0;text-align:left; width:50px}");
  w.Line(".COLTAB{margin-left:20px}");
  w.Line("</style></head> <body>");
  w.Line("<table id=\"but\"><tr>");
  w.Line("<td><a href=\"" + links.siteLink + "\"><img width=\"16px\" height=\"16px\" src=\"" + links.logoAddress +
         "\"/></a></td>");
  w.Line("<td>columns:</td>");
  w.Line("<td class=\"TDCN\" onClick=\"setPalette(1)\">1</td><td class=\"TDCN\" onClick=\"setPalette(2)\">2</td>");
  w.Line("<td class=\"TDCN\" onClick=\"setPalette(4)\">4</td><td class=\"TDCN\" onClick=\"setPalette(8)\">8</td>");
  w.Line("<td class=\"TDSCN\" onClick=\"setPalette(16)\">16</td>");
  w.Line("</tr></table><br><table class=\"COLTAB\"><tbody id=\"col\"></tbody></table></body>");
  w.Line("<script>");
  w.Line("var colors=[");
  std::string values, labels;
  for (size_t i = 0; i < list.colors.size(); ++i) {
    TColor c = list.colors[i];
    if (i) values += ',', labels += ',';
    values += '"' + Hex2(GetR(c)) + Hex2(GetG(c)) + Hex2(GetB(c)) + '"';
    labels += '"' + Label(formatter, c) + '"';
  }
  w.Line(values + "], labels=[");
  w.Line(labels + "], curCount=0; setPalette(16);");
  w.Line("function setPalette(count) {");
  w.Line("if (count != curCount) {");
  w.Line("for (i=2; i<7; i++) document.getElementById(\"but\").rows[0].cells[i].className=(1<<(i-2)==count?"
         "\"TDSCN\":\"TDCN\");");
  w.Line("tb = document.getElementById(\"col\");");
  w.Line("while (tb.rows.length>0) tb.deleteRow(0);");
  w.Line("id=0;");
  w.Line("while (id<colors.length) {");
  w.Line("tr=document.createElement(\"TR\");");
  w.Line("for (i=0; i<count; i++) {");
  w.Line("td=document.createElement(\"TD\");");
  w.Line("td.innerHTML = \"&nbsp;\";");
  w.Line("td.className=\"TDCOL\";");
  w.Line("td.title=labels[id];");
  w.Line("td.style.backgroundColor=\"#\" + colors[id];");
  w.Line("tr.appendChild(td);");
  w.Line("if (count < 16) {");
  w.Line("td=document.createElement(\"TD\");");
  w.Line("td.innerHTML = \"&nbsp;\" + labels[id];");
  w.Line("td.className=\"TDLBL\";");
  w.Line("tr.appendChild(td); }");
  w.Line("id++;");
  w.Line("if (id==colors.length) break; }");
  w.Line("tr.appendChild(td);");
  w.Line("tb.appendChild(tr);");
  w.Line("}curCount=count;}}");
  w.Line("</script></html>");
  return w.Take();
}

// Forms without a transparent colour.
std::optional<LoadedPalette> AsLoaded(std::optional<std::vector<TColor>> colors) {
  if (!colors) return std::nullopt;
  return LoadedPalette{std::move(*colors), -1};
}

// The file's own name, for formats that carry a palette name; "" when it
// cannot be put in UTF-8.
std::string PaletteNameOf(const std::filesystem::path& fileName) {
  try {
    const std::u8string name = fileName.stem().u8string();
    return std::string(name.begin(), name.end());
  } catch (const std::exception&) {
    return {};
  }
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& fileName) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(fileName, ec)) return std::nullopt;
  std::uintmax_t size = std::filesystem::file_size(fileName, ec);
  if (ec || size > kMaxFileSize) return std::nullopt;
  std::ifstream in(fileName, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<size_t>(size));
  if (size && !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size)))
    return std::nullopt;
  return bytes;
}

}  // namespace

PaletteFormat PaletteFormatOf(const std::filesystem::path& fileName) {
  std::string ext = fileName.extension().string();
  for (char& ch : ext)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  if (ext == ".kpt") return PaletteFormat::Kpt;
  if (ext == ".act") return PaletteFormat::Act;
  if (ext == ".pal") return PaletteFormat::Pal;
  if (ext == ".gif") return PaletteFormat::Gif;
  if (ext == ".csv") return PaletteFormat::Csv;
  if (ext == ".html") return PaletteFormat::Html;
  if (ext == ".gpl") return PaletteFormat::Gpl;
  if (ext == ".ase") return PaletteFormat::Ase;
  if (ext == ".css") return PaletteFormat::Css;
  return PaletteFormat::Unknown;
}

bool CanReadPalette(PaletteFormat format) {
  return format != PaletteFormat::Unknown && format != PaletteFormat::Html && format != PaletteFormat::Css;
}

bool CanWritePalette(PaletteFormat format) {
  return format != PaletteFormat::Unknown && format != PaletteFormat::Gif;
}

std::optional<LoadedPalette> ReadPalette(PaletteFormat format, std::span<const std::uint8_t> bytes,
                                         const ColorParser& parser) {
  std::optional<LoadedPalette> p;
  ByteReader in(bytes);
  switch (format) {
    case PaletteFormat::Kpt: p = ReadKpt(in); break;
    case PaletteFormat::Pal: p = ReadPal(in); break;
    case PaletteFormat::Act: p = ReadAct(in); break;
    case PaletteFormat::Csv: p = ReadCsv(bytes, parser); break;
    case PaletteFormat::Gif: p = ReadGif(bytes); break;
    case PaletteFormat::Gpl: p = AsLoaded(ReadGpl(bytes)); break;
    case PaletteFormat::Ase: p = AsLoaded(ReadAse(bytes)); break;
    default: return std::nullopt;
  }
  if (!p || p->colors.empty()) return std::nullopt;
  return p;
}

std::optional<std::vector<std::uint8_t>> WritePalette(PaletteFormat format, std::span<const TColor> cells,
                                                      int transparentIndex, const ColorFormatter& formatter,
                                                      const HtmlPageLinks& links, std::string_view paletteName) {
  if (format == PaletteFormat::Kpt) return WriteKpt(cells, transparentIndex);
  // The exchange forms number their colours by cell, so they take the cells as they are.
  if (format == PaletteFormat::Gpl) return WriteGpl(cells, paletteName);
  if (format == PaletteFormat::Ase) return WriteAse(cells);
  if (format == PaletteFormat::Css) return WriteCss(cells, transparentIndex);
  const ExportList list = BuildExportList(cells, transparentIndex);
  switch (format) {
    case PaletteFormat::Act: return WriteAct(list);
    case PaletteFormat::Pal: return WritePal(list);
    case PaletteFormat::Csv: return WriteCsv(list, formatter);
    case PaletteFormat::Html: return WriteHtml(list, formatter, links);
    default: return std::nullopt;
  }
}

bool LoadPaletteFile(const std::filesystem::path& fileName, const ColorParser& parser, int& transparentIndex,
                     int highestIndex, std::span<TColor> cells) {
  if (highestIndex < 0 || cells.empty()) return false;
  const size_t count = std::min(static_cast<size_t>(highestIndex) + 1, cells.size());
  PaletteFormat format = PaletteFormatOf(fileName);
  if (!CanReadPalette(format)) return false;
  std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(fileName);
  if (!bytes) return false;
  std::optional<LoadedPalette> p = ReadPalette(format, *bytes, parser);
  if (!p) return false;
  for (size_t i = 0; i < count; ++i) cells[i] = i < p->colors.size() ? p->colors[i] : clEmptyColor;
  // An index past the cells (0xFFFF in act means none) marks nothing.
  transparentIndex = p->transparentIndex >= 0 && static_cast<size_t>(p->transparentIndex) < count
                         ? p->transparentIndex
                         : -1;
  return true;
}

bool SavePaletteFile(std::span<const TColor> cells, int transparentIndex, const std::filesystem::path& fileName,
                     const ColorFormatter& formatter, std::string_view siteLink, std::string_view logoAddress) {
  PaletteFormat format = PaletteFormatOf(fileName);
  if (!CanWritePalette(format)) return false;
  std::optional<std::vector<std::uint8_t>> bytes =
      WritePalette(format, cells, transparentIndex, formatter, {std::string(siteLink), std::string(logoAddress)},
                   PaletteNameOf(fileName));
  if (!bytes) return false;

  std::error_code ec;
  if (std::filesystem::is_directory(fileName, ec)) return false;
  std::filesystem::path temp = fileName;
  temp += ".kolo-save.tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
    out.close();
    if (!out) {
      std::filesystem::remove(temp, ec);
      return false;
    }
  }
  std::filesystem::rename(temp, fileName, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    return false;
  }
  return true;
}

}  // namespace kolo
