/* Reference for telvo-cli export --format csv: the same columns as the program's CSV
 * (a header row, then per frame time, format, count, roll, pitch, yaw, gx, gy, gz, ax,
 * ay, az, temp, lat, lon, alt, ve, vn, vu, gnss_heading, utc, gnss_status,
 * device_status; attitude and position empty for a 31-byte frame), written with printf.
 * Floats as %.9g and doubles as %.17g: enough digits to read back the same value, not
 * the shortest text, so the cells differ in form from the program's.
 *
 *   csv_ref CAPTURE > table.csv
 */
#include "frame_scan.h"

#include <stdint.h>

static int32_t i32(const unsigned char* p)
{
    return (int32_t)((uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16
                     | (uint32_t)p[3] << 24);
}

static int16_t i16(const unsigned char* p)
{
    return (int16_t)(p[0] | p[1] << 8);
}

static uint16_t u16(const unsigned char* p)
{
    return (uint16_t)(p[0] | p[1] << 8);
}

static float f32(const unsigned char* p)
{
    uint32_t bits = (uint32_t)i32(p);
    float f;
    memcpy(&f, &bits, sizeof f);
    return f;
}

static const char* const kFix[16] = { "故障", "—", "—", "—", "无效", "—", "定位", "定位定向",
                                      "—",    "—", "—", "—", "—",    "—", "—",    "—" };

static const char* nav(unsigned status)
{
    switch (status & 0xF0) {
    case 0x10:
        return "对准";
    case 0x20:
        return "校准";
    case 0x70:
        return "纯惯性导航";
    case 0x90:
        return "组合导航";
    default:
        return "—";
    }
}

static void row(const unsigned char* p, int len)
{
    if (len == kImu) {
        printf(",imubin,%d,,,,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,,,,,,,,,,\r\n", i16(p + 2),
               (float)(i32(p + 4) * 1e-5), (float)(i32(p + 8) * 1e-5), (float)(i32(p + 12) * 1e-5),
               (float)(i32(p + 16) * 1e-7), (float)(i32(p + 20) * 1e-7),
               (float)(i32(p + 24) * 1e-7), (float)(i16(p + 28) * 0.01));
        return;
    }
    printf(",sinsbin,0,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.17g,%.17g,%.17g,"
           "%.9g,%.9g,%.9g,%.9g,%.17g,%s,%s\r\n",
           (float)(i16(p + 29) * 0.01), (float)(i16(p + 27) * 0.01), (float)(u16(p + 31) * 0.01),
           f32(p + 3), f32(p + 7), f32(p + 11), f32(p + 15), f32(p + 19), f32(p + 23),
           (float)(p[51] - 80), i32(p + 39) * 1e-7, i32(p + 35) * 1e-7, (double)i16(p + 43),
           (float)(i16(p + 45) * 0.01), (float)(i16(p + 47) * 0.01), (float)(i16(p + 49) * 0.01),
           (float)(u16(p + 33) * 0.01), (double)(uint32_t)i32(p + 52) * 10000.0 + u16(p + 56),
           kFix[p[2] & 15], nav(p[2]));
}

int main(int argc, char** argv)
{
    FILE* f = argc == 2 ? fopen(argv[1], "rb") : NULL;
    if (!f) {
        fprintf(stderr, "usage: csv_ref CAPTURE\n");
        return 1;
    }
    printf("\xEF\xBB\xBFtime,format,count,roll,pitch,yaw,gx,gy,gz,ax,ay,az,temp,lat,lon,alt,"
           "ve,vn,vu,gnss_heading,utc,gnss_status,device_status\r\n");
    scanFrames(f, row);
    fclose(f);
    return 0;
}
