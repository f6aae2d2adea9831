// TfrmAbout: the version, the maker's site, and — found by the update check
// that its first opening starts — the button that fetches a newer version.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/win/handles.h"
#include "publish/release_check.h"
#include "widgets/win/gif_image.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/label.h"
#include "widgets/win/picture_button.h"
#include "widgets/win/dialog_form.h"

namespace kolo::win {

class TMainFrame;

// The update's file operations, apart from the window so tests can run them.
// The program at `address` and its signature at `address` + ".sig": the
// program's bytes when the download is an https address (unless the caller
// allows plain http), answered 200 both times, is a 64-bit Windows program and
// carries the key's signature; nothing otherwise.
std::optional<std::string> FetchRelease(const std::string& address, bool requireHttps,
                                        const RsaPublicKey& key = ReleaseKey());
// In `folder`: "Kolo_new.exe" written whole, then "Kolo.exe" becomes
// "Kolo_last.exe" and "Kolo_new.exe" becomes "Kolo.exe". False (and no rename)
// when the new file could not be written.
bool InstallRelease(const std::wstring& folder, const std::string& program);

class TfrmAbout : public TDialogForm {
 public:
  static constexpr int kWidth = 290, kHeight = 112;

  TfrmAbout();
  ~TfrmAbout() override;
  bool Create(HWND owner);

  // ShowAbout: centred over the main window, modal; the first opening of the run
  // starts the update check against `site` (the maker's site).
  void ShowAbout(TMainFrame& main);
  void btnNewVerClick();
  void btnOkClick() { Finish(true); }
  void btnCloseClick() { Finish(false); }  // close and Cancel

  // The maker's site: the link, the version file and the downloads.
  std::string site;
  // The program's version (tests set another).
  double runningVersion = 0;
  // Yes to the restart question: save, release and start the new program.
  std::function<void()> onRestart;

  double NewestVersion() const { return newest_; }
  using TDialogForm::Running;
  // Called once the window is showing, before it waits (tests act from here).
  static void SetShownHook(std::function<void(TfrmAbout&)> hook);
  // Ends when the update check thread is done (tests).
  bool UpdateCheckDone() const;

  TVMGIFImage imgProgram;
  TVMLabel lbVersion, lbLine, lbLink;
  TVMPictureButton btnClose, btnOk, btnCancel, btnNewVer;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void StartUpdateCheck(TMainFrame& main);

  TVMGIFImageList images_;
  Font versionFont_, linkFont_;
  TMainFrame* main_ = nullptr;
  bool firstOpening_ = true;
  double newest_ = 0;
};

}  // namespace kolo::win
