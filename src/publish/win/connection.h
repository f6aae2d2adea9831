// Reaching the maker's service from Windows: the connected flag of this run,
// the proxies the system's Internet Settings name, and ConnectWithProxy over them.
#pragma once

#include <atomic>
#include <string>
#include <vector>

namespace kolo::win {

// Set when the service was reached, cleared when a request to it fails. Not stored.
std::atomic<bool>& ConnectedFlag();

// The proxies the Internet Settings of the current user, then of every user
// under HKEY_USERS, enable ("ProxyEnable" not 0): their "ProxyServer" texts.
std::vector<std::string> SystemProxies();

// ConnectWithProxy with the saved proxy and the system's, probing `probeUrl`.
// On success the connected flag is set and `savedProxy` becomes the proxy in use.
bool ConnectToService(std::string& savedProxy, const std::string& probeUrl);

// The page that tells whether the service can be reached: the root of its site.
std::string ProbeAddress(const std::string& serviceUrl);

}  // namespace kolo::win
