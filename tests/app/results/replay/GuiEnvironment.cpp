#include "OffscreenGui.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// The text of the overlays needs a Qt application: one for the whole run,
// ended after the last test while Qt's own globals still exist.
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override { gui_ = std::make_unique<OffscreenGui>(); }
    void TearDown() override { gui_.reset(); }

private:
    std::unique_ptr<OffscreenGui> gui_;
};

// GoogleTest takes ownership of the environment.
const ::testing::Environment* const kGui = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
