// TVMCombinationPanel: a panel whose background is one GIF, cut at the
// dilator column and row so it stretches without distorting its edges.
// TVMPagerPanel: a combination panel that shows one child panel at a time.
#pragma once

#include <string>

#include "widgets/nine_slice.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/not_refresh_panel.h"

namespace kolo {

// The drawing part: which picture and how it is laid over a rectangle.
class TVMCombinationGIF {
 public:
  explicit TVMCombinationGIF(std::function<void()> changed) : list_(changed), changed_(std::move(changed)) {}

  TVMGIFImageList* ImageList() const { return list_.Get(); }
  void SetImageList(TVMGIFImageList* list) { list_.Set(list); Changed(); }
  int ImageListID() const { return id_; }
  void SetImageListID(int id) { id_ = id; Changed(); }
  // A GIF file instead of a list entry; "" goes back to the list.
  const std::wstring& FileName() const { return fileName_; }
  bool SetFileName(const std::wstring& path);
  int Xdilator = -1, Ydilator = -1;
  TFillType FillType = ftNormal;

  SIZE ImageSize() const;
  void Paint(HDC dc, int width, int height) const;

 private:
  void Changed() { if (changed_) changed_(); }
  const GifBitmaps* Source() const;
  ImageListLink list_;
  std::function<void()> changed_;
  int id_ = -1;
  std::wstring fileName_;
  GifBitmaps file_;
};

class TVMCombinationPanel : public TVMNotRefreshPanel {
 public:
  TVMCombinationPanel();

  TVMCombinationGIF& Gif() { return gif_; }
  void SetImageList(TVMGIFImageList* list) { gif_.SetImageList(list); }
  void SetImageListID(int id) { gif_.SetImageListID(id); }
  bool SetFileName(const std::wstring& path);
  void SetDilators(int x, int y) { gif_.Xdilator = x; gif_.Ydilator = y; Invalidate(); }
  void SetFillType(TFillType fill) { gif_.FillType = fill; Invalidate(); }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on) { autoSize_ = on; ApplyAutoSize(); }
  // The mouse acts on what lies below the panel.
  bool MouseTransparent = false;

 protected:
  const wchar_t* ClassName() const override { return L"TVMCombinationPanel"; }
  void PaintContent(HDC dc, const IntRect& inner) override;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void Created() override { ApplyAutoSize(); }

 private:
  void ApplyAutoSize();
  TVMCombinationGIF gif_;
  bool autoSize_ = false;
};

class TVMPagerPanel : public TVMCombinationPanel {
 public:
  TVMPagerPanel();

  TVMNotRefreshPanel* CurrentPanel() const { return current_; }
  // Shows `panel` over the whole pager and hides the other child panels.
  // The current panel or none changes nothing.
  void SetCurrentPanel(TVMNotRefreshPanel* panel);

 protected:
  const wchar_t* ClassName() const override { return L"TVMPagerPanel"; }
  void ChildAdded(Widget& child) override;
  void ChildRemoved(Widget& child) override;

 private:
  TVMNotRefreshPanel* current_ = nullptr;
};

}  // namespace kolo
