#pragma once

#include <QString>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kova::test {

// The name an end-to-end test finds a control by: its accessible name, or
// else a button's text.
QString AccessibleName(const QWidget& control);

// The controls of `window` an end-to-end test could not find by name: those
// without one and those whose name another control already has. Parts of
// other controls (a spin box's editor, a view's headers and scroll bars) are
// not controls of their own.
std::vector<std::string> UnnamedOrRepeatedControls(QWidget& window);

// The control of type T named `name` in `window`, as the end-to-end test
// finds it; a test failure and nullptr when there is none.
template <class T> T* Named(QWidget& window, const char* name) {
    for (T* control : window.findChildren<T*>())
        if (AccessibleName(*control) == QString::fromUtf8(name)) return control;
    ADD_FAILURE() << "no control named " << name;
    return nullptr;
}

} // namespace kova::test
