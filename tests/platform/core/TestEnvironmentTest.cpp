#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

// CTest hands every test the checkout and the artifacts folder of the tree
// that built it, so that a second build tree keeps its pictures to itself.
TEST(TestEnvironment, SourceAndArtifactsDirsOfThisTree) {
  const char* source = std::getenv("VN_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  EXPECT_TRUE(fs::exists(fs::path(source) / "run"));
  EXPECT_TRUE(fs::exists(fs::path(source) / "platform" / "core"));

  const char* artifacts = std::getenv("VN_ARTIFACTS_DIR");
  ASSERT_NE(artifacts, nullptr);
  EXPECT_EQ(vntest::ArtifactsDir(), artifacts);
  // The folder "artifacts" at the top of a build tree, the one this program
  // was built in.
  const fs::path dir(artifacts);
  const fs::path tree = dir.parent_path();
  EXPECT_EQ(dir.filename(), "artifacts");
  EXPECT_TRUE(fs::exists(tree / "CMakeCache.txt")) << tree;
  EXPECT_EQ(fs::read_symlink("/proc/self/exe").string().rfind(tree.string() + "/", 0), 0u) << tree;
}

}  // namespace
