#include "check/CheckReport.h"

#include <algorithm>

namespace check {

int CheckReport::ExitCode() const {
    const bool anyFailed = std::any_of(rows.begin(), rows.end(),
                                       [](const auto& r) { return r.verdict == Verdict::Failed; });
    const bool anyApplied = std::any_of(rows.begin(), rows.end(),
                                        [](const auto& r) { return r.verdict == Verdict::Ok; });
    return interrupted || anyFailed || !anyApplied ? 1 : 0;
}

}  // namespace check
