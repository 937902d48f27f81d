#include "link/status.h"

namespace quillon::link {

const char* describe(Status s) {
    switch (s) {
        case Status::ok:
            return "ok";
        case Status::noExchange:
            return "no answer (device not connected or silent)";
        case Status::writeFailed:
            return "the report could not be written";
        case Status::deviceError:
            return "the device answered with an error (0xFF)";
        case Status::deviceBusy:
            return "the device answered busy (0xFE)";
        case Status::badSlot:
            return "key-map slot out of range (0..4)";
    }
    return "unknown result";
}

}  // namespace quillon::link
