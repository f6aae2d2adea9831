// Tab 0: slices through the colour models. The current colour is shown in one
// of seven models as a plane in the main image (one component fixed) and as
// values in edits with up/down buttons and value sliders; picking in the plane
// or changing a value makes the current colour. The arithmetic lives in
// tools/palette_model.h and tools/palette_plane.h.
#pragma once

#include <windows.h>

#include <array>

#include "frame/win/base_tab.h"
#include "tools/palette_model.h"
#include "widgets/win/combination_panel.h"
#include "widgets/win/edit_panel.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/image_checkbox.h"
#include "widgets/win/label.h"
#include "widgets/win/picture_button.h"

namespace kolo::win {

class TPaletteTab : public TBaseTab {
 public:
  explicit TPaletteTab(TMainFrame& main);
  ~TPaletteTab() override;

  void Activate() override;
  void Deactivate() override;
  void Repaint(bool quick) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void MouseDown(MouseButton button, unsigned shift, int x, int y) override;
  void MouseUp(MouseButton button, unsigned shift, int x, int y) override;
  void UpdateEdits() override;
  void ReadCurrentColor() override;
  void LoadSettings(SettingsStore& store) override;
  void SaveSettings(SettingsStore& store) override;

  // Handlers of the tab's controls.
  void butPalette1Click(int tag);
  void butViewType1Click(int tag);
  void chPalette1Click(int component);
  void chCMYK1Click(int tag);
  void edPalette1KeyUp(HWND edit);
  void btnud1MouseDown(int tag);
  void btnud1MouseUp();
  void TypeTimerTimer();
  // Opens the value slider of a component (1..3, CMYK 1..4) at its button.
  void btnSubPalette1MouseDown(int component, TVMPictureButton& button);

  PaletteModel& Model() { return model_; }
  // The edit of a component of the model shown (CMYK 1..4).
  HWND EditOf(int component) const;
  bool TypeTimerRunning() const { return typeTimerTag_ != 0; }

  // The main window's picture list, shared rather than loaded again.
  TVMGIFImageList& mainImages;
  std::array<TVMPictureButton, 7> butPalette;   // butPalette1..7
  std::array<TVMPictureButton, 3> butViewType;  // cartesian, wheel, ring
  TVMPagerPanel paletteTypePager;
  TVMNotRefreshPanel ThreeSubTab, FourSubTab;
  std::array<TVMImageCheckbox, 3> chPalette;
  std::array<TVMLabel, 3> lbPalette;
  std::array<TEditPanel, 3> edPanel;  // hold edPalette1..3
  std::array<TVMPictureButton, 6> btnud;
  std::array<TVMPictureButton, 3> btnSubPalette;
  std::array<TVMLabel, 4> lbCMYK;  // lbCMYK_C, _M, _Y, _K
  std::array<TEditPanel, 4> edCmykPanel;  // hold edPalette4..7
  std::array<TVMPictureButton, 4> btnCmykSub;  // VMPictureButton27, 25, 28, 26: C, M, Y, K
  std::array<TVMImageCheckbox, 6> chCMYK;

 private:
  void CreateControls();
  void CreateThreeSubTab();
  void CreateFourSubTab();
  void UpdateButtons();
  void UpdateCursor();
  void UpdateCmykLabels();
  void LayoutEdits();
  // Reads every edit of the model, stores the colour and redisplays while the user types.
  void EditsChanged();
  void StoreColor(TColor c);
  void StepOnce();
  static void CALLBACK TypeTimerProc(HWND h, UINT msg, UINT_PTR id, DWORD time);

  PaletteModel model_;
  int typeTimerTag_ = 0;  // the up/down button being held
  bool syncingEdits_ = false;
};

}  // namespace kolo::win
