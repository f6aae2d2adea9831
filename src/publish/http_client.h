// HTTP requests over libcurl, as the program makes them: HTTP/1.0, our
// User-Agent, the process-wide proxy and time-out, a count of every byte
// written to the socket, an abort any thread may ask for, and a bounded answer.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "publish/publish_rules.h"

namespace kolo {

// What every new request starts with. The time-out is how long the request may
// wait for the connection or for the next byte; a whole request never runs
// longer than three time-outs (a server that drips still ends).
struct HttpDefaults {
  ProxySetting proxy{"", ""};
  long timeoutMs = 90000;
};
HttpDefaults GetHttpDefaults();
void SetHttpProxy(const ProxySetting& proxy);
void SetHttpTimeout(long timeoutMs);
// SetProxy / GetProxyString: the process-wide proxy as text.
void SetProxy(const std::string& text);
std::string GetProxyString();

class HttpRequest {
 public:
  HttpRequest();
  HttpRequest(const HttpRequest&) = delete;
  HttpRequest& operator=(const HttpRequest&) = delete;

  bool Get(const std::string& url);
  bool Post(const std::string& url, const std::string& contentType, const std::string& body);
  // Ends a running request as soon as the transfer notices (from any thread).
  void Abort() { aborted_ = true; }
  bool Aborted() const { return aborted_; }

  ProxySetting proxy;
  long timeoutMs;
  std::size_t maxAnswer = 16u << 20;  // a larger answer fails the request
  // Called on the requesting thread with each count of bytes written (headers too).
  std::function<void(std::size_t)> onBytesWritten;

  // The outcome: true from Get/Post means the server answered at all.
  int status = 0;
  std::string answer;
  std::string error;

 private:
  bool Perform(const std::string& url, const std::string* postType, const std::string* postBody);

  std::atomic<bool> aborted_{false};
};

// GET answered 200; the body is the text.
bool HttpGetText(const std::string& url, std::string& text);
// GET of `url` answered 200.
bool InternetAvailable(const std::string& url);

// ConnectWithProxy: finds a way to `probeUrl` — the proxy that worked before in
// this process, the saved proxy, no proxy, then each proxy the system settings
// name (`systemProxies`, the current user's first) — with a 5 s time-out, then
// restores 90 s. On success the process remembers that a proxy worked.
bool ConnectWithProxy(const std::string& savedProxy, const std::vector<std::string>& systemProxies,
                      const std::function<bool()>& probe);
// Forgets that a proxy worked (tests).
void ResetProxyMemory();

}  // namespace kolo
