// What a save costs, by the way the file is written: a new file, a file
// replaced through a temporary file and a rename, and a file with a second
// hard link, written in place behind a backup copy. Each save syncs to the
// disk, so the figures are mostly the disk's. Prints the median and the
// slowest of each; usage: bench_saving [FOLDER] (default: the current one).
#include "whole_file.h"

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace {

constexpr int saves = 200;
const QByteArray assessment = QByteArray("a line of an assessment file\r\n").repeated(60);

struct Figures {
    double median_ms;
    double slowest_ms;
};

template <typename Prepare> Figures time_saves(const QString& path, Prepare prepare) {
    std::vector<double> times;
    for (int i = 0; i < saves; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        if (tavo::replace_whole_file(path, assessment)) {
            std::fprintf(stderr, "bench_saving: a save failed\n");
            std::exit(1);
        }
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

void print(const char* what, const Figures& figures) {
    std::printf("%-40s median %7.3f ms   slowest %7.3f ms\n", what, figures.median_ms,
                figures.slowest_ms);
}

} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir dir(QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath())
                          .filePath(QStringLiteral("bench_saving-XXXXXX")));
    const QString path = dir.filePath(QStringLiteral("visit.tavo"));
    const QString link = dir.filePath(QStringLiteral("visit-link.tavo"));
    std::printf("%d saves of %lld bytes each in %s\n", saves,
                static_cast<long long>(assessment.size()), qPrintable(dir.path()));
    print("a new file", time_saves(path, [&] { QFile::remove(path); }));
    print("replaced (temporary file and rename)", time_saves(path, [] {}));
    ::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData());
    print("in place behind a backup (hard link)", time_saves(path, [] {}));
    return 0;
}
