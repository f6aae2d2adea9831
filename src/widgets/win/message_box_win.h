// The program's only way to ask or report: a small modal window in Kolo's own
// style with a fixed set of kinds and buttons, never the system message box.
//
//   int answer = ShowMessageBox("Do you want to close the Kolo?", MessageKind::Confirmation,
//                               kMbYes | kMbNo | kMbMinimise);
//
// The main window registers itself once with SetMessageBoxOwner: boxes are then
// owned by it, centred over it, and topmost when it stays on top.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/window.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/label.h"
#include "widgets/win/not_refresh_panel.h"
#include "widgets/win/picture_button.h"
#include "widgets/win/gif_image.h"

namespace kolo::win {

// Kinds: title and icon ("Warning", "Error", "Information", "Confirmation"; None has neither).
enum class MessageKind { Warning = 0, Error = 1, Information = 2, Confirmation = 3, None = 4 };

// Button flags, left to right in this order.
inline constexpr unsigned kMbYes = 0x01;
inline constexpr unsigned kMbNo = 0x02;
inline constexpr unsigned kMbOk = 0x04;
inline constexpr unsigned kMbCancel = 0x08;
inline constexpr unsigned kMbMinimise = 0x80;

// The pressed button's result.
inline constexpr int kMrOk = 1;
inline constexpr int kMrCancel = 2;  // also Escape and the close button
inline constexpr int kMrYes = 6;
inline constexpr int kMrNo = 7;
inline constexpr int kMrMinimise = 8;

class TfrmMessage;

// The pressed button's result, or 2 for Escape and the close button.
int ShowMessageBox(const std::string& text, MessageKind kind, unsigned buttons);

// The owner of every box (the main window) and how to tell that it stays on top.
// Without the callback the owner's own topmost style decides.
void SetMessageBoxOwner(HWND owner, std::function<bool()> stayOnTop = {});
// Pictures of the boxes (icons 0-3, button glyphs 4-18, close 19-21). By
// default the program's message pack resource; nullptr goes back to it.
void SetMessageBoxImages(TVMGIFImageList* images);
// Called once a box is showing, before it waits for an answer: tests answer
// it by posting input to it. Empty removes the hook.
void SetMessageBoxShownHook(std::function<void(TfrmMessage&)> hook);

class TfrmMessage : public win::Window {
 public:
  static constexpr int kTitleHeight = 15;
  static constexpr int kDragHeight = 16;  // the top strip moves the window

  TfrmMessage(std::string text, MessageKind kind, unsigned buttons, TVMGIFImageList* images);
  ~TfrmMessage() override;

  // Creates, shows and runs the box until it is answered.
  int ShowModal(HWND owner, bool topmost);
  // Ends the box with a result.
  void Close(int result);

  // For tests and the hook.
  MessageKind Kind() const { return static_cast<MessageKind>(kind_); }
  const std::string& Title() const { return title_; }
  const std::string& Text() const { return text_; }
  int ClientWidth() const { return width_; }
  int ClientHeight() const { return height_; }
  struct Button {
    unsigned flag;
    int result;
    std::unique_ptr<TVMPictureButton> control;
  };
  const std::vector<Button>& Buttons() const { return buttons_; }
  HWND ButtonHandle(unsigned flag) const;
  HWND CloseButtonHandle() const;
  IntRect LabelBounds() const { return label_.Bounds(); }
  int Result() const { return result_; }
  int DefaultResult() const;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void BuildControls();
  void Layout();
  void PaintTitle(HDC dc);
  bool HandleKey(const MSG& msg);
  SIZE TextSize(const std::string& text) const;

  std::string text_, title_;
  int kind_;
  unsigned buttonFlags_;
  TVMGIFImageList* images_;
  int width_ = 0, height_ = 0;
  bool done_ = false;
  int result_ = kMrCancel;

  std::unique_ptr<TVMNotRefreshPanel> body_;
  TVMGIFImage icon_;
  TVMLabel label_;
  TVMPictureButton close_;
  std::vector<Button> buttons_;
};

}  // namespace kolo::win
