// Which of the three tests: the one word every part of the program uses for
// it, from the trial logic and the reading log to the results, the sheet, the
// exports and the windows.
#pragma once

#include <QString>
#include <array>

namespace tavo {

enum class TestKind { activation, release, repetition };

// The three, in the order the program always lists them.
inline constexpr std::array<TestKind, 3> all_tests = {TestKind::activation, TestKind::release,
                                                      TestKind::repetition};

// "Activation", "Release", "Repetition": the test as people read it.
QString test_name(TestKind kind);

// "activation", "release", "repetition": the test as a word in a record a
// program reads (the reading log) and in the objectNames of its pages. A
// literal, so the reading log writes it without allocating in a trial.
const char* test_key(TestKind kind);

} // namespace tavo
