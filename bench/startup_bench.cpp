// Start-up time of the real program against a bare Qt main window with a menu bar
// (bare_main_window), both started on the same X display, taking turns, N times each:
//   startup_bench [N [PROGRAM]]
// Each time is measured from starting the process to the first paint of its window: the bench
// watches the display for the program's top-level window and for the first damage (drawing) in
// it once it is mapped, so both programs are timed by the same outside observer. Prints the
// medians of the map and first-paint times and the ratio of the first-paint medians. Uses the
// display in DISPLAY, or an Xvfb of its own when there is none. PROGRAM, another build of Kreslix
// say, takes the place of this build's.
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// An Xvfb started with -displayfd, which picks a free display and tells its number.
class OwnXvfb {
public:
    bool start() {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            const int devNull = open("/dev/null", O_WRONLY);
            dup2(devNull, STDERR_FILENO);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                   "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        // Xvfb writes the number and then the newline: read up to the newline, or the pipe closed
        // early would make the second write fail and the server quit.
        char number[16] = {};
        size_t got = 0;
        while (got < sizeof number - 1 && std::strchr(number, '\n') == nullptr) {
            const ssize_t part = read(fds[0], number + got, sizeof number - 1 - got);
            if (part <= 0)
                break;
            got += size_t(part);
        }
        close(fds[0]);
        if (pid_ < 0 || got == 0)
            return false;
        number[std::strcspn(number, "\n")] = '\0';
        display_ = std::string(":").append(number);
        setenv("DISPLAY", display_.c_str(), 1);
        return true;
    }
    void stop() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }
    ~OwnXvfb() { stop(); }

private:
    pid_t pid_ = -1;
    std::string display_;
};

struct Timing {
    double mapMs = 0;
    double paintMs = 0;
    double cpuMs = 0;  // processor time of all the program's threads until the paint
};

// The processor time all threads of a process have had so far, from the scheduler's nanosecond
// counts; unlike wall time it hardly depends on what else the machine is running.
double cpuMsOf(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (!dir)
        return 0;
    double ns = 0;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        std::FILE* file = std::fopen((tasks + "/" + entry->d_name + "/schedstat").c_str(), "r");
        if (!file)
            continue;
        unsigned long long onCpu = 0;
        if (std::fscanf(file, "%llu", &onCpu) == 1)
            ns += double(onCpu);
        std::fclose(file);
    }
    closedir(dir);
    return ns / 1e6;
}

// Watches the screen's top-level windows: a damage object for every one that is created, so that
// the first drawing into a mapped one is seen.
class Observer {
public:
    bool connect() {
        connection_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection_)) {
            xcb_disconnect(connection_);
            connection_ = nullptr;
            return false;
        }
        const xcb_query_extension_reply_t* damage =
            xcb_get_extension_data(connection_, &xcb_damage_id);
        if (!damage || !damage->present) {
            std::fprintf(stderr, "the display %s has no DAMAGE extension\n", getenv("DISPLAY"));
            return false;
        }
        damageEvent_ = damage->first_event + XCB_DAMAGE_NOTIFY;
        free(xcb_damage_query_version_reply(connection_,
                                            xcb_damage_query_version(connection_, 1, 1), nullptr));
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
        return true;
    }
    ~Observer() {
        if (connection_)
            xcb_disconnect(connection_);
    }

    // Starts the program and waits for the first paint of its window (at most 20 s).
    std::optional<Timing> time(const char* program) {
        windows_.clear();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        char* argv[] = {const_cast<char*>(program), nullptr};
        const Clock::time_point start = Clock::now();
        pid_t pid = -1;
        const int failed = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        if (failed != 0)
            return std::nullopt;
        std::optional<Timing> result = watch(start);
        if (result)
            result->cpuMs = cpuMsOf(pid);
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        // A round trip, so that the next run starts after the server has seen this one go.
        free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
            free(event);
        return result;
    }

private:
    struct Watched {
        bool mapped = false;
        double mapMs = 0;
    };

    std::optional<Timing> watch(Clock::time_point start) {
        pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
        while (msSince(start) < 20000) {
            xcb_generic_event_t* event = xcb_poll_for_event(connection_);
            if (!event) {
                if (xcb_connection_has_error(connection_))
                    return std::nullopt;
                poll(&fd, 1, 100);
                continue;
            }
            const double now = msSince(start);
            std::optional<Timing> done = handle(event, now);
            free(event);
            if (done)
                return done;
        }
        return std::nullopt;
    }

    std::optional<Timing> handle(xcb_generic_event_t* event, double now) {
        const uint8_t type = event->response_type & 0x7F;
        if (type == XCB_CREATE_NOTIFY) {
            auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
            if (created->parent == root_ && !created->override_redirect) {
                xcb_damage_create(connection_, xcb_generate_id(connection_), created->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(connection_);
                windows_[created->window] = Watched{};
            }
        } else if (type == XCB_MAP_NOTIFY) {
            auto* mapped = reinterpret_cast<xcb_map_notify_event_t*>(event);
            const auto found = windows_.find(mapped->window);
            if (found != windows_.end()) {
                found->second.mapped = true;
                found->second.mapMs = now;
            }
        } else if (type == damageEvent_) {
            auto* damaged = reinterpret_cast<xcb_damage_notify_event_t*>(event);
            const auto found = windows_.find(damaged->drawable);
            if (found != windows_.end() && found->second.mapped)
                return Timing{found->second.mapMs, now};
        }
        return std::nullopt;
    }

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    uint8_t damageEvent_ = 0;
    std::map<xcb_window_t, Watched> windows_;
};

}  // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    OwnXvfb xvfb;
    Observer observer;
    if (getenv("DISPLAY")) {
        if (!observer.connect()) {
            std::fprintf(stderr, "cannot watch the display %s\n", getenv("DISPLAY"));
            return 1;
        }
    } else {
        // An Xvfb of our own, which picks a free display number.
        bool watching = false;
        for (int attempt = 0; attempt < 3 && !watching; ++attempt) {
            if (!xvfb.start())
                continue;
            watching = observer.connect();
            if (!watching)
                xvfb.stop();
        }
        if (!watching) {
            std::fprintf(stderr, "no DISPLAY, and no Xvfb of our own could be watched\n");
            return 1;
        }
    }
    const char* programs[2] = {argc > 2 ? argv[2] : KRESLIX_PROGRAM, BARE_WINDOW};
    std::vector<double> map[2], paint[2], cpu[2];
    for (int run = 0; run < runs; ++run) {
        for (int p = 0; p < 2; ++p) {
            const std::optional<Timing> t = observer.time(programs[p]);
            if (!t) {
                std::fprintf(stderr, "%s: no window was painted\n", programs[p]);
                return 1;
            }
            map[p].push_back(t->mapMs);
            paint[p].push_back(t->paintMs);
            cpu[p].push_back(t->cpuMs);
        }
    }
    std::printf("start-up to the window's first paint, %d runs each, display %s\n", runs,
                getenv("DISPLAY"));
    std::printf("  %-18s %11s %16s %18s %12s\n", "(medians)", "mapped, ms", "first paint, ms",
                "first paint min", "cpu, ms");
    const char* names[2] = {"kreslix", "bare main window"};
    for (int p = 0; p < 2; ++p) {
        std::printf("  %-18s %11.1f %16.1f %18.1f %12.1f\n", names[p], median(map[p]),
                    median(paint[p]), *std::min_element(paint[p].begin(), paint[p].end()),
                    median(cpu[p]));
    }
    std::printf("  ratio of the first-paint medians: %.2f (aim <= 1.2)\n",
                median(paint[0]) / median(paint[1]));
    std::printf("  ratio of the processor-time medians: %.2f\n", median(cpu[0]) / median(cpu[1]));
    return 0;
}
