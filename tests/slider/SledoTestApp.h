#pragma once

#include <gtest/gtest.h>

class QApplication;

namespace kova::test {

// The application object of the widget tests, created on first use on the
// offscreen platform.
QApplication& SledoTestApp();

// Base of the widget test fixtures: the application exists before any
// member widget of a fixture is made.
class SledoGuiTest : public ::testing::Test {
protected:
    SledoGuiTest() { SledoTestApp(); }
};

} // namespace kova::test
