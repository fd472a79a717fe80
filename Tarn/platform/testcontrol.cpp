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

bool ConsumeFailure(const char* operation)
{
    std::vector<std::string>& failures = PendingFailures();
    if (failures.empty())
        return false;
    auto it = std::find_if(failures.begin(), failures.end(),
                           [operation](const std::string& failure) { return failure == operation; });
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
