#include "widgets/gif_decode.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace kolo {

namespace {

struct MemoryInput {
  std::span<const std::uint8_t> data;
  size_t pos = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int length) {
  auto* in = static_cast<MemoryInput*>(gif->UserData);
  if (length <= 0) return 0;
  size_t n = std::min(static_cast<size_t>(length), in->data.size() - in->pos);
  std::memcpy(buffer, in->data.data() + in->pos, n);
  in->pos += n;
  return static_cast<int>(n);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

std::vector<GifRgb> ToPalette(const ColorMapObject* map) {
  std::vector<GifRgb> out;
  if (!map || !map->Colors || map->ColorCount <= 0) return out;
  out.reserve(static_cast<size_t>(map->ColorCount));
  for (int i = 0; i < map->ColorCount; ++i)
    out.push_back({map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue});
  return out;
}

bool ReadPixels(GifFileType* gif, GifFrame& frame, bool interlaced) {
  const int w = frame.width, h = frame.height;
  auto line = [&](int row) {
    return DGifGetLine(gif, frame.indices.data() + static_cast<size_t>(row) * w, w) != GIF_ERROR;
  };
  if (interlaced) {
    static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int row = kStart[pass]; row < h; row += kStep[pass])
        if (!line(row)) return false;
  } else {
    for (int row = 0; row < h; ++row)
      if (!line(row)) return false;
  }
  return true;
}

}  // namespace

std::vector<GifRgb>* GifPicture::FirstColorTable() {
  if (!globalPalette.empty()) return &globalPalette;
  if (!frames.empty() && !frames.front().localPalette.empty()) return &frames.front().localPalette;
  return nullptr;
}

std::optional<GifPicture> DecodeGif(std::span<const std::uint8_t> data) {
  if (data.size() < 13) return std::nullopt;
  MemoryInput input{data};
  int error = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&input, &ReadFromMemory, &error));
  if (!gif) return std::nullopt;

  GifPicture picture;
  picture.width = gif->SWidth;
  picture.height = gif->SHeight;
  picture.globalPalette = ToPalette(gif->SColorMap);

  GraphicsControlBlock pending{};
  bool havePending = false;
  std::int64_t pixelBudget = kGifMaxPixels;
  int extentW = 0, extentH = 0;  // the frames' extent, for a screen left at 0
  GifRecordType type = UNDEFINED_RECORD_TYPE;
  do {
    if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) return std::nullopt;
    if (type == IMAGE_DESC_RECORD_TYPE) {
      if (DGifGetImageDesc(gif.get()) == GIF_ERROR) return std::nullopt;
      const GifImageDesc& desc = gif->Image;
      GifFrame frame;
      frame.left = desc.Left;
      frame.top = desc.Top;
      frame.width = desc.Width;
      frame.height = desc.Height;
      if (frame.width <= 0 || frame.height <= 0 || frame.width > kGifMaxSide || frame.height > kGifMaxSide)
        return std::nullopt;
      pixelBudget -= static_cast<std::int64_t>(frame.width) * frame.height;
      if (pixelBudget < 0) return std::nullopt;
      // Refuse before decoding: tiny frames would otherwise pile up millions of records.
      if (static_cast<int>(picture.frames.size()) >= kGifMaxFrames) return std::nullopt;
      extentW = std::max(extentW, std::min(frame.left + frame.width, kGifMaxSide));
      extentH = std::max(extentH, std::min(frame.top + frame.height, kGifMaxSide));
      const bool screenSet = picture.width > 0 && picture.height > 0;
      const std::int64_t composed = static_cast<std::int64_t>(screenSet ? picture.width : extentW) *
                                    (screenSet ? picture.height : extentH) *
                                    static_cast<std::int64_t>(picture.frames.size() + 1);
      if (composed > kGifMaxComposedPixels) return std::nullopt;
      frame.localPalette = ToPalette(desc.ColorMap);
      if (frame.localPalette.empty() && picture.globalPalette.empty()) return std::nullopt;
      frame.indices.assign(static_cast<size_t>(frame.width) * frame.height, 0);
      if (!ReadPixels(gif.get(), frame, desc.Interlace)) return std::nullopt;
      if (havePending) {
        frame.transparentIndex = pending.TransparentColor;
        frame.delay = pending.DelayTime;
        frame.disposal = pending.DisposalMode;
        havePending = false;
      }
      picture.frames.push_back(std::move(frame));
    } else if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR) return std::nullopt;
      if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
        if (DGifExtensionToGCB(block[0], block + 1, &pending) == GIF_OK) havePending = true;
      }
      while (block) {
        if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR) return std::nullopt;
      }
    }
  } while (type != TERMINATE_RECORD_TYPE);

  if (picture.frames.empty()) return std::nullopt;
  // Some writers leave the logical screen at 0: take the frames' extent instead.
  if (picture.width <= 0 || picture.height <= 0) {
    picture.width = extentW;
    picture.height = extentH;
  }
  if (picture.width > kGifMaxSide || picture.height > kGifMaxSide) return std::nullopt;
  if (static_cast<std::int64_t>(picture.width) * picture.height *
          static_cast<std::int64_t>(picture.frames.size()) > kGifMaxComposedPixels)
    return std::nullopt;
  return picture;
}

std::vector<GifCanvas> ComposeGifFrames(const GifPicture& picture) {
  std::vector<GifCanvas> out;
  const int w = picture.width, h = picture.height;
  if (w <= 0 || h <= 0) return out;
  std::vector<std::uint32_t> canvas(static_cast<size_t>(w) * h, 0);
  out.reserve(picture.frames.size());
  for (const GifFrame& f : picture.frames) {
    std::vector<std::uint32_t> saved;
    if (f.disposal == DISPOSE_PREVIOUS) saved = canvas;
    const auto& pal = picture.PaletteOf(f);
    const int x0 = std::max(0, f.left), x1 = std::min(w, f.left + f.width);
    const int y0 = std::max(0, f.top), y1 = std::min(h, f.top + f.height);
    for (int y = y0; y < y1; ++y) {
      const std::uint8_t* src = f.indices.data() + static_cast<size_t>(y - f.top) * f.width;
      std::uint32_t* dst = canvas.data() + static_cast<size_t>(y) * w;
      for (int x = x0; x < x1; ++x) {
        int index = src[x - f.left];
        // An index past the table has no colour: leave the pixel as it was.
        if (index == f.transparentIndex || index >= static_cast<int>(pal.size())) continue;
        const GifRgb& c = pal[static_cast<size_t>(index)];
        dst[x] = 0xFF000000u | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
      }
    }
    out.push_back({w, h, canvas});
    if (f.disposal == DISPOSE_BACKGROUND) {
      for (int y = y0; y < y1; ++y)
        std::fill(canvas.begin() + static_cast<std::ptrdiff_t>(y) * w + x0,
                  canvas.begin() + static_cast<std::ptrdiff_t>(y) * w + x1, 0u);
    } else if (f.disposal == DISPOSE_PREVIOUS) {
      canvas = std::move(saved);
    }
  }
  return out;
}

}  // namespace kolo
