// What the whole program costs while it runs: starts quillon-gaming on a
// private X server and reports, per thread, the CPU share and the wake-ups
// (voluntary and involuntary context switches) per second, and the resident
// memory, in three states:
//
//   shown     --demo, the window on screen with the emulated devices' effects
//   hidden    the same after the window was closed (it goes to the tray)
//   no device the program without --demo: the real backend with nothing
//             attached (on a machine without the devices)
//
// With --linked every profile list starts with its profile linked to a
// program that never comes to the front, so the application-link watchers
// run all the time.
//
// Not a test: it takes about half a minute per state and needs Xvfb. Usage:
//   program_cpu [--binary PATH] [--seconds N] [--settle N] [--linked] [--state NAME]...
// It exits 1 when a state misses its goal.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

struct ThreadSample {
    std::string name;
    long long ticks = 0;     // user + system clock ticks
    long long switches = 0;  // voluntary + involuntary context switches
};

struct Sample {
    std::map<int, ThreadSample> threads;
    long long rssKb = 0;
    std::chrono::steady_clock::time_point at;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

long long statusField(const std::string& status, const std::string& key) {
    const std::size_t at = status.find(key + ":");
    return at == std::string::npos ? 0 : std::atoll(status.c_str() + at + key.size() + 1);
}

Sample sample(pid_t pid) {
    Sample s;
    s.at = std::chrono::steady_clock::now();
    const std::string base = "/proc/" + std::to_string(pid);
    s.rssKb = statusField(readFile(base + "/status"), "VmRSS");
    DIR* dir = opendir((base + "/task").c_str());
    if (dir == nullptr)
        return s;
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.')
            continue;
        const std::string task = base + "/task/" + e->d_name;
        const std::string stat = readFile(task + "/stat");
        // The name is in parentheses and may hold spaces: fields follow the last ')'.
        const std::size_t open = stat.find('(');
        const std::size_t close = stat.rfind(')');
        if (open == std::string::npos || close == std::string::npos)
            continue;
        ThreadSample t;
        t.name = stat.substr(open + 1, close - open - 1);
        std::istringstream fields(stat.substr(close + 2));
        std::string f;
        // Fields 3.. after the name; utime and stime are fields 14 and 15.
        for (int i = 3; i <= 15 && fields >> f; ++i) {
            if (i == 14 || i == 15)
                t.ticks += std::atoll(f.c_str());
        }
        const std::string status = readFile(task + "/status");
        t.switches = statusField(status, "voluntary_ctxt_switches") +
                     statusField(status, "nonvoluntary_ctxt_switches");
        s.threads[std::atoi(e->d_name)] = t;
    }
    closedir(dir);
    return s;
}

struct Goal {
    double totalCpu;    // % of one core, whole program
    double wakeups;     // per second, whole program (0: no goal)
    double threadCpu;   // % of one core, any one thread
    double residentMb;  // resident memory
};

struct StateReport {
    double totalCpu = 0;
    double wakeups = 0;
    double maxThreadCpu = 0;
    double residentMb = 0;
};

StateReport report(const std::string& state, const Sample& a, const Sample& b) {
    const double seconds = std::chrono::duration<double>(b.at - a.at).count();
    const double hz = static_cast<double>(sysconf(_SC_CLK_TCK));
    struct Row {
        int tid;
        std::string name;
        double cpu;
        double wakeups;
    };
    std::vector<Row> rows;
    StateReport r;
    for (const auto& [tid, after] : b.threads) {
        const auto before = a.threads.find(tid);
        const long long ticks =
            after.ticks - (before != a.threads.end() ? before->second.ticks : 0);
        const long long sw =
            after.switches - (before != a.threads.end() ? before->second.switches : 0);
        Row row{tid, after.name, 100.0 * static_cast<double>(ticks) / hz / seconds,
                static_cast<double>(sw) / seconds};
        r.totalCpu += row.cpu;
        r.wakeups += row.wakeups;
        r.maxThreadCpu = std::max(r.maxThreadCpu, row.cpu);
        rows.push_back(row);
    }
    r.residentMb = static_cast<double>(b.rssKb) / 1024.0;
    std::sort(rows.begin(), rows.end(), [](const Row& x, const Row& y) {
        return x.cpu != y.cpu ? x.cpu > y.cpu : x.wakeups > y.wakeups;
    });
    std::printf("\n== %s (%.1f s)\n%8s  %-16s %8s %10s\n", state.c_str(), seconds, "tid", "thread",
                "cpu %", "wakeups/s");
    for (const Row& row : rows) {
        std::printf("%8d  %-16s %8.2f %10.1f\n", row.tid, row.name.c_str(), row.cpu, row.wakeups);
    }
    std::printf("%8s  %-16s %8.2f %10.1f   resident %.1f MB\n", "", "total", r.totalCpu, r.wakeups,
                r.residentMb);
    return r;
}

bool meets(const std::string& state, const StateReport& r, const Goal& g) {
    bool ok = true;
    auto check = [&](bool pass, const char* what, double value, double limit) {
        std::printf("  %-4s %s %.2f (goal %.2f)\n", pass ? "ok" : "MISS", what, value, limit);
        ok = ok && pass;
    };
    std::printf("-- goals of %s\n", state.c_str());
    check(r.totalCpu <= g.totalCpu, "cpu % of a core:", r.totalCpu, g.totalCpu);
    if (g.wakeups > 0)
        check(r.wakeups <= g.wakeups, "wake-ups per second:", r.wakeups, g.wakeups);
    check(r.maxThreadCpu < g.threadCpu, "busiest thread cpu %:", r.maxThreadCpu, g.threadCpu);
    check(r.residentMb <= g.residentMb, "resident MB:", r.residentMb, g.residentMb);
    return ok;
}

// A child process with its own environment; killed with the object.
class Child {
  public:
    Child(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
        pid_ = fork();
        if (pid_ == 0) {
            for (const std::string& e : env)
                putenv(strdup(e.c_str()));
            const int null = open("/dev/null", O_RDWR);
            dup2(null, 0);
            dup2(null, 1);
            if (std::getenv("PROGRAM_CPU_VERBOSE") == nullptr)
                dup2(null, 2);
            std::vector<char*> args;
            for (const std::string& a : argv)
                args.push_back(strdup(a.c_str()));
            args.push_back(nullptr);
            for (int fd = 3; fd < 256; ++fd)
                close(fd);
            execvp(args[0], args.data());
            _exit(127);
        }
    }
    ~Child() { stop(); }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    pid_t pid() const { return pid_; }
    bool running() const { return pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0; }
    void stop() {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGTERM);
        for (int i = 0; i < 50 && waitpid(pid_, nullptr, WNOHANG) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (waitpid(pid_, nullptr, WNOHANG) == 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }

  private:
    pid_t pid_ = -1;
};

// The mapped top-level windows of a process (by _NET_WM_PID).
std::vector<Window> windowsOf(Display* display, pid_t pid) {
    std::vector<Window> found;
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
    if (pidAtom == None)
        return found;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0)
        return found;
    for (unsigned i = 0; i < count; ++i) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type,
                               &format, &items, &after, &data) == Success &&
            data != nullptr) {
            const long value = items == 1 ? *reinterpret_cast<long*>(data) : 0;
            XWindowAttributes attrs;
            if (value == pid && XGetWindowAttributes(display, children[i], &attrs) != 0 &&
                attrs.map_state == IsViewable) {
                found.push_back(children[i]);
            }
            XFree(data);
        }
    }
    if (children != nullptr)
        XFree(children);
    return found;
}

// Asks a window to close as a window manager would (WM_DELETE_WINDOW).
void closeWindow(Display* display, Window window) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &e);
    XFlush(display);
}

std::string defaultBinary(const char* argv0) {
    // bench/program_cpu sits beside src/ in the build tree.
    std::string self = argv0;
    const std::size_t slash = self.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : self.substr(0, slash);
    return dir + "/../src/gui/quillon-gaming";
}

std::string makeTempDir() {
    char path[] = "/tmp/program_cpu.XXXXXX";
    const char* made = mkdtemp(path);
    return made != nullptr ? made : "";
}

// One profile in every list, linked to a program that is never in front.
void seedLinkedProfiles(const std::string& documents) {
    constexpr const char* kLighting =
        "[PROFILEDENGCOUNT]\ncount=1\n[PROFILELIKEDENGEXE]\n0=1\n[PROFILEDENGNAME]\n"
        "0=New Profile 1\n[PROFILEDENGSELECT]\nselect=0\n[DENGPROCESS]\n0=/nonexistent/game\n";
    constexpr const char* kKeys =
        "[PROFILECOUNT]\ncount=1\n[PROFILELIKEEXE]\n0=1\n[PROFILENAME]\n0=New Profile 1\n"
        "[PROFILESELECT]\nselect=0\n[PROCESS]\n0=/nonexistent/game\n";
    const std::filesystem::path kv = std::filesystem::path(documents) / "Kv";
    for (const char* kind : {"kb", "ms", "mp"})
        std::filesystem::create_directories(kv / kind);
    std::ofstream(kv / "kb" / "kbProfile.ini") << kLighting << kKeys;
    std::ofstream(kv / "ms" / "msProfile.ini") << kLighting << kKeys;
    std::ofstream(kv / "mp" / "mpProfile.ini") << kLighting;
}

}  // namespace

int main(int argc, char** argv) {
    std::string binary = defaultBinary(argv[0]);
    int seconds = 20;
    int settle = 8;
    std::vector<std::string> states;
    bool linked = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--linked") {
            linked = true;
        } else if (a == "--binary" && i + 1 < argc) {
            binary = argv[++i];
        } else if (a == "--seconds" && i + 1 < argc) {
            seconds = std::max(1, std::atoi(argv[++i]));
        } else if (a == "--settle" && i + 1 < argc) {
            settle = std::max(1, std::atoi(argv[++i]));
        } else if (a == "--state" && i + 1 < argc) {
            states.push_back(argv[++i]);
        } else {
            std::fprintf(stderr,
                         "usage: program_cpu [--binary PATH] [--seconds N] [--settle N] [--linked] "
                         "[--state shown|hidden|none]...\n");
            return 2;
        }
    }
    if (states.empty())
        states = {"shown", "hidden", "none"};
    if (access(binary.c_str(), X_OK) != 0) {
        std::fprintf(stderr, "program_cpu: %s is not there; build quillon-gaming first\n",
                     binary.c_str());
        return 2;
    }

    // A private X server on a display number nobody holds (no lock file);
    // another one starting at the same moment makes this one give up: try the next.
    std::unique_ptr<Child> xvfb;
    std::string display;
    Display* x = nullptr;
    for (int n = 200 + getpid() % 500, tries = 0; tries < 20 && x == nullptr; ++n, ++tries) {
        if (access(("/tmp/.X" + std::to_string(n) + "-lock").c_str(), F_OK) == 0)
            continue;
        display = ":" + std::to_string(n);
        xvfb = std::make_unique<Child>(std::vector<std::string>{"Xvfb", display, "-screen", "0",
                                                                "1280x800x24", "-nolisten", "tcp"},
                                       std::vector<std::string>{});
        for (int i = 0; i < 50 && x == nullptr && xvfb->running(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            x = XOpenDisplay(display.c_str());
        }
    }
    if (x == nullptr) {
        std::fprintf(stderr, "program_cpu: no private X server could be started\n");
        return 2;
    }

    // Private folders: the run never meets the user's instance or profiles.
    const std::string home = makeTempDir();
    const std::string runtime = home + "/runtime";
    mkdir(runtime.c_str(), 0700);
    if (linked)
        seedLinkedProfiles(home + "/Documents");
    const std::vector<std::string> env{"DISPLAY=" + display,
                                       "QT_QPA_PLATFORM=xcb",
                                       "XDG_RUNTIME_DIR=" + runtime,
                                       "XDG_CONFIG_HOME=" + home + "/config",
                                       "XDG_DATA_HOME=" + home + "/data",
                                       "QUILLON_DATA_DIR=" + home + "/Documents"};
    const std::map<std::string, Goal> goals{
        {"shown", {3.0, 0, 5.0, 60.0}},
        {"hidden", {1.0, 0, 5.0, 60.0}},
        {"none", {0.1, 8.0, 5.0, 60.0}},
    };

    bool allMet = true;
    auto measure = [&](const std::string& state, pid_t pid) {
        const Sample a = sample(pid);
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        const Sample b = sample(pid);
        allMet = meets(state, report(state, a, b), goals.at(state)) && allMet;
    };

    const bool wantDemo = std::find_if(states.begin(), states.end(), [](const std::string& s) {
                              return s == "shown" || s == "hidden";
                          }) != states.end();
    if (wantDemo) {
        Child program({binary, "--demo"}, env);
        std::this_thread::sleep_for(std::chrono::seconds(settle));
        if (!program.running()) {
            std::fprintf(stderr, "program_cpu: %s --demo ended early\n", binary.c_str());
            return 2;
        }
        if (std::find(states.begin(), states.end(), "shown") != states.end()) {
            if (windowsOf(x, program.pid()).empty())
                std::fprintf(stderr, "program_cpu: no window on screen\n");
            measure("shown", program.pid());
        }
        if (std::find(states.begin(), states.end(), "hidden") != states.end()) {
            for (Window w : windowsOf(x, program.pid()))
                closeWindow(x, w);
            std::this_thread::sleep_for(std::chrono::seconds(2));
            if (!windowsOf(x, program.pid()).empty())
                std::fprintf(stderr, "program_cpu: the window did not close\n");
            measure("hidden", program.pid());
        }
    }
    if (std::find(states.begin(), states.end(), "none") != states.end()) {
        Child program({binary}, env);
        std::this_thread::sleep_for(std::chrono::seconds(settle));
        if (!program.running()) {
            std::fprintf(stderr, "program_cpu: %s ended early\n", binary.c_str());
            return 2;
        }
        measure("none", program.pid());
    }
    XCloseDisplay(x);
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
    return allMet ? 0 : 1;
}
