/* A window of another program for the hosted saver to draw into, as a
 * daemon's would be: "hosted-window W H X Y" maps a grey W x H window at X, Y
 * and prints its id; then each line on standard input acts on it:
 * "size W H" resizes it, "destroy" destroys it. It ends at end of input. */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv) {
  if (argc != 5) return 2;
  Display* display = XOpenDisplay(NULL);
  if (display == NULL) return 1;
  const Window window =
      XCreateSimpleWindow(display, DefaultRootWindow(display), atoi(argv[3]), atoi(argv[4]),
                          (unsigned)atoi(argv[1]), (unsigned)atoi(argv[2]), 0, 0, 0x808080);
  XMapWindow(display, window);
  XSync(display, False);
  printf("0x%lx\n", window);
  fflush(stdout);
  char line[64];
  unsigned width, height;
  while (fgets(line, sizeof line, stdin) != NULL) {
    if (sscanf(line, "size %u %u", &width, &height) == 2)
      XResizeWindow(display, window, width, height);
    if (strncmp(line, "destroy", 7) == 0) XDestroyWindow(display, window);
    XSync(display, False);
  }
  XCloseDisplay(display);
  return 0;
}
