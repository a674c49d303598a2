#include "browser/ProtocolConnection.h"

#include "browser/PageBrowser.h"

namespace lintavo::test {

ProtocolConnection::ProtocolConnection(int port, const std::string& path)
    : socket_(port, path, std::chrono::steady_clock::now() + kAnswerBound) {}

nlohmann::json ProtocolConnection::Call(nlohmann::json command) {
  const int id = ++lastId_;
  command["id"] = id;
  socket_.Send(command.dump());
  const auto deadline = std::chrono::steady_clock::now() + kAnswerBound;
  for (;;) {
    nlohmann::json answer = nlohmann::json::parse(socket_.Receive(deadline));
    if (answer.value("id", 0) == id) {
      return answer;
    }
  }
}

}  // namespace lintavo::test
