// TKOLFontList: the scrolling list of the installed font families, each name
// drawn in its own face. Only the rows in view are drawn, so a machine with a
// thousand families opens as fast as one with ten. A press (or a drag) chooses
// the row under the pointer and the release confirms it; Enter and Space
// confirm the highlighted row, Escape confirms the last choice, the arrows,
// Page Up/Down, Home and End move the highlight.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "fonts/font_list_model.h"
#include "widgets/win/not_refresh_panel.h"
#include "widgets/win/scroll_image.h"

namespace kolo {

class TKOLFontList;

// The painting child that fills the list and takes its mouse and keys.
class TFontListRows : public Widget {
 public:
  explicit TFontListRows(TKOLFontList& list) : list_(list) {}

 protected:
  const wchar_t* ClassName() const override { return L"TFontListRows"; }
  void Paint(HDC dc, const IntRect& client) override;
  bool DrawsAtScreenSize() const override { return true; }  // the samples are the point
  void Resized() override;
  void MouseDown(MouseButton button, unsigned shift, int x, int y) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void MouseUp(MouseButton button, unsigned shift, int x, int y) override;
  bool MouseWheel(int delta) override;
  void KeyDown(WORD key, unsigned shift) override;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  TKOLFontList& list_;
};

class TKOLFontList : public TVMNotRefreshPanel {
 public:
  TKOLFontList();

  TColor SelectColor = clFrame;
  TColor BgColor = clSkyBlue;
  TColor FontColor = clFrame;
  NotifyEvent OnSelect;

  void SetVerticalScroller(TVMScrollImage* scroller);
  TVMScrollImage* VerticalScroller() const { return scroller_.Get(); }

  void SetNames(std::vector<std::string> names);
  const std::vector<std::string>& Names() const { return model_.Names(); }
  int ItemHeight() const { return model_.itemHeight; }
  void SetItemHeight(int height);
  // The style every name is drawn in.
  void SetStyle(int size, bool bold, bool italic, bool underline);
  int FontSize() const { return fontSize_; }
  bool FontIsBold() const { return bold_; }
  bool FontIsItalic() const { return italic_; }
  bool FontIsUnderline() const { return underline_; }

  const std::string& SelectFontName() const { return model_.selectFontName; }
  void SetSelectFontName(std::string name) { model_.selectFontName = std::move(name); }
  int ItemIndex() const { return model_.itemIndex; }
  // Highlights the chosen family and scrolls it to the top.
  void ScrollToSelected();
  int Position() const { return model_.Position(); }
  // The keyboard goes to the rows.
  void FocusRows() { rows_.SetFocus(); }

  // Input as the rows get it (the view's y), for the keyboard and the tests.
  void Press(int y);
  void Release();
  void Key(FontListKey key);

  // Faces built for the rows drawn so far (the lazy drawing at work).
  int FacesBuilt() const { return facesBuilt_; }

 protected:
  const wchar_t* ClassName() const override { return L"TKOLFontList"; }
  void Created() override;

 private:
  friend class TFontListRows;
  HFONT FaceFor(int row);
  void ViewChanged();
  void SyncScroller();
  void PaintRows(HDC dc, const IntRect& client);

  FontListModel model_;
  TFontListRows rows_{*this};
  ScrollerLink scroller_;
  int fontSize_ = 15;
  bool bold_ = false, italic_ = false, underline_ = false;
  std::map<int, win::Font> faces_;  // by row, for the current style
  int facesBuilt_ = 0;
};

}  // namespace kolo
