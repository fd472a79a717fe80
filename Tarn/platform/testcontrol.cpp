#include "testcontrol.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<std::string>& PendingFailures()
{
    static std::vector<std::string> failures;
    return failures;
}
} // namespace

namespace testcontrol {

void FailOnce(const std::string& operation)
{
    PendingFailures().push_back(operation);
}

bool ConsumeFailure(const std::string& operation)
{
    std::vector<std::string>& failures = PendingFailures();
    auto it = std::find(failures.begin(), failures.end(), operation);
    if (it == failures.end())
        return false;
    failures.erase(it);
    return true;
}

void ClearFailures()
{
    PendingFailures().clear();
}

} // namespace testcontrol
