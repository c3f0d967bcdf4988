#include "layer_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "runtime/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const std::vector<std::string> kOrder = layers::SplitOrder(KRN_LAYERS);

TEST(LayerCheck, TheProgramKeepsItsLayers) {
  // Each fault names the file and line of the include.
  EXPECT_THAT(layers::CheckLayers(KRN_SOURCE_ROOT, kOrder), IsEmpty());
}

class LayerFixture : public ::testing::Test {
 protected:
  void Write(const std::string& path, const std::string& text) {
    const fs::path file = std::filesystem::path(folder_.path()) / "src" / path;
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
  }
  std::vector<std::string> Check() {
    return layers::CheckLayers(std::filesystem::path(folder_.path()) / "src", layers::SplitOrder("runtime core ui points shell"));
  }
  TempFolder folder_;
};

TEST_F(LayerFixture, AnUpwardIncludeIsNamedWithItsFileAndLine) {
  Write("ui/view.cpp", "#include \"ui/view.h\"\n#include \"core/app.h\"\n#include \"points/table.h\"\n");
  Write("points/table.cpp", "#include \"ui/view.h\"\n#include \"runtime/files.h\"\n");
  Write("shell/main.cpp", "#include \"points/table.h\"\n#include \"ui/view.h\"\n");
  const std::vector<std::string> faults = Check();
  ASSERT_EQ(faults.size(), 1u);
  EXPECT_THAT(faults[0], HasSubstr("ui/view.cpp:3: ui/ includes points/table.h"));
}

TEST_F(LayerFixture, StateHeadersAreReadFromAnywhereAndIncludeOnlyTheBase) {
  Write("ui/view.cpp", "#include \"shell/state.h\"\n");
  Write("core/app.h", "#include \"points/state.h\"\n#include \"shell/state.h\"\n");
  Write("points/state.h", "#include \"core/constants.h\"\n#include \"runtime/table.h\"\n");
  Write("shell/state.h", "#include \"ui/view.h\"\n");
  EXPECT_THAT(Check(), ElementsAre(HasSubstr("shell/state.h:1: a state header includes ui/view.h")));
}

TEST_F(LayerFixture, AFolderOutsideTheOrderIsRefused) {
  Write("extra/thing.cpp", "#include \"core/app.h\"\n");
  EXPECT_THAT(Check(), ElementsAre(HasSubstr("has no place in the layer order")));
}

}  // namespace
