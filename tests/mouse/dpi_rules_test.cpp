// The number rules of the mouse performance view: DPI range and labels,
// pointer speed, wheel lines and typed colour channels.

#include <gtest/gtest.h>

#include "mouse/dpi_range.h"
#include "mouse/pointer_steps.h"

namespace quillon::mouse {
namespace {

link::DeviceInfo sensorInfo(std::uint16_t sensor, std::uint8_t step, std::uint8_t highest,
                            std::uint16_t lowest) {
    link::DeviceInfo info;
    info.bytes[9] = std::uint8_t(sensor);
    info.bytes[10] = std::uint8_t(sensor >> 8);
    info.bytes[11] = step;
    info.bytes[12] = highest;
    info.bytes[13] = std::uint8_t(lowest);
    info.bytes[14] = std::uint8_t(lowest >> 8);
    return info;
}

TEST(DpiRange, AKnownSensorTakesTheTablesLowestDpiAndLabels) {
    // The mouse claims 400 as its lowest; the sensor table knows better.
    const DpiRange r = dpiRangeOf(sensorInfo(0x3360, 100, 119, 400));
    EXPECT_EQ(r.lowestDpi, 100);
    EXPECT_EQ(stageDpi(r, 50), 5100u);
    ASSERT_TRUE(r.labels);
    EXPECT_EQ(r.labels->minLabel, "100");
    EXPECT_EQ(r.labels->maxLabel, "12000");
    EXPECT_EQ(r.highestLevel, 119);

    EXPECT_EQ(dpiRangeOf(sensorInfo(0x3050, 50, 75, 0)).lowestDpi, 250);
    EXPECT_EQ(dpiRangeOf(sensorInfo(0x3325, 100, 48, 0)).labels->maxLabel, "5000");
}

TEST(DpiRange, AnUnknownSensorKeepsTheMousesLowestDpiAndNoLabels) {
    const DpiRange r = dpiRangeOf(sensorInfo(0x1234, 50, 40, 0x0190));
    EXPECT_EQ(r.lowestDpi, 400);
    EXPECT_FALSE(r.labels);
    EXPECT_EQ(stageDpi(r, 3), 550u);
}

TEST(DpiRange, StagesShownFollowTheModel) {
    EXPECT_EQ(stagesShown(link::MouseModel::first), 5);
    EXPECT_EQ(stagesShown(link::MouseModel::secondEdition), 6);
    EXPECT_EQ(stagesShown(link::MouseModel::model2), 4);
}

TEST(PointerSteps, PointerSpeedIsTwiceTheSliderPlusOneWithinTwenty) {
    EXPECT_EQ(pointerSpeedOfSlider(9), 20);
    EXPECT_EQ(pointerSpeedOfSlider(0), 2);
    EXPECT_EQ(pointerSpeedOfSlider(-4), 2);
    EXPECT_EQ(pointerSpeedOfSlider(30), 20);
    // Showing a stored speed and reading the slider back never raises it.
    for (std::uint8_t speed = 2; speed <= 20; speed += 2)
        EXPECT_EQ(pointerSpeedOfSlider(sliderOfPointerSpeed(speed)), speed);
    EXPECT_EQ(sliderOfPointerSpeed(0), 0);
}

TEST(PointerSteps, WheelLinesStayWithinOneToTen) {
    EXPECT_EQ(wheelLinesDown(1), 1);
    EXPECT_EQ(wheelLinesUp(10), 10);
    EXPECT_EQ(wheelLinesUp(15), 10);
    EXPECT_EQ(wheelLinesDown(15), 9);
    EXPECT_EQ(wheelLinesUp(0), 2);  // nothing readable counts as 1, then one more
    EXPECT_EQ(wheelLinesDown(0), 1);
    EXPECT_EQ(wheelLinesUp(3), 4);
    EXPECT_EQ(wheelLinesDown(3), 2);
    EXPECT_EQ(wheelLinesUp(leadingDecimal("99999999999999")), 10);  // no overflow
}

TEST(PointerSteps, TypedChannelsStopAt255) {
    EXPECT_EQ(typedChannel("300").value, 255);
    EXPECT_TRUE(typedChannel("300").clamped);
    EXPECT_EQ(typedChannel("255").value, 255);
    EXPECT_FALSE(typedChannel("255").clamped);
    EXPECT_EQ(typedChannel("x7").value, 0);
}

}  // namespace
}  // namespace quillon::mouse
