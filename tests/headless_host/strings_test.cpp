// MString: splitting option strings under both host readings, and integers from text.
// (Comparison, lengths and array editing run through every export-options and translator test.)
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

}  // namespace
