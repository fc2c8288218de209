/* The frame search of the C references: finds binary INS frames in a capture the way
 * the program's decoder does (header AA 55, a 31-byte frame checked by its byte sum, a
 * 59-byte frame by the two's complement of it, hunting until a frame verifies, then
 * locked on its length) and hands each one to a callback. Text sentences are not
 * handled. */
#ifndef FRAME_SCAN_H
#define FRAME_SCAN_H

#include <stdio.h>
#include <string.h>

enum { kImu = 31, kSins = 59, kRead = 1 << 20 };

static unsigned char scanBuffer[2 * kRead];

static int verified(const unsigned char* p, int len)
{
    unsigned sum = 0;
    for (int i = 0; i < len - 1; ++i)
        sum += p[i];
    return len == kImu ? (unsigned char)sum == p[len - 1] : (unsigned char)(0u - sum) == p[len - 1];
}

static void scanFrames(FILE* f, void (*onFrame)(const unsigned char* frame, int len))
{
    unsigned char* in = scanBuffer;
    size_t have = 0, pos = 0;
    int locked = 0, eof = 0;
    for (;;) {
        /* Keep the unread tail, then fill up. */
        if (!eof && have - pos < kRead) {
            memmove(in, in + pos, have - pos);
            have -= pos;
            pos = 0;
            size_t n = fread(in + have, 1, kRead, f);
            have += n;
            eof = n == 0;
        }
        const unsigned char* hit = NULL;
        while (pos + 1 < have) {
            hit = memchr(in + pos, 0xAA, have - 1 - pos);
            if (!hit || hit[1] == 0x55)
                break;
            pos = (size_t)(hit - in) + 1;
            hit = NULL;
        }
        if (!hit) {
            if (eof)
                return;
            pos = have > 0 && in[have - 1] == 0xAA ? have - 1 : have;
            continue;
        }
        pos = (size_t)(hit - in);
        const size_t avail = have - pos;
        int len = 0, untested = 0;
        if (locked) {
            if (avail < (size_t)locked) {
                if (eof)
                    return;
                continue;
            }
            if (verified(in + pos, locked))
                len = locked;
            else
                locked = 0;
        } else {
            const int lens[2] = { kImu, kSins };
            for (int i = 0; i < 2 && !len; ++i) {
                if (avail < (size_t)lens[i])
                    untested = 1;
                else if (verified(in + pos, lens[i]))
                    len = locked = lens[i];
            }
            if (!len && untested) {
                if (eof)
                    return;
                continue;
            }
        }
        if (!len) {
            pos += 2;
            continue;
        }
        onFrame(in + pos, len);
        pos += (size_t)len;
    }
}

#endif
