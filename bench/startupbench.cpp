// Start-up benchmark: starts each program again and again with TOVRIN_BENCH_FIRST_PAINT set and
// measures, per run, the time from just before the process is spawned until its main window's
// first paint is complete (the program prints that moment, see app/firstpaint.h) and the
// process's peak resident memory. The last columns give the time until the first paint event
// instead: the moment painting begins, before any control is drawn. Runs alternate between the
// programs so that drifts of the machine hit all of them alike. Prints the median of each and
// each program's ratio to the first, then the median moment at which each stage of start-up was
// over (the "moment" lines the programs print) beside the two moments of the first paint.
//
// usage: startupbench <runs> <program> [<program>...]
//
// The programs inherit the environment (DISPLAY, HOME ...). One run of each that is not counted
// comes first, to fill the caches of the file system and fontconfig.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <string>
#include <vector>

extern char **environ;

namespace {

struct Run {
    double milliseconds = 0;      // until the first paint was complete
    double beganMilliseconds = 0; // until the first paint event
    double cpuMilliseconds = 0; // user and system time of the whole run, shutdown included
    long peakKilobytes = 0;
    std::map<std::string, double> moments; // stage name -> milliseconds after the spawn, the paint's included
};

long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

bool runOnce(const char *program, Run *run)
{
    int out[2];
    if (pipe(out) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);

    char *argv[] = {const_cast<char *>(program), nullptr};
    pid_t pid = 0;
    const long long started = monotonicNanoseconds();
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", program, std::strerror(spawned));
        close(out[0]);
        return false;
    }

    std::string output;
    char buffer[4096];
    ssize_t n;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)) {
        if (n > 0)
            output.append(buffer, static_cast<size_t>(n));
    }
    close(out[0]);

    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not end normally (status %d)\n", program, status);
        return false;
    }
    const std::size_t at = output.find("first-paint ");
    if (at == std::string::npos) {
        std::fprintf(stderr, "%s printed no first-paint line; is TOVRIN_BENCH_FIRST_PAINT honoured?\n", program);
        return false;
    }
    long long begun = 0;
    long long painted = 0;
    if (std::sscanf(output.c_str() + at, "first-paint %lld %lld", &begun, &painted) != 2) {
        std::fprintf(stderr, "%s printed a first-paint line without both moments\n", program);
        return false;
    }
    for (std::size_t from = 0; from < output.size();) {
        const std::size_t end = std::min(output.find('\n', from), output.size());
        char name[64];
        long long moment = 0;
        if (std::sscanf(output.substr(from, end - from).c_str(), "moment %63s %lld", name, &moment) == 2)
            run->moments[name] = static_cast<double>(moment - started) / 1e6;
        from = end + 1;
    }
    run->milliseconds = static_cast<double>(painted - started) / 1e6;
    run->beganMilliseconds = static_cast<double>(begun - started) / 1e6;
    run->moments["paint begun"] = run->beganMilliseconds;
    run->moments["painted"] = run->milliseconds;
    run->peakKilobytes = usage.ru_maxrss;
    const auto ms = [](const timeval &t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; };
    run->cpuMilliseconds = ms(usage.ru_utime) + ms(usage.ru_stime);
    return true;
}

const char *baseName(const char *path)
{
    const char *slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

template<typename T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <runs> <program> [<program>...]\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    if (runs < 1) {
        std::fprintf(stderr, "%s: the number of runs must be at least 1\n", argv[0]);
        return 2;
    }
    const std::vector<const char *> programs(argv + 2, argv + argc);
    setenv("TOVRIN_BENCH_FIRST_PAINT", "1", 1);

    std::vector<std::vector<Run>> results(programs.size());
    for (int round = -1; round < runs; ++round) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            Run run;
            if (!runOnce(programs[p], &run))
                return 1;
            if (round >= 0)
                results[p].push_back(run);
        }
    }

    double firstTime = 0;
    double firstBegan = 0;
    double firstMemory = 0;
    std::printf("%-24s %6s %8s %7s %10s %7s %8s %8s %9s %7s\n", "program (median of runs)", "runs", "ms", "ratio",
                "peak KiB", "ratio", "min ms", "cpu ms", "begun ms", "ratio");
    for (std::size_t p = 0; p < programs.size(); ++p) {
        std::vector<double> times;
        std::vector<long> memory;
        std::vector<double> cpu;
        std::vector<double> began;
        for (const Run &run : results[p]) {
            times.push_back(run.milliseconds);
            began.push_back(run.beganMilliseconds);
            memory.push_back(run.peakKilobytes);
            cpu.push_back(run.cpuMilliseconds);
        }
        const double time = median(times);
        const double kilobytes = static_cast<double>(median(memory));
        const double begun = median(began);
        if (p == 0) {
            firstTime = time;
            firstBegan = begun;
            firstMemory = kilobytes;
        }
        std::printf("%-24s %6d %8.1f %7.2f %10.0f %7.2f %8.1f %8.1f %9.1f %7.2f\n", baseName(programs[p]), runs, time, time / firstTime,
                    kilobytes, kilobytes / firstMemory, *std::min_element(times.begin(), times.end()), median(cpu),
                    begun, begun / firstBegan);
    }

    // Stages, in the order of their moments in the first program's first run.
    std::vector<std::pair<double, std::string>> order;
    for (const auto &[name, ms] : results[0].front().moments)
        order.emplace_back(ms, name);
    std::sort(order.begin(), order.end());
    std::printf("\n%-24s", "stage over at, median ms");
    for (const auto &stage : order)
        std::printf(" %11s", stage.second.c_str());
    std::printf("\n");
    for (std::size_t p = 0; p < programs.size(); ++p) {
        std::printf("%-24s", baseName(programs[p]));
        for (const auto &stage : order) {
            std::vector<double> at;
            for (const Run &run : results[p]) {
                const auto found = run.moments.find(stage.second);
                if (found != run.moments.end())
                    at.push_back(found->second);
            }
            if (at.empty())
                std::printf(" %11s", "-");
            else
                std::printf(" %11.1f", median(at));
        }
        std::printf("\n");
    }
    return 0;
}
