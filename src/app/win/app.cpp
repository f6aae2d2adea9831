#include "app/win/app.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <array>
#include <memory>

#include "platform/messages.h"
#include "app/win/color_area.h"
#include "app/win/main_window.h"
#include "app/win/color_area.h"
#include "dialogs/win/layout_picker_form.h"
#include "dialogs/win/property_form.h"
#include "fonts/win/font_preview_form.h"
#include "images/win/preview_form.h"
#include "images/win/transp_form.h"
#include "palette/win/new_palette_form.h"
#include "palette/win/palette_strip.h"
#include "publish/win/about_form.h"
#include "publish/win/publisher.h"
#include "publish/win/upload_form.h"
#include "widgets/win/list_form.h"
#include "widgets/win/message_box_win.h"
#include "widgets/win/modal_loop.h"
#include "widgets/win/secondary_form.h"
#include "platform/win/gdiplus_session.h"
#include "widgets/win/value_slider_form.h"
#include "platform/win/hints.h"
#include "frame/win/system_win.h"

namespace kolo::win {

bool StartsInTray(const std::vector<std::wstring>& args) { return !args.empty() && args[0] == L"/m"; }

namespace {

// Hands over to a running copy; true when there is one.
bool HandOverToRunningCopy() {
  HWND running = ::FindWindowW(TfrmMain::kClassName, TfrmMain::kTitle);
  if (!running) return false;
  ::SendMessageW(running, WM_ACTIVATE_INSTANCE, 0, 0);
  return true;
}

struct FormSpec {
  SecondaryForm which;
  const wchar_t* className;
  int width, height;
};

// Created after the main window, in this order. The message box is the one
// exception: each box is its own window, made when it is shown.
constexpr FormSpec kForms[] = {
    {SecondaryForm::Preview, L"TfrmPreview", 200, 200},
    {SecondaryForm::FontPreview, L"TfrmFontPreview", 200, 250},
    {SecondaryForm::ColorPrev, L"TfrmColorPrev", 27, 100},
    {SecondaryForm::Property, L"TfrmProperty", 340, 300},
    {SecondaryForm::ImagePreview, L"TfrmImagePreview", 400, 300},
    {SecondaryForm::Upload, L"TfrmUpload", TfrmUpload::kWidth, TfrmUpload::kHeight},
    {SecondaryForm::List, L"TfrmList", 120, 100},
    {SecondaryForm::About, L"TfrmAbout", TfrmAbout::kWidth, TfrmAbout::kHeight},
    {SecondaryForm::NewPalette, L"TfrmNewPalette", 209, 222},
    {SecondaryForm::Transp, L"TfrmTransp", 100, 100},
};

// Yes to "Restart the program?": this copy steps aside ("Kolo_old", so the new
// one's single-instance check does not find it), keeps its settings, lets go of
// what the main window holds, starts the new Kolo.exe and ends.
void RestartWithNewVersion(TfrmMain& main) {
  ::SetWindowTextW(main.Handle(), L"Kolo_old");
  main.SaveSettings();
  ::DestroyWindow(main.Handle());
  const std::wstring folder = ProgramFolder();
  ::ShellExecuteW(nullptr, L"open", (folder + L"Kolo.exe").c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
  ::ExitProcess(0);
}

}  // namespace

int RunKolo(const std::vector<std::wstring>& args) {
  if (HandOverToRunningCopy()) return 0;

  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);

  auto main = std::make_unique<TfrmMain>();
  SetHintHandler([m = main.get()](const std::string& hint) { m->OnApplicationHint(hint); });
  TfrmMain::CreateParams params;
  params.startInTray = StartsInTray(args);
  if (!main->Create(params)) return 1;
  SetMessageBoxOwner(main->Handle(), [m = main.get()] { return m->Options().stayonTop; });
  // The same filter runs in every loop: this one and each modal window's.
  SetApplicationMessageFilter([m = main.get()](const MSG& msg) { return m->Handle() && m->FilterMessage(msg); });

  // The window is on screen before the hidden ones exist: nothing of theirs is
  // needed for its first paint.
  if (!params.startInTray) {
    ::ShowWindow(main->Handle(), SW_SHOW);
    ::UpdateWindow(main->Handle());
  }

  std::vector<std::unique_ptr<TSecondaryForm>> forms;
  std::unique_ptr<TPublisher> publisher;
  for (const FormSpec& spec : kForms) {
    switch (spec.which) {
      case SecondaryForm::Upload: {
        auto form = std::make_unique<TfrmUpload>();
        form->Create(main->Handle());
        publisher = std::make_unique<TPublisher>(*main, *form);
        SetPublisher(publisher.get());
        forms.push_back(std::move(form));
        break;
      }
      case SecondaryForm::About: {
        auto form = std::make_unique<TfrmAbout>();
        form->Create(main->Handle());
        form->site = kMakerSite;
        form->onRestart = [m = main.get()] { RestartWithNewVersion(*m); };
        const auto show = [f = form.get(), m = main.get()] { f->ShowAbout(*m); };
        main->onAbout = show;
        main->colorArea->onAbout = show;
        main->paletteStrip->onAbout = show;
        forms.push_back(std::move(form));
        break;
      }
      case SecondaryForm::ColorPrev: {
        auto form = std::make_unique<TfrmColorPrev>();
        form->Create(main->Handle());
        forms.push_back(std::move(form));
        break;
      }
      case SecondaryForm::List: {
        auto form = std::make_unique<TfrmList>();
        form->Create(main->Handle());
        forms.push_back(std::move(form));
        break;
      }
      case SecondaryForm::Preview: {
        auto form = std::make_unique<TfrmPreview>();
        form->Create(main->Handle());
        TColorArea& area = *main->colorArea;
        form->recolorTemplate = [m = main.get()](TVMGIFImageList& list, int index) {
          RecolorListTemplate(list, index, SlotColors(m->Options()));
        };
        form->onChoose = [&area](int index) { area.SetPreviewId(index); };
        area.showLayoutPicker = [f = form.get(), &area, m = main.get()] {
          f->ShowPicker(area.previewPanel.WindowRect(), SlotColors(m->Options()), area.ShownPreviewId());
        };
        area.layoutPickerJustShown = [f = form.get()] { return f->IsShowing(); };
        forms.push_back(std::move(form));
        break;
      }
      case SecondaryForm::FontPreview: {
        auto form = std::make_unique<TfrmFontPreview>();
        form->Create(main->Handle(), *main);
        TColorArea& area = *main->colorArea;
        form->onSampleChanged = [&area] { area.RefreshFontSample(); };
        area.showFontBrowser = [f = form.get(), &area] { f->ShowFontBrowser(area.panFontText.WindowRect()); };
        area.fontBrowserShowing = [f = form.get()] { return f->IsShowing(); };
        forms.push_back(std::move(form));
        break;
      }
      case SecondaryForm::Property: {
        auto form = std::make_unique<TfrmProperty>();
        form->Create(main->Handle());
        main->optionsDialog = [f = form.get(), m = main.get()] { return f->Execute(*m); };
        forms.push_back(std::move(form));
        break;
      }
      case SecondaryForm::Transp: {
        auto form = std::make_unique<TfrmTransp>();
        form->Create(main->Handle());
        forms.push_back(std::move(form));
        break;
      }
      case SecondaryForm::ImagePreview: {
        auto form = std::make_unique<TfrmImagePreview>();
        form->Create(main->Handle(), *main);
        forms.push_back(std::move(form));
        break;
      }
      case SecondaryForm::NewPalette: {
        auto form = std::make_unique<TfrmNewPalette>();
        form->Create(main->Handle());
        main->paletteStrip->newPaletteDialog = [f = form.get(), m = main.get()] { return f->Execute(*m); };
        forms.push_back(std::move(form));
        break;
      }
      default: {
        auto form = std::make_unique<TSecondaryForm>(spec.which, spec.className);
        form->Create(main->Handle(), spec.width, spec.height);
        forms.push_back(std::move(form));
        break;
      }
    }
  }

  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (FilterApplicationMessage(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  SetHintHandler(nullptr);
  SetApplicationMessageFilter(nullptr);
  SetPublisher(nullptr);
  // The main window's destruction ends the process; nothing after it may depend on order.
  forms.clear();
  main.reset();
  ShutdownGdiplus();
  return 0;
}

}  // namespace kolo::win
