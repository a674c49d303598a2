#include "os/posix/ActivationChannel.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace lintavo::os::posix {

namespace {

constexpr char kRequest[] = "restore-and-activate";
constexpr std::size_t kRequestSize = sizeof kRequest - 1;

// The abstract address `name`: a NUL byte, then the name, with no terminator. Its length is part
// of the address.
struct AbstractAddress {
  sockaddr_un address{};
  socklen_t length = 0;

  explicit AbstractAddress(const std::string& name) {
    address.sun_family = AF_UNIX;
    const std::size_t size = std::min(name.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, name.data(), size);
    length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + size);
  }
  const sockaddr* Get() const { return reinterpret_cast<const sockaddr*>(&address); }
};

}  // namespace

int ListenForActivation(const std::string& name) {
  const int listener = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (listener < 0) {
    return -1;
  }
  // The abstract namespace is shared by all users; the sender's credentials come with each
  // datagram so requests from other users can be told apart.
  const int on = 1;
  const AbstractAddress address(name);
  if (setsockopt(listener, SOL_SOCKET, SO_PASSCRED, &on, sizeof on) != 0 ||
      bind(listener, address.Get(), address.length) != 0) {
    close(listener);
    return -1;
  }
  return listener;
}

void RequestActivation(const std::string& name) {
  const int sender = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (sender < 0) {
    return;
  }
  const AbstractAddress address(name);
  sendto(sender, kRequest, kRequestSize, MSG_DONTWAIT | MSG_NOSIGNAL, address.Get(),
         address.length);
  close(sender);
}

bool TakeActivation(int listener) {
  char data[kRequestSize + 1];
  iovec part{data, sizeof data};
  alignas(cmsghdr) char control[CMSG_SPACE(sizeof(ucred))];
  msghdr message{};
  message.msg_iov = &part;
  message.msg_iovlen = 1;
  message.msg_control = control;
  message.msg_controllen = sizeof control;
  const ssize_t received = recvmsg(listener, &message, MSG_DONTWAIT | MSG_CMSG_CLOEXEC);
  if (received != static_cast<ssize_t>(kRequestSize) || (message.msg_flags & MSG_TRUNC) != 0 ||
      std::memcmp(data, kRequest, kRequestSize) != 0) {
    return false;
  }
  for (cmsghdr* header = CMSG_FIRSTHDR(&message); header != nullptr;
       header = CMSG_NXTHDR(&message, header)) {
    if (header->cmsg_level == SOL_SOCKET && header->cmsg_type == SCM_CREDENTIALS) {
      ucred sender;
      std::memcpy(&sender, CMSG_DATA(header), sizeof sender);
      return sender.uid == getuid();
    }
  }
  return false;
}

}  // namespace lintavo::os::posix
