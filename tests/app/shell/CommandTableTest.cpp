#include "CommandTable.h"

#include "QtTestApp.h"
#include "ToolWindowHost.h"
#include "ToolWindowRegistry.h"

#include <QApplication>
#include <QPoint>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

bool UnderATopMenu(const char* path) {
    const std::string text(path);
    for (const MenuRow& menu : MenuTable()) {
        const std::string title(menu.title);
        if (text == title || text.rfind(title + "/", 0) == 0) return true;
    }
    return false;
}

TEST(CommandTableTest, RowsAreConsistent) {
    std::multimap<int, const CommandRow*> byId;
    for (const CommandRow& row : CommandTable()) {
        EXPECT_TRUE(UnderATopMenu(row.menu)) << row.menu;
        if (row.kind != RowKind::Command) continue;
        byId.emplace(row.id, &row);
        // A command runs either on the main frame or on the view.
        EXPECT_NE(row.onFrame == nullptr, row.onView == nullptr && row.window == ToolWindow::None)
            << row.text;
        // A window command can make its window.
        EXPECT_EQ(row.window != ToolWindow::None, row.makeHost != nullptr) << row.text;
        if (row.onView || row.window != ToolWindow::None) {
            EXPECT_EQ(row.shown, Shown::WithDocument) << row.text;
        }
    }
    // An identifier is used twice only by entries that never show together.
    for (auto it = byId.begin(); it != byId.end();) {
        const auto range = byId.equal_range(it->first);
        if (std::distance(range.first, range.second) > 1) {
            ASSERT_EQ(std::distance(range.first, range.second), 2) << it->first;
            const Shown a = range.first->second->shown;
            const Shown b = std::next(range.first)->second->shown;
            EXPECT_TRUE((a == Shown::WithDocument && b == Shown::WithoutDocument) ||
                        (a == Shown::WithoutDocument && b == Shown::WithDocument))
                << it->first;
        }
        it = range.second;
    }
}

// A host that counts the windows it made and may take the pointer.
class CountingHost : public ToolWindowHost {
public:
    CountingHost(ToolWindow kind, bool takes) : ToolWindowHost(kind), takes_(takes) {}
    bool PointerMoved(unsigned, const QPoint& point) override {
        last = point;
        return takes_;
    }
    int made = 0;
    QPoint last;

protected:
    QWidget* Create() override {
        ++made;
        return new QWidget;
    }

private:
    bool takes_;
};

TEST(ToolWindowRegistryTest, OpensOnceForgetsOnCloseAndPassesThePointer) {
    kova::test::QtTestApp();
    ToolWindowRegistry registry;
    auto calibration = std::make_unique<CountingHost>(ToolWindow::Calibration, true);
    auto pixels = std::make_unique<CountingHost>(ToolWindow::PixelValue, false);
    CountingHost* first = calibration.get();
    CountingHost* second = pixels.get();
    registry.Add(std::move(calibration));
    registry.Add(std::make_unique<CountingHost>(ToolWindow::Calibration, false)); // ignored
    registry.Add(std::move(pixels));

    EXPECT_EQ(registry.Open(ToolWindow::Tracking), nullptr); // no host: nothing opens
    QWidget* window = registry.Open(ToolWindow::Calibration);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(registry.Open(ToolWindow::Calibration), window); // raised, not made again
    EXPECT_EQ(first->made, 1);
    EXPECT_TRUE(registry.IsOpen(ToolWindow::Calibration));
    EXPECT_FALSE(registry.IsOpen(ToolWindow::PixelValue));

    // Every host sees the move; one that takes it keeps it from the display.
    EXPECT_TRUE(registry.PointerMoved(0, QPoint(3, 4)));
    EXPECT_EQ(second->last, QPoint(3, 4));

    registry.Close(ToolWindow::Calibration);
    EXPECT_FALSE(registry.IsOpen(ToolWindow::Calibration));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(registry.Window(ToolWindow::Calibration), nullptr);
    registry.Open(ToolWindow::Calibration);
    registry.Open(ToolWindow::PixelValue);
    EXPECT_EQ(first->made, 2);
    registry.CloseAll();
    EXPECT_EQ(registry.Window(ToolWindow::Calibration), nullptr);
    EXPECT_EQ(registry.Window(ToolWindow::PixelValue), nullptr);
}

} // namespace
