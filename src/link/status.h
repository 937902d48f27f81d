#pragma once

// Results of every device operation. The values are the ones callers and
// stored traces know; they are not error codes of the OS.

namespace quillon::link {

enum class [[nodiscard]] Status : int {
    ok = 1,               // every exchange got an answer whose status is not an error
    noExchange = 0,       // link not connected, or no answer in any of the attempts
    writeFailed = -1,     // an output report could not be written
    deviceError = -102,   // an answer had status 0xFF
    deviceBusy = -103,    // an answer had status 0xFE
    badSlot = -201,       // a key-map slot above 4 was asked for
};

inline constexpr Status STATUS_OK = Status::ok;
inline constexpr Status STATUS_NO_EXCHANGE = Status::noExchange;
inline constexpr Status STATUS_WRITE_FAILED = Status::writeFailed;
inline constexpr Status STATUS_DEVICE_ERROR = Status::deviceError;
inline constexpr Status STATUS_DEVICE_BUSY = Status::deviceBusy;
inline constexpr Status STATUS_BAD_SLOT = Status::badSlot;

constexpr int toInt(Status s) { return static_cast<int>(s); }
constexpr bool succeeded(Status s) { return s == Status::ok; }
const char* describe(Status s);

}  // namespace quillon::link
