#include "publish/http_client.h"

#include <curl/curl.h>

#include <algorithm>
#include <mutex>

namespace kolo {

namespace {

std::mutex& DefaultsMutex() {
  static std::mutex m;
  return m;
}
HttpDefaults& Defaults() {
  static HttpDefaults d;
  return d;
}
std::atomic<bool> g_proxyWorked{false};

void GlobalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Transfer {
  HttpRequest* request;
  std::string* answer;
  std::size_t limit;
  const std::atomic<bool>* aborted;
};

size_t WriteAnswer(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  const size_t n = size * count;
  if (t->answer->size() + n > t->limit) return 0;  // too large: the transfer fails
  t->answer->append(data, n);
  return n;
}

int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<Transfer*>(user)->aborted->load() ? 1 : 0;
}

// Every byte curl writes to the connection, request line and headers included.
int CountWritten(CURL*, curl_infotype type, char*, size_t size, void* user) {
  auto* t = static_cast<Transfer*>(user);
  if ((type == CURLINFO_HEADER_OUT || type == CURLINFO_DATA_OUT) && t->request->onBytesWritten)
    t->request->onBytesWritten(size);
  return 0;
}

struct CurlHandle {
  CURL* h = curl_easy_init();
  curl_slist* headers = nullptr;
  ~CurlHandle() {
    if (headers) curl_slist_free_all(headers);
    if (h) curl_easy_cleanup(h);
  }
};

}  // namespace

HttpDefaults GetHttpDefaults() {
  std::lock_guard lock(DefaultsMutex());
  return Defaults();
}

void SetHttpProxy(const ProxySetting& proxy) {
  std::lock_guard lock(DefaultsMutex());
  Defaults().proxy = proxy;
}

void SetHttpTimeout(long timeoutMs) {
  std::lock_guard lock(DefaultsMutex());
  Defaults().timeoutMs = timeoutMs;
}

void SetProxy(const std::string& text) { SetHttpProxy(ParseProxy(text)); }

std::string GetProxyString() { return ProxyString(GetHttpDefaults().proxy); }

HttpRequest::HttpRequest() {
  const HttpDefaults d = GetHttpDefaults();
  proxy = d.proxy;
  timeoutMs = d.timeoutMs;
}

bool HttpRequest::Get(const std::string& url) { return Perform(url, nullptr, nullptr); }

bool HttpRequest::Post(const std::string& url, const std::string& contentType, const std::string& body) {
  return Perform(url, &contentType, &body);
}

bool HttpRequest::Perform(const std::string& url, const std::string* postType, const std::string* postBody) {
  GlobalInit();
  status = 0;
  answer.clear();
  error.clear();
  if (aborted_) {
    error = "aborted";
    return false;
  }
  CurlHandle c;
  if (!c.h) {
    error = "no HTTP client";
    return false;
  }
  Transfer t{this, &answer, maxAnswer, &aborted_};
  CURL* h = c.h;
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(h, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
  curl_easy_setopt(h, CURLOPT_USERAGENT, kUserAgent);
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
  // An empty proxy also keeps curl from taking one from the environment.
  const std::string proxyAddress = proxy.host.empty() ? "" : proxy.host + ":" + (proxy.port.empty() ? "80" : proxy.port);
  curl_easy_setopt(h, CURLOPT_PROXY, proxyAddress.c_str());
  const long wait = std::max(1L, timeoutMs);
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, wait);
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, std::max(1L, (wait + 999) / 1000));
  curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, 3 * wait);
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, WriteAnswer);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &t);
  curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, Progress);
  curl_easy_setopt(h, CURLOPT_XFERINFODATA, &t);
  curl_easy_setopt(h, CURLOPT_DEBUGFUNCTION, CountWritten);
  curl_easy_setopt(h, CURLOPT_DEBUGDATA, &t);
  curl_easy_setopt(h, CURLOPT_VERBOSE, 1L);
  if (postType && postBody) {
    c.headers = curl_slist_append(c.headers, ("Content-Type: " + *postType).c_str());
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, c.headers);
    curl_easy_setopt(h, CURLOPT_POST, 1L);
    curl_easy_setopt(h, CURLOPT_POSTFIELDS, postBody->data());
    curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(postBody->size()));
  }
  const CURLcode rc = curl_easy_perform(h);
  if (rc != CURLE_OK) {
    error = aborted_ ? "aborted" : curl_easy_strerror(rc);
    answer.clear();
    return false;
  }
  long code = 0;
  curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &code);
  status = static_cast<int>(code);
  return true;
}

bool HttpGetText(const std::string& url, std::string& text) {
  HttpRequest request;
  text.clear();
  if (!request.Get(url) || request.status != 200) return false;
  text = std::move(request.answer);
  return true;
}

bool InternetAvailable(const std::string& url) {
  HttpRequest request;
  request.maxAnswer = 1u << 20;
  return request.Get(url) && request.status == 200;
}

bool ConnectWithProxy(const std::string& savedProxy, const std::vector<std::string>& systemProxies,
                      const std::function<bool()>& probe) {
  SetHttpTimeout(5000);
  bool ok = g_proxyWorked && probe();
  if (!ok) {
    SetProxy(savedProxy);
    ok = probe();
  }
  if (!ok && !savedProxy.empty()) {
    SetProxy("");
    ok = probe();
  }
  for (std::size_t i = 0; !ok && i < systemProxies.size(); ++i) {
    SetProxy(systemProxies[i]);
    ok = probe();
  }
  SetHttpTimeout(90000);
  if (ok) g_proxyWorked = true;
  return ok;
}

void ResetProxyMemory() { g_proxyWorked = false; }

}  // namespace kolo
