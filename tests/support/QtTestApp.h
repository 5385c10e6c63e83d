#pragma once

#include <gtest/gtest.h>

class QApplication;

namespace kova::test {

// The QApplication of the widget tests, made on first use: offscreen
// platform, a private runtime directory, settings in a temporary folder and
// the C numeric locale. It ends after the last test.
QApplication& QtTestApp();

// Base of widget test fixtures: the application exists before any member
// widget of a fixture is made.
class QtTest : public ::testing::Test {
protected:
    QtTest() { QtTestApp(); }
};

} // namespace kova::test
