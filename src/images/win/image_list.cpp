#include "images/win/image_list.h"

#include <gdiplus.h>
#include <windowsx.h>

#include <algorithm>
#include <ctime>

#include "images/win/image_files.h"
#include "platform/win/gdiplus_session.h"

namespace kolo::win {

namespace {

// The loader's thumbnails are waiting in the queue; wParam is the load's generation.
constexpr UINT kMsgThumbnails = WM_APP + 0x17;

}  // namespace

std::shared_ptr<Thumbnail> MakeThumbnail(Gdiplus::Image& image, long long transparent) {
  const int w = static_cast<int>(image.GetWidth());
  const int h = static_cast<int>(image.GetHeight());
  if (w <= 0 || h <= 0) return nullptr;
  const Size t = ThumbnailSize(w, h);
  auto thumb = std::make_shared<Thumbnail>();
  thumb->width = t.w;
  thumb->height = t.h;
  thumb->imageWidth = w;
  thumb->imageHeight = h;

  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = t.w;
  bi.bmiHeader.biHeight = -t.h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  thumb->bitmap.Reset(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!thumb->bitmap || !bits) return nullptr;
  // GDI+ draws straight into the section's pixels, premultiplied as AlphaBlend wants them.
  Gdiplus::Bitmap target(t.w, t.h, t.w * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(bits));
  Gdiplus::Graphics g(&target);
  g.Clear(Gdiplus::Color(transparent >= 0 ? 0 : 255, 255, 255, 255));
  g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
  g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  Gdiplus::ImageAttributes attrs;
  attrs.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  if (transparent >= 0) {
    const auto c = static_cast<TColor>(transparent);
    const Gdiplus::Color key(255, GetR(c), GetG(c), GetB(c));
    attrs.SetColorKey(key, key);
  }
  g.DrawImage(&image, Gdiplus::Rect(0, 0, t.w, t.h), 0, 0, w, h, Gdiplus::UnitPixel, &attrs);
  g.Flush(Gdiplus::FlushIntentionSync);
  ::GdiFlush();
  return thumb;
}

std::shared_ptr<Thumbnail> MakeThumbnailFromFile(const std::wstring& path, long long transparent) {
  std::shared_ptr<Thumbnail> thumb;
  WithDecodedImage(path, [&](Gdiplus::Bitmap& image) { thumb = MakeThumbnail(image, transparent); });
  return thumb;
}

TKOLImageList::TKOLImageList() {
  SetColor(clWhite);
  SetDblBuffered(true);
}

TKOLImageList::~TKOLImageList() {
  StopLoader();
  SetVerticalScroller(nullptr);
}

void TKOLImageList::SetVerticalScroller(TVMScrollImage* scroller) {
  if (scroller_) scroller_->OnChange = nullptr;
  scroller_ = scroller;
  if (scroller_) {
    scroller_->OnChange = [this](TVMScrollImage& s) {
      scroll_ = s.Position();
      Invalidate();
    };
    Layout();
  }
}

std::wstring TKOLImageList::FullPath(const std::string& fileName) const { return Path + Widen(fileName); }

// --- loading and saving ---

void TKOLImageList::LoadFromFile(const std::wstring& file) {
  StopLoader();
  items_.clear();
  std::vector<std::string> names;
  WIN32_FIND_DATAW fd;
  HANDLE find = ::FindFirstFileW((Path + L"*.*").c_str(), &fd);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      const std::string name = Narrow(fd.cFileName);
      if (AcceptedByFilter(name, Filter)) names.push_back(name);
    } while (::FindNextFileW(find, &fd));
    ::FindClose(find);
  }
  SortNamesDescending(names);
  std::vector<ImageItemAttrs> attrs;
  attrs.reserve(names.size());
  for (auto& n : names) {
    ImageItemAttrs a;
    a.fileName = std::move(n);
    attrs.push_back(std::move(a));
  }
  if (auto bytes = ReadWholeFile(file, 16 * 1024 * 1024)) ApplyListLines(attrs, ParseListFile(*bytes));
  for (auto& a : attrs) {
    TKOLImgobj item;
    item.attrs = std::move(a);
    item.id = nextId_++;
    items_.push_back(std::move(item));
  }
  itemIndex_ = -1;
  Layout();
  Invalidate();
  StartLoader();
}

bool TKOLImageList::SaveToFile(const std::wstring& file) const {
  std::vector<ImageItemAttrs> attrs;
  attrs.reserve(items_.size());
  for (const auto& item : items_) attrs.push_back(item.attrs);
  return WriteFileReplacing(file, WriteListFile(attrs));
}

// --- the loader ---

void TKOLImageList::StartLoader() {
  std::vector<Job> jobs;
  jobs.reserve(items_.size());
  for (const auto& item : items_) jobs.push_back({item.id, FullPath(item.attrs.fileName), item.attrs.transparent});
  loaderDone_ = jobs.empty();
  delivered_ = 0;
  // GDI+ starts on this thread: a worker must never be the one that starts it.
  if (jobs.empty() || !EnsureGdiplus()) return;
  loader_ = std::make_shared<LoaderState>();
  loader_->window = Handle();
  loader_->jobs = std::move(jobs);
  // Decoding is nearly all of a load: one worker per processor, two at most
  // (the window thread paints meanwhile). Detached: each holds its own share
  // of the state, so neither a new load nor the window's end ever waits for a
  // decode in progress.
  const std::size_t workers =
      std::min<std::size_t>(std::clamp(std::thread::hardware_concurrency(), 1u, 2u), loader_->jobs.size());
  ++generation_;
  for (std::size_t w = 0; w < workers; ++w) std::thread(&TKOLImageList::LoaderRun, loader_, generation_).detach();
}

void TKOLImageList::StopLoader() {
  if (!loader_) return;
  loader_->stop = true;
  loader_.reset();
  ++generation_;  // deliveries of the stopped load are ignored
}

void TKOLImageList::LoaderRun(std::shared_ptr<LoaderState> state, std::uint64_t generation) {
  // Lets the window finish showing itself before the disk gets busy.
  for (int i = 0; i < 10 && !state->stop; ++i) ::Sleep(10);
  const std::size_t count = state->jobs.size();
  while (!state->stop) {
    const std::size_t i = state->next++;
    if (i >= count) break;
    const Job& job = state->jobs[i];
    auto thumb = MakeThumbnailFromFile(job.path, job.transparent);
    {
      std::lock_guard<std::mutex> lock(state->lock);
      state->queue.push_back({job.id, std::move(thumb)});
    }
    // The window hears of the first five (a screenful) and of the last.
    const std::size_t done = ++state->done;
    if ((done == 5 || done == count) && !state->stop)
      ::PostMessageW(state->window, kMsgThumbnails, static_cast<WPARAM>(generation), done == count);
  }
}

void TKOLImageList::TakeDeliveries() {
  if (!loader_) return;
  std::vector<Delivery> got;
  {
    std::lock_guard<std::mutex> lock(loader_->lock);
    got.swap(loader_->queue);
  }
  for (auto& d : got) {
    ++delivered_;
    for (auto& item : items_) {
      if (item.id != d.id) continue;
      item.thumbnail = std::move(d.thumbnail);
      if (item.thumbnail) {
        item.imageWidth = item.thumbnail->imageWidth;
        item.imageHeight = item.thumbnail->imageHeight;
      }
      break;
    }
  }
}

LRESULT TKOLImageList::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kMsgThumbnails:
      if (wp == static_cast<WPARAM>(generation_)) {
        TakeDeliveries();
        if (lp) {
          loaderDone_ = true;
          loader_.reset();
        }
        Invalidate();
        ::UpdateWindow(Handle());
        if (onLoaderRepaint) onLoaderRepaint(delivered_);
      }
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_RBUTTONDOWN: {
      const int index = Grid().IndexAt(Lg(GET_X_LPARAM(lp)), Lg(GET_Y_LPARAM(lp)), scroll_);
      if (index >= 0) {
        if (index != itemIndex_) Changed(index);
        POINT p;
        ::GetCursorPos(&p);
        if (OnPopup) OnPopup(*this, p.x, p.y);
      }
      return 0;
    }
    default:
      break;
  }
  return TVMNotRefreshPanel::HandleMessage(msg, wp, lp);
}

// --- operations ---

void TKOLImageList::Add(const std::string& fileName, long long colour, const std::string& url) {
  TKOLImgobj item;
  item.attrs.fileName = fileName;
  item.attrs.transparent = colour;
  item.attrs.url = url;
  item.id = nextId_++;
  item.thumbnail = MakeThumbnailFromFile(FullPath(fileName), colour);
  if (item.thumbnail) {
    item.imageWidth = item.thumbnail->imageWidth;
    item.imageHeight = item.thumbnail->imageHeight;
  }
  items_.insert(items_.begin(), std::move(item));
  Layout();
  SetScroll(0);
  itemIndex_ = 0;
  Invalidate();
}

void TKOLImageList::RemoveAt(int index, bool deleteFile) {
  const std::wstring path = FullPath(Item(index).attrs.fileName);
  if (deleteFile && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) ::DeleteFileW(path.c_str());
  items_.erase(items_.begin() + index);
}

void TKOLImageList::ApplyLimit(int n) {
  const int over = ItemsOverLimit(Count(), n);
  for (int i = 0; i < over; ++i) RemoveAt(Count() - 1, true);
  itemIndex_ = std::min(itemIndex_, Count() - 1);
  if (over > 0) {
    Layout();
    Invalidate();
  }
}

void TKOLImageList::DeleteSelected() {
  if (!Select()) return;
  RemoveAt(itemIndex_, true);
  itemIndex_ = std::min(itemIndex_, Count() - 1);
  Layout();
  if (OnSelect) OnSelect(*this);
  Invalidate();
}

void TKOLImageList::DeleteAt(int index) {
  if (index < 0 || index >= Count()) return;
  RemoveAt(index, true);
  if (index < itemIndex_) --itemIndex_;
  itemIndex_ = std::min(itemIndex_, Count() - 1);
  Layout();
  Invalidate();
}

void TKOLImageList::Clear() {
  while (Count() > 0) RemoveAt(Count() - 1, true);
  itemIndex_ = -1;
  Layout();
  Invalidate();
  if (OnSelect) OnSelect(*this);
}

bool TKOLImageList::MoveSelectedToTop() {
  if (!Select()) return false;
  TKOLImgobj item = std::move(Item(itemIndex_));
  items_.erase(items_.begin() + itemIndex_);
  const std::string ext = ".png";
  std::string name = UnusedTimestampName(Path, ext);
  const bool renamed =
      ::MoveFileW(FullPath(item.attrs.fileName).c_str(), FullPath(name).c_str()) != 0;
  item.attrs.fileName = name;
  items_.insert(items_.begin(), std::move(item));
  itemIndex_ = 0;
  if (OnSelect) OnSelect(*this);
  Invalidate();
  return renamed;
}

void TKOLImageList::RefreshThumbnail(int index, Gdiplus::Image& image) {
  if (index < 0 || index >= Count()) return;
  auto& item = Item(index);
  item.thumbnail = MakeThumbnail(image, item.attrs.transparent);
  item.imageWidth = item.thumbnail ? item.thumbnail->imageWidth : 0;
  item.imageHeight = item.thumbnail ? item.thumbnail->imageHeight : 0;
  Invalidate();
}

void TKOLImageList::ScrollToSelected() {
  if (itemIndex_ >= 0) SetScroll((itemIndex_ / std::max(1, Column)) * Grid().CellSide());
  Invalidate();
}

void TKOLImageList::SetItemIndex(int index) {
  itemIndex_ = std::clamp(index, -1, Count() - 1);
  Invalidate();
}

// --- layout and painting ---

void TKOLImageList::Layout() {
  const ListGrid g = Grid();
  if (scroller_) {
    scroller_->SetMin(0);
    scroller_->SetMax(g.ScrollMax());
    scroller_->LargeChange = std::max(1, Height());
    scroller_->SmallChange = std::max(1, g.CellSide());
    scroller_->SetPageSize(std::max(8, g.ScrollMax() > 0 ? scroller_->Height() * Height() / (g.ScrollMax() + Height()) : 0));
  }
  SetScroll(std::clamp(scroll_, 0, g.ScrollMax()));
}

void TKOLImageList::SetScroll(int pos) {
  scroll_ = std::clamp(pos, 0, Grid().ScrollMax());
  if (scroller_) scroller_->SetPosition(scroll_);
  Invalidate();
}

void TKOLImageList::Resized() { Layout(); }

void TKOLImageList::PaintContent(HDC dc, const IntRect& inner) {
  const ListGrid g = Grid();
  const int side = g.CellSide();
  if (side <= 0) return;
  MemoryDc mem(::CreateCompatibleDC(dc));
  const int firstRow = scroll_ / side;
  for (int index = firstRow * Column; index < Count(); ++index) {
    const int left = g.CellLeft(index), top = g.CellTop(index, scroll_);
    if (top >= Height()) break;
    const auto& item = items_[static_cast<size_t>(index)];
    if (DrawSelected && index == itemIndex_) {
      RECT cell{left, top, left + side, top + side};
      FillSolid(dc, cell, SelectColor);
    }
    const Thumbnail* t = item.thumbnail.get();
    if (!t || !t->bitmap) continue;
    const Size fit = FitInCell({t->width, t->height}, side);
    if (fit.w <= 0) continue;
    SelectScope sel(mem.Get(), t->bitmap.Get());
    ::SetStretchBltMode(dc, HALFTONE);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::AlphaBlend(dc, left + (side - fit.w) / 2, top + (side - fit.h) / 2, fit.w, fit.h, mem.Get(), 0, 0, t->width,
                 t->height, blend);
  }
}

// --- input ---

void TKOLImageList::Changed(int newIndex) {
  if (newIndex == itemIndex_) return;
  itemIndex_ = newIndex;
  if (OnSelect) OnSelect(*this);
  Invalidate();
}

void TKOLImageList::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  SetFocus();
  const int index = Grid().IndexAt(x, y, scroll_);
  if (index >= 0 && index != itemIndex_) Changed(index);
  TVMNotRefreshPanel::MouseDown(button, shift, x, y);
}

void TKOLImageList::MouseMove(unsigned shift, int x, int y) {
  const int index = Grid().IndexAt(x, y, scroll_);
  if (index != hoverIndex_ && index >= 0) {
    hoverIndex_ = index;
    if (OnHintItem) OnHintItem(*this, Item(index).attrs.fileName);
  }
  TVMNotRefreshPanel::MouseMove(shift, x, y);
}

void TKOLImageList::MouseLeave() {
  hoverIndex_ = -2;
  if (OnHintItem) OnHintItem(*this, Select() ? Select()->attrs.fileName : std::string());
  TVMNotRefreshPanel::MouseLeave();
}

bool TKOLImageList::MouseWheel(int delta) {
  const int notches = wheel_.Add(delta);
  if (notches != 0) SetScroll(scroll_ - notches * std::max(1, Grid().CellSide()));
  return true;
}

void TKOLImageList::KeyDown(WORD key, unsigned shift) {
  using K = ListGrid::Key;
  const ListGrid g = Grid();
  K k;
  switch (key) {
    case VK_PRIOR: k = K::PageUp; break;
    case VK_NEXT: k = K::PageDown; break;
    case VK_HOME: k = K::Home; break;
    case VK_END: k = K::End; break;
    case VK_LEFT: k = K::Left; break;
    case VK_RIGHT: k = K::Right; break;
    case VK_UP: k = K::Up; break;
    case VK_DOWN: k = K::Down; break;
    case VK_DELETE:
      if (Select() && OnDeletePress) OnDeletePress(*this);
      return;
    default:
      TVMNotRefreshPanel::KeyDown(key, shift);
      return;
  }
  const int next = g.Navigate(itemIndex_, k);
  if (next == itemIndex_ || next < 0) return;
  if (k == K::Home) SetScroll(0);
  else if (k == K::End) SetScroll(g.ScrollMax());
  else if (k != K::Left && k != K::Right) SetScroll(g.ScrollIntoView(next, scroll_));
  Changed(next);
}

void TKOLImageList::FocusChanged() {
  if (Focused() && OnSetFocus) OnSetFocus(*this);
  Invalidate();
}

}  // namespace kolo::win
