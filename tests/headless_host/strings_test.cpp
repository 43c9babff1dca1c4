// MString and MStringArray: splitting option strings, integers, comparison and lengths.
#include <headless/scene.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> pieces(const MStringArray& array) {
  std::vector<std::string> result;
  for (unsigned i = 0; i < array.length(); ++i) result.push_back(array[i].asChar());
  return result;
}

TEST(Strings, SplitDropsEmptyPiecesUnlessAskedToKeepThem) {
  struct Case {
    const char* text;
    char separator;
    std::vector<std::string> dropped, kept;
  };
  const Case cases[] = {
      {"vertexColors=0;relProjPath=0;optimize=0;", ';', {"vertexColors=0", "relProjPath=0", "optimize=0"},
       {"vertexColors=0", "relProjPath=0", "optimize=0", ""}},
      {"a;;b", ';', {"a", "b"}, {"a", "", "b"}},
      {"key=", '=', {"key"}, {"key", ""}},
      {"=value", '=', {"value"}, {"", "value"}},
      {"", ';', {}, {""}},
      {"plain", ';', {"plain"}, {"plain"}},
  };
  for (const Case& c : cases) {
    MStringArray result;
    headless::resetHostBehaviour();
    ASSERT_TRUE(MString(c.text).split(c.separator, result));
    EXPECT_EQ(pieces(result), c.dropped) << c.text;
    headless::hostBehaviour().splitKeepsEmptyPieces = true;
    ASSERT_TRUE(MString(c.text).split(c.separator, result));
    EXPECT_EQ(pieces(result), c.kept) << c.text;
  }
  headless::resetHostBehaviour();
}

TEST(Strings, NumbersFromText) {
  struct Case {
    const char* text;
    int asInt;
    bool isInt;
  };
  const Case cases[] = {{"0", 0, true}, {"1", 1, true},    {"-12", -12, true}, {" 7", 7, true},
                        {"3x", 3, false}, {"", 0, false},  {"yes", 0, false},  {"2.5", 2, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(MString(c.text).asInt(), c.asInt) << c.text;
    EXPECT_EQ(MString(c.text).isInt(), c.isInt) << c.text;
  }
  EXPECT_DOUBLE_EQ(MString("2.5").asDouble(), 2.5);
  EXPECT_TRUE(MString("2.5").isDouble());
}

TEST(Strings, ComparisonLengthAndEditing) {
  MString text("Model.QAX");
  EXPECT_EQ(text.length(), 9u);
  EXPECT_TRUE(text == "Model.QAX");
  EXPECT_TRUE(text != "model.qax");
  EXPECT_TRUE(text == MString("Model.QAX"));
  EXPECT_EQ(text.rindex('.'), 5);
  EXPECT_STREQ(text.substring(6, 8).asChar(), "QAX");
  MString copy = text;
  copy.toLowerCase();
  EXPECT_STREQ(copy.asChar(), "model.qax");
  EXPECT_STREQ(text.asChar(), "Model.QAX");
  EXPECT_STREQ((MString("a") + "b" + MString("c")).asChar(), "abc");
  EXPECT_STREQ(("x" + MString("y")).asChar(), "xy");
  MString withZero("a\0b", 3);
  EXPECT_EQ(withZero.length(), 3u);
  MString empty;
  EXPECT_EQ(empty.length(), 0u);
  EXPECT_STREQ(empty.asChar(), "");
}

TEST(Strings, StringArrayEditing) {
  MStringArray array;
  array.append("b");
  array.insert("a", 0);
  array.append("c");
  EXPECT_EQ(pieces(array), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_TRUE(array.remove(1));
  EXPECT_EQ(array.remove(5).statusCode(), MStatus::kFailure);
  array[1] = "z";
  EXPECT_EQ(pieces(array), (std::vector<std::string>{"a", "z"}));
  MStringArray copy(array);
  array.clear();
  EXPECT_EQ(array.length(), 0u);
  EXPECT_EQ(copy.length(), 2u);
}

}  // namespace
