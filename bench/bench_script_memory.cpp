// Peak memory of loading and parsing one script, for scripts that stress the line index and the
// statement texts: blank LF lines, blank CR LF lines, one long line that is a single statement, and
// many short INSERT statements. Each script is generated in a temporary folder, then loaded and
// parsed in a child process of its own, so its peak resident size (ru_maxrss of the child) belongs
// to that script alone; a child that does nothing gives the baseline that is taken off.
// Usage: bench/bench_script_memory [megabytes per script, default 50]
#include "update/parser/script_file.h"
#include "update/parser/script_parser.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

namespace {

const double kMb = 1e6;

struct Case {
    const char* name;
    // Appends the next piece of the script; called until the script has the size asked for.
    std::function<void(std::string& out, std::size_t piece, std::size_t left)> append;
};

void appendBlankLf(std::string& out, std::size_t, std::size_t left) {
    out.append(std::min<std::size_t>(left, 1 << 20), '\n');
}

void appendBlankCrLf(std::string& out, std::size_t, std::size_t left) {
    for (std::size_t i = 0; i < std::min<std::size_t>(left, 1 << 20) / 2; ++i)
        out += "\r\n";
}

// One statement on one line without a line break: the opening in front, the value up to the size,
// the closing at the very end.
void appendLongLine(std::string& out, std::size_t piece, std::size_t left) {
    static const std::string opening = "INSERT INTO t VALUES('";
    static const std::string closing = "');";
    if (piece == 0)
        out += opening;
    const std::size_t reserved = piece == 0 ? opening.size() + closing.size() : closing.size();
    if (left <= reserved) {
        out += closing;
        return;
    }
    out.append(std::min<std::size_t>(left - reserved, 1 << 20), 'x');
    if (left - reserved <= (1 << 20))
        out += closing;
}

void appendShortInserts(std::string& out, std::size_t piece, std::size_t left) {
    for (std::size_t i = 0; out.size() < std::min<std::size_t>(left, 1 << 20); ++i)
        out += "INSERT INTO t (a, b) VALUES (" + std::to_string(piece * 100000 + i) + ", 'x');\r\n";
}

std::string writeScript(const std::string& folder, const Case& script, std::size_t bytes) {
    const std::string path = folder + "/" + script.name + ".SQL";
    std::ofstream file(path, std::ios::binary);
    std::string chunk;
    std::size_t written = 0;
    for (std::size_t piece = 0; written < bytes; ++piece) {
        chunk.clear();
        script.append(chunk, piece, bytes - written);
        if (chunk.empty())
            break;
        file << chunk;
        written += chunk.size();
    }
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
    return path;
}

// Exit status of the child: 0 when the whole script parsed without an error.
int loadAndParse(const std::string& path) {
    try {
        akt::ScriptParser parser;
        parser.start(akt::loadScriptFile(path));
        for (;;) {
            const akt::ParseResult result = parser.next();
            if (std::holds_alternative<akt::End>(result))
                return 0;
            if (std::holds_alternative<akt::ParseError>(result))
                return 2;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 3;
    }
}

struct ChildRun {
    long maxRssKb = 0;
    double cpuSeconds = 0;
    double wallSeconds = 0;
    int status = 0;
};

ChildRun inChild(const std::function<int()>& work) {
    std::fflush(nullptr); // or the child would print the parent's buffered output again
    const auto begin = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        std::exit(1);
    }
    if (child == 0)
        _exit(work());
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) {
        std::perror("wait4");
        std::exit(1);
    }
    ChildRun run;
    run.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    run.maxRssKb = usage.ru_maxrss;
    run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

} // namespace

int main(int argc, char** argv) {
    const std::size_t megabytes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    char folderTemplate[] = "/tmp/akt_bench_memory_XXXXXX";
    if (!mkdtemp(folderTemplate)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string folder = folderTemplate;
    const Case cases[] = {
        {"blank_lf_lines", appendBlankLf},
        {"blank_crlf_lines", appendBlankCrLf},
        {"one_long_line", appendLongLine},
        {"short_inserts", appendShortInserts},
    };

    const ChildRun baseline = inChild([] { return 0; });
    std::printf("baseline child: %.1f MB peak RSS; figures below are above it (goal: at most 2 x the file "
                "size plus a fixed amount)\n",
                baseline.maxRssKb * 1024.0 / kMb);
    int failures = 0;
    for (const Case& script : cases) {
        const std::string path = writeScript(folder, script, megabytes * 1000000);
        const double size = static_cast<double>(std::ifstream(path, std::ios::ate | std::ios::binary).tellg());
        const ChildRun run = inChild([&path] { return loadAndParse(path); });
        std::remove(path.c_str());
        const double peak = (run.maxRssKb - baseline.maxRssKb) * 1024.0;
        std::printf("%-17s %6.1f MB file, peak %7.1f MB, ratio %5.2f, %.3f s cpu, %.3f s wall%s\n", script.name,
                    size / kMb, peak / kMb, peak / size, run.cpuSeconds, run.wallSeconds,
                    run.status == 0 ? "" : "  (did not parse to its end)");
        failures += run.status != 0;
    }
    rmdir(folder.c_str());
    return failures == 0 ? 0 : 1;
}
