/* Waits until the X screen shows what scripts/bench --window is timing, by
 * reading a few pixels every 2 ms (cheap next to the game it watches).
 *
 *   screen_wait wm               until a window manager has named itself on
 *                                the root window
 *   screen_wait menu START_NS    until the main menu is on the screen with its
 *                                loading over; prints the milliseconds since
 *                                START_NS (wall clock in nanoseconds, as from
 *                                date +%s%N)
 *
 * Exit status 0 once seen, 1 after 30 s without it, 2 on bad use or no
 * display. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

enum { kPollNs = 2000000, kGiveUpSeconds = 30 };

/* The menu draws these where the black loading screen has nothing: its sky
 * in two corners and the green of the New button. */
static const struct {
    int x, y;
    unsigned long rgb;
} kMenuSpots[] = {{20, 20, 0x0AA3DC}, {1000, 60, 0x0AA3DC}, {400, 245, 0x469839}};
/* The first frame is the whole menu with a green "Loading..." in this band
 * while the rest of the data loads: the menu counts once the band is all sky. */
static const int kBandX = 300, kBandY = 736, kBandWidth = 424, kBandHeight = 24;
static const unsigned long kSky = 0x0AA3DC;

static int Near(unsigned long pixel, unsigned long rgb)
{
    for (int shift = 0; shift <= 16; shift += 8) {
        int a = (int)((pixel >> shift) & 0xFF), b = (int)((rgb >> shift) & 0xFF);
        if (abs(a - b) > 12)
            return 0;
    }
    return 1;
}

static int ShowsMenu(Display* display, Window root)
{
    for (size_t i = 0; i < sizeof(kMenuSpots) / sizeof(kMenuSpots[0]); ++i) {
        XImage* spot = XGetImage(display, root, kMenuSpots[i].x, kMenuSpots[i].y, 1, 1, AllPlanes, ZPixmap);
        if (!spot)
            return 0;
        int match = Near(XGetPixel(spot, 0, 0), kMenuSpots[i].rgb);
        XDestroyImage(spot);
        if (!match)
            return 0;
    }
    XImage* band = XGetImage(display, root, kBandX, kBandY, kBandWidth, kBandHeight, AllPlanes, ZPixmap);
    if (!band)
        return 0;
    int sky = 1;
    for (int y = 0; y < kBandHeight && sky; ++y)
        for (int x = 0; x < kBandWidth && sky; ++x)
            sky = Near(XGetPixel(band, x, y), kSky);
    XDestroyImage(band);
    return sky;
}

static int HasWindowManager(Display* display, Window root)
{
    Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type;
    int format;
    unsigned long items, after;
    unsigned char* value = NULL;
    int found = XGetWindowProperty(display, root, check, 0, 1, False, XA_WINDOW, &type, &format, &items, &after,
                                   &value) == Success &&
                items == 1;
    if (value)
        XFree(value);
    return found;
}

static long long NowNs(void)
{
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
}

int main(int argc, char** argv)
{
    int menu = argc == 3 && strcmp(argv[1], "menu") == 0;
    if (!menu && !(argc == 2 && strcmp(argv[1], "wm") == 0)) {
        fprintf(stderr, "usage: screen_wait wm | screen_wait menu START_NS\n");
        return 2;
    }
    long long start = menu ? strtoll(argv[2], NULL, 10) : 0;
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "screen_wait: no X display\n");
        return 2;
    }
    Window root = DefaultRootWindow(display);
    const struct timespec poll = {0, kPollNs};
    long long giveUp = NowNs() + kGiveUpSeconds * 1000000000LL;
    int seen = 0;
    while (!seen && NowNs() < giveUp) {
        seen = menu ? ShowsMenu(display, root) : HasWindowManager(display, root);
        if (!seen)
            nanosleep(&poll, NULL);
    }
    if (seen && menu)
        printf("%lld\n", (NowNs() - start) / 1000000);
    XCloseDisplay(display);
    return seen ? 0 : 1;
}
