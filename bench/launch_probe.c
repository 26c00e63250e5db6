// SPDX-License-Identifier: GPL-3.0-or-later
/* Starts a program and reports how long it took until its first top-level
 * window was mapped and until its content showed, and its peak memory while
 * it shows.
 *   launch_probe SETTLE_MS PROGRAM [ARG...]
 * prints "<ms to map> <ms to shown> <peak resident kB>" and ends the program.
 * Needs an X display (Xvfb in the benchmark script, whose windows start
 * black): the content shows when a pixel near the window's top-left corner
 * is no longer black. The peak memory is read SETTLE_MS after that. */
#define _DEFAULT_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

static int ignore_error(Display *dpy, XErrorEvent *ev)
{
    (void)dpy;
    (void)ev;
    return 0;   /* XGetImage on a window not yet viewable: try again */
}

/* Polls one pixel of the window until the program has painted it. */
static int painted(Display *dpy, Window win)
{
    XImage *image = XGetImage(dpy, win, 3, 3, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return 0;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return (pixel & 0xFFFFFF) != 0;
}

static long peak_kb(pid_t pid)
{
    char path[64], line[256];
    long kb = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *f = fopen(path, "r");
    if (!f)
        return -1;
    while (fgets(line, sizeof line, f))
        if (strncmp(line, "VmHWM:", 6) == 0)
            kb = strtol(line + 6, NULL, 10);
    fclose(f);
    return kb;
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: launch_probe SETTLE_MS PROGRAM [ARG...]\n");
        return 2;
    }
    const long settle = strtol(argv[1], NULL, 10);
    Display *dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "launch_probe: no X display\n");
        return 2;
    }
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
    XSync(dpy, False);

    const double start = now_ms();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    double mapped = -1;
    Window window = 0;
    const int fd = ConnectionNumber(dpy);
    while (mapped < 0) {
        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            if (ev.type == MapNotify && !ev.xmap.override_redirect) {
                mapped = now_ms() - start;
                window = ev.xmap.window;
                break;
            }
        }
        if (mapped >= 0)
            break;
        if (waitpid(pid, NULL, WNOHANG) == pid) {
            fprintf(stderr, "launch_probe: %s ended before mapping a window\n", argv[2]);
            return 1;
        }
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        struct timeval tv = {0, 2000};
        select(fd + 1, &fds, NULL, NULL, &tv);
        if (now_ms() - start > 20000) {
            fprintf(stderr, "launch_probe: no window after 20 s\n");
            kill(pid, SIGKILL);
            return 1;
        }
    }
    XSetErrorHandler(ignore_error);
    double shown = -1;
    while (shown < 0) {
        if (painted(dpy, window))
            shown = now_ms() - start;
        else if (now_ms() - start > 20000 || waitpid(pid, NULL, WNOHANG) == pid) {
            fprintf(stderr, "launch_probe: %s never painted its window\n", argv[2]);
            kill(pid, SIGKILL);
            return 1;
        } else
            usleep(500);
    }
    usleep((useconds_t)settle * 1000);
    const long kb = peak_kb(pid);
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    printf("%.1f %.1f %ld\n", mapped, shown, kb);
    return 0;
}
