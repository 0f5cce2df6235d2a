/* Prints "blank" when the pointer's current image has no visible pixel,
 * "visible" otherwise. */
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <stdio.h>

int main(void) {
  Display* display = XOpenDisplay(NULL);
  if (display == NULL) return 2;
  XFixesCursorImage* image = XFixesGetCursorImage(display);
  if (image == NULL) return 2;
  unsigned long lit = 0;
  for (long i = 0; i < (long)image->width * image->height; ++i) {
    if ((image->pixels[i] >> 24) & 0xFF) ++lit;
  }
  puts(lit != 0 ? "visible" : "blank");
  XFree(image);
  XCloseDisplay(display);
  return 0;
}
