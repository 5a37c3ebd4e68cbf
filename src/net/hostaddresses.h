// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/socket.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zw {

// Socket addresses of one host and port, each with its length, to be tried in turn.
using HostAddresses = std::vector<std::pair<sockaddr_storage, socklen_t>>;
using HostResolver = HostAddresses (*)(const std::string& host, std::uint16_t port, int socketType);

// Every IPv6 and IPv4 address of `host` (a name or a numeric address) for sockets of
// `socketType` (SOCK_STREAM, SOCK_DGRAM), in the order the resolver prefers; empty when the
// name is not found. Blocks for as long as the system's resolver takes.
HostAddresses ResolveHost(const std::string& host, std::uint16_t port, int socketType);

// `resolve` on a thread of its own, waited for at most `timeout` and only while `keepWaiting`
// says so (asked every tenth of a second): a lookup that hangs never holds up its caller,
// and finishes unseen. Nothing when the wait was given up.
std::optional<HostAddresses> ResolveHostWithin(const std::string& host, std::uint16_t port,
                                               int socketType, std::chrono::milliseconds timeout,
                                               const std::function<bool()>& keepWaiting,
                                               HostResolver resolve = ResolveHost);

}  // namespace zw
