#pragma once

#include <map>
#include <string>
#include <thread>

namespace lintavo::test {

// A small web server on this machine for the pages' links to lead to: GET /<name> (any query
// ignored) answers with the page of that name, anything else with 404. A link target the pages
// accept must begin with a scheme such as http://, and an address on this machine holds no letter
// of the links' captions, as a file:// path in a temporary folder may. It serves on a thread of
// its own until the object goes.
class LinkServer {
 public:
  // `pages` maps names ("news.htm") to their HTML.
  explicit LinkServer(std::map<std::string, std::string> pages);
  LinkServer(const LinkServer&) = delete;
  LinkServer& operator=(const LinkServer&) = delete;
  ~LinkServer();

  // The address of `target` on the server: "http://127.0.0.1:<port>/" + target.
  std::string Url(const std::string& target) const;

 private:
  void Serve();
  // The whole answer to a request that begins with `request`.
  std::string Answer(const std::string& request) const;

  std::map<std::string, std::string> pages_;
  int listener_ = -1;
  int port_ = 0;
  int stopPipe_[2] = {-1, -1};  // written to when the object goes, to end Serve
  std::thread thread_;
};

}  // namespace lintavo::test
