#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "browser/WebSocketClient.h"

namespace lintavo::test {

// A connection to a browser's remote protocol on this machine: JSON commands numbered in turn,
// each answered by a message that carries its number. Failures throw std::runtime_error.
class ProtocolConnection {
 public:
  // Connects to ws://127.0.0.1:<port><path>.
  ProtocolConnection(int port, const std::string& path);

  // Sends `command` under the next number (its "id") and returns the message that answers it,
  // whatever it says; the events that arrive meanwhile are passed over.
  nlohmann::json Call(nlohmann::json command);

 private:
  WebSocketClient socket_;
  int lastId_ = 0;
};

}  // namespace lintavo::test
