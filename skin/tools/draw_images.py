#!/usr/bin/env python3
"""Draws the default skin's images into skin/Images/default/ (and the skinned
buttons' images into skin/controls/SkinButton/). Plain Python: every image is made
of filled shapes on an RGBA canvas and written as PNG; the one JPEG goes through
ImageMagick's convert. Run it again after changing a drawing; commit its output."""

import math
import os
import struct
import subprocess
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SKIN = os.path.dirname(HERE)
OUT = os.path.join(SKIN, "Images", "default")
BUTTONS = os.path.join(SKIN, "controls", "SkinButton")

# Palette of the default skin: deep blue chrome, light panels, orange accents.
BLUE = (9, 109, 175, 255)
BLUE_DARK = (6, 62, 110, 255)
BLUE_LIGHT = (74, 160, 222, 255)
PANEL = (236, 240, 245, 255)
PANEL_EDGE = (185, 196, 210, 255)
WHITE = (255, 255, 255, 255)
GREY = (150, 150, 150, 255)
GREY_DARK = (90, 90, 90, 255)
ORANGE = (245, 140, 30, 255)
BLACK = (0, 0, 0, 255)
CLEAR = (0, 0, 0, 0)


class Canvas:
    def __init__(self, width, height, fill=CLEAR):
        self.width, self.height = width, height
        self.pixels = [list(fill) for _ in range(width * height)]

    def blend(self, x, y, color, coverage=1.0):
        if not (0 <= x < self.width and 0 <= y < self.height):
            return
        a = color[3] / 255.0 * coverage
        p = self.pixels[y * self.width + x]
        out_a = a + p[3] / 255.0 * (1 - a)
        if out_a <= 0:
            return
        for i in range(3):
            p[i] = int(round((color[i] * a + p[i] * (p[3] / 255.0) * (1 - a)) / out_a))
        p[3] = int(round(out_a * 255))

    def rect(self, x0, y0, x1, y1, color):
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.blend(x, y, color)

    def gradient(self, x0, y0, x1, y1, top, bottom):
        span = max(1, y1 - y0 - 1)
        for y in range(y0, y1):
            t = (y - y0) / span
            color = tuple(int(top[i] + (bottom[i] - top[i]) * t) for i in range(4))
            self.rect(x0, y, x1, y + 1, color)

    def shape(self, inside, color, x0=0, y0=0, x1=None, y1=None):
        """Fills the pixels whose sub-samples fall inside (4x4 samples for soft edges)."""
        x1 = self.width if x1 is None else x1
        y1 = self.height if y1 is None else y1
        for y in range(y0, y1):
            for x in range(x0, x1):
                hits = sum(inside(x + (i + 0.5) / 4, y + (j + 0.5) / 4) for i in range(4) for j in range(4))
                if hits:
                    self.blend(x, y, color, hits / 16.0)

    def round_rect(self, x0, y0, x1, y1, radius, color):
        def inside(px, py):
            if not (x0 <= px < x1 and y0 <= py < y1):
                return False
            cx = min(max(px, x0 + radius), x1 - radius)
            cy = min(max(py, y0 + radius), y1 - radius)
            return (px - cx) ** 2 + (py - cy) ** 2 <= radius ** 2
        self.shape(inside, color, int(x0), int(y0), int(math.ceil(x1)), int(math.ceil(y1)))

    def circle(self, cx, cy, r, color, inner=0.0):
        self.shape(lambda px, py: inner ** 2 <= (px - cx) ** 2 + (py - cy) ** 2 <= r ** 2, color)

    def polygon(self, points, color):
        def inside(px, py):
            result = False
            j = len(points) - 1
            for i in range(len(points)):
                (xi, yi), (xj, yj) = points[i], points[j]
                if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
                    result = not result
                j = i
            return result
        self.shape(inside, color)

    def border(self, color):
        self.rect(0, 0, self.width, 1, color)
        self.rect(0, self.height - 1, self.width, self.height, color)
        self.rect(0, 0, 1, self.height, color)
        self.rect(self.width - 1, 0, self.width, self.height, color)

    def save(self, path):
        raw = b"".join(b"\0" + bytes(c for p in self.pixels[y * self.width:(y + 1) * self.width] for c in p)
                       for y in range(self.height))

        def chunk(kind, data):
            return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
        png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0))
               + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
        with open(path, "wb") as f:
            f.write(png)


# The four looks of a button: normal, hover, pressed, disabled.
STATES = {
    "": (BLUE, WHITE),
    "hover": (BLUE_LIGHT, WHITE),
    "down": (BLUE_DARK, (220, 230, 240, 255)),
    "unable": ((170, 180, 190, 255), (235, 235, 235, 255)),
}


def button(size, glyph, state, round_face=True):
    face, ink = STATES[state]
    c = Canvas(size[0], size[1])
    w, h = size
    if round_face:
        c.circle(w / 2, h / 2, min(w, h) / 2 - 0.5, face)
    else:
        c.round_rect(0, 0, w, h, min(w, h) / 4, face)
    glyph(c, w, h, ink)
    return c


def g_play(c, w, h, ink):
    c.polygon([(w * 0.38, h * 0.27), (w * 0.38, h * 0.73), (w * 0.74, h * 0.5)], ink)


def g_pause(c, w, h, ink):
    c.rect(int(w * 0.33), int(h * 0.28), int(w * 0.45), int(h * 0.72), ink)
    c.rect(int(w * 0.55), int(h * 0.28), int(w * 0.67), int(h * 0.72), ink)


def g_to_start(c, w, h, ink):
    c.rect(int(w * 0.28), int(h * 0.3), int(w * 0.36), int(h * 0.7), ink)
    c.polygon([(w * 0.72, h * 0.3), (w * 0.72, h * 0.7), (w * 0.37, h * 0.5)], ink)


def g_to_end(c, w, h, ink):
    c.rect(int(w * 0.64), int(h * 0.3), int(w * 0.72), int(h * 0.7), ink)
    c.polygon([(w * 0.28, h * 0.3), (w * 0.28, h * 0.7), (w * 0.63, h * 0.5)], ink)


def g_speaker(c, w, h, ink):
    c.rect(int(w * 0.18), int(h * 0.38), int(w * 0.34), int(h * 0.62), ink)
    c.polygon([(w * 0.3, h * 0.38), (w * 0.55, h * 0.18), (w * 0.55, h * 0.82), (w * 0.3, h * 0.62)], ink)


def arc(c, cx, cy, r, inner, keep, ink):
    """A ring's part where keep(angle) holds (angle in degrees, 0 to the right, y down)."""
    c.shape(lambda px, py: inner ** 2 <= (px - cx) ** 2 + (py - cy) ** 2 <= r ** 2
            and keep(math.degrees(math.atan2(py - cy, px - cx))), ink)


def g_volume(c, w, h, ink):
    g_speaker(c, w, h, ink)
    arc(c, w * 0.55, h * 0.5, w * 0.32, w * 0.22, lambda a: -50 <= a <= 50, ink)


def g_mute(c, w, h, ink):
    g_speaker(c, w, h, ink)
    for t in range(-1, 2):
        c.polygon([(w * 0.62, h * 0.35 + t), (w * 0.66, h * 0.31 + t), (w * 0.88, h * 0.65 + t), (w * 0.84, h * 0.69 + t)], ink)
        c.polygon([(w * 0.84, h * 0.31 + t), (w * 0.88, h * 0.35 + t), (w * 0.66, h * 0.69 + t), (w * 0.62, h * 0.65 + t)], ink)


def g_arrow_left(c, w, h, ink):
    c.polygon([(w * 0.25, h * 0.5), (w * 0.52, h * 0.25), (w * 0.52, h * 0.4), (w * 0.75, h * 0.4),
               (w * 0.75, h * 0.6), (w * 0.52, h * 0.6), (w * 0.52, h * 0.75)], ink)


def g_arrow_right(c, w, h, ink):
    c.polygon([(w * 0.75, h * 0.5), (w * 0.48, h * 0.25), (w * 0.48, h * 0.4), (w * 0.25, h * 0.4),
               (w * 0.25, h * 0.6), (w * 0.48, h * 0.6), (w * 0.48, h * 0.75)], ink)


def g_home(c, w, h, ink):
    c.polygon([(w * 0.5, h * 0.22), (w * 0.78, h * 0.5), (w * 0.22, h * 0.5)], ink)
    c.rect(int(w * 0.3), int(h * 0.48), int(w * 0.7), int(h * 0.76), ink)


def g_refresh(c, w, h, ink):
    arc(c, w * 0.5, h * 0.52, w * 0.26, w * 0.16, lambda a: not (-90 <= a <= -20), ink)
    c.polygon([(w * 0.5, h * 0.14), (w * 0.72, h * 0.3), (w * 0.5, h * 0.44)], ink)


def g_frame(c, w, h, ink):
    for (x, y, dx, dy) in ((0.25, 0.25, 1, 1), (0.75, 0.25, -1, 1), (0.25, 0.75, 1, -1), (0.75, 0.75, -1, -1)):
        c.polygon([(w * x, h * y), (w * (x + 0.2 * dx), h * y), (w * x, h * (y + 0.2 * dy))], ink)
    c.rect(int(w * 0.4), int(h * 0.4), int(w * 0.6), int(h * 0.6), ink)


def g_nail(on):
    def glyph(c, w, h, ink):
        c.circle(w * 0.5, h * 0.4, w * 0.16, ORANGE if on else ink)
        c.rect(int(w * 0.47), int(h * 0.5), int(w * 0.53), int(h * 0.8), ink)
    return glyph


def g_setting(c, w, h, ink):
    c.circle(w * 0.5, h * 0.5, w * 0.28, ink, inner=w * 0.12)
    for k in range(6):
        a = k * math.pi / 3
        cx, cy = w * 0.5 + math.cos(a) * w * 0.3, h * 0.5 + math.sin(a) * h * 0.3
        c.circle(cx, cy, w * 0.07, ink)


DIGITS = {"1": ["010", "110", "010", "010", "111"], "2": ["111", "001", "111", "100", "111"],
          "x": ["000", "101", "010", "101", "000"]}


def g_text(text):
    def glyph(c, w, h, ink):
        scale = max(1, h // 12)
        x = (w - (4 * len(text) - 1) * scale) // 2
        y = (h - 5 * scale) // 2
        for ch in text:
            for row, bits in enumerate(DIGITS[ch]):
                for col, bit in enumerate(bits):
                    if bit == "1":
                        c.rect(x + col * scale, y + row * scale, x + (col + 1) * scale, y + (row + 1) * scale, ink)
            x += 4 * scale
    return glyph


CJK_FONT = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"


def label_image(path, text, height):
    """Writes the label onto a button image beside its glyph (ImageMagick, CJK font)."""
    subprocess.run(["convert", path, "-font", CJK_FONT, "-pointsize", "15", "-fill", "white", "-gravity", "west",
                    "-annotate", "+%d+0" % (height + 2), text, "-strip", path], check=True)


def save(canvas, name, folder=OUT):
    canvas.save(os.path.join(folder, name))


def button_family(stem, size, glyph, states=("", "hover", "down"), sep="-", round_face=True):
    for state in states:
        name = stem + (sep + state if state else "") + ".png"
        save(button(size, glyph, state, round_face), name)


def bar(width, height, color, edge=None):
    c = Canvas(width, height)
    c.round_rect(0, 0, width, height, height / 2, color)
    if edge:
        c.round_rect(0, 0, width, 1, 0.5, edge)
    return c


def main():
    os.makedirs(OUT, exist_ok=True)
    os.makedirs(BUTTONS, exist_ok=True)

    # Play-control bar and main window play controls.
    four = ("", "hover", "down", "unable")
    button_family("player-play", (32, 32), g_play, four)
    button_family("player-pause", (32, 32), g_pause)
    button_family("player-rewindtostart", (24, 24), g_to_start, four)
    button_family("player-forwardtoend", (24, 24), g_to_end, four)
    button_family("btn-volume", (18, 18), g_volume)
    button_family("btn-mute", (18, 18), g_mute)
    button_family("btn-speaker", (18, 18), g_speaker)
    save(bar(60, 6, BLUE_LIGHT, WHITE), "volume-bar.png")
    save(bar(60, 6, GREY), "volume-bar-mute.png")

    # Seek bar of the main dialog and the full-screen bar.
    thumb = lambda color: (lambda c, w, h, ink: c.circle(w / 2, h / 2, w / 2 - 3, color))
    button_family("btn-seeker", (14, 14), thumb(WHITE))
    # The seek bar stretches the played part's middle band (x 10 to 30) and the rest's
    # first column.
    save(bar(40, 6, ORANGE), "seeker-before.png")
    save(Canvas(8, 6, (200, 210, 220, 255)), "seeker-after.png")
    save(bar(8, 5, ORANGE), "player-seek-played.png")
    save(bar(8, 5, (120, 130, 140, 255)), "player-seek-remained.png")
    tri = Canvas(15, 9)
    tri.polygon([(1, 4.5), (7, 0.5), (7, 8.5)], WHITE)
    tri.polygon([(7, 4.5), (13, 0.5), (13, 8.5)], WHITE)
    save(tri, "player-seek-fastrewind.png")
    tri = Canvas(15, 9)
    tri.polygon([(14, 4.5), (8, 0.5), (8, 8.5)], WHITE)
    tri.polygon([(8, 4.5), (2, 0.5), (2, 8.5)], WHITE)
    save(tri, "player-seek-fastforward.png")
    bg = Canvas(380, 60)
    bg.gradient(0, 0, 380, 60, BLUE_LIGHT, BLUE_DARK)
    save(bg, "window-bg.png")
    handle = Canvas(380, 60)
    handle.rect(0, 0, 380, 2, (255, 255, 255, 60))
    save(handle, "handle-bg.png")
    for name in ("seeker-time-left.png", "seeker-time-right.png"):
        t = Canvas(55, 15)
        t.round_rect(0, 0, 55, 15, 4, BLUE_DARK)
        save(t, name)

    # Video size, window and browser buttons of the play dialog.
    for stem, glyph in (("btn-video-1x", g_text("1x")), ("btn-video-2x", g_text("2x")),
                        ("btn-video-full", g_frame), ("btn-setting", g_setting)):
        button_family(stem, (24, 24), glyph, round_face=False)
    button_family("btn_quickfull", (24, 24), g_frame, sep="_", round_face=False)
    button_family("win_nail", (24, 24), g_nail(False), sep="_", round_face=False)
    button_family("win_nail_on", (24, 24), g_nail(True), sep="_", round_face=False)
    for stem, glyph in (("btn_back", g_arrow_left), ("btn_fore", g_arrow_right), ("btn_home", g_home),
                        ("btn_refresh", g_refresh)):
        button_family(stem, (24, 24), glyph, four, sep="_", round_face=False)

    # Not-playing panel.
    logo = Canvas(240, 150)
    logo.round_rect(20, 10, 220, 140, 24, BLUE)
    logo.polygon([(95, 40), (95, 110), (155, 75)], WHITE)
    logo.circle(120, 75, 56, ORANGE, inner=50)
    save(logo, "player-logo.png")
    for stem, size, glyph, label in (("btn-play-latest", (232, 40), g_play, "播放最近的视频"),
                                     ("btn-downother", (186, 38), g_arrow_right, "下载其他视频")):
        square = lambda c, w, h, ink, glyph=glyph: glyph(c, h, h, ink)  # the glyph at the left, square
        button_family(stem, size, square, four, round_face=False)
        for state in four:
            label_image(os.path.join(OUT, stem + ("-" + state if state else "") + ".png"), label, size[1])

    # Skinned menus: background with 3-pixel caps and columns, separator, hover band.
    menu = Canvas(120, 40)
    menu.rect(0, 0, 120, 40, PANEL_EDGE)
    menu.rect(3, 3, 117, 37, WHITE)
    save(menu, "menu-drop-bg.png")
    save(Canvas(100, 1, PANEL_EDGE), "menu-drop-line.png")
    hover = Canvas(200, 24)
    hover.round_rect(0, 0, 100, 24, 3, (205, 228, 247, 255))
    hover.round_rect(100, 0, 200, 24, 3, BLUE_LIGHT)
    save(hover, "menu-hover.png")

    # Skinned dialogs.
    dialog = Canvas(480, 360)
    dialog.rect(0, 0, 480, 360, PANEL)
    dialog.gradient(0, 0, 480, 32, BLUE_LIGHT, BLUE)
    dialog.border(BLUE_DARK)
    save(dialog, "setting-main.png")
    for i, color in ((1, BLUE), (2, BLUE_LIGHT), (3, BLUE_DARK)):
        b = Canvas(70, 24)
        b.round_rect(0, 0, 70, 24, 4, color)
        save(b, "setting-btn-%d.png" % i)
    for state, face in (("", (0, 0, 0, 0)), ("hover", (220, 60, 50, 255)), ("down", (170, 40, 30, 255))):
        c = Canvas(20, 20)
        c.round_rect(0, 0, 20, 20, 3, face)
        g_mute_cross(c, 20, 20, WHITE)
        save(c, "window-close" + ("-" + state if state else "") + ".png")
    for state, color in (("up", BLUE), ("in", BLUE_LIGHT), ("down", BLUE_DARK), ("grey", GREY)):
        b = Canvas(80, 24)
        b.round_rect(0, 0, 80, 24, 4, color)
        save(b, "skin_button_%s.png" % state, BUTTONS)

    # The about dialog's logo is a JPEG.
    logo_png = os.path.join(OUT, "dialog_logo.png")
    about = Canvas(120, 80)
    about.round_rect(0, 0, 120, 80, 12, BLUE)
    about.polygon([(48, 20), (48, 60), (82, 40)], WHITE)
    about.save(logo_png)
    subprocess.run(["convert", logo_png, "-background", "white", "-flatten", "-strip", os.path.join(OUT, "dialog_logo.jpg")],
                   check=True)
    os.remove(logo_png)

    # Main and download windows (the skin file's placeholders).
    main = Canvas(16, 800)  # tall enough that a window's background does not band
    main.gradient(0, 0, 16, 800, PANEL, (214, 222, 232, 255))
    save(main, "main-bg.png")
    title = Canvas(8, 36)
    title.gradient(0, 0, 8, 36, BLUE_LIGHT, BLUE)
    save(title, "title-bg.png")
    for stem, glyph in (("btn-min", lambda c, w, h, ink: c.rect(6, 13, 14, 15, ink)), ("btn-close", g_mute_cross),
                        ("btn-max", lambda c, w, h, ink: g_box(c, 6, 6, 14, 14, ink)),
                        ("btn-restore", lambda c, w, h, ink: g_box(c, 6, 8, 12, 14, ink))):
        button_family(stem, (20, 20), glyph, round_face=False)
    progress = Canvas(8, 14)
    progress.gradient(0, 0, 8, 14, (255, 190, 90, 255), ORANGE)
    save(progress, "progress-bar.png")
    track = Canvas(8, 14)
    track.gradient(0, 0, 8, 14, (210, 215, 222, 255), (235, 238, 242, 255))
    save(track, "progress-bg.png")
    tab = Canvas(96, 28)
    tab.round_rect(0, 0, 96, 32, 5, BLUE)
    save(tab, "tab-current.png")
    tab = Canvas(96, 28)
    tab.round_rect(0, 0, 96, 32, 5, (200, 210, 222, 255))
    save(tab, "tab-normal.png")


def g_mute_cross(c, w, h, ink):
    for t in (-0.5, 0, 0.5):
        c.polygon([(w * 0.3, h * 0.26 + t), (w * 0.26, h * 0.3 + t), (w * 0.7, h * 0.74 + t), (w * 0.74, h * 0.7 + t)], ink)
        c.polygon([(w * 0.7, h * 0.26 + t), (w * 0.74, h * 0.3 + t), (w * 0.3, h * 0.74 + t), (w * 0.26, h * 0.7 + t)], ink)


def g_box(c, x0, y0, x1, y1, ink):
    c.rect(x0, y0, x1, y0 + 2, ink)
    c.rect(x0, y1 - 1, x1, y1, ink)
    c.rect(x0, y0, x0 + 1, y1, ink)
    c.rect(x1 - 1, y0, x1, y1, ink)


if __name__ == "__main__":
    sys.exit(main())
