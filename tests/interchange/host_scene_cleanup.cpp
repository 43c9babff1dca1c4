// Leaves the host's scene empty when the test program ends, so that nothing the tests built outlives them.
#include <headless/scene.h>

#include <gtest/gtest.h>

namespace {

class EmptySceneAtExit : public ::testing::Environment {
public:
    void TearDown() override { headless::emptyScene(); }
};

const ::testing::Environment* const registered = ::testing::AddGlobalTestEnvironment(new EmptySceneAtExit);

} // namespace
