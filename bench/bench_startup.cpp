// Starts the real program again and again and prints the time from launch
// (just before fork) to its main window being mapped and viewable.
//
//   bench_startup TAVO_BINARY RUNS LOG_FILE
#include "x_session.h"

#include <cstdio>
#include <string>
#include <unistd.h>

using namespace tavo::bench;

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_startup TAVO RUNS LOG\n");
        return 1;
    }
    const int runs = std::atoi(argv[2]);
    XSession x;
    std::vector<double> shown;
    for (int run = 0; run < runs; ++run) {
        // The last run's window must be gone before the next launch.
        while (x.find_window("TAVO") != 0) {
            usleep(1000);
        }
        Program program(argv[1], argv[3]);
        if (x.wait_for_window("TAVO", 30'000) == 0) {
            std::fprintf(stderr, "the main window did not appear\n");
            return 2;
        }
        shown.push_back(static_cast<double>(now_us() - program.started_us()) / 1000.0);
    }
    std::printf("\nstart-up, %d launches\n", runs);
    print_figures("launch to main window shown", shown);
    return 0;
}
