// Tab 1: harmonies on the colour wheel. Colour slot 0 sits on a wheel made of
// six base colours; the other slots take the colours of the chosen harmony.
// The maths lives in tools/wheel_model.h; this class wires the page's
// controls, the wheel in the main image and the colour slots to it.
#pragma once

#include <windows.h>

#include <array>

#include "frame/win/base_tab.h"
#include "frame/win/color_cell.h"
#include "tools/wheel_model.h"
#include "widgets/win/edit_panel.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/image_checkbox.h"
#include "widgets/win/label.h"
#include "widgets/win/picture_button.h"

namespace kolo::win {

class TCircleTab : public TBaseTab {
 public:
  explicit TCircleTab(TMainFrame& main);
  ~TCircleTab() override;

  void Activate() override;
  void Deactivate() override;
  void Repaint(bool quick) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void MouseDown(MouseButton button, unsigned shift, int x, int y) override;
  void MouseUp(MouseButton button, unsigned shift, int x, int y) override;
  void ReadCurrentColor() override;
  void UpdateEdits() override;
  void LoadSettings(SettingsStore& store) override;
  void SaveSettings(SettingsStore& store) override;

  // Handlers of the page's controls (tags as the buttons carry them, from 1).
  void chWheelTypeClick(int tag);
  void chBaseColor2Click(int tag);
  void panColDragEnter(int tag, TColor dragged);
  void panColDragLeave(int tag);
  void panColEndDrag(int tag, TColor dragged);
  void edCirPalette1KeyUp(int tag);
  void btnCircleSubPalette1MouseDown(int tag);
  void chCurPalette1Click(int tag);

  WheelModel& Model() { return model_; }

  // State named as the rest of the program knows it.
  int pressState = 0;  // 0 idle, 1 just pressed, 2 dragging on the wheel
  TColor lastBase = 0;
  bool changed = false;
  std::array<TColor, 4> slotSnapshot{};

  TVMGIFImageList& mainImages;
  std::array<TVMPictureButton, kWheelTypeCount> chWheelType;
  std::array<TVMPictureButton, kWheelPresetCount> chBaseColor;
  std::array<TColorCell, kWheelBaseCount> panCol;
  std::array<TVMLabel, 2> lbCirPalette;    // "S", "B"
  std::array<TEditPanel, 2> edCirPanel;    // hold edCirPalette1, edCirPalette2
  std::array<TVMPictureButton, 2> btnCircleSubPalette;
  std::array<TVMImageCheckbox, 2> chCurPalette;
  HWND edCirPalette(int tag) const { return edCirPanel[static_cast<size_t>(tag - 1)].edit; }

 private:
  void CreateControls();
  bool controlsCreated_ = false;
  void UpdateControls();
  std::array<TColor, 4> Slots();
  void SetSlots(const std::array<TColor, 4>& slots);
  // Algorithms of the tab: recompute the harmony (slot 0 too, or not), find
  // slot 0 on the wheel, set one base colour.
  void Recompute(bool writeBase);
  void Search();
  void SetBase(int tag, TColor c);
  void SetValue(int tag, double v);

  WheelModel model_;
  // A drag over a base-colour panel shows live; these put things back when it leaves.
  TColor previewSaved_ = 0;
  bool previewChanged_ = false;
  int previewTag_ = 0;
  bool syncingEdits_ = false;
};

}  // namespace kolo::win
