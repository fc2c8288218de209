#!/usr/bin/env python3
"""Writes the recorded INS byte streams of the decoder tests, encoded from the frame
layouts and the sentence grammar independently of the program's decoder. NAME.bin comes
with NAME.expect.jsonl: per line one event the decoder must report, in order ("wire":
bytes handed to the message log; "record": a navigation record; "serial", "gyro",
"install", "axis", "softver", "gnss", "extrap": replies), then "stats" (bytes, packets,
errors). Deterministic; run from anywhere."""

import json
import os
import random
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

IMU_LEN = 31
SINS_LEN = 59

RECORD_KEYS = ["format", "count", "gx", "gy", "gz", "ax", "ay", "az", "status", "pitch",
               "roll", "yaw", "ve", "vn", "vu", "lon", "lat", "alt", "temp", "gps_v",
               "gnss_heading", "utc"]


def f32(v):
    return struct.unpack("<f", struct.pack("<f", v))[0]


def record(fmt, **values):
    r = {k: 0 for k in RECORD_KEYS}
    r["format"] = fmt
    r.update(values)
    r["ev"] = "record"
    return r


def sum8(data):
    return sum(data) & 0xFF


def imu_frame(count, graw, araw, traw):
    """31 bytes: AA 55, int16 count, 3 x int32 rates (1e-5 deg/s), 3 x int32
    accelerations (1e-7 g), int16 temperature (0.01 degC), sum of bytes 0..29."""
    body = b"\xAA\x55" + struct.pack("<h3i3ih", count, *graw, *araw, traw)
    assert len(body) == 30
    frame = body + bytes([sum8(body)])
    rec = record(1, count=count,
                 gx=graw[0] * 1e-5, gy=graw[1] * 1e-5, gz=graw[2] * 1e-5,
                 ax=araw[0] * 1e-7, ay=araw[1] * 1e-7, az=araw[2] * 1e-7,
                 temp=traw * 0.01)
    return frame, rec


def sins_frame(status, gyro, acc, pitch, roll, yaw, heading, lon, lat, alt, vel, temp,
               utc_hi, utc_lo):
    """59 bytes: AA 55, status, 6 x float32, int16 pitch, int16 roll, uint16 yaw,
    uint16 GNSS heading (all 0.01 deg), int32 lon, int32 lat (1e-7 deg), int16 alt (m),
    3 x int16 velocity (0.01 m/s), uint8 temperature + 80, uint32 + uint16 time tag,
    two's complement of the sum of bytes 0..57."""
    body = b"\xAA\x55" + struct.pack("<B6fhhHHiih3hBIH", status, *gyro, *acc, pitch, roll,
                                     yaw, heading, lon, lat, alt, *vel, temp + 80, utc_hi,
                                     utc_lo)
    assert len(body) == 58
    frame = body + bytes([(-sum(body)) & 0xFF])
    rec = record(4, status=status,
                 gx=f32(gyro[0]), gy=f32(gyro[1]), gz=f32(gyro[2]),
                 ax=f32(acc[0]), ay=f32(acc[1]), az=f32(acc[2]),
                 pitch=pitch * 0.01, roll=roll * 0.01, yaw=yaw * 0.01,
                 gnss_heading=heading * 0.01, lon=lon * 1e-7, lat=lat * 1e-7, alt=alt,
                 ve=vel[0] * 0.01, vn=vel[1] * 0.01, vu=vel[2] * 0.01, temp=temp,
                 utc=utc_hi * 10000.0 + utc_lo)
    return frame, rec


def check31(data, at):
    return at + IMU_LEN <= len(data) and sum8(data[at:at + 30]) == data[at + 30]


def check59(data, at):
    return at + SINS_LEN <= len(data) and (-sum(data[at:at + 58])) & 0xFF == data[at + 58]


def has_pair(data):
    return b"\xAA\x55" in data


def random_imu(rng, count):
    graw = [rng.randint(-(2**31), 2**31 - 1) if rng.random() < 0.1
            else rng.randint(-5000000, 5000000) for _ in range(3)]
    araw = [rng.randint(-20000000, 20000000) for _ in range(3)]
    return imu_frame(count, graw, araw, rng.randint(-4000, 8500))


STATUSES = [0x00, 0x14, 0x26, 0x77, 0x97, 0x90, 0x24, 0xF3, 0x70, 0x16, 0x97, 0x97]


def random_sins(rng, n):
    gyro = [rng.uniform(-300, 300) for _ in range(3)]
    acc = [rng.uniform(-8, 8) for _ in range(3)]
    vel = [rng.randint(-32768, 32767) if rng.random() < 0.05 else rng.randint(-3000, 3000)
           for _ in range(3)]
    return sins_frame(STATUSES[n % len(STATUSES)], gyro, acc,
                      rng.randint(-9000, 9000), rng.randint(-18000, 18000),
                      rng.randint(0, 65535), rng.randint(0, 35999),
                      rng.randint(-1800000000, 1800000000), rng.randint(-900000000, 900000000),
                      rng.randint(-32768, 32767), vel, rng.randint(-80, 175),
                      rng.randint(0, 2**32 - 1) if n % 17 == 0 else n // 10000, n % 10000)


def wire(data):
    return {"ev": "wire", "hex": data.hex()}


def write_stream(name, data, events, packets, errors):
    assert b"#vorn" not in data or name.startswith("text"), name
    with open(os.path.join(HERE, name + ".bin"), "wb") as f:
        f.write(data)
    with open(os.path.join(HERE, name + ".expect.jsonl"), "w") as f:
        for e in events:
            f.write(json.dumps(e, sort_keys=True) + "\n")
        f.write(json.dumps({"ev": "stats", "bytes": len(data), "packets": packets,
                            "errors": errors}, sort_keys=True) + "\n")


def clean_stream(rng, name, count, make, must_fail_31=False):
    data = bytearray()
    events = []
    n = 0
    while n < count:
        frame, rec = make(rng, n)
        # A 59-byte frame that passed the 31-byte check would be taken for an IMU frame
        # while hunting; the stream of one kind must decode frame for frame.
        if must_fail_31 and check31(frame, 0):
            continue
        if b"#vorn" in bytes(data[-4:]) + frame:
            continue
        data += frame
        events += [wire(frame), rec]
        n += 1
    assert b"#vorn" not in data
    write_stream(name, bytes(data), events, count, 0)


def imu_with_count(rng, n):
    # Counts wrap like the device's int16 counter.
    c = (32760 + n) & 0xFFFF
    return random_imu(rng, c - 0x10000 if c >= 0x8000 else c)


def garbage(rng, size):
    """Bytes that cannot start a header or a sentence: no 0xAA and no '#', except lone
    0xAA bytes followed by something other than 0x55."""
    out = bytearray()
    while len(out) < size:
        if rng.random() < 0.03 and len(out) < size - 1:
            out += bytes([0xAA, rng.choice([0x00, 0x54, 0x56, 0xAB, 0x0A])])
            continue
        b = rng.randrange(256)
        if b in (0xAA, 0x23):
            continue
        out.append(b)
    return bytes(out)


def noisy_stream(rng):
    """Frames of both kinds, garbage, corrupted frames and false headers. The pieces are
    chosen so that headers occur only where a piece starts, and at every false or
    corrupted header both length checks fail; then the decoder's course follows from
    its state alone: a valid frame decodes while hunting or locked on its own length;
    locked on the other length it is lost (the check fails, the header is dropped) and
    the decoder hunts again; a false header always sends it hunting."""
    while True:
        data = bytearray()
        pieces = []  # (start, kind, record or None)
        for i in range(400):
            roll = rng.random()
            start = len(data)
            if roll < 0.25:
                data += garbage(rng, rng.randint(1, 80))
                continue
            if roll < 0.35:
                # False header: AA 55 and bytes without any header.
                data += b"\xAA\x55" + garbage(rng, rng.randint(60, 90))
                pieces.append((start, "bad", None))
                continue
            make = random_imu if roll < 0.6 else random_sins
            frame, rec = make(rng, i) if make is random_sins else make(rng, i % 30000)
            if has_pair(frame[1:]) or frame[-1] == 0xAA or b"#" in frame:
                continue
            if roll > 0.92:
                # Corrupted in transit: one payload byte changed, checksum kept.
                at = rng.randrange(3, len(frame) - 1)
                frame = frame[:at] + bytes([frame[at] ^ 0x5A]) + frame[at + 1:]
                if has_pair(frame[1:]) or b"#" in frame:
                    continue
                data += frame
                pieces.append((start, "bad", None))
                continue
            data += frame
            pieces.append((start, len(frame), rec, frame))
        data += garbage(rng, 20)
        data = bytes(data)
        # Verify the layout the expectations rest on.
        ok = b"#vorn" not in data
        starts = {p[0] for p in pieces}
        at = data.find(b"\xAA\x55")
        while ok and at >= 0:
            ok = at in starts
            at = data.find(b"\xAA\x55", at + 1)
        for p in pieces:
            if not ok:
                break
            c31, c59 = check31(data, p[0]), check59(data, p[0])
            if p[1] == "bad":
                ok = not c31 and not c59
            elif p[1] == SINS_LEN:
                ok = not c31 and c59
            else:
                ok = c31 and not c59
        if ok:
            break

    events = []
    locked = 0
    for p in pieces:
        if p[1] == "bad":
            locked = 0
        elif locked in (0, p[1]):
            events += [wire(p[3]), p[2]]
            locked = p[1]
        else:
            locked = 0
    packets = sum(1 for e in events if e["ev"] == "record")
    write_stream("mixed_noisy", data, events, packets, 0)


def text_stream():
    lines = []  # (raw bytes, [events], packets, errors)

    def nav(raw, rec):
        stripped = raw.rstrip(b"\r\n")
        lines.append((raw, [wire(stripped), rec], 1, 0))

    def cfg(raw, events):
        lines.append((raw, events, 0, 0))

    def err(raw, logged):
        lines.append((raw, [wire(raw.rstrip(b"\r\n"))] if logged else [], 0, 1))

    def ignored(raw):
        lines.append((raw, [], 0, 0))

    imu = [12.5, -0.03125, 3.0, 0.012345, -0.5, 0.998877, 41.25]
    nav(b"#vorn,imuasc,17,%.5f,%.5f,%.5f,%.6f,%.6f,%.6f,%.2f*ff\r\n" % tuple(imu),
        record(0, gx=imu[0], gy=imu[1], gz=imu[2], ax=imu[3], ay=imu[4], az=imu[5],
               temp=imu[6]))
    # The sentence name is matched trimmed and in any case.
    nav(b"#vorn, IMU ,1,1,2,3,4,5,6,7*ff\r\n",
        record(0, gx=1, gy=2, gz=3, ax=4, ay=5, az=6, temp=7))
    nav(b"#vorn,imuasc,1,2,3*ff\r\n", record(0))
    # ahrsasc: yaw before pitch and roll; a wrong field count gives the unknown format.
    nav(b"#vorn,ahrsasc,321,0.5,-0.25,0.125,0.01,0.02,1.01,0,0,0,359.99,-12.5,45.75,0,0*ff\r\n",
        record(3, count=321, gx=0.5, gy=-0.25, gz=0.125, ax=0.01, ay=0.02, az=1.01,
               yaw=359.99, pitch=-12.5, roll=45.75))
    nav(b"#vorn,ahrs,99999999999,1,2,3,4,5,6,0,0,0,7,8,9,0,0*ff\r\n",
        record(3, count=0, gx=1, gy=2, gz=3, ax=4, ay=5, az=6, yaw=7, pitch=8, roll=9))
    nav(b"#vorn,ahrsasc,1,2,3,4,5,6,7,8,9,10,11,12,13,14*ff\r\n", record(10))
    sins = (b"#vorn,sinsasc,5,1.5,-2.5,3.25,0.001,-0.002,0.999,1.25,-2.75,180.5,90.25,"
            b"116.3912345,39.9012345,45.5,1.5,-0.75,0.05,36,123456.5,97*ff\r\n")
    nav(sins, record(5, gx=1.5, gy=-2.5, gz=3.25, ax=0.001, ay=-0.002, az=0.999, pitch=1.25,
                     roll=-2.75, yaw=180.5, gnss_heading=90.25, lon=116.3912345,
                     lat=39.9012345, alt=45.5, ve=1.5, vn=-0.75, vu=0.05, temp=36,
                     utc=123456.5, status=0x97))
    nav(b"#vorn,SINS,5,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,x,17,1f7*ff\n",
        record(5, gx=1, gy=2, gz=3, ax=4, ay=5, az=6, pitch=7, roll=8, yaw=9, gnss_heading=10,
               lon=11, lat=12, alt=13, ve=14, vn=15, vu=16, temp=0, utc=17, status=0xF7))
    nav(b"#vorn,sins,0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,-3,17,ffffffffff*ff\r\n",
        record(5, gx=1, gy=2, gz=3, ax=4, ay=5, az=6, pitch=7, roll=8, yaw=9, gnss_heading=10,
               lon=11, lat=12, alt=13, ve=14, vn=15, vu=16, temp=-3, utc=17, status=0))
    nav(b"#vorn,sinsasc,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19*ff\r\n", record(5))

    # Configuration replies: each event carries the reply's values in declaration order.
    def reply(raw, ev=None, *v):
        cfg(raw, [{"ev": ev, "v": list(v)}] if ev else [])

    com1 = b"#vorn,com1,mode:%d,baud:%d,fre:%d,protocol:%s*ff\r\n"
    reply(com1 % (232, 115200, 200, b"sinsbin"), "serial", 232, 115200, 200, 4)
    reply(com1 % (485, 921600, 100, b"imuasc"), "serial", 422, 921600, 100, 0)
    reply(b"#vorn,com1,mode:232,baud:9600,protocol:dzt500*ff\r\n", "serial", 0, 0, 0, 10)
    reply(b"#vorn,com1,232,baud:19200,fre:50,protocol:SINSBIN*ff\r\n", "serial", 422, 19200, 50, 10)
    err(b"#vorn,COM1,mode:232,baud:115200,fre:200,protocol:sinsbin*ff\r\n", logged=False)
    # Gyro: serial number, bias, kgg, t1, t2 (X, Y, Z each), then the 3 x 3 matrix kg1.
    sn, bias, kgg, t1, t2 = 20231107, [0.01, -0.02, 0.03], [1.0001, 0.9998, 1.00025], \
        [0.00125, -0.0025, 0.005], [1.5e-06, -2.25e-06, 3.0e-06]
    kg1 = [1.0, 0.001, -0.002, 0.003, 1.0, -0.004, 0.005, -0.006, 0.99]
    fields = (["GyroSN:%d" % sn]
              + sum([["kgg%s:%r" % ("XYZ"[a], t2[a]), repr(t1[a]), repr(kgg[a])]
                     for a in range(3)], [])
              + ["kg0:%r" % bias[0], repr(bias[1]), repr(bias[2])]
              + ["kg1:%r" % kg1[0]] + [repr(v) for v in kg1[1:]])
    assert len(fields) == 22
    reply(("#vorn,factory,%s*ff\r\n" % ",".join(fields)).encode(), "gyro",
          sn, *bias, *kgg, *t1, *t2, *kg1)
    reply(b"#vorn,factory,GyroSN:1,2,3*ff\r\n", "gyro", *[0] * 22)
    reply(b"#vorn,gnm,ka1:0.5,-0.25,1.125*ff\r\n", "install", 0.5, -0.25, 1.125)
    reply(b"#vorn,gnm,0.5,-0.25,1.125*ff\r\n", "install", 0, -0.25, 1.125)
    reply(b"#vorn,gnm,ka1:1,2,3,4*ff\r\n", "install", 0, 0, 0)
    reply(b"#vorn,axis,x:Y,y:-X,z:Z*ff\r\n", "axis", "Y", "-X", "Z")
    reply(b"#vorn,axis,Y,-X*ff\r\n", "axis")
    reply(b"#vorn,softver,V1.0.2*ff\r\n", "softver", "V1.0.2")
    reply(b"#vorn,softver\r\n")
    # Without a comma before the checksum the name is "softver*ff": an unknown message.
    err(b"#vorn,softver*ff\r\n", logged=True)
    reply(b"#vorn,gnss,1.25*ff\r\n", "gnss", 1.25)
    reply(b"#vorn,gnss,1.25,2*ff\r\n", "gnss", 0.0)
    reply(b"#vorn,extrapolate time,30.5*ff\r\r\n", "extrap", 30.5)
    # Values at the edges of their fields: a labelled value that keeps its "*ff" does not
    # parse, an axis keeps the text after its first colon, labels are required, numbers
    # are decimal, a status takes its low eight bits.
    reply(b"#vorn,gnm,ka1:2.5*ff\r\n", "install", 0, 0, 0)
    reply(b"#vorn,axis,a:b:c,Y,z:-Z*ff\r\n", "axis", "b:c", "Y", "-Z")
    reply(b"#vorn,gnss,-3.5\r\n", "gnss", -3.5)
    reply(b"#vorn,extrapolate time\r\n", "extrap", 0.0)
    reply(b"#vorn,com1,mode:422,rate:9,fre:0x10,x*ff\r\n", "serial", 422, 0, 0, 10)
    nav(b"#vorn,sinsasc,0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,12345678*ff\r\n",
        record(5, gx=1, gy=2, gz=3, ax=4, ay=5, az=6, pitch=7, roll=8, yaw=9, gnss_heading=10,
               lon=11, lat=12, alt=13, ve=14, vn=15, vu=16, temp=17, utc=18, status=0x78))

    # Unknown lines: counted; unknown device messages also reach the log.
    err(b"#vorn,hello,world*ff\r\n", logged=True)
    err(b"  #VORN,ping*ff\r\n", logged=True)
    err(b"#vorn,saveconfig*ff\r\n", logged=False)
    err(b"#vorn,Reset,1*ff\r\n", logged=False)
    err(b"#vorn,extrapolate,2*ff\r\n", logged=False)
    err(b"#vorn,get config*ff\r\n", logged=False)
    err(b"noise,with,commas\r\n", logged=False)
    ignored(b"a line without a comma\r\n")
    ignored(b"\r\n")
    ignored(b"\n")
    nav("#vorn,imu,1,2,3,4,5,6,7,25.5*ff 温度\r\n".encode(),
        record(0, gx=2, gy=3, gz=4, ax=5, ay=6, az=7, temp=25.5))

    data = b"".join(l[0] for l in lines)
    # An unterminated last line stays in the buffer: it reports nothing.
    tail = b"\r#vorn,softver,V9.9.9*ff"
    events = [e for l in lines for e in l[1]]
    write_stream("text_sentences", data + tail, events, sum(l[2] for l in lines),
                 sum(l[3] for l in lines))


def main():
    rng = random.Random(20261206)
    clean_stream(rng, "imubin", 300, imu_with_count)
    clean_stream(rng, "sinsbin", 300, random_sins, must_fail_31=True)
    noisy_stream(rng)
    text_stream()


if __name__ == "__main__":
    main()
