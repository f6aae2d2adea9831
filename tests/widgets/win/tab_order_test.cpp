#include "widgets/win/tab_order.h"

#include "widget_test_util.h"
#include "widgets/win/image_checkbox.h"
#include "widgets/win/not_refresh_panel.h"
#include "widgets/win/picture_button.h"

namespace kolo {
namespace {

using namespace kolo::testing;

// Picture buttons and check boxes are tab stops, in the order they were made;
// what cannot be used now is passed over, and both ends wrap round.
TEST(TabOrder, PictureButtonsAndCheckBoxesAreReachedInOrder) {
  TestForm form;
  TVMNotRefreshPanel page, hiddenPage;
  TVMPictureButton first, hidden, last, onHiddenPage;
  TVMImageCheckbox box, disabled;
  page.Create(form.Handle(), 0, 0, 200, 100);
  first.Create(page, 0, 0, 10, 10);
  hidden.SetVisible(false);
  hidden.Create(page, 10, 0, 10, 10);
  box.Create(page, 20, 0, 10, 10);
  disabled.SetEnabled(false);
  disabled.Create(page, 30, 0, 10, 10);
  hiddenPage.Create(form.Handle(), 0, 100, 200, 100);
  onHiddenPage.Create(hiddenPage, 0, 0, 10, 10);
  hiddenPage.SetVisible(false);
  last.Create(form.Handle(), 0, 200, 10, 10);

  const HWND root = form.Handle();
  EXPECT_EQ(NextTabStop(root, root, false), first.Handle());
  EXPECT_EQ(NextTabStop(root, first.Handle(), false), box.Handle());
  EXPECT_EQ(NextTabStop(root, box.Handle(), false), last.Handle());
  EXPECT_EQ(NextTabStop(root, last.Handle(), false), first.Handle());
  EXPECT_EQ(NextTabStop(root, first.Handle(), true), last.Handle());
  EXPECT_EQ(NextTabStop(root, page.Handle(), false), first.Handle()) << "from a control without a tab stop";
  EXPECT_EQ(NextTabStop(root, root, true), last.Handle());

  // The key itself, as a message loop hands it over.
  ::SetFocus(box.Handle());
  ASSERT_EQ(::GetFocus(), box.Handle());
  MSG tab{box.Handle(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_TRUE(HandleTabKey(tab));
  EXPECT_EQ(::GetFocus(), last.Handle());
  MSG other{last.Handle(), WM_KEYDOWN, VK_SPACE, 0, 0, {}};
  EXPECT_FALSE(HandleTabKey(other));
}

}  // namespace
}  // namespace kolo
