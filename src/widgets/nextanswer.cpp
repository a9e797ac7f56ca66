#include "widgets/nextanswer.h"

#include <deque>
#include <map>

namespace trek {

namespace {
std::map<NextAnswer::Box, std::deque<NextAnswer::Answer>>& Queues()
{
    static std::map<NextAnswer::Box, std::deque<NextAnswer::Answer>> queues;
    return queues;
}
} // namespace

void NextAnswer::Queue(Box box, int code, const QString& folder)
{
    Queues()[box].push_back(Answer{code, folder});
}

std::optional<NextAnswer::Answer> NextAnswer::Take(Box box)
{
    auto& queue = Queues()[box];
    if (queue.empty()) {
        return std::nullopt;
    }
    Answer answer = queue.front();
    queue.pop_front();
    return answer;
}

int NextAnswer::Pending(Box box)
{
    return static_cast<int>(Queues()[box].size());
}

void NextAnswer::Clear()
{
    Queues().clear();
}

} // namespace trek
