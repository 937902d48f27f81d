#include "mouse/dpi_view.h"

#include <algorithm>
#include <string>

#include "mouse/dpi_controls.h"
#include "mouse/dpi_range.h"
#include "mouse/pointer_steps.h"
#include "shell/control_name.h"

namespace quillon::mouse {

namespace {

using skin::NotifyType;

constexpr std::uint32_t kCurrentStageColour = 0xFFFF0000u;
constexpr std::uint32_t kOtherStageColour = 0xFFFFFFFFu;

std::uint32_t argbOf(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return 0xFF000000u | static_cast<std::uint32_t>(red) << 16 |
           static_cast<std::uint32_t>(green) << 8 | blue;
}

std::uint8_t channel(std::uint32_t argb, int shift) {
    return static_cast<std::uint8_t>(argb >> shift);
}

}  // namespace

void DpiView::install(shell::NotificationRouter& router) {
    using shell::Flow;
    using skin::Notification;
    for (int stage = 0; stage < kStageCount; ++stage) {
        const std::string_view slider = kStageControls[std::size_t(stage)].slider;
        router.addName(NotifyType::valueChanged, slider, [this, stage](const Notification& n, int) {
            stageMoved(stage, n.value, false);
        });
        router.addName(
            NotifyType::moveValueChanged, slider,
            [this, stage](const Notification& n, int) { stageMoved(stage, n.value, true); });
    }
    const DpiViewControls& c = kDpiView;
    router.addName(NotifyType::colorChanged, c.palette, [this](const Notification& n, int) {
        applyColour(static_cast<std::uint32_t>(n.value));
    });
    // A preset outside the table is ignored; the click goes on to the name routes.
    router.addPrefix(
        NotifyType::click, c.presetPrefix,
        [this](const Notification& n, int preset) {
            if (shell::isNumberedName(n.name) && preset >= 0 &&
                std::size_t(preset) < p_.presetColours.size())
                applyColour(p_.presetColours[std::size_t(preset)]);
        },
        Flow::continues);
    for (const auto& [edit, shift] :
         {std::pair{c.editRed, 16}, std::pair{c.editGreen, 8}, std::pair{c.editBlue, 0}}) {
        router.addName(NotifyType::textChanged, edit,
                       [this, edit = edit, shift = shift](const Notification&, int) {
                           applyTypedChannel(edit, shift);
                       });
    }
    router.addName(NotifyType::itemSelect, c.reportRateCombo,
                   [this](const Notification& n, int) { selectReportRate(n.row); });
    router.addName(NotifyType::valueChanged, c.liftOffSlider,
                   [this](const Notification& n, int) { setLiftOff(n.value); });
    router.addName(NotifyType::valueChanged, c.pointerSpeedSlider,
                   [this](const Notification& n, int) { setPointerSpeed(n.value); });
    router.addName(NotifyType::click, c.wheelUp,
                   [this](const Notification&, int) { stepWheelLines(true); });
    router.addName(NotifyType::click, c.wheelDown,
                   [this](const Notification&, int) { stepWheelLines(false); });
}

void DpiView::stageMoved(int stage, std::int64_t value, bool dragging) {
    const DpiRange range = dpiRangeOf(p_.records.mouseInfo());
    // No mouse has described its sensor yet: the slider means nothing, and
    // must not zero the stored levels.
    if (range.highestLevel == 0)
        return;
    const auto level =
        static_cast<std::uint8_t>(std::clamp<std::int64_t>(value, 0, range.highestLevel));
    const StageControls& names = kStageControls[std::size_t(stage)];
    if (skin::Control* label = p_.skin.find(names.valueLabel))
        label->setText(std::to_string(stageDpi(range, level)));
    if (dragging)
        return;
    changeAndSave([&](link::MouseState& m) { m.dpiLevels[std::size_t(stage)] = level; });
}

void DpiView::applyColour(std::uint32_t argb) {
    showColour(argb, true);
    changeAndSave([&](link::MouseState& m) {
        m.dpiRed = channel(argb, 16);
        m.dpiGreen = channel(argb, 8);
        m.dpiBlue = channel(argb, 0);
    });
}

void DpiView::applyTypedChannel(std::string_view edit, int shift) {
    skin::Control* e = p_.skin.find(edit);
    if (e == nullptr)
        return;
    const TypedChannel typed = typedChannel(e->text());
    if (typed.clamped)
        e->setText("255");
    std::uint32_t argb = 0;
    // Saved as well: a typed colour is a change of the profile like a picked one.
    changeAndSave([&](link::MouseState& m) {
        std::uint8_t& byte = shift == 16 ? m.dpiRed : shift == 8 ? m.dpiGreen : m.dpiBlue;
        byte = typed.value;
        argb = argbOf(m.dpiRed, m.dpiGreen, m.dpiBlue);
    });
    // The edits keep what was typed; the button and the palette follow.
    showColour(argb, false);
}

void DpiView::selectReportRate(int row) {
    if (row < 0 || row > 255)
        return;
    changeAndSave([&](link::MouseState& m) { m.reportRate = static_cast<std::uint8_t>(row); });
}

void DpiView::setLiftOff(std::int64_t value) {
    const auto level = static_cast<std::uint8_t>(std::clamp<std::int64_t>(value, 0, 255));
    changeAndSave([&](link::MouseState& m) { m.liftOff = level; });
}

void DpiView::setPointerSpeed(std::int64_t value) {
    const std::uint8_t speed = pointerSpeedOfSlider(value);
    p_.records.changeSystemSettings(
        [&](profiles::MouseSystemSettings& system) { system.pointerSpeed = speed; });
    p_.pointer.applySpeed(speed);
    p_.save();
}

void DpiView::stepWheelLines(bool up) {
    skin::Control* edit = p_.skin.find(kDpiView.wheelEdit);
    const int shown = edit != nullptr ? leadingDecimal(edit->text()) : 0;
    const int lines = up ? wheelLinesUp(shown) : wheelLinesDown(shown);
    if (edit != nullptr)
        edit->setText(std::to_string(lines));
    p_.records.changeSystemSettings([&](profiles::MouseSystemSettings& system) {
        system.wheelLines = static_cast<std::uint8_t>(lines);
    });
    p_.pointer.applyWheelLines(lines);
    p_.save();
}

void DpiView::showColour(std::uint32_t argb, bool edits) {
    if (skin::Control* palette = p_.skin.find(kDpiView.palette))
        palette->setColour(argb);
    if (skin::Control* button = p_.skin.find(kDpiView.colourButton))
        button->setBackgroundColour(argb);
    if (!edits)
        return;
    for (const auto& [edit, shift] :
         {std::pair{kDpiView.editRed, 16}, std::pair{kDpiView.editGreen, 8},
          std::pair{kDpiView.editBlue, 0}}) {
        if (skin::Control* e = p_.skin.find(edit))
            e->setText(std::to_string(channel(argb, shift)));
    }
}

void DpiView::changeAndSave(const std::function<void(link::MouseState&)>& change) {
    p_.records.changeMouseState(change);
    p_.save();
}

void DpiView::refresh() {
    const link::MouseState state = p_.records.mouseState();
    const DpiRange range = dpiRangeOf(p_.records.mouseInfo());
    const int shown = stagesShown(p_.identity.mouseModel.load());

    if (skin::Control* combo = p_.skin.find(kDpiView.reportRateCombo))
        combo->selectRow(state.reportRate, false);
    for (int stage = 0; stage < kStageCount; ++stage) {
        const StageControls& names = kStageControls[std::size_t(stage)];
        const bool visible = stage < shown;
        for (std::string_view cell : {names.labelCell, names.valueCell})
            if (skin::Control* c = p_.skin.find(cell))
                c->setVisible(visible);
        if (range.labels) {
            if (skin::Control* c = p_.skin.find(names.minLabel))
                c->setText(range.labels->minLabel);
            if (skin::Control* c = p_.skin.find(names.maxLabel))
                c->setText(range.labels->maxLabel);
        }
        if (!visible)
            continue;
        const std::uint8_t level = state.dpiLevels[std::size_t(stage)];
        if (skin::Control* slider = p_.skin.find(names.slider)) {
            slider->setRange(0, range.highestLevel);
            slider->setValue(level);
        }
        const std::uint32_t colour =
            stage == state.dpiStage ? kCurrentStageColour : kOtherStageColour;
        if (skin::Control* value = p_.skin.find(names.valueLabel)) {
            value->setText(std::to_string(stageDpi(range, level)));
            value->setTextColour(colour);
        }
        if (skin::Control* rank = p_.skin.find(names.rankLabel))
            rank->setTextColour(colour);
    }
    if (skin::Control* lift = p_.skin.find(kDpiView.liftOffSlider))
        lift->setValue(state.liftOff);
    showColour(argbOf(state.dpiRed, state.dpiGreen, state.dpiBlue), true);
}

void DpiView::restoreSystemSettings() {
    const profiles::MouseSystemSettings system = p_.records.systemSettings();
    const std::uint8_t speed = std::clamp<std::uint8_t>(system.pointerSpeed, 1, 20);
    const int lines = std::clamp<int>(system.wheelLines, kFewestWheelLines, kMostWheelLines);
    if (skin::Control* slider = p_.skin.find(kDpiView.pointerSpeedSlider))
        slider->setValue(sliderOfPointerSpeed(speed));
    if (skin::Control* edit = p_.skin.find(kDpiView.wheelEdit))
        edit->setText(std::to_string(lines));
    p_.pointer.applySpeed(speed);
    p_.pointer.applyWheelLines(lines);
}

void DpiView::resetSystemSettings() {
    p_.records.changeSystemSettings([](profiles::MouseSystemSettings& system) {
        system.pointerSpeed = kResetPointerSpeed;
        system.wheelLines = kResetWheelLines;
    });
    if (skin::Control* slider = p_.skin.find(kDpiView.pointerSpeedSlider))
        slider->setValue(kResetPointerSlider);
    if (skin::Control* edit = p_.skin.find(kDpiView.wheelEdit))
        edit->setText(std::to_string(kResetWheelLines));
    p_.pointer.applySpeed(kResetPointerSpeed);
    p_.pointer.applyWheelLines(kResetWheelLines);
}

}  // namespace quillon::mouse
