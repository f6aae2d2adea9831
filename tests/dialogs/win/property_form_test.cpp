// The options dialog driven through its controls: what OK stores and Cancel
// keeps for every kind of setting, the edits' own rules, the start-up entry,
// and what the main window does after a confirmed dialog.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "app/win/main_window.h"
#include "dialogs/win/property_form.h"
#include "frame/memory_store.h"
#include "frame/win/system_win.h"
#include "widgets/win/message_box_win.h"

namespace kolo::win {
namespace {

class PropertyFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TfrmMain::CreateParams p;
    p.openStore = [this](bool forWriting) -> std::unique_ptr<SettingsStore> {
      if (forWriting) ++saves_;
      return std::make_unique<MemoryStore>();
    };
    p.loadHookLibrary = false;
    ASSERT_TRUE(main_.Create(p));
    ASSERT_TRUE(form_.Create(main_.Handle()));
    form_.isAutorun = [this] { return autorun_; };
    form_.setAutorun = [this](bool on) { autorun_ = on; ++autorunWrites_; };
    main_.optionsDialog = [this] { return form_.Execute(main_); };
  }
  void TearDown() override {
    TfrmProperty::SetShownHook(nullptr);
    SetMessageBoxShownHook(nullptr);
    form_.Destroy();
    if (main_.Handle()) ::DestroyWindow(main_.Handle());
  }
  // Runs the dialog; `act` works its controls while it is up and ends it.
  bool Run(std::function<void(TfrmProperty&)> act) {
    TfrmProperty::SetShownHook(std::move(act));
    return form_.Execute(main_);
  }
  static void Type(HWND edit, const std::string& text) {
    for (char c : text) {
      ::SendMessageW(edit, WM_CHAR, static_cast<WPARAM>(c), 0);
      ::SendMessageW(edit, WM_KEYUP, static_cast<WPARAM>(c), 0);
    }
  }
  static void Clear(HWND edit) { ::SetWindowTextW(edit, L""); }

  TfrmMain main_;
  TfrmProperty form_;
  bool autorun_ = false;
  int autorunWrites_ = 0, saves_ = 0;
};

// One row per kind of control: what the user does, and what OK must store.
struct SettingCase {
  const char* name;
  std::function<void(TfrmProperty&)> change;
  std::function<void(TKolOptions&)> expected;  // applied to the settings before
};

TEST_F(PropertyFormTest, OkStoresEachKindOfSettingAndCancelKeepsIt) {
  auto type = [](HWND edit, std::string text) {
    return [edit, text](TfrmProperty&) {
      ::SetWindowTextW(edit, L"");
      Type(edit, text);
    };
  };
  const SettingCase cases[] = {
      {"colour format list", [](TfrmProperty& f) { f.cbColorFormat.SetIndex(7); },
       [](TKolOptions& o) { o.ColorFormat = 7; }},
      {"clipboard count below the range", type(form_.edClipImages.edit, "5"), [](TKolOptions& o) { o.maxClipImages = 10; }},
      {"clipboard count at the top", type(form_.edClipImages.edit, "999"), [](TKolOptions& o) { o.maxClipImages = 999; }},
      {"screen count without limit", [](TfrmProperty& f) {
         ::SetWindowTextW(f.edScreenImages.edit, L"250");
         f.chkScreenUnlimited.Click();
       }, [](TKolOptions& o) { o.maxScreenImages = -250; }},
      {"empty screen count", [](TfrmProperty& f) { ::SetWindowTextW(f.edScreenImages.edit, L""); },
       [](TKolOptions& o) { o.maxScreenImages = o.maxScreenImages < 0 ? -10 : 10; }},
      {"JPG quality typed", type(form_.edJpgQuality.edit, "4"), [](TKolOptions& o) { o.saveJPGQuality = 4; }},
      {"JPG quality from its list", [](TfrmProperty& f) {
         f.cbJpgQuality.SetIndex(1);
         f.cbJpgQuality.OnChoose(1);
       }, [](TKolOptions& o) { o.saveJPGQuality = 5; }},
      {"GIF palette list", [](TfrmProperty& f) { f.cbGifPalette.SetIndex(4); },
       [](TKolOptions& o) { o.saveGIFPalette = 4; }},
      {"clipboard hook box", [](TfrmProperty& f) { f.chkClipboardHook.Click(); },
       [](TKolOptions& o) { o.clipboardHook = !o.clipboardHook; }},
      {"colour hints box", [](TfrmProperty& f) { f.chkViewColorHint.Click(); },
       [](TKolOptions& o) { o.viewColorHint = !o.viewColorHint; }},
      {"hints box", [](TfrmProperty& f) { f.chkViewHint.Click(); }, [](TKolOptions& o) { o.viewHint = !o.viewHint; }},
      {"confirm boxes", [](TfrmProperty& f) {
         f.chkConfirmDelete.Click();
         f.chkConfirmChange.Click();
         f.chkConfirmCrop.Click();
         f.chkConfirmClose.Click();
       }, [](TKolOptions& o) {
         o.confirmDelete = !o.confirmDelete;
         o.confirmChange = !o.confirmChange;
         o.confirmCrop = !o.confirmCrop;
         o.confirmClose = !o.confirmClose;
       }},
      {"upload address", [](TfrmProperty& f) { ::SetWindowTextW(f.edUploadURL, L"http://images.example/up.php"); },
       [](TKolOptions& o) { o.uploadURL = "http://images.example/up.php"; }},
  };
  for (const SettingCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TKolOptions before = main_.Options();
    EXPECT_FALSE(Run([&](TfrmProperty& f) {
      c.change(f);
      f.btnCancelClick();
    }));
    EXPECT_EQ(main_.Options(), before);
    EXPECT_TRUE(Run([&](TfrmProperty& f) {
      c.change(f);
      f.btnOKClick();
    }));
    TKolOptions expected = before;
    c.expected(expected);
    EXPECT_EQ(main_.Options(), expected);
  }
  EXPECT_EQ(autorunWrites_, static_cast<int>(std::size(cases)));  // once per OK, never on Cancel
}

TEST_F(PropertyFormTest, ReopeningShowsTheStoredValues) {
  main_.Options().maxClipImages = -100;
  main_.Options().saveJPGQuality = 9;
  autorun_ = true;
  Run([](TfrmProperty& f) {
    EXPECT_EQ(f.edClipImages.Text(), "100");
    EXPECT_TRUE(f.chkClipUnlimited.Checked());
    // Read-only while "without limit" is ticked.
    EXPECT_TRUE(::GetWindowLongW(f.edClipImages.edit, GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(::GetWindowLongW(f.edScreenImages.edit, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(f.edJpgQuality.Text(), "9");
    EXPECT_EQ(f.cbJpgQuality.Text(), "High");
    EXPECT_TRUE(f.chkRunOnStartup.Checked());
    f.chkClipUnlimited.Click();
    EXPECT_FALSE(::GetWindowLongW(f.edClipImages.edit, GWL_STYLE) & ES_READONLY);
    f.btnCancelClick();
  });
  EXPECT_EQ(main_.Options().maxClipImages, -100);
}

TEST_F(PropertyFormTest, EditsTakeDigitsOnlyAndTheQualityIsCorrectedAsItIsTyped) {
  Run([](TfrmProperty& f) {
    Clear(f.edClipImages.edit);
    Type(f.edClipImages.edit, "1a2-3");
    EXPECT_EQ(f.edClipImages.Text(), "123");
    Type(f.edClipImages.edit, "4");  // at most three digits
    EXPECT_EQ(f.edClipImages.Text(), "123");

    Clear(f.edJpgQuality.edit);
    Type(f.edJpgQuality.edit, "15");
    EXPECT_EQ(f.edJpgQuality.Text(), "10");
    EXPECT_EQ(f.cbJpgQuality.Text(), "Maximum");
    Clear(f.edJpgQuality.edit);
    Type(f.edJpgQuality.edit, "4");
    EXPECT_EQ(f.cbJpgQuality.Text(), "Low");
    f.btnCancelClick();
  });
}

TEST_F(PropertyFormTest, AnAddressThatIsNotHttpIsExplainedAndNeverStored) {
  const std::string before = main_.Options().uploadURL;
  std::string told;
  SetMessageBoxShownHook([&](TfrmMessage& box) {
    told = box.Text();
    box.Close(kResultOk);
  });
  bool stayedOpen = false;
  EXPECT_FALSE(Run([&](TfrmProperty& f) {
    ::SetWindowTextW(f.edUploadURL, L"ftp://images.example/up");
    f.btnOKClick();
    stayedOpen = ::IsWindowVisible(f.Handle()) != FALSE;
    f.btnCancelClick();
  }));
  EXPECT_TRUE(stayedOpen);
  EXPECT_NE(told.find("http://"), std::string::npos);
  EXPECT_EQ(main_.Options().uploadURL, before);
}

TEST_F(PropertyFormTest, EscapeAndTheCloseButtonCancel) {
  EXPECT_FALSE(Run([](TfrmProperty& f) {
    f.chkViewHint.Click();
    ::PostMessageW(f.edUploadURL, WM_KEYDOWN, VK_ESCAPE, 0);
  }));
  EXPECT_FALSE(Run([](TfrmProperty& f) {
    f.chkViewHint.Click();
    f.btnClose.Click();
  }));
  EXPECT_TRUE(main_.Options().viewHint);
}

TEST_F(PropertyFormTest, TheStartUpEntryIsWrittenAndRemovedInTheRunKey) {
  TfrmProperty real;
  ASSERT_TRUE(real.Create(main_.Handle()));
  SetAutorun(L"kolo", false, L"");
  TfrmProperty::SetShownHook([](TfrmProperty& f) {
    EXPECT_FALSE(f.chkRunOnStartup.Checked());
    f.chkRunOnStartup.Click();
    f.btnOKClick();
  });
  EXPECT_TRUE(real.Execute(main_));
  EXPECT_TRUE(IsAutorun(L"kolo"));
  TfrmProperty::SetShownHook([](TfrmProperty& f) {
    EXPECT_TRUE(f.chkRunOnStartup.Checked());
    f.chkRunOnStartup.Click();
    f.btnCancelClick();
  });
  EXPECT_FALSE(real.Execute(main_));
  EXPECT_TRUE(IsAutorun(L"kolo"));  // Cancel leaves the entry
  TfrmProperty::SetShownHook([](TfrmProperty& f) {
    f.chkRunOnStartup.Click();
    f.btnOKClick();
  });
  EXPECT_TRUE(real.Execute(main_));
  EXPECT_FALSE(IsAutorun(L"kolo"));
  real.Destroy();
}

TEST_F(PropertyFormTest, ConfirmedOptionsAreSavedAndSwitchTheClipboardChain) {
  main_.Options().clipboardHook = true;
  main_.SetClipboardWatch(true);
  const int savesBefore = saves_;
  TfrmProperty::SetShownHook([](TfrmProperty& f) { f.btnCancelClick(); });
  main_.acOptions.Execute();
  EXPECT_EQ(saves_, savesBefore);
  EXPECT_TRUE(main_.InClipboardChain());

  TfrmProperty::SetShownHook([](TfrmProperty& f) {
    f.chkClipboardHook.Click();
    f.btnOKClick();
  });
  main_.acOptions.Execute();
  EXPECT_EQ(saves_, savesBefore + 1);
  EXPECT_FALSE(main_.InClipboardChain());
  main_.acOptions.Execute();
  EXPECT_TRUE(main_.InClipboardChain());
  main_.SetClipboardWatch(false);
}

}  // namespace
}  // namespace kolo::win
