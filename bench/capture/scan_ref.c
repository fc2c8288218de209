/* Reference for telvo-cli decode: a minimal C scanner that prints every binary INS
 * frame of a capture as lower-case hex pairs separated by blanks, one line per frame.
 *
 *   scan_ref CAPTURE > lines.txt
 */
#include "frame_scan.h"

enum { kOut = 1 << 16 };

static char out[kOut + 256];
static size_t outLen;

static void print(const unsigned char* p, int len)
{
    static const char hex[] = "0123456789abcdef";
    char* o = out + outLen;
    for (int i = 0; i < len; ++i) {
        *o++ = hex[p[i] >> 4];
        *o++ = hex[p[i] & 15];
        *o++ = ' ';
    }
    o[-1] = '\n';
    outLen = (size_t)(o - out);
    if (outLen >= kOut) {
        fwrite(out, 1, outLen, stdout);
        outLen = 0;
    }
}

int main(int argc, char** argv)
{
    FILE* f = argc == 2 ? fopen(argv[1], "rb") : NULL;
    if (!f) {
        fprintf(stderr, "usage: scan_ref CAPTURE\n");
        return 1;
    }
    scanFrames(f, print);
    fwrite(out, 1, outLen, stdout);
    fclose(f);
    return 0;
}
