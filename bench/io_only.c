/* The I/O floor of a batch program: the same reads and writes with no
 * computation. Reads "SYSTEM.INI" and the price file in 64 KiB chunks,
 * counts the price lines, and writes outputs of the real sizes (one line a
 * week from the eleventh on, plus the message and run-count lines), one
 * write per 64 KiB buffer. Built once for each program (IO_KQ4 or not). */
#include <fcntl.h>
#include <string.h>
#include <unistd.h>

enum { kChunk = 1 << 16 };
static char buffer[kChunk];

static long CountLines(const char* name)
{
    int fd = open(name, O_RDONLY);
    if (fd < 0) return 0;
    long lines = 0;
    ssize_t got;
    while ((got = read(fd, buffer, kChunk)) > 0)
        for (ssize_t i = 0; i < got; ++i) lines += buffer[i] == '\n';
    close(fd);
    return lines;
}

static void WriteLines(const char* name, long count, int width)
{
    int fd = open(name, O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0) return;
    size_t used = 0;
    for (long n = 0; n < count; ++n) {
        if (used + width + 2 > kChunk) {
            if (write(fd, buffer, used) != (ssize_t)used) break;
            used = 0;
        }
        memset(buffer + used, ' ', width);
        buffer[used + width] = '\r';
        buffer[used + width + 1] = '\n';
        used += width + 2;
    }
    if (used > 0 && write(fd, buffer, used) != (ssize_t)used) used = 0;
    close(fd);
}

int main(void)
{
    CountLines("SYSTEM.INI");
    long weeks = CountLines("BONDS.DAT");
    long computed = weeks > 10 ? weeks - 10 : 0;
#ifdef IO_KQ4
    WriteLines("FK.KQ4", computed, 93);
    WriteLines("MESSAGES.KQ4", 2, 80);
#else
    WriteLines("FK.MVR", computed, 190);
    WriteLines("MESSAGES.MVR", 2, 80);
    WriteLines("REPORT69.MVR", 1, 80);
#endif
    return 0;
}
