#pragma once

#include <optional>
#include <string>
#include <string_view>

// Members of a JSON text's objects, found and set where they stand: every byte but the value set
// stays as it was, numbers exactly as written included (a parser would read 1e5, -0.0 or a 30-digit
// integer into a double and write it back otherwise). A member is named by its path from the root
// object, the names joined by dots as Chromium names its preferences ("session.startup_urls"); no
// name on a path holds a dot.
//
// Only the objects on the path are read, member by member, the values between passed over. That
// the whole text is valid JSON is for the caller to check with a full parser first: on any other
// text these functions stay within its bounds, but may take what a parser would refuse.
namespace lintavo::browsers {

struct JsonMember {
  enum class State {
    kAbsent,  // it, or an object on its path, is missing
    kFound,
    // The text does not tell which value is meant: an object on the path, or the member itself, is
    // named twice in its object (readers differ in which one counts), an object on the path is
    // something else, or the text is no object.
    kUnclear,
  };
  State state = State::kAbsent;
  std::string_view value;  // the value as written, when found
};

JsonMember FindJsonMember(std::string_view json, std::string_view path);

// The text with the member at `path` set to `value` (JSON text): its value replaced where it
// stands, or, when it is missing, added to its object (and the objects missing on its path made)
// before the first member whose name is greater in byte order, the order Chromium writes. Nothing
// when the member is unclear (FindJsonMember).
std::optional<std::string> WithJsonMember(std::string_view json, std::string_view path,
                                          std::string_view value);

}  // namespace lintavo::browsers
