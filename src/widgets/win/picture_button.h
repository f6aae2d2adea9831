// TVMPictureButton: a button whose every state is a picture of an image list.
// The drawing part, TVMImageButton, holds the images and the press state; the
// picture button is the focusable window around it that clicks.
//
// A click needs a left press and a release without the pointer leaving the
// button in between. The button is a tab stop: with the focus it shows its
// Selected picture, and Space or Enter show the pressed picture while held and
// click on release, so the keyboard reaches everything a mouse does. A click
// of the mouse leaves the focus where it was (an edit being typed in keeps it).
// Changing ImageListID at run time changes the look.
#pragma once

#include "widgets/control_rules.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/widget.h"

namespace kolo {

class TVMImageButton {
 public:
  explicit TVMImageButton(std::function<void()> changed) : list_(changed), changed_(std::move(changed)) {}

  TVMGIFImageList* ImageList() const { return list_.Get(); }
  void SetImageList(TVMGIFImageList* list) { list_.Set(list); Changed(); }
  const TVMImageButtonListID& ImageListID() const { return ids_; }
  void SetImageListID(const TVMImageButtonListID& ids) { ids_ = ids; Changed(); }
  bool Down() const { return down_; }
  void SetDown(bool down) { down_ = down; Changed(); }
  bool Selected() const { return selected_; }
  void SetSelected(bool selected) { selected_ = selected; Changed(); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; Changed(); }

  ButtonPressTracker& Tracker() { return tracker_; }
  ButtonState State() const { return tracker_.State(); }
  // Space or Enter show the pressed picture while held.
  void SetKeyPressed(bool on) { keyPressed_ = on; Changed(); }
  bool KeyPressed() const { return keyPressed_; }

  int CurrentImage() const;
  SIZE NormalSize() const;
  void Paint(HDC dc) const;  // at (0, 0), over what is already there

 private:
  void Changed() { if (changed_) changed_(); }
  ImageListLink list_;
  std::function<void()> changed_;
  TVMImageButtonListID ids_;
  ButtonPressTracker tracker_;
  bool down_ = false, selected_ = false, enabled_ = true, keyPressed_ = false;
};

class TVMPictureButton : public Widget {
 public:
  TVMPictureButton();

  TVMImageButton& ImageButton() { return button_; }
  TVMGIFImageList* ImageList() const { return button_.ImageList(); }
  void SetImageList(TVMGIFImageList* list) { button_.SetImageList(list); }
  const TVMImageButtonListID& ImageListID() const { return button_.ImageListID(); }
  void SetImageListID(const TVMImageButtonListID& ids) { button_.SetImageListID(ids); }
  // The usual set of normal, hover and pressed pictures; disabled defaults to
  // normal, and the focused button shows its hover picture.
  void SetImages(int normal, int move, int down, int disable = -2);
  bool Down() const { return button_.Down(); }
  void SetDown(bool down) { button_.SetDown(down); }
  // Sizes the button to its normal picture.
  void SizeToImage();

 protected:
  const wchar_t* ClassName() const override { return L"TVMPictureButton"; }
  DWORD ExtraStyle() const override { return WS_TABSTOP; }
  void Paint(HDC dc, const IntRect& client) override;
  bool ClickOnRelease() const override { return false; }
  void MouseDown(MouseButton button, unsigned shift, int x, int y) override;
  void MouseUp(MouseButton button, unsigned shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void KeyDown(WORD key, unsigned shift) override;
  void KeyUp(WORD key, unsigned shift) override;
  void EnabledChanged() override;
  void FocusChanged() override;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  TVMImageButton button_;
  WORD keyDown_ = 0;  // the key whose release clicks
};

}  // namespace kolo
