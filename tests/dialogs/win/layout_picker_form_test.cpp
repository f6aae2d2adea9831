// The layout picker in-process, wired to the colour area as the program wires
// it: filters, recolouring only after the colours changed, placement, choosing.
#include <gtest/gtest.h>

#include <memory>

#include "app/color_slot.h"
#include "app/win/color_area.h"
#include "app/win/main_window.h"
#include "dialogs/win/layout_picker_form.h"
#include "frame/memory_store.h"

namespace kolo::win {
namespace {

class LayoutPickerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TfrmMain::CreateParams p;
    p.openStore = [](bool) -> std::unique_ptr<SettingsStore> { return std::make_unique<MemoryStore>(); };
    p.loadHookLibrary = false;
    ASSERT_TRUE(main_.Create(p));
    ::ShowWindow(main_.Handle(), SW_SHOW);
    ASSERT_TRUE(form_.Create(main_.Handle()));
    TColorArea& area = *main_.colorArea;
    form_.recolorTemplate = [this](TVMGIFImageList& list, int index) {
      RecolorListTemplate(list, index, SlotColors(main_.Options()));
    };
    form_.onChoose = [&area](int index) { area.SetPreviewId(index); };
    ASSERT_GE(Templates().Count(), 3);
  }
  void TearDown() override {
    form_.Destroy();
    if (main_.Handle()) ::DestroyWindow(main_.Handle());
  }
  TVMGIFImageList& Templates() { return form_.templates; }
  void Show(int top = 100) {
    form_.ShowPicker(RECT{100, top, 182, top + 41}, SlotColors(main_.Options()), main_.colorArea->ShownPreviewId());
  }
  // The colour the template's table holds for slot `slot` (0..3).
  TColor TableColor(int index, int slot) {
    const std::vector<GifRgb>& t = *Templates().Picture(index)->FirstColorTable();
    const GifRgb& c = t[static_cast<size_t>(Templates().Tag(index) - 1 - slot)];
    return RGB(c.r, c.g, c.b);
  }

  TfrmMain main_;
  TfrmPreview form_;
};

TEST_F(LayoutPickerTest, FiltersShowOneNumberOfColoursAndDisableTheirButton) {
  Show();
  EXPECT_FALSE(form_.but1.Enabled());  // all templates at first
  form_.but3.Click();
  EXPECT_EQ(form_.ViewImageList.TagFilter(), 3);
  EXPECT_FALSE(form_.but3.Enabled());
  EXPECT_TRUE(form_.but1.Enabled());
  EXPECT_TRUE(form_.but2.Enabled());
  int shown = 0;
  for (int i = 0; i < Templates().Count(); ++i) {
    if (form_.ViewImageList.Shows(i)) {
      ++shown;
      EXPECT_EQ(Templates().Tag(i), 3) << i;
    }
  }
  EXPECT_GT(shown, 0);
  EXPECT_EQ(form_.ViewImageList.Position(), 0);  // the first three-colour template at the top
  form_.but1.Click();
  EXPECT_EQ(form_.ViewImageList.TagFilter(), 0);
  EXPECT_FALSE(form_.but1.Enabled());
  EXPECT_TRUE(form_.but3.Enabled());
}

TEST_F(LayoutPickerTest, TemplatesAreRecolouredOnlyWhenTheColoursChanged) {
  main_.Options().color1 = 0x123456;
  Show();
  EXPECT_EQ(form_.Recolorings(), 1);
  for (int i = 0; i < Templates().Count(); ++i) EXPECT_EQ(TableColor(i, 0), 0x123456u) << i;
  form_.Hide();
  Show();
  EXPECT_EQ(form_.Recolorings(), 1);
  form_.Hide();
  main_.Options().color2 = 0x00FF00;
  Show();
  EXPECT_EQ(form_.Recolorings(), 2);
  EXPECT_EQ(TableColor(0, 1), 0x00FF00u);
}

TEST_F(LayoutPickerTest, OpensWithTheShownTemplateAtTheTopOrAboveNearTheBottom) {
  main_.colorArea->SetPreviewId(20);
  Show();
  EXPECT_EQ(form_.ViewImageList.ItemIndex(), 20);
  EXPECT_TRUE(form_.ViewImageList.Shows(20));
  EXPECT_FALSE(form_.ViewImageList.Shows(0));
  EXPECT_EQ(form_.WindowRect().top, 141 - 2);
  EXPECT_FALSE(form_.OpenedAbove());
  const int bottom = ::GetSystemMetrics(SM_CYSCREEN);
  Show(bottom - 60);
  EXPECT_TRUE(form_.OpenedAbove());
  EXPECT_EQ(form_.WindowRect().bottom, bottom - 60 + 2);
}

TEST_F(LayoutPickerTest, AClickChoosesTheTemplateForThePreviewAndCloses) {
  Show();
  form_.but2.Click();
  form_.ViewImageList.ClickAt(45);  // the second two-colour template
  int second = -1, seen = 0;
  for (int i = 0; i < Templates().Count() && second < 0; ++i)
    if (Templates().Tag(i) == 2 && ++seen == 2) second = i;
  EXPECT_EQ(main_.Options().imgPreviewId, second);
  EXPECT_EQ(main_.colorArea->ShownPreviewId(), second);
  EXPECT_FALSE(::IsWindowVisible(form_.Handle()));
}

}  // namespace
}  // namespace kolo::win
