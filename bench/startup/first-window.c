/* Starts a program again and again on the X display and times each start, from just before the
 * process is made to the mapping of its first window (MapNotify on the root window), which is when
 * the window appears on the screen. Prints the least, the median and the most, in milliseconds.
 *
 *   first-window STARTS PROGRAM [ARGUMENT...]
 */
#include <X11/Xlib.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double Milliseconds(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec * 1e3 + (double)now.tv_nsec / 1e6;
}

static int Compare(const void *a, const void *b) {
    const double x = *(const double *)a, y = *(const double *)b;
    return (x > y) - (x < y);
}

int main(int argc, char **argv) {
    const int starts = argc > 2 ? atoi(argv[1]) : 0;
    Display *display = XOpenDisplay(NULL);
    if (starts < 1 || display == NULL) {
        fprintf(stderr, "usage: first-window STARTS PROGRAM [ARGUMENT...], with a display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    double *times = calloc((size_t)starts, sizeof *times);
    for (int i = 0; i < starts; ++i) {
        XSync(display, True);
        const double start = Milliseconds();
        const pid_t child = fork();
        if (child == 0) {
            execv(argv[2], argv + 2);
            _exit(127);
        }
        for (;;) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                break;
            }
        }
        times[i] = Milliseconds() - start;
        kill(child, SIGKILL);
        waitpid(child, NULL, 0);
        usleep(200000);
    }
    qsort(times, (size_t)starts, sizeof *times, Compare);
    printf("%s %-8s least %6.1f  median %6.1f  most %6.1f ms (%d starts)\n", argv[2],
           argc > 3 ? argv[3] : "", times[0], times[starts / 2], times[starts - 1], starts);
    free(times);
    return 0;
}
