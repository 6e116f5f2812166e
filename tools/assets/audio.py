"""Sound effects and music loops, synthesised in plain Python.

16-bit PCM, 22,050 Hz, mono. Music loops are a whole number of bars at a
tempo whose beat is a whole number of samples; every note and the reverb
tail wrap around the loop's end into its start (the buffer is circular),
and the finished loop is turned to begin on a rising zero crossing, so it
repeats without a click. Randomness (noise, plucked strings) is seeded.
"""
import math
import random
import struct
import wave

RATE = 22050
TWO_PI = 2.0 * math.pi


def midi(n):
    return 440.0 * 2.0 ** ((n - 69) / 12.0)


NOTE = {"C": 0, "C#": 1, "Db": 1, "D": 2, "D#": 3, "Eb": 3, "E": 4, "F": 5, "F#": 6, "Gb": 6,
        "G": 7, "G#": 8, "Ab": 8, "A": 9, "A#": 10, "Bb": 10, "B": 11}


def n(name):
    """'A4' -> MIDI number."""
    pitch, octave = name[:-1], int(name[-1])
    return 12 * (octave + 1) + NOTE[pitch]


class Track:
    """A float buffer; notes added past the end wrap round when `loop`."""

    def __init__(self, seconds=None, samples=None, loop=False):
        self.n = samples if samples is not None else int(seconds * RATE)
        self.buf = [0.0] * self.n
        self.loop = loop

    def add(self, start, data, gain=1.0):
        n = self.n
        buf = self.buf
        for i, v in enumerate(data):
            j = start + i
            if j >= n:
                if not self.loop:
                    break
                j %= n
            buf[j] += v * gain


# ---- Voices -------------------------------------------------------------------
def envelope(length, attack, release, hold_level=1.0, curve=1.0):
    a = max(1, int(attack * RATE))
    r = max(1, int(release * RATE))
    out = []
    for i in range(length):
        if i < a:
            e = i / a
        elif i > length - r:
            e = max(0.0, (length - i) / r) ** curve
        else:
            e = 1.0
        out.append(e * hold_level)
    return out


def bell(freq, dur, partials=((1.0, 1.0, 1.0), (2.0, 0.5, 1.6), (2.76, 0.35, 2.4),
                               (5.4, 0.18, 4.0), (8.93, 0.08, 6.0)), decay=1.0):
    """Struck bell or music-box tine: inharmonic partials, each decaying."""
    length = int(dur * RATE)
    out = [0.0] * length
    for ratio, amp, speed in partials:
        f = freq * ratio
        if f > RATE / 2.2:
            continue
        k = TWO_PI * f / RATE
        d = speed * decay * 3.0 / dur
        for i in range(length):
            t = i / RATE
            out[i] += amp * math.sin(k * i) * math.exp(-d * t)
    att = int(0.003 * RATE)
    for i in range(min(att, length)):
        out[i] *= i / att
    tail = int(0.02 * RATE)
    for i in range(tail):
        out[length - 1 - i] *= i / tail
    return out


def pad(freqs, dur, attack=1.2, release=1.6, detune=0.35, bright=0.25):
    """A soft chord: detuned sine pairs with a touch of second harmonic."""
    length = int(dur * RATE)
    env = envelope(length, attack, release, curve=1.5)
    out = [0.0] * length
    for f in freqs:
        for dt, amp in ((-detune, 0.5), (detune, 0.5)):
            k1 = TWO_PI * (f + dt) / RATE
            k2 = 2 * k1
            for i in range(length):
                out[i] += amp * (math.sin(k1 * i) + bright * math.sin(k2 * i)) * env[i]
    s = 1.0 / max(1, len(freqs))
    return [v * s for v in out]


def pluck(freq, dur, seed, damp=0.996, bright=0.5):
    """Karplus-Strong plucked string with a seeded excitation."""
    rng = random.Random(seed)
    period = max(2, int(RATE / freq))
    ring = [rng.uniform(-1, 1) for _ in range(period)]
    # soften the excitation
    for _ in range(int((1 - bright) * 3)):
        ring = [(ring[i] + ring[i - 1]) * 0.5 for i in range(period)]
    length = int(dur * RATE)
    out = []
    idx = 0
    for i in range(length):
        cur = ring[idx]
        nxt = ring[(idx + 1) % period]
        ring[idx] = damp * 0.5 * (cur + nxt)
        out.append(cur)
        idx = (idx + 1) % period
    tail = int(0.03 * RATE)
    for i in range(min(tail, length)):
        out[length - 1 - i] *= i / tail
    return out


def thump(dur=0.35, f0=110.0, f1=42.0):
    """A soft low heartbeat/drum: a sine whose pitch falls."""
    length = int(dur * RATE)
    out = []
    ph = 0.0
    for i in range(length):
        t = i / length
        f = f0 + (f1 - f0) * t ** 0.5
        ph += TWO_PI * f / RATE
        out.append(math.sin(ph) * (1 - t) ** 2.2 * min(1.0, i / 60.0))
    return out


def noise(length, seed):
    rng = random.Random(seed)
    return [rng.uniform(-1.0, 1.0) for _ in range(length)]


def lowpass(data, cutoff, circular=False):
    a = 1.0 - math.exp(-TWO_PI * cutoff / RATE)
    y = 0.0
    if circular:
        for v in data[-4000:]:
            y += a * (v - y)
    out = []
    for v in data:
        y += a * (v - y)
        out.append(y)
    return out


def sweep_filter(data, f_start, f_end, q=4.0):
    """State-variable band-pass whose centre moves from f_start to f_end."""
    low = band = 0.0
    out = []
    n = len(data)
    for i, v in enumerate(data):
        t = i / max(1, n - 1)
        f = f_start * (f_end / f_start) ** t
        k = 2.0 * math.sin(math.pi * f / RATE)
        low += k * band
        high = v - low - band / q
        band += k * high
        out.append(band)
    return out


def reverb(data, mix=0.3, loop=False, room=1.0):
    """Small Schroeder reverb; on a loop it runs two periods so the tail of the
    end flows into the start."""
    src = data + data if loop else data + [0.0] * int(1.2 * RATE)
    combs = [(int(0.0297 * RATE * room), 0.80), (int(0.0371 * RATE * room), 0.78),
             (int(0.0411 * RATE * room), 0.76), (int(0.0437 * RATE * room), 0.74)]
    wet = [0.0] * len(src)
    for delay, fb in combs:
        line = [0.0] * delay
        idx = 0
        lp = 0.0
        for i, v in enumerate(src):
            out = line[idx]
            lp = out * 0.6 + lp * 0.4
            line[idx] = v + lp * fb
            idx = (idx + 1) % delay
            wet[i] += out * 0.25
    for delay, g in ((int(0.005 * RATE), 0.7), (int(0.0017 * RATE), 0.7)):
        line = [0.0] * delay
        idx = 0
        out_l = []
        for v in wet:
            buf = line[idx]
            y = -g * v + buf
            line[idx] = v + g * y
            idx = (idx + 1) % delay
            out_l.append(y)
        wet = out_l
    if loop:
        n = len(data)
        return [data[i] * (1 - mix) + wet[n + i] * mix for i in range(n)]
    out = [(src[i] if i < len(data) else 0.0) * (1 - mix) + wet[i] * mix for i in range(len(src))]
    return out


# ---- Finishing ----------------------------------------------------------------
def normalise(data, peak=0.85):
    m = max(1e-9, max(abs(v) for v in data))
    return [v * peak / m for v in data]


def fade_out(data, seconds):
    k = int(seconds * RATE)
    n = len(data)
    for i in range(min(k, n)):
        data[n - 1 - i] *= (i / k) ** 1.5
    return data


def trim_silence(data, threshold=0.0015):
    end = len(data)
    while end > 1 and abs(data[end - 1]) < threshold:
        end -= 1
    return data[:end + 1]


def seam(data):
    """Turns a circular buffer so it starts on its quietest rising zero crossing
    within the first 200 ms (the end then meets the start smoothly)."""
    best, best_i = None, 0
    for i in range(1, int(0.2 * RATE)):
        a, b = data[i - 1], data[i]
        if a <= 0.0 < b or (a < 0.0 <= b):
            score = abs(a) + abs(b)
            if best is None or score < best:
                best, best_i = score, i
    return data[best_i:] + data[:best_i]


def write_wav(path, data):
    frames = bytearray()
    for v in data:
        s = int(round(max(-1.0, min(1.0, v)) * 32767))
        frames += struct.pack("<h", s)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))


# ---- Effects ------------------------------------------------------------------
def fx_battery():
    t = Track(0.9)
    for k, name in enumerate(("C6", "E6", "G6", "C7")):
        t.add(int(k * 0.07 * RATE), bell(midi(n(name)), 0.55, decay=0.8), 0.5)
    zap = [math.sin(TWO_PI * (300 + 2400 * (i / 3000.0)) * i / RATE) * (1 - i / 3000.0) ** 2
           for i in range(3000)]
    t.add(0, zap, 0.18)
    return normalise(trim_silence(reverb(t.buf, 0.25)), 0.8)


def fx_lightpuzzle():
    t = Track(1.6)
    t.add(0, bell(midi(n("E6")), 1.3, decay=0.6), 0.5)
    t.add(int(0.06 * RATE), bell(midi(n("B6")), 1.2, decay=0.6), 0.35)
    t.add(int(0.12 * RATE), bell(midi(n("E7")), 1.0, decay=0.7), 0.2)
    shimmer = pad([midi(n("E5")), midi(n("B5"))], 1.3, 0.05, 1.0, detune=2.0, bright=0.1)
    t.add(0, shimmer, 0.25)
    return normalise(trim_silence(reverb(t.buf, 0.3)), 0.8)


def fx_collide():
    t = Track(0.55)
    hit = noise(int(0.18 * RATE), 7)
    hit = sweep_filter(hit, 2500, 500, q=2.0)
    hit = [v * (1 - i / len(hit)) ** 3 for i, v in enumerate(hit)]
    t.add(0, hit, 1.2)
    t.add(0, thump(0.3, 160, 60), 0.9)
    hiss = noise(int(0.35 * RATE), 8)
    hiss = lowpass(hiss, 5000)
    hiss = [v * math.sin(math.pi * i / len(hiss)) ** 2 for i, v in enumerate(hiss)]
    t.add(int(0.04 * RATE), hiss, 0.25)
    return normalise(trim_silence(t.buf), 0.85)


def fx_bell():
    t = Track(2.6)
    partials = ((0.5, 0.6, 0.6), (1.0, 1.0, 1.0), (1.19, 0.5, 1.4), (1.5, 0.35, 1.8),
                (2.0, 0.3, 2.2), (2.74, 0.2, 3.0), (3.76, 0.1, 4.0))
    t.add(0, bell(midi(n("A3")), 2.5, partials, decay=0.45), 0.6)
    out = reverb(t.buf, 0.45, room=1.6)
    return normalise(fade_out(trim_silence(out)[:int(2.8 * RATE)], 0.4), 0.75)


def fx_door():
    t = Track(1.0)
    # creaking hinge: a buzzy tone whose pitch wavers
    length = int(0.5 * RATE)
    ph = 0.0
    rng = random.Random(3)
    creak = []
    wob = [rng.uniform(-1, 1) for _ in range(40)]
    for i in range(length):
        x = i / length
        w = wob[int(x * 39)] * 0.5 + wob[min(39, int(x * 39) + 1)] * 0.5
        f = 210 + 90 * x + 40 * w
        ph += TWO_PI * f / RATE
        saw = (ph / TWO_PI) % 1.0 * 2 - 1
        creak.append(saw * math.sin(math.pi * x) ** 1.5)
    t.add(0, lowpass(creak, 1800), 0.35)
    t.add(int(0.5 * RATE), thump(0.3, 120, 55), 1.0)
    click = noise(int(0.03 * RATE), 4)
    click = [v * (1 - i / len(click)) ** 2 for i, v in enumerate(click)]
    t.add(int(0.5 * RATE), click, 0.6)
    t.add(int(0.62 * RATE), [v * 0.5 for v in click], 0.6)
    return normalise(trim_silence(reverb(t.buf, 0.2)), 0.8)


def fx_throw():
    t = Track(0.6)
    w = noise(int(0.42 * RATE), 11)
    w = sweep_filter(w, 350, 2600, q=3.0)
    w = [v * math.sin(math.pi * i / len(w)) ** 1.5 for i, v in enumerate(w)]
    t.add(0, w, 1.0)
    t.add(int(0.12 * RATE), bell(midi(n("A6")), 0.35, decay=1.2), 0.12)
    return normalise(trim_silence(t.buf), 0.8)


# ---- Music --------------------------------------------------------------------
def chord(names):
    return [midi(n(x)) for x in names]


def music_menu():
    """Calm and curious: a music box over a soft pad, A minor, 72 BPM, 8 bars."""
    beat = 18375  # 60 / 72 s at 22,050 Hz
    bar = 4 * beat
    t = Track(samples=8 * bar, loop=True)
    prog = [("A2", "E3", "A3", "C4"), ("F2", "C3", "A3", "C4"), ("C3", "G3", "C4", "E4"),
            ("G2", "D3", "G3", "B3"), ("A2", "E3", "A3", "C4"), ("F2", "C3", "A3", "C4"),
            ("D3", "A3", "D4", "F4"), ("E2", "B2", "G#3", "E4")]
    for b, ch in enumerate(prog):
        t.add(b * bar, pad(chord(ch), (bar + beat) / RATE, 1.0, 1.4), 0.32)
        t.add(b * bar, pluck(midi(n(ch[0])) , 2.8, 100 + b, damp=0.997, bright=0.2), 0.25)
    melody = [  # (bar, beat, note, length in beats)
        (0, 0, "E5", 1), (0, 1, "A5", 1), (0, 2, "C6", 1.5), (0, 3.5, "B5", 0.5),
        (1, 0, "A5", 1.5), (1, 1.5, "C6", 0.5), (1, 2, "F5", 2),
        (2, 0, "G5", 1), (2, 1, "C6", 1), (2, 2, "E6", 1.5), (2, 3.5, "D6", 0.5),
        (3, 0, "B5", 2), (3, 2, "G5", 1), (3, 3, "D5", 1),
        (4, 0, "E5", 1), (4, 1, "A5", 1), (4, 2, "C6", 1), (4, 3, "E6", 1),
        (5, 0, "F6", 1.5), (5, 1.5, "E6", 0.5), (5, 2, "C6", 2),
        (6, 0, "D6", 1), (6, 1, "A5", 1), (6, 2, "F5", 1), (6, 3, "A5", 1),
        (7, 0, "G#5", 2), (7, 2, "B5", 1), (7, 3, "E5", 1),
    ]
    for b, bt, note, ln in melody:
        t.add(int(b * bar + bt * beat), bell(midi(n(note)), 1.6 + ln * 0.4, decay=0.9), 0.22)
    air = lowpass(lowpass(noise(t.n, 5), 400, circular=True), 600, circular=True)
    t.add(0, air, 0.15)
    return finish_loop(t)


def music_levels():
    """Dark and watchful: a D drone, slow chords, a heartbeat, far plinks. 60 BPM, 8 bars."""
    beat = 22050
    bar = 4 * beat
    t = Track(samples=8 * bar, loop=True)
    # drone with a slow swell (period = two bars, so it wraps cleanly)
    k1, k2 = TWO_PI * midi(n("D2")) / RATE, TWO_PI * midi(n("A2")) / RATE
    lfo = TWO_PI / (2 * bar)
    drone = [(math.sin(k1 * i) * 0.7 + math.sin(k2 * i) * 0.3) * (0.75 + 0.25 * math.sin(lfo * i))
             for i in range(t.n)]
    t.add(0, drone, 0.35)
    prog = [("D3", "F3", "A3"), ("D3", "F3", "A3"), ("Bb2", "D3", "F3"), ("A2", "C#3", "E3"),
            ("D3", "F3", "A3"), ("G2", "Bb2", "D3"), ("Bb2", "D3", "F3"), ("A2", "C#3", "E3")]
    for b, ch in enumerate(prog):
        t.add(b * bar, pad(chord(ch), (bar + 2 * beat) / RATE, 2.0, 2.2, bright=0.1), 0.3)
    for b in range(8):
        for bt in (0, 2):
            t.add(b * bar + bt * beat, thump(0.28, 90, 40), 0.5)
            t.add(b * bar + bt * beat + int(0.22 * RATE), thump(0.22, 80, 40), 0.3)
    plinks = [(0, 2.5, "A5"), (1, 1.5, "D6"), (2, 3.0, "F5"), (3, 0.5, "E6"), (3, 2.5, "C#6"),
              (4, 1.0, "A5"), (5, 3.5, "G5"), (6, 2.0, "Bb5"), (7, 1.0, "E6"), (7, 3.0, "A5")]
    for b, bt, note in plinks:
        t.add(int(b * bar + bt * beat), bell(midi(n(note)), 2.5, decay=0.7), 0.13)
    air = lowpass(lowpass(noise(t.n, 6), 250, circular=True), 400, circular=True)
    t.add(0, air, 0.5)
    return finish_loop(t, wet=0.35)


def music_lose():
    """Quiet grief: a slow falling music box over low chords. 60 BPM, 6 bars."""
    beat = 22050
    bar = 4 * beat
    t = Track(samples=6 * bar, loop=True)
    prog = [("A2", "E3", "C4"), ("G2", "D3", "B3"), ("F2", "C3", "A3"), ("E2", "B2", "G#3"),
            ("D2", "A2", "F3"), ("E2", "B2", "G#3")]
    for b, ch in enumerate(prog):
        t.add(b * bar, pad(chord(ch), (bar + beat) / RATE, 1.8, 2.0, bright=0.15), 0.4)
    mel = [(0, 0, "E5"), (0, 2, "C5"), (1, 0, "D5"), (1, 2, "B4"), (2, 0, "C5"), (2, 2, "A4"),
           (3, 0, "B4"), (3, 2, "G#4"), (4, 0, "A4"), (4, 2, "F4"), (5, 0, "E4"), (5, 2, "G#4")]
    for b, bt, note in mel:
        t.add(b * bar + bt * beat, bell(midi(n(note)), 3.2, decay=0.6), 0.22)
    return finish_loop(t, wet=0.4)


def music_win():
    """Warm and open: harp arpeggios, pad and a bright tune, C major, 90 BPM, 8 bars."""
    beat = 14700
    bar = 4 * beat
    eighth = beat // 2
    t = Track(samples=8 * bar, loop=True)
    prog = [("C3", "G3", "C4", "E4"), ("G2", "D3", "G3", "B3"), ("A2", "E3", "A3", "C4"),
            ("F2", "C3", "F3", "A3"), ("C3", "G3", "C4", "E4"), ("G2", "D3", "G3", "B3"),
            ("F2", "C3", "F3", "A3"), ("G2", "D3", "G3", "B3")]
    for b, ch in enumerate(prog):
        t.add(b * bar, pad(chord(ch), (bar + beat) / RATE, 0.6, 1.0, bright=0.3), 0.25)
        arp = [ch[0], ch[1], ch[2], ch[3], ch[2], ch[1], ch[2], ch[3]]
        for k, note in enumerate(arp):
            t.add(b * bar + k * eighth, pluck(midi(n(note)) * 2, 1.2, 200 + b * 8 + k,
                                              damp=0.995, bright=0.6), 0.16)
    mel = [(0, 0, "E5", 1), (0, 1, "G5", 1), (0, 2, "C6", 2), (1, 0, "B5", 1), (1, 1, "A5", 1),
           (1, 2, "G5", 2), (2, 0, "A5", 1), (2, 1, "C6", 1), (2, 2, "E6", 2), (3, 0, "F6", 1),
           (3, 1, "E6", 1), (3, 2, "C6", 2), (4, 0, "E6", 1), (4, 1, "D6", 1), (4, 2, "C6", 2),
           (5, 0, "D6", 1), (5, 1, "B5", 1), (5, 2, "G5", 2), (6, 0, "A5", 1), (6, 1, "C6", 1),
           (6, 2, "F6", 1.5), (6, 3.5, "E6", 0.5), (7, 0, "D6", 2), (7, 2, "G5", 2)]
    for b, bt, note, ln in mel:
        t.add(int(b * bar + bt * beat), bell(midi(n(note)), 1.2 + 0.3 * ln, decay=0.9), 0.2)
    return finish_loop(t, wet=0.25)


def finish_loop(track, wet=0.3):
    out = reverb(track.buf, wet, loop=True)
    # soften the top end (bells and plucked strings are bright at 22 kHz)
    out = lowpass(out, 5500, circular=True)
    out = normalise(out, 0.8)
    return seam(out)


def build():
    return {
        "s_battery.wav": fx_battery(),
        "s_lightpuzzle.wav": fx_lightpuzzle(),
        "s_collide.wav": fx_collide(),
        "s_bell.wav": fx_bell(),
        "s_door.wav": fx_door(),
        "s_throw.wav": fx_throw(),
        "s_menu.wav": music_menu(),
        "s_bgmusic.wav": music_levels(),
        "s_lose.wav": music_lose(),
        "s_win.wav": music_win(),
    }
