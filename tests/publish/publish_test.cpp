#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "publish/http_client.h"
#include "publish/publish_rules.h"
#include "publish/release_check.h"
#include "local_server.h"
#include "release_sample.h"

namespace kolo {
namespace {

using test::Behaviour;
using test::LocalServer;
using test::FromHex;
using test::kSampleProgram;
using test::kSampleSignature;
using test::kTestKey;

TEST(PublishRules, UploadAddressesAnswersAndChecks) {
  const std::string service = "http://pics.test/kolo/img.php";
  EXPECT_EQ(UploadAddress("", service, false), service);
  EXPECT_EQ(UploadAddress("", service, true), service + "?t=1");
  EXPECT_EQ(UploadAddress(service + "?id=ABC", service, true), service + "?id=ABC&t=1");
  EXPECT_EQ(UploadAddress(service + "?id=ABC", service, false), service + "?id=ABC");

  EXPECT_EQ(UploadAnswer("http://pics.test/kolo/img.php?id=Q \r\n"), "http://pics.test/kolo/img.php?id=Q");
  EXPECT_EQ(UploadAnswer("hTtPs://x"), "hTtPs://x");
  EXPECT_FALSE(UploadAnswer("OK"));
  EXPECT_FALSE(UploadAnswer(""));
  EXPECT_FALSE(UploadAnswer(" http://leading-blank"));

  EXPECT_EQ(CheckAddress("http://p/kolo/img.php?id=ABC"), "http://p/kolo/img.php?ch=ABC");
  EXPECT_EQ(CheckAddress("http://p/img.php?id=A&id=B"), "http://p/img.php?ch=A&id=B");
  EXPECT_FALSE(CheckAddress("http://p/img.php?x=1"));

  EXPECT_EQ(MakeBoundary(0x1A2B), "00001A2B_Synapse_boundary");
  EXPECT_EQ(MakeBoundary(0x7FFFFFFE), "7FFFFFFE_Synapse_boundary");

  EXPECT_TRUE(IsServiceAddress("https://PICS.test:8443/kolo/img.php?id=1", service));
  EXPECT_FALSE(IsServiceAddress("http://pics.test.evil/kolo", service));
  EXPECT_FALSE(IsServiceAddress("http://pics.test@evil.test/", service));
  EXPECT_FALSE(IsServiceAddress("file://pics.test/c:/x", service));
  EXPECT_FALSE(IsServiceAddress("javascript:alert(1)//pics.test", service));

  const SentSize wide = UploadSize(1920, 1080, 1500);
  EXPECT_EQ(wide.width, 1500);
  EXPECT_EQ(wide.height, 844);
  EXPECT_TRUE(wide.scaled);
  EXPECT_FALSE(UploadSize(600, 400, 1500).scaled);
  EXPECT_EQ(UploadSize(3000, 1, 1500).height, 0);  // 0.5 rounds to even
}

TEST(PublishRules, ProxiesAndVersions) {
  EXPECT_EQ(ProxyString(ParseProxy("")), "");
  EXPECT_EQ(ParseProxy("").port, "8080");
  EXPECT_EQ(ProxyString(ParseProxy("proxy.lan")), "proxy.lan");
  EXPECT_EQ(ParseProxy("proxy.lan").port, "80");
  EXPECT_EQ(ProxyString(ParseProxy("proxy.lan:3128")), "proxy.lan:3128");
  EXPECT_EQ(ProxyString(ParseProxy("proxy.lan:80")), "proxy.lan");
  EXPECT_EQ(ProxyString(ParseProxy("ftp=f:21;http=web:3128;https=s:443")), "web:3128");
  EXPECT_EQ(ProxyString(ParseProxy("https=s:443;ftp=f:21")), "s:443");

  EXPECT_TRUE(IsNewerVersion(*ParseVersion("2.1"), 2.01));
  EXPECT_FALSE(IsNewerVersion(*ParseVersion("2.01\r\n"), 2.01));
  EXPECT_FALSE(IsNewerVersion(*ParseVersion("2.009"), 2.01));  // rounds to 2.01
  EXPECT_FALSE(ParseVersion("2,1"));
  EXPECT_FALSE(ParseVersion("<html>"));
  EXPECT_FALSE(ParseVersion("."));
  EXPECT_EQ(DownloadAddress("https://site", 2.02), "https://site/kolo/prg/kolo2_02.bin");
  EXPECT_EQ(DownloadAddress("https://site", 2.1), "https://site/kolo/prg/kolo2_1.bin");
  EXPECT_EQ(VersionText(2.01, '.'), "2.01");
}

TEST(ReleaseCheck, OnlyTheSignedProgramPasses) {
  EXPECT_EQ(Sha256({})[0], 0xe3);
  const std::string abc = "abc";
  const Sha256Digest d = Sha256({reinterpret_cast<const std::uint8_t*>(abc.data()), abc.size()});
  EXPECT_EQ(d[0], 0xba);
  EXPECT_EQ(d[31], 0xad);
  std::vector<std::uint8_t> long_(1000, 'a');  // crosses blocks and the padding boundary
  EXPECT_EQ(Sha256(long_)[0], 0x41);

  const RsaPublicKey key = RsaKeyFromHex(kTestKey);
  const auto program = FromHex(kSampleProgram);
  const auto signature = FromHex(kSampleSignature);
  ASSERT_EQ(key.modulus.size(), 256u);
  EXPECT_TRUE(IsTrustedRelease(program, signature, key));

  auto tampered = program;
  tampered[300] ^= 1;
  EXPECT_TRUE(IsWindowsX64Executable(tampered));
  EXPECT_FALSE(IsTrustedRelease(tampered, signature, key));
  auto badSignature = signature;
  badSignature[100] ^= 0x40;
  EXPECT_FALSE(IsTrustedRelease(program, badSignature, key));
  EXPECT_FALSE(IsTrustedRelease(program, std::span(signature).first(255), key));
  RsaPublicKey other = key;
  other.modulus[200] ^= 2;
  EXPECT_FALSE(IsTrustedRelease(program, signature, other));

  // Not a 64-bit program: a 32-bit machine, a library, a header past the end.
  auto i386 = program;
  i386[0x44] = 0x4c, i386[0x45] = 0x01;
  EXPECT_FALSE(IsWindowsX64Executable(i386));
  auto dll = program;
  dll[0x57] |= 0x20;
  EXPECT_FALSE(IsWindowsX64Executable(dll));
  auto beyond = program;
  beyond[0x3F] = 0x7F;
  EXPECT_FALSE(IsWindowsX64Executable(beyond));
  EXPECT_FALSE(IsWindowsX64Executable(std::span(program).first(100)));
}

TEST(Http, TheUploadRequestByteForByte) {
  LocalServer server;
  server.Set(Behaviour::Answer, 200, "HTTP://pics.test/kolo/img.php?id=N1\r\n");
  const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0, 13, 10, 0xFF};
  const std::string boundary = MakeBoundary(0xBEEF);
  HttpRequest request;
  std::size_t written = 0;
  request.onBytesWritten = [&](std::size_t n) { written += n; };
  ASSERT_TRUE(request.Post(UploadAddress("", server.Url("/kolo/img.php"), true), UploadContentType(boundary),
                           UploadBody(boundary, png)));
  EXPECT_EQ(UploadAnswer(request.answer), "HTTP://pics.test/kolo/img.php?id=N1");

  const std::string seen = server.LastRequest();
  EXPECT_EQ(written, seen.size());
  EXPECT_EQ(seen.rfind("POST /kolo/img.php?t=1 HTTP/1.0\r\n", 0), 0u) << seen;
  EXPECT_NE(seen.find("\r\nUser-Agent: Mozilla/5.0 (compatible; YandexDirect/3.0)\r\n"), std::string::npos);
  EXPECT_NE(seen.find("\r\nContent-Type: multipart/form-data; boundary=0000BEEF_Synapse_boundary\r\n"),
            std::string::npos);
  const std::string body = seen.substr(seen.find("\r\n\r\n") + 4);
  const std::string expected =
      "--0000BEEF_Synapse_boundary\r\n"
      "content-disposition: form-data; name=\"image\"; filename=\"test.png\"\r\n"
      "Content-Type: Application/octet-string\r\n\r\n" +
      std::string("\x89PNG\0\r\n\xff", 8) + "\r\n--0000BEEF_Synapse_boundary--\r\n";
  EXPECT_EQ(body, expected);
}

TEST(Http, HostileServersEndInFailureNotAHang) {
  LocalServer server;
  const std::string url = server.Url("/kolo/prg/ver.txt");
  SetHttpTimeout(1000);
  std::string text;

  server.Set(Behaviour::Answer, 500, "2.5");
  EXPECT_FALSE(HttpGetText(url, text));
  server.Set(Behaviour::Answer, 200, "");
  EXPECT_TRUE(HttpGetText(url, text));
  EXPECT_FALSE(ParseVersion(text));
  EXPECT_FALSE(UploadAnswer(text));
  server.Set(Behaviour::Garbage);
  EXPECT_FALSE(HttpGetText(url, text));
  server.Set(Behaviour::Silent);
  EXPECT_FALSE(HttpGetText(url, text));
  server.Set(Behaviour::Drip);
  EXPECT_FALSE(HttpGetText(url, text));
  server.Set(Behaviour::ResetInBody);
  EXPECT_FALSE(HttpGetText(url, text));
  EXPECT_TRUE(text.empty());

  server.Set(Behaviour::Huge);
  HttpRequest big;
  big.maxAnswer = 1 << 20;
  EXPECT_FALSE(big.Get(url));
  EXPECT_LE(big.answer.size(), big.maxAnswer);

  // Nobody listening at all.
  const int port = [] { LocalServer gone; return gone.Port(); }();
  EXPECT_FALSE(InternetAvailable("http://127.0.0.1:" + std::to_string(port) + "/"));

  // Cancelling a request that waits on a silent server ends it at once.
  SetHttpTimeout(60000);
  server.Set(Behaviour::Silent);
  HttpRequest waiting;
  std::thread canceller([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    waiting.Abort();
  });
  EXPECT_FALSE(waiting.Get(url));
  EXPECT_EQ(waiting.error, "aborted");
  canceller.join();
  SetHttpTimeout(90000);
}

TEST(Http, ConnectWithProxyTriesEachWayInOrder) {
  LocalServer site, proxy;
  site.Set(Behaviour::Answer, 200, "up");
  proxy.Set(Behaviour::RefuseProxy);
  const std::string page = site.Url("/");
  const std::string refusing = "127.0.0.1:" + std::to_string(proxy.Port());
  ResetProxyMemory();

  // The saved proxy refuses, so the direct way is taken; the proxy saw the try.
  std::vector<std::string> tried;
  auto probe = [&] {
    tried.push_back(GetProxyString());
    return InternetAvailable(page);
  };
  EXPECT_TRUE(ConnectWithProxy(refusing, {}, probe));
  EXPECT_EQ(tried, (std::vector<std::string>{refusing, ""}));
  EXPECT_EQ(proxy.Requests(), 1);
  EXPECT_EQ(GetHttpDefaults().timeoutMs, 90000);

  // Once a way worked, it is tried first; the system's proxies come last.
  tried.clear();
  int calls = 0;
  EXPECT_TRUE(ConnectWithProxy("saved:1", {"a:1", "b:2"}, [&] {
    tried.push_back(GetProxyString());
    return ++calls == 5;
  }));
  EXPECT_EQ(tried, (std::vector<std::string>{"", "saved:1", "", "a:1", "b:2"}));

  ResetProxyMemory();
  tried.clear();
  EXPECT_FALSE(ConnectWithProxy("", {"a:1"}, [&] {
    tried.push_back(GetProxyString());
    return false;
  }));
  EXPECT_EQ(tried, (std::vector<std::string>{"", "a:1"}));
  SetProxy("");
  ResetProxyMemory();
}

}  // namespace
}  // namespace kolo
