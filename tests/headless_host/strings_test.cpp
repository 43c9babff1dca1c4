// MString: splitting option strings under both host readings.
// (Integers from text, comparison, lengths and array editing run through every export-options and translator
// test.)
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

}  // namespace
