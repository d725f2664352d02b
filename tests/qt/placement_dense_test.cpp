#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "qt/window_placement.h"
#include "qt_test_support.h"

namespace koropika {
namespace {

using testing::LayoutBuilder;
using testing::ShownWindow;

// At two device pixels per point the window manager's frame, known in device pixels, comes off
// the outer size whole: the client is the designed size less the frame, scaled as a whole. The
// outer size around it, which centres the window, counts the frame at half its pixels.
TEST(WindowPlacementOnADenseScreen, TheFrameInDevicePixelsComesOffTheDesignedOuterSize) {
    ShownWindow w{LayoutBuilder("placed", {286, 233}).layout()};
    QWidget topLevel;
    ASSERT_EQ(topLevel.devicePixelRatioF(), 2.0);
    WindowPlacement placement(topLevel, QMargins(1, 20, 1, 1));
    placement.apply(*w.window);

    // The model counts a frame of 2 × 21 pixels round the designed client of 286 × 233.
    EXPECT_EQ(topLevel.size(), QSize(286, 233));
    const QSize outer(286 + 1 + 1, 233 + 10 + 1);
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(topLevel.pos(),
              available.topLeft() + QPoint((available.width() - outer.width()) / 2,
                                           (available.height() - outer.height()) / 2));
}

}  // namespace
}  // namespace koropika
