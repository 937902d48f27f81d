#pragma once

// --trace FILE: one line per report, "W " or "R " and the 64 bytes in hex.

#include <cstdio>
#include <mutex>
#include <string>

#include "link/report_trace.h"

namespace quillon::cli {

class FileTrace final : public link::ReportTrace {
  public:
    // Opens (truncates) the file; ok() tells whether that worked.
    explicit FileTrace(const std::string& path);
    ~FileTrace() override;
    bool ok() const { return file_ != nullptr; }

    void reportWritten(std::span<const std::uint8_t> report) override { line('W', report); }
    void reportRead(std::span<const std::uint8_t> report) override { line('R', report); }

    // Closes the file. False, with errno's reason in `error`, when any line or
    // the close failed: the trace on disk is not complete.
    bool finish(std::string& error);

  private:
    void line(char direction, std::span<const std::uint8_t> report);
    std::mutex mutex_;
    std::FILE* file_;
    int firstError_ = 0;  // errno of the first failed write, 0 while all went well
};

}  // namespace quillon::cli
