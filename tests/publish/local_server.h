// A real HTTP server on the loopback for the publishing tests: it takes one
// connection at a time, records the request's bytes, and answers as the test
// says — well, badly, slowly or not at all.
#pragma once

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
using SocketHandle = SOCKET;
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
using SocketHandle = int;
#endif

#include <atomic>
#include <cctype>
#include <chrono>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kolo::test {

enum class Behaviour {
  Answer,      // status and body as set
  Silent,      // reads the request, never answers
  Garbage,     // bytes that are not HTTP
  Huge,        // 200 with an endless body
  Drip,        // 200, then a byte every 200 ms
  ResetInBody, // 200 with a long Content-Length, half the body, then a reset
  RefuseProxy, // 403 to anything (a proxy that will not forward)
};

class LocalServer {
 public:
  LocalServer() {
#ifdef _WIN32
    WSADATA wsa;
    ::WSAStartup(MAKEWORD(2, 2), &wsa);
#endif
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    ::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::listen(listener_, 8);
    socklen_t len = sizeof addr;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this] { Run(); });
  }
  ~LocalServer() {
    stop_ = true;
    Close(listener_);
    thread_.join();
    for (std::thread& t : workers_) t.join();
  }

  int Port() const { return port_; }
  std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

  void Set(Behaviour b, int status = 200, std::string body = "") {
    std::lock_guard lock(m_);
    behaviour_ = b;
    status_ = status;
    body_ = std::move(body);
  }
  // A fixed answer for one path (the request line's target up to its query).
  void SetPath(const std::string& path, int status, std::string body) {
    std::lock_guard lock(m_);
    paths_[path] = {status, std::move(body)};
  }
  // Each request's bytes as received, the last one.
  std::string LastRequest() {
    std::lock_guard lock(m_);
    return last_;
  }
  int Requests() const { return requests_; }

 private:
  static void Close(SocketHandle s) {
#ifdef _WIN32
    ::closesocket(s);
#else
    ::shutdown(s, SHUT_RDWR);
    ::close(s);
#endif
  }
  static bool SendAll(SocketHandle s, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
#ifdef MSG_NOSIGNAL
      const int flags = MSG_NOSIGNAL;  // a client that left is no reason to end the tests
#else
      const int flags = 0;
#endif
      const int n = ::send(s, data.data() + done, static_cast<int>(data.size() - done), flags);
      if (n <= 0) return false;
      done += static_cast<std::size_t>(n);
    }
    return true;
  }

  // The request: headers, then as many body bytes as Content-Length says.
  std::string ReadRequest(SocketHandle s) {
    std::string in;
    char buf[4096];
    std::size_t want = std::string::npos;
    while (!stop_) {
      const int n = ::recv(s, buf, sizeof buf, 0);
      if (n <= 0) break;
      in.append(buf, static_cast<std::size_t>(n));
      const std::size_t end = in.find("\r\n\r\n");
      if (end != std::string::npos && want == std::string::npos) {
        std::size_t length = 0;
        std::string head = in.substr(0, end);
        for (char& c : head) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (const std::size_t at = head.find("content-length:"); at != std::string::npos)
          length = std::stoul(head.substr(at + 15));
        want = end + 4 + length;
      }
      if (want != std::string::npos && in.size() >= want) break;
    }
    return in;
  }

  void Serve(SocketHandle s) {
    const std::string request = ReadRequest(s);
    Behaviour b;
    int status;
    std::string body;
    {
      std::lock_guard lock(m_);
      last_ = request;
      b = behaviour_;
      status = status_;
      body = body_;
      const std::size_t start = request.find(' ') + 1;
      const std::string target = request.substr(start, request.find_first_of(" ?", start) - start);
      if (auto it = paths_.find(target); it != paths_.end()) {
        b = Behaviour::Answer;
        status = it->second.first;
        body = it->second.second;
      }
    }
    ++requests_;
    auto head = [](int code, std::size_t length) {
      return "HTTP/1.0 " + std::to_string(code) + " X\r\nContent-Type: text/plain\r\nContent-Length: " +
             std::to_string(length) + "\r\n\r\n";
    };
    switch (b) {
      case Behaviour::Answer: SendAll(s, head(status, body.size()) + body); break;
      case Behaviour::RefuseProxy: SendAll(s, head(403, 7) + "refused"); break;
      case Behaviour::Silent:
        while (!stop_) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        break;
      case Behaviour::Garbage: SendAll(s, std::string(200, '\x07') + "\r\n\r\nnot http at all"); break;
      case Behaviour::Huge: {
        SendAll(s, "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n");
        const std::string chunk(1 << 16, 'x');
        while (!stop_ && SendAll(s, chunk)) {
        }
        break;
      }
      case Behaviour::Drip:
        SendAll(s, "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n");
        while (!stop_ && SendAll(s, "h")) std::this_thread::sleep_for(std::chrono::milliseconds(200));
        break;
      case Behaviour::ResetInBody: {
        SendAll(s, head(200, 100000) + std::string(50000, 'h'));
        linger l{1, 0};  // closing with a zero linger sends a reset
        ::setsockopt(s, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&l), sizeof l);
        break;
      }
    }
    Close(s);
  }

  void Run() {
    while (!stop_) {
      SocketHandle s = ::accept(listener_, nullptr, nullptr);
#ifdef _WIN32
      if (s == INVALID_SOCKET) break;
#else
      if (s < 0) break;
#endif
      // Each connection on its own thread, so a silent one holds no other back.
      workers_.emplace_back([this, s] { Serve(s); });
    }
  }

  SocketHandle listener_;
  int port_ = 0;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<int> requests_{0};
  std::vector<std::thread> workers_;
  std::mutex m_;
  Behaviour behaviour_ = Behaviour::Answer;
  int status_ = 200;
  std::string body_;
  std::string last_;
  std::map<std::string, std::pair<int, std::string>> paths_;
};

}  // namespace kolo::test
