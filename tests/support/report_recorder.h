#pragma once

#include <string>
#include <vector>

#include "render/error_report.h"

// Collects the error reports made while it lives, in place of message boxes.
class ReportRecorder {
  public:
    ReportRecorder() {
        reports.clear();
        errorBoxHook = [](const char* text) { reports.emplace_back(text); };
    }
    ~ReportRecorder() { errorBoxHook = nullptr; }
    ReportRecorder(const ReportRecorder&) = delete;
    ReportRecorder& operator=(const ReportRecorder&) = delete;

    const std::vector<std::string>& Reports() const { return reports; }

  private:
    static inline std::vector<std::string> reports;
};
