/* Runs each program RUNS times, round robin (one run of every program per
 * round, so that a slow spell of the machine falls on all of them alike),
 * each run a fresh child started with fork and exec. Prints one line a run:
 * the program's index, the wall time in milliseconds and the child's peak
 * resident memory in KiB, and its exit status. It is a small static program
 * because a child's peak includes what its parent had mapped before the
 * exec; started from here, that is almost nothing.
 *
 * launch_child RUNS PROGRAM... */
#include <stdio.h>
#include <stdlib.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: launch_child RUNS PROGRAM...\n");
        return 2;
    }
    int runs = atoi(argv[1]);
    for (int r = 0; r < runs; ++r) {
        for (int p = 2; p < argc; ++p) {
            struct timespec start, end;
            clock_gettime(CLOCK_MONOTONIC, &start);
            pid_t pid = fork();
            if (pid < 0) return 1;
            if (pid == 0) {
                int null = open("/dev/null", O_WRONLY);
                dup2(null, 1);
                dup2(null, 2);
                char* child[] = {argv[p], NULL};
                execv(argv[p], child);
                _exit(127);
            }
            int status = 0;
            struct rusage usage;
            wait4(pid, &status, 0, &usage);
            clock_gettime(CLOCK_MONOTONIC, &end);
            double ms = (end.tv_sec - start.tv_sec) * 1e3 + (end.tv_nsec - start.tv_nsec) / 1e6;
            printf("%d %.3f %ld %d\n", p - 2, ms, usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : 256);
        }
    }
    return 0;
}
