#pragma once

#include <chrono>
#include <string>

namespace lintavo::test {

using Deadline = std::chrono::steady_clock::time_point;

// A WebSocket connection (RFC 6455) to a browser's remote protocol on this machine: text messages
// out and in, nothing more. Failures and a deadline passed throw std::runtime_error.
class WebSocketClient {
 public:
  // Connects to ws://127.0.0.1:<port><path>.
  WebSocketClient(int port, const std::string& path, Deadline deadline);
  WebSocketClient(const WebSocketClient&) = delete;
  WebSocketClient& operator=(const WebSocketClient&) = delete;
  ~WebSocketClient();

  void Send(const std::string& text);
  // The next whole text message; pings are answered on the way.
  std::string Receive(Deadline deadline);

 private:
  // Connects the socket and asks for the WebSocket.
  void Connect(int port, const std::string& path, Deadline deadline);
  void SendFrame(unsigned char opcode, const std::string& payload);
  // Reads until `count` bytes are buffered.
  void Fill(std::size_t count, Deadline deadline);
  std::string Take(std::size_t count, Deadline deadline);

  int socket_ = -1;
  std::string received_;
};

}  // namespace lintavo::test
