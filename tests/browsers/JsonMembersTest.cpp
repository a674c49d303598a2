#include <gtest/gtest.h>

#include <string>

#include "browsers/JsonMembers.h"

// Members of a JSON text found by their paths, the values before them passed over as written.

namespace lintavo::browsers {
namespace {

using State = JsonMember::State;

TEST(JsonMembersTest, FindsMembersPastValuesThatLookLikeJson) {
  // Strings holding brackets, quotes and backslashes, and nested values, before the members
  // looked for.
  const std::string json =
      R"( {"a": "}\"{[\\", "b": [{"c": "]"}, [[]], {}], "s": {"x": "{", "r": 1.50e1 }, )"
      R"("t": null} )";
  struct Case {
    const char* path;
    State state;
    std::string value;
  };
  const Case cases[] = {
      {"a", State::kFound, R"("}\"{[\\")"}, {"b", State::kFound, R"([{"c": "]"}, [[]], {}])"},
      {"s.r", State::kFound, "1.50e1"},     {"s.missing", State::kAbsent, ""},
      {"missing.r", State::kAbsent, ""},    {"t", State::kFound, "null"},
      {"t.r", State::kUnclear, ""},         {"b.c", State::kUnclear, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const JsonMember member = FindJsonMember(json, c.path);
    EXPECT_EQ(member.state, c.state);
    EXPECT_EQ(member.value, c.value);
  }
  EXPECT_EQ(FindJsonMember("[1]", "a").state, State::kUnclear);
  EXPECT_EQ(FindJsonMember(R"({"a":1,"a":1})", "a").state, State::kUnclear);
}

TEST(JsonMembersTest, AMissingMemberIsAddedInByteOrderWithTheObjectsOnItsWay) {
  struct Case {
    const char* json;
    const char* path;
    const char* expected;
  };
  const Case cases[] = {
      {"{}", "m", R"({"m":1})"},
      {"{ }", "a.b.c", R"({"a":{"b":{"c":1}} })"},
      {R"({"a":0,"z":0})", "m", R"({"a":0,"m":1,"z":0})"},
      {R"({"a":0})", "m", R"({"a":0,"m":1})"},
      {"{\n  \"a\": 0\n}", "b", "{\n  \"a\": 0,\"b\":1\n}"},
      {R"({"s":{"a":0}})", "s.b", R"({"s":{"a":0,"b":1}})"},
      {R"({"s":{"b":0}})", "s.b", R"({"s":{"b":1}})"},
      {R"({"B":0,"a":0})", "Z", R"({"B":0,"Z":1,"a":0})"},  // byte order: upper case first
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.json);
    EXPECT_EQ(WithJsonMember(c.json, c.path, "1"), c.expected);
  }
  EXPECT_FALSE(WithJsonMember(R"({"s":[]})", "s.b", "1"));
}

}  // namespace
}  // namespace lintavo::browsers
