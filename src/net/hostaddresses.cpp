// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/hostaddresses.h"

#include <netdb.h>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace zw {

namespace {

struct AddrInfoDeleter {
  void operator()(addrinfo* info) const { ::freeaddrinfo(info); }
};

constexpr std::chrono::milliseconds kSlice{100};

// Shared by the waiter and the lookup thread, so whichever ends last frees it.
struct Lookup {
  std::mutex mutex;
  std::condition_variable done;
  std::optional<HostAddresses> found;
};

}  // namespace

HostAddresses ResolveHost(const std::string& host, std::uint16_t port, int socketType) {
  HostAddresses found;
  if (host.empty()) {
    return found;
  }
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = socketType;
  hints.ai_flags = AI_NUMERICSERV;
  addrinfo* list = nullptr;
  const std::string service = std::to_string(port);
  if (::getaddrinfo(host.c_str(), service.c_str(), &hints, &list) != 0 || list == nullptr) {
    return found;
  }
  std::unique_ptr<addrinfo, AddrInfoDeleter> owner(list);
  for (const addrinfo* info = list; info != nullptr; info = info->ai_next) {
    if ((info->ai_family != AF_INET && info->ai_family != AF_INET6) ||
        info->ai_addrlen > sizeof(sockaddr_storage)) {
      continue;
    }
    sockaddr_storage address{};
    std::memcpy(&address, info->ai_addr, info->ai_addrlen);
    found.emplace_back(address, static_cast<socklen_t>(info->ai_addrlen));
  }
  return found;
}

std::optional<HostAddresses> ResolveHostWithin(const std::string& host, std::uint16_t port,
                                               int socketType, std::chrono::milliseconds timeout,
                                               const std::function<bool()>& keepWaiting,
                                               HostResolver resolve) {
  auto lookup = std::make_shared<Lookup>();
  try {
    std::thread([lookup, host, port, socketType, resolve] {
      HostAddresses found = resolve(host, port, socketType);
      const std::lock_guard lock(lookup->mutex);
      lookup->found = std::move(found);
      lookup->done.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    // No thread to spare: the caller waits on the resolver itself rather than learn nothing.
    return resolve(host, port, socketType);
  }
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  std::unique_lock lock(lookup->mutex);
  while (!lookup->found && keepWaiting()) {
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) {
      break;
    }
    lookup->done.wait_for(lock,
                          std::min<std::chrono::steady_clock::duration>(kSlice, deadline - now));
  }
  return std::move(lookup->found);
}

}  // namespace zw
