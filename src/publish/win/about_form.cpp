#include "publish/win/about_form.h"

#include <algorithm>
#include <memory>
#include <thread>

#include "art_ids.h"
#include "color/color.h"
#include "frame/win/main_frame.h"
#include "frame/win/system_win.h"
#include "platform/messages.h"
#include "publish/http_client.h"
#include "publish/publish_rules.h"
#include "publish/win/connection.h"
#include "widgets/win/message_box_win.h"

namespace kolo::win {

namespace {

constexpr std::size_t kMaxProgram = 64u << 20;
constexpr std::size_t kMaxSignature = 1024;
// The update check hands the proxy that worked to the window's thread.
constexpr UINT kWmProxyFound = WM_APP + 20;

std::function<void(TfrmAbout&)>& ShownHook() {
  static std::function<void(TfrmAbout&)> hook;
  return hook;
}

// Set by the update check's thread when it ends.
std::shared_ptr<std::atomic<bool>>& CheckDone() {
  static std::shared_ptr<std::atomic<bool>> done;
  return done;
}

std::span<const std::uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

bool WriteWhole(const std::wstring& path, const std::string& data) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < data.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 20));
    ok = ::WriteFile(file, data.data() + done, chunk, &written, nullptr) && written == chunk;
    done += written;
  }
  ok = ::FlushFileBuffers(file) && ok;
  ::CloseHandle(file);
  return ok;
}

}  // namespace

std::optional<std::string> FetchRelease(const std::string& address, bool requireHttps, const RsaPublicKey& key) {
  std::string scheme = address.substr(0, 8);
  std::transform(scheme.begin(), scheme.end(), scheme.begin(), [](char c) { return static_cast<char>(::tolower(c)); });
  if (requireHttps && scheme != "https://") return std::nullopt;
  HttpRequest program;
  program.maxAnswer = kMaxProgram;
  if (!program.Get(address) || program.status != 200) return std::nullopt;
  HttpRequest signature;
  signature.maxAnswer = kMaxSignature;
  if (!signature.Get(address + ".sig") || signature.status != 200) return std::nullopt;
  if (!IsTrustedRelease(Bytes(program.answer), Bytes(signature.answer), key)) return std::nullopt;
  return std::move(program.answer);
}

bool InstallRelease(const std::wstring& folder, const std::string& program) {
  const std::wstring fresh = folder + L"Kolo_new.exe", current = folder + L"Kolo.exe", last = folder + L"Kolo_last.exe";
  ::DeleteFileW(fresh.c_str());
  if (!WriteWhole(fresh, program)) {
    ::DeleteFileW(fresh.c_str());
    return false;
  }
  // A running program may be renamed, not overwritten.
  const bool moved = ::MoveFileExW(current.c_str(), last.c_str(), MOVEFILE_REPLACE_EXISTING);
  if (!::MoveFileExW(fresh.c_str(), current.c_str(), 0)) {
    // Never leave the folder without its program.
    if (moved) ::MoveFileExW(last.c_str(), current.c_str(), 0);
    ::DeleteFileW(fresh.c_str());
    return false;
  }
  return true;
}

void TfrmAbout::SetShownHook(std::function<void(TfrmAbout&)> hook) { ShownHook() = std::move(hook); }

TfrmAbout::TfrmAbout() : TDialogForm(SecondaryForm::About, L"TfrmAbout", L"About") {}
TfrmAbout::~TfrmAbout() = default;

bool TfrmAbout::UpdateCheckDone() const { return !CheckDone() || *CheckDone(); }

bool TfrmAbout::Create(HWND owner) {
  if (!CreateForm(owner, kWidth, kHeight)) return false;
  images_.LoadFromResource(KOLO_RES_IMAGES_DIALOG);
  auto font = [](int height, bool underline, const wchar_t* face) {
    return ::CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, underline, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
  };
  versionFont_.Reset(font(-12, false, L"Comic Sans MS"));
  linkFont_.Reset(font(-11, true, L"Arial"));
  runningVersion = GetProgramVersion();

  auto place = [this](TVMPictureButton& b, int normal, int hover, int down, int x, int y, const wchar_t* name) {
    b.SetImageList(&images_);
    b.SetImages(normal, hover, down, -2);
    const SIZE size = images_.ImageSize(normal);
    b.Create(Handle(), x, y, size.cx, size.cy);
    ::SetWindowTextW(b.Handle(), name);
  };
  btnClose.SetColor(clFrame);
  place(btnClose, art::kDlgImgCloseNormal, art::kDlgImgCloseHover, art::kDlgImgCloseDown, kWidth - 13, 3, L"close");
  const int buttonsY = kHeight - 8 - 20;
  place(btnOk, art::kDlgImgOkNormal, art::kDlgImgOkHover, art::kDlgImgOkDown, kWidth - 8 - 64 - 6 - 64, buttonsY,
        L"OK");
  place(btnCancel, art::kDlgImgCancelNormal, art::kDlgImgCancelHover, art::kDlgImgCancelDown, kWidth - 8 - 64,
        buttonsY, L"Cancel");
  place(btnNewVer, art::kDlgImgNewVersionNormal, art::kDlgImgNewVersionHover, art::kDlgImgNewVersionDown, 10,
        buttonsY, L"Get new version");
  btnNewVer.SetVisible(false);
  btnOk.OnClick = [this](Widget&) { btnOkClick(); };
  for (TVMPictureButton* b : {&btnClose, &btnCancel}) b->OnClick = [this](Widget&) { btnCloseClick(); };
  btnNewVer.OnClick = [this](Widget&) { btnNewVerClick(); };

  imgProgram.SetImageList(&images_);
  imgProgram.SetImageListID(art::kDlgImgAboutPicture);
  imgProgram.Create(Handle(), 12, kTitleHeight + 9, 48, 48);
  ::SetWindowTextW(imgProgram.Handle(), L"Kolo");
  imgProgram.SetIsRun(true);

  const int textX = 72, textW = kWidth - textX - 8;
  auto label = [&](TVMLabel& l, HFONT f, int y, const std::string& caption) {
    l.SetFont(f);
    l.SetFontColor(clFrame);
    l.SetCaption(caption);
    l.Create(Handle(), textX, y, textW, 15);
  };
  label(lbVersion, versionFont_.Get(), kTitleHeight + 9, "Kolo, version");
  label(lbLine, TextFont(), kTitleHeight + 28, "Colours, palettes and screenshots");
  label(lbLink, linkFont_.Get(), kTitleHeight + 45, "");
  lbLink.SetCursor(::LoadCursorW(nullptr, IDC_HAND));
  lbLink.OnClick = [this](Widget&) { OpenURL(site); };
  return true;
}

void TfrmAbout::ShowAbout(TMainFrame& main) {
  if (!Handle() || Running()) return;
  main_ = &main;
  lbVersion.SetCaption("Kolo, version " + VersionText(runningVersion, '.'));
  // The site as people type it: no scheme, no trailing slash.
  std::string shown = site.substr(site.find("://") == std::string::npos ? 0 : site.find("://") + 3);
  if (!shown.empty() && shown.back() == '/') shown.pop_back();
  lbLink.SetCaption(shown);
  if (firstOpening_) {
    firstOpening_ = false;
    StartUpdateCheck(main);
  }

  RunModal(main.Handle(), main.Options().stayonTop, [this] {
    if (auto hook = ShownHook()) hook(*this);
  });
}

void TfrmAbout::StartUpdateCheck(TMainFrame& main) {
  auto done = std::make_shared<std::atomic<bool>>(false);
  CheckDone() = done;
  HWND about = Handle();
  const std::string proxy = main.Options().proxy, home = site;
  const double running = runningVersion;
  // TNewVerThread: never shows a message; it reaches the window only by sent messages.
  std::thread([about, proxy, home, running, done] {
    std::string found = proxy;
    if (ConnectedFlag() || ConnectToService(found, ProbeAddress(home))) {
      std::string current = GetProxyString();
      ::SendMessageW(about, kWmProxyFound, 0, reinterpret_cast<LPARAM>(&current));
      ConnectedFlag() = true;
      std::string text;
      if (HttpGetText(home + "/kolo/prg/ver.txt", text)) {
        const std::optional<double> newest = ParseVersion(text);
        if (newest && IsNewerVersion(*newest, running)) {
          double value = *newest;
          ::SendMessageW(about, WM_NEWVERSION, 0, reinterpret_cast<LPARAM>(&value));
        }
      }
    }
    *done = true;
  }).detach();
}

void TfrmAbout::btnNewVerClick() {
  if (newest_ <= 0) return;
  HCURSOR old = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  const std::optional<std::string> program = FetchRelease(DownloadAddress(site, newest_), true);
  const bool installed = program && InstallRelease(ProgramFolder(), *program);
  ::SetCursor(old);
  if (!installed) {
    ShowMessageBox("Server with the latest version available. Please try again later.", MessageKind::Information,
                   kMbOk);
    return;
  }
  const int answer = ShowMessageBox("New version uploaded successfully. Restart the program?",
                                    MessageKind::Confirmation, kMbYes | kMbNo | kMbCancel);
  if (answer == kResultYes && onRestart) onRestart();
}

LRESULT TfrmAbout::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NEWVERSION:
      if (lp) newest_ = *reinterpret_cast<const double*>(lp);
      btnNewVer.SetVisible(true);
      return 0;
    case kWmProxyFound:
      if (lp && main_) main_->Options().proxy = *reinterpret_cast<const std::string*>(lp);
      return 0;
    default:
      return TDialogForm::HandleMessage(msg, wp, lp);
  }
}

}  // namespace kolo::win
