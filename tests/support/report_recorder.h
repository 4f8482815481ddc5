#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "render/error_report.h"

// Collects the error reports made while it lives, in place of message boxes.
class ReportRecorder {
  public:
    ReportRecorder() {
        reports.clear();
        owners.clear();
        errorBoxHook = [](const char* text, ReportOwner owner) {
            reports.emplace_back(text);
            owners.push_back(owner);
        };
    }
    ~ReportRecorder() { errorBoxHook = nullptr; }
    ReportRecorder(const ReportRecorder&) = delete;
    ReportRecorder& operator=(const ReportRecorder&) = delete;

    const std::vector<std::string>& Reports() const { return reports; }
    // True when every report so far is owned as given.
    bool AllOwnedBy(ReportOwner owner) const {
        return std::all_of(owners.begin(), owners.end(),
                           [owner](ReportOwner o) { return o == owner; });
    }

  private:
    static inline std::vector<std::string> reports;
    static inline std::vector<ReportOwner> owners;
};
