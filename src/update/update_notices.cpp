#include "update/update_notices.h"

namespace quillon::update {

using link::DeviceKind;
using link::KeyboardVariant;
using link::MouseModel;

UpdateNotice keyboardArrivalNotice(KeyboardVariant variant) {
    switch (variant) {
        case KeyboardVariant::oneColour:
            return UpdateNotice::oneColourKeyboardArrived;
        case KeyboardVariant::membrane:
            return UpdateNotice::membraneKeyboardArrived;
        case KeyboardVariant::rgb:
            break;
    }
    return UpdateNotice::rgbKeyboardArrived;
}

UpdateNotice keyboardRemovalNotice(KeyboardVariant variant) {
    switch (variant) {
        case KeyboardVariant::oneColour:
            return UpdateNotice::oneColourKeyboardLeft;
        case KeyboardVariant::membrane:
            return UpdateNotice::membraneKeyboardLeft;
        case KeyboardVariant::rgb:
            break;
    }
    return UpdateNotice::rgbKeyboardLeft;
}

std::optional<UpdateNotice> arrivalNotice(const link::DeviceArrived& arrived) {
    if (arrived.kind == DeviceKind::keyboard)
        return keyboardArrivalNotice(arrived.keyboardVariant);
    if (arrived.kind == DeviceKind::mouse && arrived.mouseModel == MouseModel::first)
        return UpdateNotice::mouseArrived;
    if (arrived.kind == DeviceKind::mouse && arrived.mouseModel == MouseModel::model2)
        return UpdateNotice::mouse2Arrived;
    return std::nullopt;
}

std::optional<UpdateNotice> removalNotice(const link::DeviceLeft& left) {
    if (left.kind == DeviceKind::keyboard)
        return keyboardRemovalNotice(left.keyboardVariant);
    if (left.kind == DeviceKind::mouse && left.mouseModel == MouseModel::first)
        return UpdateNotice::mouseLeft;
    if (left.kind == DeviceKind::mouse && left.mouseModel == MouseModel::model2)
        return UpdateNotice::mouse2Left;
    return std::nullopt;
}

}  // namespace quillon::update
