#pragma once

#include "MessageBoxes.h"

#include <deque>
#include <vector>

namespace orv::test {

// Answers message boxes from a queue the test fills (Ok when it is empty) and keeps every
// request it was shown.
class FakeMessageBoxes final : public lifecycle::MessageBoxes {
public:
    std::vector<lifecycle::MessageRequest> shown;
    std::deque<lifecycle::MessageAnswer> answers;

    lifecycle::MessageAnswer show(const lifecycle::MessageRequest& request) override
    {
        shown.push_back(request);
        if (answers.empty()) return lifecycle::MessageAnswer::Ok;
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace orv::test
