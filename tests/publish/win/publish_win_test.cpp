// Publishing inside the program: the screenshot tab's publish flow against a
// local server, the upload window under servers that fail, the PNG that is
// sent, and the update's check, signed download and replace.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/win/main_window.h"
#include "frame/memory_store.h"
#include "frame/shared_store.h"
#include "images/win/get_image_tab.h"
#include "platform/win/gdiplus_session.h"
#include "platform/win/window.h"
#include "publish/http_client.h"
#include "publish/local_server.h"
#include "publish/release_sample.h"
#include "publish/win/about_form.h"
#include "publish/win/connection.h"
#include "publish/win/publisher.h"
#include "publish/win/upload_form.h"
#include "widgets/win/message_box_win.h"
#include "widgets/win/widget_test_util.h"

namespace kolo::win {
namespace {

namespace fs = std::filesystem;
using test::Behaviour;
using test::LocalServer;
using kolo::testing::Pump;
using kolo::testing::SharedStore;

std::unique_ptr<Gdiplus::Bitmap> Picture(int w, int h, Gdiplus::Color fill, Gdiplus::Color corner) {
  EnsureGdiplus();
  auto b = std::make_unique<Gdiplus::Bitmap>(w, h, PixelFormat24bppRGB);
  Gdiplus::Graphics g(b.get());
  Gdiplus::SolidBrush f(fill), c(corner);
  g.FillRectangle(&f, 0, 0, w, h);
  g.FillRectangle(&c, 0, 0, 10, 10);
  return b;
}

std::unique_ptr<Gdiplus::Bitmap> Decode(const std::string& png) {
  IStream* stream = nullptr;
  ::CreateStreamOnHGlobal(nullptr, TRUE, &stream);
  ULONG written = 0;
  stream->Write(png.data(), static_cast<ULONG>(png.size()), &written);
  LARGE_INTEGER zero{};
  stream->Seek(zero, STREAM_SEEK_SET, nullptr);
  auto b = std::make_unique<Gdiplus::Bitmap>(stream);
  stream->Release();
  return b;
}

// Runs the window's messages until `done` or five seconds pass.
template <typename F>
bool PumpUntil(F done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!done() && std::chrono::steady_clock::now() < end) {
    Pump();
    ::Sleep(10);
  }
  return done();
}

class PublishWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TfrmMain::CreateParams p;
    p.openStore = [this](bool) { return std::make_unique<SharedStore>(store_); };
    p.loadHookLibrary = false;
    ASSERT_TRUE(main_.Create(p));
    ASSERT_TRUE(upload_.Create(main_.Handle()));
    publisher_ = std::make_unique<TPublisher>(main_, upload_);
    SetPublisher(publisher_.get());
    upload_.openPage = [this](const std::string& url) { opened_.push_back(url); };
    SetMessageBoxShownHook([this](TfrmMessage& box) {
      messages_.push_back(box.Text());
      box.Close(kResultOk);
    });
    main_.Options().uploadURL = server_.Url("/kolo/img.php");
    main_.Options().proxy.clear();
    ConnectedFlag() = false;
    ResetProxyMemory();
    SetProxy("");
    SetHttpTimeout(90000);
  }
  void TearDown() override {
    SetMessageBoxShownHook(nullptr);
    TfrmUpload::SetShownHook(nullptr);
    TfrmAbout::SetShownHook(nullptr);
    SetPublisher(nullptr);
    if (main_.Handle()) ::DestroyWindow(main_.Handle());
    Pump();
  }

  std::string RequestLine() {
    const std::string r = server_.LastRequest();
    return r.substr(0, r.find("\r\n"));
  }

  LocalServer server_;
  MemoryStore store_;
  TfrmMain main_;
  TfrmUpload upload_;
  std::unique_ptr<TPublisher> publisher_;
  std::vector<std::string> messages_, opened_;
};

TEST_F(PublishWinTest, ScreenshotTabPublishesChecksAndResends) {
  main_.ClickTabButton(5);
  auto* tab = dynamic_cast<TGetImageTab*>(main_.Tab(5));
  ASSERT_NE(tab, nullptr);
  const fs::path folder(tab->Folder());
  for (const auto& entry : fs::directory_iterator(folder)) fs::remove(entry.path());
  tab->HookImageList.LoadFromFile(tab->Folder() + L"list.bin");
  tab->SetCurrentImage(Picture(600, 400, Gdiplus::Color(30, 60, 90), Gdiplus::Color(200, 0, 0)));
  tab->Activate();
  EXPECT_TRUE(main_.acImageToWeb.Enabled());

  // A new picture: posted to the upload address, added to the list with its address.
  const std::string first = server_.Url("/kolo/img.php?id=ABC");
  server_.SetPath("/", 200, "up");
  server_.SetPath("/kolo/img.php", 200, first + "\r\n");
  main_.acImageToWeb.Execute();
  EXPECT_EQ(RequestLine(), "POST /kolo/img.php HTTP/1.0");
  ASSERT_NE(tab->HookImageList.Select(), nullptr);
  EXPECT_EQ(tab->SelectedItemUrl(), first);
  EXPECT_EQ(main_.ImageBottomTab().Url(), first);
  EXPECT_TRUE(main_.acViewOnSite.Enabled());
  EXPECT_EQ(main_.acImageToWeb.Hint(), "Sview on site");
  EXPECT_EQ(opened_, std::vector<std::string>{first});
  std::ifstream list(folder / "list.bin");
  std::string line;
  std::getline(list, line);
  EXPECT_NE(line.find("|" + first), std::string::npos) << line;

  // Published and unchanged: the service is asked, and "1" only shows it again.
  server_.SetPath("/kolo/img.php", 200, "1");
  main_.acImageToWeb.Execute();
  EXPECT_EQ(RequestLine(), "GET /kolo/img.php?ch=ABC HTTP/1.0");
  EXPECT_EQ(opened_.size(), 2u);

  // Gone from the service: sent again to its own address; a bad answer keeps the old one.
  server_.SetPath("/kolo/img.php", 200, "0");
  main_.acImageToWeb.Execute();
  EXPECT_EQ(RequestLine(), "POST /kolo/img.php?id=ABC HTTP/1.0");
  EXPECT_EQ(messages_, std::vector<std::string>{"There was an error loading the image."});
  EXPECT_EQ(tab->SelectedItemUrl(), first);

  const std::string second = server_.Url("/kolo/img.php?id=XYZ");
  server_.SetPath("/kolo/img.php", 200, second);
  main_.acImageToWeb.Execute();
  EXPECT_EQ(tab->SelectedItemUrl(), second);
  EXPECT_EQ(main_.ImageBottomTab().Url(), second);
  EXPECT_FALSE(tab->SelectedItemModified());

  // The site gone: the check fails, the user is told, nothing is opened.
  messages_.clear();
  server_.SetPath("/kolo/img.php", 500, "");
  server_.Set(Behaviour::Garbage);
  tab->SetSelectedItemUrl(server_.Url("/other/img.php?id=Q"));
  const std::size_t before = opened_.size();
  main_.acImageToWeb.Execute();
  EXPECT_EQ(messages_, std::vector<std::string>{"Unable to connect to the site."});
  EXPECT_FALSE(ConnectedFlag());
  EXPECT_EQ(opened_.size(), before);
}

TEST_F(PublishWinTest, UploadWindowEndsRightUnderFailingServers) {
  auto image = Picture(64, 48, Gdiplus::Color(10, 20, 30), Gdiplus::Color(40, 50, 60));
  ConnectedFlag() = true;

  // A server that never answers: the window stays cancellable and cancelling changes nothing.
  server_.Set(Behaviour::Silent);
  TfrmUpload::SetShownHook([](TfrmUpload& u) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
    PumpUntil([&] { return std::chrono::steady_clock::now() > until; });  // the server keeps silent
    EXPECT_TRUE(u.Running());
    u.btnCloseBottom.Click();
  });
  EXPECT_EQ(upload_.Execute(main_, *image, -1, ""), kResultCancel);
  EXPECT_TRUE(messages_.empty());
  EXPECT_TRUE(ConnectedFlag());
  TfrmUpload::SetShownHook(nullptr);

  struct Case {
    Behaviour behaviour;
    int status;
    std::string body;
    bool connectedAfter;
  };
  const Case cases[] = {
      {Behaviour::Answer, 500, server_.Url("/kolo/img.php?id=1"), true},  // an error page, however it reads
      {Behaviour::Answer, 200, "", true},
      {Behaviour::Answer, 200, "OK", true},
      {Behaviour::Answer, 200, "http://elsewhere.test/kolo/img.php?id=1", true},  // not the service's host
      {Behaviour::Garbage, 0, "", false},
      {Behaviour::ResetInBody, 0, "", false},
  };
  for (const Case& c : cases) {
    messages_.clear();
    ConnectedFlag() = true;
    server_.Set(c.behaviour, c.status, c.body);
    EXPECT_EQ(upload_.Execute(main_, *image, -1, ""), kResultNo) << c.body;
    EXPECT_EQ(messages_, std::vector<std::string>{"There was an error loading the image."});
    EXPECT_EQ(ConnectedFlag().load(), c.connectedAfter) << c.body;
  }
  EXPECT_TRUE(opened_.empty());

  // A good answer fills the bar; a picture with a transparent colour says so in the query.
  messages_.clear();
  server_.Set(Behaviour::Answer, 200, "HTTP://127.0.0.1/kolo/img.php?id=T");
  EXPECT_EQ(upload_.Execute(main_, *image, 0x3C2814, ""), kResultOk);
  EXPECT_EQ(upload_.URL, "HTTP://127.0.0.1/kolo/img.php?id=T");
  EXPECT_EQ(upload_.ProgressWidth(), TfrmUpload::kBarWidth);
  EXPECT_EQ(RequestLine(), "POST /kolo/img.php?t=1 HTTP/1.0");
  EXPECT_TRUE(messages_.empty());
}

TEST_F(PublishWinTest, ThePngSentIsCappedAndKeysOutTheTransparentColour) {
  auto wide = Picture(1920, 1080, Gdiplus::Color(0, 0, 255), Gdiplus::Color(255, 0, 0));
  auto sent = Decode(EncodeUploadPng(*wide, -1, 1500));
  EXPECT_EQ(sent->GetWidth(), 1500u);
  EXPECT_EQ(sent->GetHeight(), 844u);

  auto small = Picture(600, 400, Gdiplus::Color(0, 0, 255), Gdiplus::Color(255, 0, 0));
  auto plain = Decode(EncodeUploadPng(*small, -1, 1500));
  EXPECT_EQ(plain->GetWidth(), 600u);
  Gdiplus::Color c;
  plain->GetPixel(2, 2, &c);
  EXPECT_EQ(c.GetA(), 255);
  // Red (TColor 0x0000FF) transparent: the red corner goes, the blue stays.
  auto keyed = Decode(EncodeUploadPng(*small, 0x0000FF, 1500));
  EXPECT_EQ(keyed->GetWidth(), 600u);
  EXPECT_EQ(keyed->GetHeight(), 400u);
  keyed->GetPixel(2, 2, &c);
  EXPECT_EQ(c.GetA(), 0);
  keyed->GetPixel(300, 200, &c);
  EXPECT_EQ(c.GetA(), 255);
  EXPECT_EQ(c.GetB(), 255);
}

TEST_F(PublishWinTest, UpdateIsOfferedFetchedOnlyWhenSignedAndPutInPlace) {
  server_.SetPath("/", 200, "up");
  server_.SetPath("/kolo/prg/ver.txt", 200, "2.1\r\n");
  auto check = [&](double running) {
    TfrmAbout about;
    EXPECT_TRUE(about.Create(main_.Handle()));
    about.site = server_.Url("");
    about.runningVersion = running;
    bool offered = false;
    TfrmAbout::SetShownHook([&](TfrmAbout& a) {
      EXPECT_EQ(a.lbVersion.Caption(), "Kolo, version " + VersionText(running, '.'));
      EXPECT_TRUE(PumpUntil([&] { return a.UpdateCheckDone(); }));
      Pump();
      offered = ::IsWindowVisible(a.btnNewVer.Handle());
      a.btnCancel.Click();
    });
    about.ShowAbout(main_);
    EXPECT_FALSE(about.Running());
    return std::make_pair(offered, about.NewestVersion());
  };
  EXPECT_EQ(check(2.01), std::make_pair(true, 2.1));
  EXPECT_EQ(check(2.1).first, false);
  server_.SetPath("/kolo/prg/ver.txt", 200, "<html>busy</html>");
  EXPECT_EQ(check(1.0).first, false);
  EXPECT_TRUE(messages_.empty());  // the check never speaks

  const auto program = test::FromHex(test::kSampleProgram);
  const auto signature = test::FromHex(test::kSampleSignature);
  const RsaPublicKey key = RsaKeyFromHex(test::kTestKey);
  server_.SetPath("/kolo/prg/kolo2_1.bin", 200, std::string(program.begin(), program.end()));
  server_.SetPath("/kolo/prg/kolo2_1.bin.sig", 200, std::string(signature.begin(), signature.end()));
  const std::string address = DownloadAddress(server_.Url(""), 2.1);

  const int requests = server_.Requests();
  EXPECT_FALSE(FetchRelease(address, true, key));  // plain http is never taken
  EXPECT_EQ(server_.Requests(), requests);
  auto tampered = program;
  tampered[200] ^= 1;
  server_.SetPath("/kolo/prg/kolo2_2.bin", 200, std::string(tampered.begin(), tampered.end()));
  server_.SetPath("/kolo/prg/kolo2_2.bin.sig", 200, std::string(signature.begin(), signature.end()));
  EXPECT_FALSE(FetchRelease(DownloadAddress(server_.Url(""), 2.2), false, key));
  server_.SetPath("/kolo/prg/kolo2_3.bin", 200, std::string(program.begin(), program.end()));
  EXPECT_FALSE(FetchRelease(DownloadAddress(server_.Url(""), 2.3), false, key));  // no signature
  const auto fetched = FetchRelease(address, false, key);
  ASSERT_TRUE(fetched);

  const fs::path dir = fs::temp_directory_path() / ("kolo-update-" + std::to_string(::GetCurrentProcessId()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::ofstream(dir / "Kolo.exe", std::ios::binary) << "old program";
  ASSERT_TRUE(InstallRelease(dir.wstring() + L"\\", *fetched));
  auto read = [](const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  EXPECT_EQ(read(dir / "Kolo.exe"), *fetched);
  EXPECT_EQ(read(dir / "Kolo_last.exe"), "old program");
  EXPECT_FALSE(fs::exists(dir / "Kolo_new.exe"));
  fs::remove_all(dir);
}

TEST_F(PublishWinTest, ConnectingFallsBackToTheSystemsProxy) {
  // The user's Internet Settings name a proxy (a per-protocol list); the site
  // itself cannot be reached directly, only through that proxy.
  LocalServer proxy;
  proxy.Set(Behaviour::Answer, 200, "through the proxy");
  const int closed = [] { LocalServer gone; return gone.Port(); }();
  const std::string site = "http://127.0.0.1:" + std::to_string(closed) + "/";
  const std::wstring key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
  HKEY k = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr),
            ERROR_SUCCESS);
  DWORD oldEnable = 0, size = sizeof oldEnable;
  const bool hadEnable = ::RegQueryValueExW(k, L"ProxyEnable", nullptr, nullptr,
                                            reinterpret_cast<BYTE*>(&oldEnable), &size) == ERROR_SUCCESS;
  wchar_t oldServer[512] = {};
  DWORD serverSize = sizeof oldServer - sizeof(wchar_t);
  const bool hadServer = ::RegQueryValueExW(k, L"ProxyServer", nullptr, nullptr,
                                            reinterpret_cast<BYTE*>(oldServer), &serverSize) == ERROR_SUCCESS;
  const DWORD one = 1;
  const std::wstring list = L"ftp=ftp.test:21;http=127.0.0.1:" + std::to_wstring(proxy.Port());
  ::RegSetValueExW(k, L"ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
  ::RegSetValueExW(k, L"ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(list.c_str()),
                   static_cast<DWORD>((list.size() + 1) * sizeof(wchar_t)));

  const auto proxies = SystemProxies();
  ASSERT_FALSE(proxies.empty());
  EXPECT_EQ(proxies.front(), Narrow(list));
  std::string saved = "127.0.0.1:" + std::to_string(closed);  // a saved proxy that is gone
  EXPECT_TRUE(ConnectToService(saved, site));
  EXPECT_EQ(saved, "127.0.0.1:" + std::to_string(proxy.Port()));
  EXPECT_TRUE(ConnectedFlag());
  EXPECT_NE(proxy.LastRequest().find("GET " + site + " HTTP/1.0"), std::string::npos) << proxy.LastRequest();

  if (hadEnable) ::RegSetValueExW(k, L"ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&oldEnable), sizeof oldEnable);
  else ::RegDeleteValueW(k, L"ProxyEnable");
  if (hadServer) ::RegSetValueExW(k, L"ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(oldServer), serverSize);
  else ::RegDeleteValueW(k, L"ProxyServer");
  ::RegCloseKey(k);
  SetProxy("");
  ResetProxyMemory();
}

}  // namespace
}  // namespace kolo::win
