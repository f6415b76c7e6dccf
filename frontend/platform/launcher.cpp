#include "launcher.h"

#include "files.h"
#include "logic/qelerror.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

uint32_t RunProgramAndWait(const QString &appName, const QString &cmdLine, bool wait)
{
    // Both names are kept to 79 characters: the callers' fixed name buffers.
    const QByteArray program = Files::Resolve(appName.left(79)).toLocal8Bit();
    const QByteArray argument = cmdLine.left(79).toLocal8Bit();

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    // No other handle of ours goes to the child.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);

    char *argv[] = {const_cast<char *>(argument.constData()), nullptr};
    pid_t pid = 0;
    // posix_spawn, not posix_spawnp: a name without a slash is taken relative
    // to the current directory, so "MVR.DLL" is the file beside us.
    int error = posix_spawn(&pid, program.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error == 0 && pid <= 0)
        error = ECHILD;
    if (error != 0)
        throw QelError(QStringLiteral("Failed to excecute program %1. Error Code %2").arg(appName).arg(error));

    if (!wait)
        return 0;
    int status = 0;
    pid_t done;
    do {
        done = waitpid(pid, &status, 0);
    } while (done < 0 && errno == EINTR);
    if (done != pid)
        return 0;
    if (WIFEXITED(status))
        return static_cast<uint32_t>(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return 128u + static_cast<uint32_t>(WTERMSIG(status));
    return 0;
}
