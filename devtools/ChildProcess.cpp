#include "ChildProcess.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <signal.h>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace devtools {

namespace {

// The spawn file actions, closed on every path out.
class FileActions {
public:
    FileActions() { posix_spawn_file_actions_init(&actions_); }
    ~FileActions() { posix_spawn_file_actions_destroy(&actions_); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

// A pipe whose ends are closed when it goes.
struct Pipe {
    int read = -1, write = -1;
    Pipe()
    {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
        read = fds[0];
        write = fds[1];
    }
    ~Pipe()
    {
        CloseRead();
        CloseWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    void CloseRead()
    {
        if (read >= 0) ::close(read);
        read = -1;
    }
    void CloseWrite()
    {
        if (write >= 0) ::close(write);
        write = -1;
    }
};

void Direct(FileActions& actions, Output output, int fd, Pipe& pipe)
{
    if (output == Output::Discard)
        posix_spawn_file_actions_addopen(actions.get(), fd, "/dev/null", O_WRONLY, 0);
    else if (output == Output::Capture)
        posix_spawn_file_actions_adddup2(actions.get(), pipe.write, fd);
}

// Reads both captured streams to their ends together, so that a child that
// fills one pipe while the other is being read cannot stall.
void Drain(Pipe& out, Pipe& err, ChildResult& result)
{
    struct Stream {
        Pipe& pipe;
        std::string& into;
    } streams[] = {{out, result.out}, {err, result.err}};
    for (;;) {
        pollfd fds[2];
        nfds_t n = 0;
        Stream* of[2];
        for (Stream& s : streams)
            if (s.pipe.read >= 0) {
                fds[n] = {s.pipe.read, POLLIN, 0};
                of[n++] = &s;
            }
        if (n == 0) return;
        if (::poll(fds, n, -1) < 0) {
            if (errno == EINTR) continue;
            throw std::runtime_error(std::string("poll: ") + std::strerror(errno));
        }
        for (nfds_t i = 0; i < n; ++i) {
            if (fds[i].revents == 0) continue;
            char buf[4096];
            const ssize_t got = ::read(fds[i].fd, buf, sizeof buf);
            if (got > 0)
                of[i]->into.append(buf, std::size_t(got));
            else if (got == 0 || errno != EINTR)
                of[i]->pipe.CloseRead();
        }
    }
}

}  // namespace

ChildResult RunChild(const std::string& program, const std::vector<std::string>& args,
                     const ChildOptions& options)
{
    // The child changes directory before it starts the program, so a
    // relative program path is made absolute here.
    const std::string path = std::filesystem::absolute(program).string();
    std::vector<char*> argv = {const_cast<char*>(path.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    Pipe out, err;
    FileActions actions;
    Direct(actions, options.out, STDOUT_FILENO, out);
    Direct(actions, options.err, STDERR_FILENO, err);
    if (!options.workDir.empty())
        posix_spawn_file_actions_addchdir_np(actions.get(), options.workDir.c_str());

    pid_t pid = 0;
    const int rc = posix_spawn(&pid, path.c_str(), actions.get(), nullptr, argv.data(), environ);
    if (rc != 0) throw std::runtime_error("cannot start " + program + ": " + std::strerror(rc));

    ChildResult result;
    out.CloseWrite();
    err.CloseWrite();
    if (options.out != Output::Capture) out.CloseRead();
    if (options.err != Output::Capture) err.CloseRead();
    Drain(out, err, result);

    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) throw std::runtime_error("cannot wait for " + program);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

pid_t StartChild(const std::string& program, const std::vector<std::string>& args,
                 const BackgroundOptions& options)
{
    // Everything the child needs is made before the fork: after it, the
    // child only redirects and executes.
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<std::string> settings;
    for (const auto& [name, value] : options.env) settings.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        const bool replaced = std::any_of(options.env.begin(), options.env.end(), [&](const auto& setting) {
            return entry.compare(0, setting.first.size() + 1, setting.first + "=") == 0;
        });
        if (!replaced) envp.push_back(*e);
    }
    for (std::string& s : settings) envp.push_back(s.data());
    envp.push_back(nullptr);

    const int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    if (null < 0) throw std::runtime_error(std::string("/dev/null: ") + std::strerror(errno));
    const int output = options.outputFd >= 0 ? options.outputFd : null;
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent) ::_exit(1);   // the caller ended before the line above
        ::dup2(null, STDIN_FILENO);
        ::dup2(output, STDOUT_FILENO);
        ::dup2(output, STDERR_FILENO);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    const int forkError = errno;
    ::close(null);
    if (pid < 0) throw std::runtime_error("cannot start " + program + ": " + std::strerror(forkError));
    return pid;
}

void StopChild(pid_t pid, int graceMilliseconds)
{
    if (pid <= 0) return;
    ::kill(pid, SIGTERM);
    for (int waited = 0; waited < graceMilliseconds; waited += 10) {
        if (::waitpid(pid, nullptr, WNOHANG) != 0) return;
        ::usleep(10 * 1000);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

}  // namespace devtools
