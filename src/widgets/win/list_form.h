// TfrmList: the borderless drop-down list of the program's choice boxes. It
// opens under its anchor control (above it when there is no room below),
// shows the texts with the current one selected, reports the chosen index
// to the caller and hides; it also hides when it loses the activation.
//
//   ListForm()->Popup(box.Handle(), 0, 0, 0,
//                     [this](int index, HWND) { SetKind(index); }, "Web", names);
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "widgets/popup_rules.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/list_box.h"
#include "widgets/win/not_refresh_panel.h"
#include "widgets/win/scroll_image.h"
#include "widgets/win/secondary_form.h"

namespace kolo::win {

class TfrmList : public TSecondaryForm {
 public:
  using Callback = std::function<void(int index, HWND anchor)>;

  TfrmList();
  ~TfrmList() override;
  bool Create(HWND owner);

  // extraWidth widens the list to the left of the anchor, gap lies between
  // them, moreWidth widens it to the right.
  void Popup(HWND anchor, int extraWidth, int gap, int moreWidth, Callback callback, const std::string& current,
             const std::vector<std::string>& texts);
  void Hide();

  const ListPlacement& Placement() const { return placement_; }
  HWND Anchor() const { return anchor_; }
  TVMListBox list;
  TVMScrollImage scroller;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void listSelectItem();
  void Layout();

  TVMGIFImageList scrollImages_;
  TVMNotRefreshPanel pnlForm, pnlBackground;
  Font font_;
  Callback callback_;
  HWND anchor_ = nullptr;
  ListPlacement placement_;
};

// The program's drop-down list, once it is created.
TfrmList* ListForm();

}  // namespace kolo::win
