// Start-up time, peak resident memory and the processor time of a minimised
// window, of the real game program beside a bare SDL window that only presents
// cleared frames (bare_window), and beside that window doing the game's start-up
// work and presenting its first picture (picture_window). Each is started as a
// separate process with frame_probe preloaded, which reports when it was loaded
// and presented its first frame, plays a fixed script of key presses, and
// minimises the game (a window manager must run on the display: make bench runs
// this under openbox).
// Usage: session_bench [--smoke] GAME BARE_WINDOW PICTURE_WINDOW PROBE DATA_DIR
// --smoke starts each program once, with and without the dialog, and plays the
// script with half a second shown and half a second minimised: a quick check
// that every run still works, whose figures mean nothing.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

int startRuns = 9;
int dialogRuns = 5;
int phaseMs = 5000; // how long the game is measured shown, and then minimised
constexpr int timeoutMs = 120000;

int64_t Now() {
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return int64_t(time.tv_sec) * 1000000000 + time.tv_nsec;
}

// What one run of a program reported, and its peak resident memory.
struct RunReport {
    int64_t started = 0;
    std::map<std::string, std::vector<int64_t>> lines;
    std::map<std::string, long> mappingKb; // resident memory by what is mapped
    long peakKb = 0;
    bool ok = false;

    double MsAfterStart(const char* name) const {
        const auto found = lines.find(name);
        return found == lines.end() ? -1 : double(found->second[0] - started) / 1e6;
    }
};

// The game's working folder: its pictures and options that open a window, with
// or without the start-up dialog first (the probe presses its OK).
void WritePreferences(const std::filesystem::path& folder, bool dialog) {
    std::ofstream(folder / "prefs.txt")
        << "gofirst=1\nxoro=1\ncontrols=1\nwhofirst=0\nplayer1xoro=1\nplayer1controls=1\n"
           "player2controls=1\nconfigpanel="
        << (dialog ? 1 : 0) << "\nres=1\nbpp=0\nfullscreen=0\n";
}

RunReport RunOnce(const std::string& program, const std::string& probe, const char* mode,
                  bool minimise, const std::filesystem::path& folder, bool dialog = false) {
    RunReport report;
    WritePreferences(folder, dialog);
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return report;
    fcntl(pipeFds[0], F_SETFD, FD_CLOEXEC);

    std::vector<std::string> settings = {
        "KELMOT_PROBE_FD=" + std::to_string(pipeFds[1]), std::string("KELMOT_PROBE_MODE=") + mode,
        std::string("KELMOT_PROBE_MINIMISE=") + (minimise ? "1" : "0"),
        "KELMOT_PROBE_PHASE_MS=" + std::to_string(phaseMs), "LD_PRELOAD=" + probe};
    std::vector<char*> environment;
    for (char** entry = environ; *entry; ++entry)
        if (std::strncmp(*entry, "LD_PRELOAD=", 11) != 0) environment.push_back(*entry);
    for (std::string& setting : settings) environment.push_back(setting.data());
    environment.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::string path = program;
    char* arguments[] = {path.data(), nullptr};
    pid_t pid = 0;
    report.started = Now();
    const int spawned =
        posix_spawn(&pid, path.c_str(), &actions, nullptr, arguments, environment.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        std::fprintf(stderr, "cannot start %s\n", program.c_str());
        return report;
    }

    std::string received;
    const int64_t deadline = Now() + int64_t(timeoutMs) * 1000000;
    for (;;) {
        pollfd waiting{pipeFds[0], POLLIN, 0};
        const int left = int(std::max<int64_t>(0, (deadline - Now()) / 1000000));
        if (poll(&waiting, 1, left) <= 0) {
            std::fprintf(stderr, "%s did not finish in time\n", program.c_str());
            kill(pid, SIGKILL);
            break;
        }
        char buffer[512];
        const ssize_t got = read(pipeFds[0], buffer, sizeof buffer);
        if (got <= 0) break;
        received.append(buffer, size_t(got));
    }
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    report.peakKb = usage.ru_maxrss;
    report.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;

    std::istringstream lines(received);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string name;
        words >> name;
        if (name == "mapping") {
            long kb = 0;
            std::string path;
            words >> kb >> std::ws;
            std::getline(words, path);
            report.mappingKb[path] = kb;
            continue;
        }
        for (int64_t value; words >> value;) report.lines[name].push_back(value);
    }
    if (!report.ok) std::fprintf(stderr, "%s ended with status %d\n", program.c_str(), status);
    return report;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

struct StartFigures {
    std::vector<double> loaded, first, peakMb;
};

// With the start-up dialog, whose OK the probe presses: the times from the OK
// to the first frame; empty when a run failed.
std::vector<double> MeasureDialogStarts(const std::string& game, const std::string& probe,
                                        const std::filesystem::path& folder) {
    std::vector<double> afterOk;
    for (int run = 0; run < dialogRuns; ++run) {
        const RunReport report = RunOnce(game, probe, "first", false, folder, true);
        if (!report.ok || !report.lines.count("ok") || !report.lines.count("first")) return {};
        afterOk.push_back(report.MsAfterStart("first") - report.MsAfterStart("ok"));
    }
    return afterOk;
}

// Where the game's resident memory goes, beside the bare window's (and the
// picture window's, when given), by what is mapped: the rows where the game and
// the bare window differ by 256 kB or more, largest difference first, then the
// rest summed.
void PrintMappings(const char* when, const RunReport& game, const RunReport& bare,
                   const RunReport& picture) {
    struct Row {
        long game = 0, bare = 0, picture = 0;
    };
    std::map<std::string, Row> rows;
    for (const auto& [path, kb] : game.mappingKb) rows[path].game = kb;
    for (const auto& [path, kb] : bare.mappingKb) rows[path].bare = kb;
    for (const auto& [path, kb] : picture.mappingKb) rows[path].picture = kb;
    std::vector<std::pair<std::string, Row>> sorted(rows.begin(), rows.end());
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        return a.second.game - a.second.bare > b.second.game - b.second.bare;
    });
    const bool withPicture = !picture.mappingKb.empty();
    std::printf("\nResident memory %s by mapping (/proc/PID/smaps), one run each\n", when);
    std::printf("  %-50s %9s %9s %9s %9s\n", "", "kelmot", "bare", "more",
                withPicture ? "picture" : "");
    const auto print = [withPicture](const std::string& path, const Row& row) {
        const std::string name = path.size() > 50 ? "..." + path.substr(path.size() - 47) : path;
        std::printf("  %-50s %6ld kB %6ld kB %+6ld kB", name.c_str(), row.game, row.bare,
                    row.game - row.bare);
        if (withPicture) std::printf(" %6ld kB", row.picture);
        std::printf("\n");
    };
    Row total, rest;
    for (const auto& [path, row] : sorted) {
        const bool small = std::labs(row.game - row.bare) < 256;
        Row& sum = small ? rest : total;
        sum.game += row.game;
        sum.bare += row.bare;
        sum.picture += row.picture;
        if (!small) print(path, row);
    }
    print("everything else", rest);
    print("total",
          Row{total.game + rest.game, total.bare + rest.bare, total.picture + rest.picture});
}

void Add(StartFigures& figures, const RunReport& run) {
    figures.loaded.push_back(run.MsAfterStart("loaded"));
    figures.first.push_back(run.MsAfterStart("first"));
    figures.peakMb.push_back(double(run.peakKb) / 1024);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 7 && std::strcmp(argv[1], "--smoke") == 0) {
        startRuns = 1;
        dialogRuns = 1;
        phaseMs = 500;
        --argc;
        ++argv;
    }
    if (argc != 6) {
        std::fprintf(
            stderr,
            "usage: session_bench [--smoke] GAME BARE_WINDOW PICTURE_WINDOW PROBE DATA_DIR\n");
        return 2;
    }
    const std::string game = std::filesystem::absolute(argv[1]);
    const std::string bare = std::filesystem::absolute(argv[2]);
    const std::string picture = std::filesystem::absolute(argv[3]);
    const std::string probe = std::filesystem::absolute(argv[4]);
    char folderName[] = "/tmp/kelmot-session-bench.XXXXXX";
    if (mkdtemp(folderName) == nullptr) return 1;
    const std::filesystem::path folder = folderName;
    std::filesystem::create_directory_symlink(std::filesystem::absolute(argv[5]), folder / "Data");

    bool ok = true;
    // Taken in turns, so that a change in the machine's load falls on all three.
    StartFigures gameStart, bareStart, pictureStart;
    RunReport lastGame, lastBare, lastPicture;
    for (int run = 0; run < startRuns && ok; ++run) {
        lastGame = RunOnce(game, probe, "first", false, folder);
        lastBare = RunOnce(bare, probe, "first", false, folder);
        lastPicture = RunOnce(picture, probe, "first", false, folder);
        ok = lastGame.ok && lastBare.ok && lastPicture.ok && lastGame.lines.count("first") &&
             lastBare.lines.count("first") && lastPicture.lines.count("first");
        Add(gameStart, lastGame);
        Add(bareStart, lastBare);
        Add(pictureStart, lastPicture);
    }
    const RunReport gamePlay = RunOnce(game, probe, "play", true, folder);
    // The script toggles "Player1 Has The" in Multiplayer Options and chooses
    // Done, which saves: proof that the game took the key presses.
    std::stringstream saved;
    saved << std::ifstream(folder / "prefs.txt").rdbuf();
    const bool scriptPlayed = saved.str().find("player1xoro=0\n") != std::string::npos;
    if (!scriptPlayed) std::fprintf(stderr, "the game did not follow the scripted key presses\n");
    const RunReport barePlay = RunOnce(bare, probe, "play", false, folder);
    const std::vector<double> dialogStarts = MeasureDialogStarts(game, probe, folder);
    if (dialogStarts.empty()) std::fprintf(stderr, "a start with the dialog failed\n");
    ok = ok && gamePlay.ok && barePlay.ok && scriptPlayed && gamePlay.lines.count("shown") &&
         gamePlay.lines.count("minimised") && !dialogStarts.empty();
    std::filesystem::remove_all(folder); // the link, not the pictures

    if (!ok) {
        std::printf("session_bench: a run failed; see the messages above\n");
        return 1;
    }
    std::printf("Start-up to the first presented frame, from the exec, windowed, without the\n"
                "start-up dialog; median of %d runs taken in turns\n",
                startRuns);
    std::printf("  %-16s %14s %14s\n", "", "libs loaded", "first frame");
    const double bareFirst = Median(bareStart.first);
    std::printf("  %-16s %11.1f ms %11.1f ms\n", "bare SDL window", Median(bareStart.loaded),
                bareFirst);
    const double pictureFirst = Median(pictureStart.first);
    std::printf("  %-16s %11.1f ms %11.1f ms   %.2fx the bare window: the cost of the work\n",
                "picture window", Median(pictureStart.loaded), pictureFirst,
                pictureFirst / bareFirst);
    const double gameFirst = Median(gameStart.first);
    std::printf("  %-16s %11.1f ms %11.1f ms   %.2fx the bare window, %.2fx the picture window\n",
                "kelmot", Median(gameStart.loaded), gameFirst, gameFirst / bareFirst,
                gameFirst / pictureFirst);

    std::printf("  %-16s %26.1f ms   from its OK to the first frame (median of %d),\n",
                "with the dialog", Median(dialogStarts), dialogRuns);
    std::printf("  %-16s %26s      %.2fx the bare window's whole start-up\n", "", "",
                Median(dialogStarts) / bareFirst);

    std::printf("\nPeak resident memory\n");
    const double bareFirstMb = Median(bareStart.peakMb), gameFirstMb = Median(gameStart.peakMb);
    const double pictureFirstMb = Median(pictureStart.peakMb);
    std::printf("  %-44s %7.1f MB (bare window %.1f MB, %.2fx)\n", "kelmot at its first frame",
                gameFirstMb, bareFirstMb, gameFirstMb / bareFirstMb);
    std::printf("  %-44s %7.1f MB (%.2fx the bare window; kelmot %.2fx this)\n",
                "picture window at its first frame", pictureFirstMb, pictureFirstMb / bareFirstMb,
                gameFirstMb / pictureFirstMb);
    const double barePlayMb = double(barePlay.peakKb) / 1024;
    const double gamePlayMb = double(gamePlay.peakKb) / 1024;
    std::printf("  %-44s %7.1f MB (bare window %.1f MB, %.2fx)\n",
                "kelmot over the scripted play, shown, minimised", gamePlayMb, barePlayMb,
                gamePlayMb / barePlayMb);

    PrintMappings("at the first frame", lastGame, lastBare, lastPicture);
    PrintMappings("at the end of the scripted play", gamePlay, barePlay, RunReport{});

    const auto& shown = gamePlay.lines.at("shown");
    const auto& minimised = gamePlay.lines.at("minimised");
    // In nanoseconds, 1% of one core over the phase.
    const double percentNs = double(phaseMs) * 1e4;
    std::printf("\nProcessor time of the game over %g seconds (all threads)\n", phaseMs / 1e3);
    std::printf("  %-12s %9.1f ms  (%.1f%% of one core), %lld frames\n", "shown",
                double(shown[0]) / 1e6, double(shown[0]) / percentNs,
                static_cast<long long>(shown[1]));
    std::printf("  %-12s %9.1f ms  (%.2f%% of one core), %lld frames\n", "minimised",
                double(minimised[0]) / 1e6, double(minimised[0]) / percentNs,
                static_cast<long long>(minimised[1]));

    // The game drew as fast as the machine allowed until its frames followed the
    // display: these were its figures then, on this machine (docs/benchmarks.md).
    constexpr double unpacedPercent = 177.2, unpacedRate = 101.8;
    const auto& rate =
        gamePlay.lines.count("rate") ? gamePlay.lines.at("rate") : std::vector<int64_t>{0, 0};
    const double framesPerSecond = double(rate[0]) / 100;
    const int refresh = rate.size() > 1 && rate[1] > 0 ? int(rate[1]) : 60;
    std::printf("\nFrames shown beside the display and the game's figures before it was paced\n");
    std::printf("  %-12s %9.1f a second (the display refreshes %d times a second: %.2fx; "
                "at most 1.05x)\n",
                "frames", framesPerSecond, refresh, framesPerSecond / refresh);
    std::printf("  %-12s %9.1f%% of one core (before: %.1f%% at %.1f frames a second: %.2fx; "
                "at most 0.5x)\n",
                "processor", double(shown[0]) / percentNs, unpacedPercent, unpacedRate,
                double(shown[0]) / percentNs / unpacedPercent);
    return 0;
}
