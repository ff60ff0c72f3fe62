// Lists a folder of N empty scripts (created in shuffled order, as a copied folder may hold them) into a
// script list whose change listener keeps a copy of every row, the work the window's list widget does,
// then sets every check mark as a run does. Prints both times for 1,000 and 10,000 scripts and their
// ratios: a linear listing keeps the ratio near 10.
// Run in a Release or RelWithDebInfo build: bench/bench_listing [small count] [large count]
#include "update/catalogue/add_matching_scripts.h"
#include "update/catalogue/script_list.h"

#include <QTemporaryDir>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <numeric>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

// The rows as the widget would show them, kept the way MainWindow::mirrorScriptList keeps its items.
class Mirror {
public:
    explicit Mirror(const akt::ScriptList& list) : list_(list) {}

    void apply(const akt::ScriptListChange& change) {
        ++notifications_;
        switch (change.scope) {
        case akt::ScriptListChange::Scope::Row:
            copyRow(change.row);
            return;
        case akt::ScriptListChange::Scope::All:
            break;
        }
        rows_.resize(static_cast<std::size_t>(list_.count()));
        for (int i = 0; i < list_.count(); ++i)
            copyRow(i);
    }

    std::size_t rows() const { return rows_.size(); }
    long notifications() const { return notifications_; }
    int checked() const {
        return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const auto& row) { return row.second; }));
    }

private:
    void copyRow(int row) {
        const akt::ScriptEntry& entry = list_.entry(row);
        rows_[static_cast<std::size_t>(row)] = {entry.displayText(), entry.checked()};
    }

    const akt::ScriptList& list_;
    std::vector<std::pair<QString, bool>> rows_;
    long notifications_ = 0;
};

void createScripts(const QString& folder, int count) {
    std::vector<int> numbers(static_cast<std::size_t>(count));
    std::iota(numbers.begin(), numbers.end(), 1);
    std::shuffle(numbers.begin(), numbers.end(), std::mt19937(20240601));
    for (int n : numbers) {
        char name[32];
        std::snprintf(name, sizeof name, "/X_%05d.SQL", n);
        std::ofstream file(folder.toStdString() + name);
        if (!file) {
            std::fprintf(stderr, "cannot create %s in %s\n", name, qPrintable(folder));
            std::exit(1);
        }
    }
}

struct Timing {
    double listSeconds = 0;
    double markSeconds = 0;
};

double secondsSince(std::chrono::steady_clock::time_point begin) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

Timing listAndMark(const QString& folder, int count) {
    akt::ScriptList list;
    Mirror mirror(list);
    list.setChangeListener([&mirror](const akt::ScriptListChange& change) { mirror.apply(change); });

    Timing timing;
    auto begin = std::chrono::steady_clock::now();
    const int added = akt::addMatchingScripts(list, folder + '/');
    timing.listSeconds = secondsSince(begin);

    begin = std::chrono::steady_clock::now();
    for (int i = 0; i < list.count(); ++i)
        list.setChecked(list.entry(i), true);
    timing.markSeconds = secondsSince(begin);

    if (added != count || mirror.rows() != static_cast<std::size_t>(count) || mirror.checked() != count) {
        std::fprintf(stderr, "listed %d of %d scripts, mirrored %zu rows, %d checked\n", added, count, mirror.rows(),
                     mirror.checked());
        std::exit(1);
    }
    return timing;
}

// The best of a few runs, so a stray scheduling hiccup does not decide the figure.
Timing best(const QString& folder, int count, int runs) {
    Timing result = listAndMark(folder, count);
    for (int i = 1; i < runs; ++i) {
        const Timing again = listAndMark(folder, count);
        result.listSeconds = std::min(result.listSeconds, again.listSeconds);
        result.markSeconds = std::min(result.markSeconds, again.markSeconds);
    }
    return result;
}

} // namespace

int main(int argc, char** argv) {
    // glibc hands freed memory back at the top of the heap and takes fresh pages again on the next
    // run: ten thousand entries would pay page faults that a thousand, fitting in memory already
    // touched, do not. Keep the memory so both sizes are timed alike.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 32 << 20); // the largest glibc accepts
    const int smallCount = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int largeCount = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10000;
    QTemporaryDir small;
    QTemporaryDir large;
    if (!small.isValid() || !large.isValid()) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        return 1;
    }
    createScripts(small.path(), smallCount);
    createScripts(large.path(), largeCount);

    const Timing smallRun = best(small.path(), smallCount, 5);
    const Timing largeRun = best(large.path(), largeCount, 3);
    std::printf("%6d scripts: listed in %8.3f ms, every check mark set in %7.3f ms\n", smallCount,
                smallRun.listSeconds * 1e3, smallRun.markSeconds * 1e3);
    std::printf("%6d scripts: listed in %8.3f ms, every check mark set in %7.3f ms\n", largeCount,
                largeRun.listSeconds * 1e3, largeRun.markSeconds * 1e3);
    std::printf("count ratio %.1f, listing time ratio %.1f, check mark time ratio %.1f\n",
                static_cast<double>(largeCount) / smallCount, largeRun.listSeconds / smallRun.listSeconds,
                largeRun.markSeconds / smallRun.markSeconds);
    return 0;
}
