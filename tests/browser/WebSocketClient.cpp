#include "browser/WebSocketClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <stdexcept>

namespace lintavo::test {

namespace {

constexpr unsigned char kFinalFrame = 0x80;
constexpr unsigned char kMasked = 0x80;
constexpr unsigned char kContinuation = 0x0;
constexpr unsigned char kText = 0x1;
constexpr unsigned char kClose = 0x8;
constexpr unsigned char kPing = 0x9;
constexpr unsigned char kPong = 0xa;
// Payload lengths 126 and 127 announce a 16-bit and a 64-bit length that follow.
constexpr std::uint64_t kShortLengthLimit = 126;
constexpr std::uint64_t kSixteenBitLength = 126;
constexpr std::uint64_t kSixtyFourBitLength = 127;
// Clients must mask what they send. The mask only keeps proxies from mistaking frames for other
// traffic; on a loopback connection to the browser any key serves.
constexpr std::array<unsigned char, 4> kMask = {0x4c, 0x54, 0x56, 0x4f};

int MillisecondsLeft(Deadline deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  return static_cast<int>(std::max<std::int64_t>(left.count(), 0));
}

void SendAll(int socket, const std::string& bytes) {
  for (std::size_t sent = 0; sent < bytes.size();) {
    const ssize_t count = send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (count < 0 && errno != EINTR) {
      throw std::runtime_error("the browser's remote protocol connection broke");
    }
    sent += static_cast<std::size_t>(std::max<ssize_t>(count, 0));
  }
}

std::uint64_t BigEndian(const std::string& bytes) {
  std::uint64_t value = 0;
  for (const char byte : bytes) {
    value = value << 8 | static_cast<unsigned char>(byte);
  }
  return value;
}

}  // namespace

WebSocketClient::WebSocketClient(int port, const std::string& path, Deadline deadline) {
  socket_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket_ < 0) {
    throw std::runtime_error("cannot make a socket for the browser's remote protocol");
  }
  try {
    Connect(port, path, deadline);
  } catch (...) {
    close(socket_);
    throw;
  }
}

void WebSocketClient::Connect(int port, const std::string& path, Deadline deadline) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    throw std::runtime_error("cannot connect to the browser on port " + std::to_string(port));
  }
  // The key is any 16 bytes in base64; the browser's answer is not checked further than its status.
  SendAll(socket_, "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                       "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                       "Sec-WebSocket-Key: bGludGF2by1rZXlzLXRlc3Q=\r\n"
                       "Sec-WebSocket-Version: 13\r\n\r\n");
  std::size_t end;
  while ((end = received_.find("\r\n\r\n")) == std::string::npos) {
    Fill(received_.size() + 1, deadline);
  }
  const std::string answer = Take(end + 4, deadline);
  if (answer.find(" 101 ") == std::string::npos) {
    throw std::runtime_error("the browser refused the WebSocket: " + answer);
  }
}

WebSocketClient::~WebSocketClient() {
  if (socket_ >= 0) {
    close(socket_);
  }
}

void WebSocketClient::Send(const std::string& text) {
  SendFrame(kText, text);
}

void WebSocketClient::SendFrame(unsigned char opcode, const std::string& payload) {
  std::string frame(1, static_cast<char>(kFinalFrame | opcode));
  const std::uint64_t size = payload.size();
  int lengthBytes = 0;
  if (size < kShortLengthLimit) {
    frame += static_cast<char>(kMasked | size);
  } else if (size <= 0xffff) {
    frame += static_cast<char>(kMasked | kSixteenBitLength);
    lengthBytes = 2;
  } else {
    frame += static_cast<char>(kMasked | kSixtyFourBitLength);
    lengthBytes = 8;
  }
  for (int shift = 8 * (lengthBytes - 1); shift >= 0; shift -= 8) {
    frame += static_cast<char>(size >> shift & 0xff);
  }
  frame.append(kMask.begin(), kMask.end());
  for (std::size_t i = 0; i < payload.size(); ++i) {
    frame += static_cast<char>(static_cast<unsigned char>(payload[i]) ^ kMask[i % kMask.size()]);
  }
  SendAll(socket_, frame);
}

std::string WebSocketClient::Receive(Deadline deadline) {
  std::string message;
  for (;;) {
    const std::string header = Take(2, deadline);
    const auto first = static_cast<unsigned char>(header[0]);
    const auto second = static_cast<unsigned char>(header[1]);
    std::uint64_t size = second & 0x7f;
    if (size == kSixteenBitLength) {
      size = BigEndian(Take(2, deadline));
    } else if (size == kSixtyFourBitLength) {
      size = BigEndian(Take(8, deadline));
    }
    if (second & kMasked) {
      throw std::runtime_error("the browser sent a masked frame");
    }
    const std::string payload = Take(static_cast<std::size_t>(size), deadline);
    const unsigned char opcode = first & 0x0f;
    if (opcode == kPing) {
      SendFrame(kPong, payload);
    } else if (opcode == kClose) {
      throw std::runtime_error("the browser closed the connection");
    } else if (opcode == kText || opcode == kContinuation) {
      message += payload;
      if (first & kFinalFrame) {
        return message;
      }
    }
  }
}

void WebSocketClient::Fill(std::size_t count, Deadline deadline) {
  while (received_.size() < count) {
    pollfd ready{socket_, POLLIN, 0};
    const int polled = poll(&ready, 1, MillisecondsLeft(deadline));
    if (polled == 0) {
      throw std::runtime_error("the browser did not answer in time");
    }
    if (polled < 0) {
      if (errno == EINTR) {
        continue;
      }
      throw std::runtime_error("cannot wait for the browser");
    }
    char buffer[65536];
    const ssize_t read = recv(socket_, buffer, sizeof buffer, 0);
    if (read == 0 || (read < 0 && errno != EINTR)) {
      throw std::runtime_error("the browser's remote protocol connection broke");
    }
    received_.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(read, 0)));
  }
}

std::string WebSocketClient::Take(std::size_t count, Deadline deadline) {
  Fill(count, deadline);
  std::string bytes = received_.substr(0, count);
  received_.erase(0, count);
  return bytes;
}

}  // namespace lintavo::test
