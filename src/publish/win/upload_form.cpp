#include "publish/win/upload_form.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

#include "art_ids.h"
#include "color/color.h"
#include "frame/win/main_frame.h"
#include "frame/win/system_win.h"
#include "platform/win/gdiplus_session.h"
#include "publish/publish_rules.h"
#include "publish/win/connection.h"
#include "widgets/win/message_box_win.h"

namespace kolo::win {

namespace {

constexpr UINT_PTR kProgressTimerId = 1;
constexpr int kPanelX = 22, kPanelY = 36;

std::function<void(TfrmUpload&)>& ShownHook() {
  static std::function<void(TfrmUpload&)> hook;
  return hook;
}

// The bytes an image encodes to, through a stream in memory.
std::string SaveToMemory(Gdiplus::Image& image, const CLSID& encoder) {
  IStream* stream = nullptr;
  if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)) || !stream) return {};
  std::string out;
  if (image.Save(stream, &encoder, nullptr) == Gdiplus::Ok) {
    STATSTG stat{};
    HGLOBAL memory = nullptr;
    if (SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)) && SUCCEEDED(::GetHGlobalFromStream(stream, &memory))) {
      if (const void* bytes = ::GlobalLock(memory)) {
        out.assign(static_cast<const char*>(bytes), static_cast<std::size_t>(stat.cbSize.QuadPart));
        ::GlobalUnlock(memory);
      }
    }
  }
  stream->Release();
  return out;
}

}  // namespace

std::string EncodeUploadPng(Gdiplus::Image& image, long long transparent, int limit) {
  CLSID png;
  if (!FindImageEncoder(L"image/png", png)) return {};
  const int width = static_cast<int>(image.GetWidth()), height = static_cast<int>(image.GetHeight());
  if (width < 1 || height < 1) return {};
  const SentSize size = UploadSize(width, height, limit);
  if (!size.scaled && transparent == -1) return SaveToMemory(image, png);
  // Redrawn into 32-bit ARGB: scaled to the limit, the transparent colour keyed out.
  Gdiplus::Bitmap out(size.width, std::max(1, size.height), PixelFormat32bppARGB);
  Gdiplus::Graphics g(&out);
  g.Clear(Gdiplus::Color(0, 0, 0, 0));
  if (size.scaled) g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  Gdiplus::ImageAttributes attributes;
  if (transparent != -1) {
    const TColor c = static_cast<TColor>(transparent);
    const Gdiplus::Color key(GetR(c), GetG(c), GetB(c));
    attributes.SetColorKey(key, key);
  }
  g.DrawImage(&image, Gdiplus::Rect(0, 0, size.width, std::max(1, size.height)), 0, 0, width, height,
              Gdiplus::UnitPixel, &attributes);
  return SaveToMemory(out, png);
}

void TUploadThread::Execute() {
  total = 0;
  sent = 0;
  request.onBytesWritten = [this](std::size_t n) { sent += static_cast<long long>(n); };
  const std::string png = image ? EncodeUploadPng(*image, transparent, widthLimit) : std::string();
  total = static_cast<long long>(png.size());
  if (!png.empty() && !stop) {
    std::random_device seed;
    std::mt19937 rng(seed());
    const std::string boundary = MakeBoundary(std::uniform_int_distribution<std::uint32_t>(0, 0x7FFFFFFE)(rng));
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(png.data()), png.size());
    if (!request.Post(UploadAddress(url, uploadUrl, transparent != -1), UploadContentType(boundary),
                      UploadBody(boundary, bytes))) {
      if (!stop) ConnectedFlag() = false;
    } else if (request.status == 200) {
      // Only an address on the service's own host is taken (it is opened in the browser).
      const auto address = UploadAnswer(request.answer);
      if (address && IsServiceAddress(*address, url.empty() ? uploadUrl : url)) {
        answer = *address;
        success = true;
      }
    }
  }
  image.reset();
  finished = true;
}

// --- the window ---

void TfrmUpload::SetShownHook(std::function<void(TfrmUpload&)> hook) { ShownHook() = std::move(hook); }

TfrmUpload::TfrmUpload() : TDialogForm(SecondaryForm::Upload, L"TfrmUpload", L"Uploading") {}

TfrmUpload::~TfrmUpload() {
  // A worker still running finishes on its own; it only holds its shared state.
  if (worker_) {
    worker_->stop = true;
    worker_->request.Abort();
  }
}

bool TfrmUpload::Create(HWND owner) {
  if (!CreateForm(owner, kWidth, kHeight)) return false;
  images_.LoadFromResource(KOLO_RES_IMAGES_DIALOG);
  auto place = [this](TVMPictureButton& b, int normal, int hover, int down, int x, int y, const wchar_t* name) {
    b.SetImageList(&images_);
    b.SetImages(normal, hover, down, -2);
    const SIZE size = images_.ImageSize(normal);
    b.Create(Handle(), x, y, size.cx, size.cy);
    ::SetWindowTextW(b.Handle(), name);
    b.OnClick = [this](Widget&) { btnCloseClick(); };
  };
  btnClose.SetColor(clFrame);
  place(btnClose, art::kDlgImgCloseNormal, art::kDlgImgCloseHover, art::kDlgImgCloseDown, kWidth - 13, 3, L"close");
  place(btnCloseBottom, art::kDlgImgCancelNormal, art::kDlgImgCancelHover, art::kDlgImgCancelDown, kWidth - 8 - 64,
        kHeight - 8 - 20, L"Cancel");
  pntProgress.SetColor(clSkyBlue);
  pntProgress.SetBorderColor(clFrame);
  pntProgress.SetBorderSize(1);
  pntProgress.Create(Handle(), kPanelX, kPanelY, kBarWidth + 2, kBarHeight + 2);
  ::SetWindowTextW(pntProgress.Handle(), L"upload progress");
  imgProgress.SetColor(clFrame);
  imgProgress.SetVisible(false);
  imgProgress.Create(pntProgress, 1, 1, 1, kBarHeight);
  ::SetWindowTextW(imgProgress.Handle(), L"sent");
  return true;
}

int TfrmUpload::Execute(TMainFrame& main, Gdiplus::Image& image, long long transparent, const std::string& url) {
  if (!Handle() || Running()) return kResultCancel;
  SetProgress(0);
  URL = url;
  worker_.reset();

  auto worker = std::make_shared<TUploadThread>();
  worker->transparent = transparent;
  worker->url = url;
  worker->uploadUrl = main.Options().uploadURL;
  worker->widthLimit = std::min(1500, ::GetSystemMetrics(SM_CXSCREEN));
  // The worker encodes its own copy: the main window may paint the original meanwhile.
  worker->image.reset(image.Clone());
  worker_ = worker;
  std::thread([worker] { worker->Execute(); }).detach();

  result_ = kResultCancel;
  RunModal(main.Handle(), main.Options().stayonTop,
           [this] {
             timer_ = ::SetTimer(Handle(), kProgressTimerId, 100, nullptr);
             if (auto hook = ShownHook()) hook(*this);
           },
           [this](const MSG& msg) {
             // Escape cancels as the buttons do: the request is aborted too.
             if (msg.message != WM_KEYDOWN || msg.wParam != VK_ESCAPE) return false;
             if (msg.hwnd != Handle() && !::IsChild(Handle(), msg.hwnd)) return false;
             btnCloseClick();
             return true;
           });
  if (timer_) ::KillTimer(Handle(), timer_);
  timer_ = 0;
  // Ended some other way (the close command, the program ending): the worker stops as well.
  if (result_ == kResultCancel && worker_ && !worker_->finished) {
    worker_->stop = true;
    worker_->request.Abort();
  }

  if (result_ == kResultOk) {
    URL = worker_->answer;
    if (openPage) openPage(URL);
    else OpenURL(URL);
  }
  if (worker_ && worker_->finished) worker_.reset();
  if (result_ == kResultNo) ShowMessageBox("There was an error loading the image.", MessageKind::Error, kMbOk);
  return result_;
}

void TfrmUpload::ProgressTimer() {
  if (!worker_ || worker_->finished) {
    SetProgress(kBarWidth);
    End(worker_ && worker_->success ? kResultOk : kResultNo);
    return;
  }
  const long long total = worker_->total, sent = worker_->sent;
  SetProgress(total < 1 ? 0
                        : std::clamp(static_cast<int>(std::nearbyint(static_cast<double>(kBarWidth) * sent / total)),
                                     0, kBarWidth));
}

void TfrmUpload::SetProgress(int width) {
  if (width == progress_ && (width > 0) == imgProgress.Visible()) return;
  progress_ = width;
  imgProgress.SetVisible(width > 0);
  if (width > 0) imgProgress.SetSize(width, kBarHeight);
}

void TfrmUpload::btnCloseClick() {
  if (timer_) ::KillTimer(Handle(), timer_);
  timer_ = 0;
  if (worker_ && !worker_->finished) {
    worker_->stop = true;
    worker_->request.Abort();
  }
  End(kResultCancel);
}

void TfrmUpload::End(int result) {
  if (timer_) ::KillTimer(Handle(), timer_);
  timer_ = 0;
  result_ = result;
  Finish(result == kResultOk);
}

LRESULT TfrmUpload::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_TIMER:
      if (wp == kProgressTimerId && Running()) ProgressTimer();
      return 0;
    default:
      return TDialogForm::HandleMessage(msg, wp, lp);
  }
}

}  // namespace kolo::win
