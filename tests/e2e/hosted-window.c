/* "hosted-window W H X Y" maps a grey window, prints its id, obeys "size W H" and "destroy". */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv) {
  Display* display = XOpenDisplay(NULL);
  if (argc != 5 || display == NULL) return 1;
  const Window window =
      XCreateSimpleWindow(display, DefaultRootWindow(display), atoi(argv[3]), atoi(argv[4]),
                          atoi(argv[1]), atoi(argv[2]), 0, 0, 0x808080);
  XMapWindow(display, window);
  XSync(display, False);
  printf("0x%lx\n", window);
  fflush(stdout);
  char line[64];
  unsigned w = 0, h = 0;
  while (fgets(line, sizeof line, stdin) != NULL) {
    if (sscanf(line, "size %u %u", &w, &h) == 2) XResizeWindow(display, window, w, h);
    if (strncmp(line, "destroy", 7) == 0) XDestroyWindow(display, window);
    XSync(display, False);
  }
  return 0;
}
