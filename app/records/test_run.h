// The counters of one test run (word test, composition test, listening quiz).
#pragma once

#include <cstdint>

namespace korvel {

struct TestRun {
    std::int16_t questions = 0;
    std::int16_t answered = 0;
    std::int16_t right = 0;
    std::int16_t wrong = 0;

    // A new run of `count` questions: every counter back to 0.
    void start(int count)
    {
        *this = TestRun{};
        questions = static_cast<std::int16_t>(count);
    }
    // An item's result is settled: answered and right or wrong go up by 1.
    void settle(bool isRight)
    {
        ++answered;
        ++(isRight ? right : wrong);
    }
};

}  // namespace korvel
