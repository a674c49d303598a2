#include "browser/LinkServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>
#include <stdexcept>
#include <utility>
#include <vector>

namespace lintavo::test {

namespace {

// How much of a request is read at the most: a browser's GET and its headers fit easily.
constexpr std::size_t kMaxRequest = 64 * 1024;

// A connection being read until its request is whole.
struct Client {
  int socket;
  std::string request;
};

void SendAll(int socket, const std::string& bytes) {
  for (std::size_t sent = 0; sent < bytes.size();) {
    const ssize_t count = send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (count <= 0) {
      return;  // the browser went away; it asks again if it still wants the page
    }
    sent += static_cast<std::size_t>(count);
  }
}

}  // namespace

LinkServer::LinkServer(std::map<std::string, std::string> pages) : pages_(std::move(pages)) {
  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
      listen(listener_, SOMAXCONN) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0 ||
      pipe2(stopPipe_, O_CLOEXEC) != 0) {
    if (listener_ >= 0) {
      close(listener_);
    }
    throw std::runtime_error("cannot start the links' web server");
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread(&LinkServer::Serve, this);
}

LinkServer::~LinkServer() {
  close(stopPipe_[1]);
  thread_.join();
  close(stopPipe_[0]);
  close(listener_);
}

std::string LinkServer::Url(const std::string& target) const {
  return "http://127.0.0.1:" + std::to_string(port_) + "/" + target;
}

// One thread serves every connection in turn as its bytes arrive, so a connection a browser opens
// ahead of time and leaves idle holds up no other.
void LinkServer::Serve() {
  std::vector<Client> clients;
  for (;;) {
    std::vector<pollfd> ready = {{stopPipe_[0], POLLIN, 0}, {listener_, POLLIN, 0}};
    for (const Client& client : clients) {
      ready.push_back({client.socket, POLLIN, 0});
    }
    if (poll(ready.data(), ready.size(), -1) < 0) {
      continue;  // interrupted
    }
    if (ready[0].revents != 0) {
      break;
    }
    for (std::size_t i = clients.size(); i-- > 0;) {
      if (ready[i + 2].revents == 0) {
        continue;
      }
      Client& client = clients[i];
      char buffer[4096];
      const ssize_t count = recv(client.socket, buffer, sizeof buffer, 0);
      if (count > 0) {
        client.request.append(buffer, static_cast<std::size_t>(count));
      }
      const bool whole = client.request.find("\r\n\r\n") != std::string::npos;
      if (whole) {
        SendAll(client.socket, Answer(client.request));
      }
      if (whole || count <= 0 || client.request.size() > kMaxRequest) {
        close(client.socket);
        clients.erase(clients.begin() + static_cast<std::ptrdiff_t>(i));
      }
    }
    if (ready[1].revents != 0) {
      const int accepted = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (accepted >= 0) {
        clients.push_back({accepted, ""});
      }
    }
  }
  for (const Client& client : clients) {
    close(client.socket);
  }
}

std::string LinkServer::Answer(const std::string& request) const {
  // "GET /news.htm?x=1 HTTP/1.1": the name runs from after "GET /" to the query or the space.
  const std::string start = "GET /";
  std::string name;
  if (request.starts_with(start)) {
    name = request.substr(start.size(), request.find_first_of("? ", start.size()) - start.size());
  }
  const auto page = pages_.find(name);
  const std::string status = page == pages_.end() ? "404 Not Found" : "200 OK";
  const std::string body = page == pages_.end() ? "" : page->second;
  return "HTTP/1.1 " + status + "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
         std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

}  // namespace lintavo::test
