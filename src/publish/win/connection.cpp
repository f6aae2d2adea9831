#include "publish/win/connection.h"

#include <windows.h>

#include "platform/win/window.h"
#include "publish/http_client.h"

namespace kolo::win {

namespace {

constexpr wchar_t kInternetSettings[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

void AddEnabledProxy(HKEY root, const std::wstring& path, std::vector<std::string>& out) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  DWORD enable = 0, size = sizeof enable, type = 0;
  const bool enabled = ::RegQueryValueExW(key, L"ProxyEnable", nullptr, &type, reinterpret_cast<BYTE*>(&enable),
                                          &size) == ERROR_SUCCESS && type == REG_DWORD && enable != 0;
  wchar_t server[1024] = {};
  DWORD bytes = sizeof server - sizeof(wchar_t);
  if (enabled && ::RegQueryValueExW(key, L"ProxyServer", nullptr, &type, reinterpret_cast<BYTE*>(server), &bytes) ==
                     ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
    server[bytes / sizeof(wchar_t)] = 0;
    out.push_back(Narrow(server));
  }
  ::RegCloseKey(key);
}

}  // namespace

std::atomic<bool>& ConnectedFlag() {
  static std::atomic<bool> flag{false};
  return flag;
}

std::vector<std::string> SystemProxies() {
  std::vector<std::string> out;
  AddEnabledProxy(HKEY_CURRENT_USER, kInternetSettings, out);
  HKEY users = nullptr;
  if (::RegOpenKeyExW(HKEY_USERS, nullptr, 0, KEY_READ, &users) != ERROR_SUCCESS) return out;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = 256;
    if (::RegEnumKeyExW(users, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    AddEnabledProxy(users, std::wstring(name) + L"\\" + kInternetSettings, out);
  }
  ::RegCloseKey(users);
  return out;
}

bool ConnectToService(std::string& savedProxy, const std::string& probeUrl) {
  const bool ok = ConnectWithProxy(savedProxy, SystemProxies(), [&] { return InternetAvailable(probeUrl); });
  if (ok) {
    savedProxy = GetProxyString();
    ConnectedFlag() = true;
  }
  return ok;
}

std::string ProbeAddress(const std::string& serviceUrl) {
  const std::string origin = OriginOf(serviceUrl);
  return origin.empty() ? serviceUrl : origin + "/";
}

}  // namespace kolo::win
